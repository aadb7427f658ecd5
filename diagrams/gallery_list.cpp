#include "diagrams/gallery_list.h"

#include "figures/copy_map.h"
#include "figures/fig_gallery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr const char* kExtension = ".gal";
// Room for " (n)" and the extension within a file name's 255 bytes.
constexpr int kMaxNameBytes = 240;

// Figures that refer to others (angle marks) find their partners among
// the members again.
void RelinkMembers(QvFigGallery& figure) {
    QvCopyMap map;
    for (QvFigure* m : figure.Members())
        m->AddToCopyMap(map);
    for (QvFigure* m : figure.Members())
        m->RemapReferences(map);
}

} // namespace

QvGalleryList::QvGalleryList() = default;
QvGalleryList::~QvGalleryList() = default;

// ------------------------------------------------------------------ folder

QString QvGalleryList::DefaultFolder() {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/Galleries");
    if (QFileInfo(beside).isDir())
        return beside;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Galleries");
}

void QvGalleryList::SetFolder(const QString& folder) {
    QString f = folder;
    while (f.endsWith(QLatin1Char('/')))
        f.chop(1);
    m_strFolder = f + QLatin1Char('/');
}

void QvGalleryList::Scan(const QString& folder) {
    SetFolder(folder.isEmpty() ? DefaultFolder() : folder);
    if (m_bScanned)
        return;
    DeleteAll();
    const QStringList names =
        QDir(m_strFolder)
            .entryList({QStringLiteral("*.gal")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        auto gallery = std::make_unique<QvGallery>();
        gallery->ReadTitle(m_strFolder + name);
        m_galleries.push_back(std::move(gallery));
    }
    m_bScanned = true;
}

void QvGalleryList::DeleteAll() {
    m_galleries.clear();
}

// --------------------------------------------------------------- galleries

int QvGalleryList::GetGalleryCount() {
    if (!m_bScanned)
        Scan(m_strFolder);
    return int(m_galleries.size());
}

QvGallery* QvGalleryList::GetGallery(int g) {
    if (g < 0 || g >= GetGalleryCount())
        return nullptr;
    return m_galleries[size_t(g)].get();
}

QString QvGalleryList::GetGalleryTitle(int g) {
    QvGallery* gallery = GetGallery(g);
    return gallery ? gallery->GetTitle() : QString();
}

int QvGalleryList::GetFigureCount(int g) {
    QvGallery* gallery = GetGallery(g);
    return gallery ? gallery->GetFigureCount() : 0;
}

bool QvGalleryList::IsWritable(int g) {
    QvGallery* gallery = GetGallery(g);
    return gallery && gallery->IsWritable() && gallery->IsReadable();
}

bool QvGalleryList::IsReadable(int g) {
    QvGallery* gallery = GetGallery(g);
    return gallery && gallery->IsReadable();
}

QString QvGalleryList::GetGalleryDescription(int g) {
    QvGallery* gallery = GetGallery(g);
    return gallery ? gallery->GetGalleryDescription() : QString();
}

// ----------------------------------------------------------------- figures

bool QvGalleryList::IsValidFigure(int g, int f) {
    QvGallery* gallery = GetGallery(g);
    return gallery && f >= 0 && f < gallery->GetFigureCount();
}

QvFigGallery* QvGalleryList::GetFigure(int g, int f) {
    QvGallery* gallery = GetGallery(g);
    // Only figures already in memory: this never reads a file.
    if (!gallery || !gallery->IsLoaded())
        return nullptr;
    QvFigGallery* figure = gallery->GetFigureAt(f);
    if (figure)
        RelinkMembers(*figure);
    return figure;
}

std::unique_ptr<QvFigGallery> QvGalleryList::CreateFigure(int g, int f) {
    QvFigGallery* stored = GetFigure(g, f);
    if (!stored)
        return nullptr;
    auto copy = std::make_unique<QvFigGallery>();
    if (!copy->CopyGalleryFigure(stored))
        return nullptr;
    // A figure still to be placed, whatever clicks the stored one saw.
    copy->SetClickCount(0);
    RelinkMembers(*copy);
    return copy;
}

std::unique_ptr<QvFigGallery> QvGalleryList::CreateSelectedFigure() {
    return CreateFigure(m_nSelectedGallery, m_nSelectedFigure);
}

void QvGalleryList::Select(int g, int f) {
    if (!IsValidFigure(g, f))
        return;
    m_nSelectedGallery = g;
    m_nSelectedFigure = f;
}

bool QvGalleryList::DeleteSelectedFigure() {
    if (!IsValidFigure(m_nSelectedGallery, m_nSelectedFigure))
        return true;
    bool written = GetGallery(m_nSelectedGallery)->RemoveFigure(m_nSelectedFigure);
    m_nSelectedGallery = -1;
    m_nSelectedFigure = -1;
    return written;
}

bool QvGalleryList::MoveSelectedFigureUp(int g, int f) {
    if (!IsValidFigure(g, f) || f == 0)
        return true;
    bool written = GetGallery(g)->MoveFigureUp(f);
    if (g == m_nSelectedGallery && f == m_nSelectedFigure)
        --m_nSelectedFigure;
    return written;
}

bool QvGalleryList::MoveSelectedFigureDown(int g, int f) {
    if (!IsValidFigure(g, f) || f + 1 >= GetFigureCount(g))
        return true;
    bool written = GetGallery(g)->MoveFigureDown(f);
    if (g == m_nSelectedGallery && f == m_nSelectedFigure)
        ++m_nSelectedFigure;
    return written;
}

QString QvGalleryList::GetSelectedGalleryDescription() {
    return GetGalleryDescription(m_nSelectedGallery);
}

QString QvGalleryList::GetSelectedFigureDescription() {
    if (!IsValidFigure(m_nSelectedGallery, m_nSelectedFigure))
        return QString();
    return GetGallery(m_nSelectedGallery)->GetDescription(m_nSelectedFigure);
}

bool QvGalleryList::SetGalleryDescription(const QString& text, int g) {
    QvGallery* gallery = GetGallery(g);
    if (!gallery)
        return true;
    gallery->SetGalleryDescription(text);
    return gallery->Save();
}

bool QvGalleryList::SetSelectedFigureDescription(const QString& text) {
    if (!IsValidFigure(m_nSelectedGallery, m_nSelectedFigure))
        return true;
    QvGallery* gallery = GetGallery(m_nSelectedGallery);
    gallery->SetDescription(text, m_nSelectedFigure);
    return gallery->Save();
}

bool QvGalleryList::AddFigureToGallery(QvFigGallery* figure, int g) {
    std::unique_ptr<QvFigGallery> owned(figure);
    QvGallery* gallery = GetGallery(g);
    if (!gallery || !owned)
        return false;
    return gallery->AddFigure(owned.release());
}

// -------------------------------------------------------- new and retitled

QString QvGalleryList::FileNameFor(const QString& title) {
    QString name;
    for (QChar c : title) {
        bool unsafe = c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
                      c.unicode() == 0x7F;
        name += unsafe ? QLatin1Char('_') : c;
    }
    name = name.trimmed();
    // A leading dot would hide the file, and ".." would leave the folder.
    for (qsizetype i = 0; i < name.size() && name[i] == QLatin1Char('.'); ++i)
        name[i] = QLatin1Char('_');
    while (name.toUtf8().size() > kMaxNameBytes) {
        name.chop(1);
        if (!name.isEmpty() && name.back().isHighSurrogate())
            name.chop(1);
    }
    if (name.isEmpty())
        name = QStringLiteral("Gallery");
    return name + QLatin1String(kExtension);
}

bool QvGalleryList::GalleryExists(const QString& title) {
    for (int g = 0; g < GetGalleryCount(); ++g)
        if (GetGalleryTitle(g).compare(title, Qt::CaseInsensitive) == 0)
            return true;
    return QFileInfo::exists(m_strFolder + FileNameFor(title));
}

int QvGalleryList::CreateGallery(const QString& title) {
    if (!m_bScanned)
        Scan(m_strFolder);
    if (!QDir().mkpath(m_strFolder))
        return -1;
    // The name is taken by creating the file, so an existing gallery is
    // never written over.
    const QString first = FileNameFor(title);
    const QString stem = first.chopped(int(qstrlen(kExtension)));
    QFile reserved;
    for (int n = 1;; ++n) {
        const QString name =
            n == 1 ? first : QStringLiteral("%1 (%2)%3").arg(stem).arg(n).arg(kExtension);
        reserved.setFileName(m_strFolder + name);
        if (reserved.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!reserved.exists() || n >= 1000)
            return -1;
    }
    reserved.close();

    auto gallery = std::make_unique<QvGallery>();
    gallery->SetPath(reserved.fileName());
    gallery->MarkLoaded();
    if (!gallery->WriteWithTitle(title)) {
        QFile::remove(reserved.fileName());
        return -1;
    }
    m_galleries.push_back(std::move(gallery));
    return int(m_galleries.size()) - 1;
}

bool QvGalleryList::RetitleGallery(int g, const QString& title) {
    QvGallery* gallery = GetGallery(g);
    return gallery ? gallery->WriteWithTitle(title) : false;
}
