#include "diagrams/gallery.h"

#include "figures/copy_map.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_gallery.h"
#include "platform/archive.h"
#include "platform/codepage.h"
#include "platform/file.h"
#include "platform/message_box.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <utility>

namespace {

// A file without the magic, while no reader of older records is installed.
class QvOlderGalleryError : public CArchiveException {
public:
    QvOlderGalleryError() : CArchiveException(badClass, QStringLiteral("older gallery")) {}
};

QvGallery::OlderRecordReader& OlderReader() {
    static QvGallery::OlderRecordReader reader;
    return reader;
}

// Owns the figures of a read in progress, so that a failed read frees
// exactly what it made.
struct FigureBatch {
    std::vector<QvFigGallery*> figures;
    FigureBatch() = default;
    FigureBatch(const FigureBatch&) = delete;
    FigureBatch& operator=(const FigureBatch&) = delete;
    ~FigureBatch() {
        for (QvFigGallery* f : figures)
            delete f;
    }
    std::vector<QvFigGallery*> Release() { return std::exchange(figures, {}); }
};

// Looks at the first bytes without taking them, so that a short or older
// file is told apart before anything is read as a string.
bool StartsWithMagic(QIODevice* device) {
    QByteArray expected(1, char(qstrlen(QvGallery::Magic)));
    expected += QvGallery::Magic;
    return device && device->peek(expected.size()) == expected;
}

// The characters up to the first NUL of the title field.
QString OlderTitle(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\0');
    return FromWindows1252(end < 0 ? bytes : bytes.left(end));
}

// Could the file be replaced by a newer version of itself?  The temporary
// file goes into the same folder.
bool CanReplace(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    file.close();
    return QFileInfo(QFileInfo(path).absolutePath()).isWritable();
}

void Relink(const std::vector<QvFigGallery*>& figures) {
    QvCopyMap map;
    for (QvFigGallery* f : figures)
        f->AddToCopyMap(map);
    for (QvFigGallery* f : figures)
        f->RemapReferences(map);
}

} // namespace

QvGallery::OlderRecordReader QvGallery::SetOlderRecordReader(OlderRecordReader reader) {
    return std::exchange(OlderReader(), std::move(reader));
}

QvGallery::QvGallery() = default;

QvGallery::~QvGallery() {
    DeleteFigures();
}

void QvGallery::DeleteFigures() {
    while (!m_figures.empty()) {
        delete m_figures.back();
        m_figures.pop_back();
    }
    m_descriptions.clear();
}

QString QvGallery::UnreadableMessage(const QString& path) {
    return QStringLiteral("%1\nThis gallery cannot be read.").arg(path);
}

QString QvGallery::OlderFormatMessage(const QString& path) {
    return QStringLiteral("%1\nGalleries in the older format cannot be opened yet.").arg(path);
}

QString QvGallery::OlderFormatLossMessage(const QString& path, const QvLegacyLosses& losses) {
    return QStringLiteral("%1\nThis gallery was saved by an older version, and not all of it "
                          "could be opened:\n%2")
        .arg(path, losses.Describe());
}

QString QvGallery::WriteFailedMessage(const QString& path) {
    return QStringLiteral("The gallery could not be saved to %1.").arg(path);
}

// ------------------------------------------------------------------- file

void QvGallery::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << QString::fromLatin1(Magic) << Version << m_strTitle;
        SerializeObjectList<QvFigGallery>(ar, m_figures);
        ar << m_strDescription;
        ar.WriteCount(DWORD(m_descriptions.size()));
        for (const QString& text : m_descriptions)
            ar << text;
        return;
    }

    if (!StartsWithMagic(ar.GetFile())) {
        LoadOlderForm(ar);
        return;
    }
    QString magic;
    WORD stored = 0;
    ar >> magic >> stored;
    // Version 0 holds nothing more; a later version is read as ours.
    const short version = short(stored);
    QString title;
    QString description;
    QStringList descriptions;
    FigureBatch batch;
    if (version >= 1) {
        ar >> title;
        SerializeObjectList<QvFigGallery>(ar, batch.figures);
        if (std::find(batch.figures.begin(), batch.figures.end(), nullptr) != batch.figures.end())
            throw CArchiveException(CArchiveException::badIndex,
                                    QStringLiteral("an empty entry in the figure list"));
        // As a drawing: nothing referred to that no list holds, nothing
        // far off the page.
        if (ar.HasUnownedObjects())
            throw CArchiveException(
                CArchiveException::badIndex,
                QStringLiteral("a reference to a figure the gallery does not hold"));
        if (!std::all_of(batch.figures.begin(), batch.figures.end(),
                         [](const QvFigure* f) { return f->HasSaneCoordinates(); }))
            throw CArchiveException(CArchiveException::badIndex,
                                    QStringLiteral("a coordinate far outside the page"));
    }
    if (version >= 2) {
        ar >> description;
        DWORD count = ar.ReadCount();
        // Every string takes at least its length byte.
        ar.CheckAvailable(qint64(count));
        for (DWORD i = 0; i < count; ++i) {
            QString text;
            ar >> text;
            descriptions.append(text);
        }
    }
    // One description per figure, whatever the file held.
    const qsizetype figures = qsizetype(batch.figures.size());
    if (descriptions.size() > figures)
        descriptions.resize(figures);
    while (descriptions.size() < figures)
        descriptions.append(QString());

    Relink(batch.figures);
    // An angle mark keeps only figures of its own gallery figure.
    for (QvFigGallery* f : batch.figures)
        QvDropStrayAngleMarks(f->MemberList());
    DeleteFigures();
    m_figures = batch.Release();
    m_descriptions = descriptions;
    m_strTitle = title;
    m_strDescription = description;
}

void QvGallery::LoadOlderForm(CArchive& ar) {
    const OlderRecordReader& reader = OlderReader();
    if (!reader)
        throw QvOlderGalleryError();
    QIODevice* device = ar.GetFile();
    if (!device->seek(0))
        throw CArchiveException(CArchiveException::genericException, device->errorString());
    QByteArray titleBytes(OlderTitleBytes, '\0');
    ar.ReadExact(titleBytes.data(), OlderTitleBytes);
    short count = 0;
    ar >> count;
    // Only containers become gallery figures; anything else is dropped.
    FigureBatch batch;
    QvLegacyLosses losses;
    for (int i = 0; i < count; ++i) {
        QvLegacyLosses lost;
        std::unique_ptr<QvFigure> figure(reader(*device, lost));
        if (auto* gallery = dynamic_cast<QvFigGallery*>(figure.get())) {
            batch.figures.push_back(gallery);
            figure.release();
            // What a dropped record lacked was never going to be shown.
            losses += lost;
        }
    }
    if (!std::all_of(batch.figures.begin(), batch.figures.end(),
                     [](const QvFigure* f) { return f->HasSaneCoordinates(); }))
        throw CArchiveException(CArchiveException::badIndex,
                                QStringLiteral("a coordinate far outside the page"));
    DeleteFigures();
    m_figures = batch.Release();
    for (size_t i = 0; i < m_figures.size(); ++i)
        m_descriptions.append(QString());
    m_strTitle = OlderTitle(titleBytes);
    m_strDescription.clear();
    m_losses = losses;
}

void QvGallery::Load(const QString& path) {
    if (m_bLoaded)
        return;
    if (!path.isEmpty())
        m_strPath = path;
    m_bLoaded = true;
    m_bTitleRead = true;
    if (m_strPath.isEmpty())
        return;
    QString message = UnreadableMessage(m_strPath);
    QFile file(m_strPath);
    if (file.open(QIODevice::ReadOnly)) {
        try {
            CArchive ar(&file, CArchive::load);
            m_losses = QvLegacyLosses();
            Serialize(ar);
            if (!m_losses.IsEmpty())
                AfxMessageBox(OlderFormatLossMessage(m_strPath, m_losses), MB_ICONINFORMATION);
            return;
        } catch (const QvOlderGalleryError&) {
            message = OlderFormatMessage(m_strPath);
        } catch (const std::exception&) {
        }
    }
    // Said once; the gallery then stays empty and is never written over.
    m_bUnreadable = true;
    if (m_strTitle.isEmpty())
        m_strTitle = QFileInfo(m_strPath).completeBaseName();
    AfxMessageBox(message, MB_ICONEXCLAMATION);
}

bool QvGallery::Write() {
    if (m_strPath.isEmpty())
        return false;
    QSaveFile file(m_strPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    try {
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
    } catch (const std::exception&) {
        file.cancelWriting();
        return false;
    }
    return CommitSaveFile(file);
}

bool QvGallery::Save() {
    // What is written is the whole gallery: never a part not yet read.
    Load();
    if (m_bUnreadable)
        return false;
    return Write();
}

bool QvGallery::WriteWithTitle(const QString& title) {
    Load();
    if (m_bUnreadable)
        return false;
    m_strTitle = title;
    if (!Write())
        return false;
    // Written just now, so it can be written again.
    m_bWritable = true;
    return true;
}

void QvGallery::ReadTitle(const QString& path) {
    if (!path.isEmpty())
        m_strPath = path;
    m_strTitle.clear();
    m_bWritable = CanReplace(m_strPath);
    QFile file(m_strPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    try {
        CArchive ar(&file, CArchive::load);
        if (StartsWithMagic(&file)) {
            QString magic;
            WORD version = 0;
            ar >> magic >> version;
            if (short(version) >= 1)
                ar >> m_strTitle;
        } else {
            QByteArray bytes(OlderTitleBytes, '\0');
            ar.ReadExact(bytes.data(), OlderTitleBytes);
            m_strTitle = OlderTitle(bytes);
        }
    } catch (const std::exception&) {
        // Listed under its file name; loading it will say what is wrong.
        m_strTitle = QFileInfo(m_strPath).completeBaseName();
    }
    m_bTitleRead = true;
}

// -------------------------------------------------------------- contents

QString QvGallery::GetTitle() {
    if (!m_bTitleRead)
        ReadTitle();
    return m_strTitle;
}

int QvGallery::GetFigureCount() {
    Load();
    return int(m_figures.size());
}

QvFigGallery* QvGallery::GetFigureAt(int i) {
    Load();
    if (i < 0 || i >= int(m_figures.size()))
        return nullptr;
    return m_figures[size_t(i)];
}

QString QvGallery::GetDescription(int i) {
    Load();
    return m_descriptions.value(i);
}

QString QvGallery::GetGalleryDescription() {
    Load();
    return m_strDescription;
}

void QvGallery::SetDescription(const QString& text, int i) {
    Load();
    if (i >= 0 && i < m_descriptions.size())
        m_descriptions[i] = text;
}

void QvGallery::SetGalleryDescription(const QString& text) {
    Load();
    m_strDescription = text;
}

bool QvGallery::AddFigure(QvFigGallery* figure) {
    Load();
    if (!figure)
        return true;
    // Nothing saved may point outside the figure.
    QvDropStrayAngleMarks(figure->MemberList());
    m_figures.push_back(figure);
    m_descriptions.append(QString());
    return Save();
}

bool QvGallery::RemoveFigure(int i) {
    Load();
    if (i < 0 || i >= int(m_figures.size()))
        return true;
    delete m_figures[size_t(i)];
    m_figures.erase(m_figures.begin() + i);
    m_descriptions.removeAt(i);
    return Save();
}

bool QvGallery::MoveFigureUp(int i) {
    if (i < 1 || i >= int(m_figures.size()))
        return true;
    std::swap(m_figures[size_t(i)], m_figures[size_t(i - 1)]);
    m_descriptions.swapItemsAt(i, i - 1);
    return Save();
}

bool QvGallery::MoveFigureDown(int i) {
    if (i < 0 || i + 1 >= int(m_figures.size()))
        return true;
    std::swap(m_figures[size_t(i)], m_figures[size_t(i + 1)]);
    m_descriptions.swapItemsAt(i, i + 1);
    return Save();
}
