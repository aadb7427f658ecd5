// The drawing file: the magic, the version, the grid and the figure list.
#include "document/lumbrel2_doc.h"

#include "document/legacy_reader.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_group.h"
#include "platform/archive.h"
#include "platform/message_box.h"

#include <QIODevice>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Looks at the first bytes without taking them, so that a short or odd
// file is told apart before anything is read as a string.
bool StartsWithMagic(CArchive& ar) {
    QByteArray expected(1, char(qstrlen(Lumbrel2Doc::FileMagic)));
    expected += Lumbrel2Doc::FileMagic;
    QIODevice* device = ar.GetFile();
    return device && device->peek(expected.size()) == expected;
}

} // namespace

void Lumbrel2Doc::Serialize(CArchive& ar) {
    m_nFileVersion = FileVersion;
    if (ar.IsStoring()) {
        ar << QString::fromLatin1(FileMagic);
        ar << WORD(FileVersion);
        ar << LONG(m_grid.GetSpacing());
        ar << BYTE(m_grid.IsIsometric() ? 1 : 0);
        SerializeObjectList<QvFigure>(ar, m_figures);
        return;
    }

    if (!StartsWithMagic(ar)) {
        ReadOlderDrawing(ar);
    } else {
        QString magic;
        ar >> magic;
        WORD stored = 0;
        ar >> stored;
        // Version 0 carries nothing more; a later version is read as ours.
        if (short(stored) >= 1) {
            LONG spacing = 0;
            BYTE isometric = 0;
            ar >> spacing >> isometric;
            // The grid divides by its spacing.
            if (spacing <= 0)
                throw CArchiveException(CArchiveException::badIndex,
                                        QStringLiteral("grid spacing %1").arg(spacing));
            std::vector<QvFigure*> figures;
            SerializeObjectList<QvFigure>(ar, figures);
            QString problem;
            // A figure that another refers to but no list holds is no drawing's.
            if (ar.HasUnownedObjects())
                problem = QStringLiteral("a reference to a figure the drawing does not hold");
            else if (!std::all_of(figures.begin(), figures.end(),
                                  [](const QvFigure* f) { return f->HasSaneCoordinates(); }))
                problem = QStringLiteral("a coordinate far outside the page");
            if (!problem.isEmpty()) {
                for (QvFigure* f : figures)
                    delete f;
                throw CArchiveException(CArchiveException::badIndex, problem);
            }
            // A mark refers to two figures of its own list, or it goes.
            QvDropStrayAngleMarks(figures);
            m_grid.SetSpacing(spacing);
            m_grid.SetIsometric(isometric != 0);
            m_figures.insert(m_figures.end(), figures.begin(), figures.end());
        }
    }

    // Each figure's copy link was read as the figure itself, so these pairs
    // let references to other figures find the loaded ones.
    m_copyMap.Clear();
    for (QvFigure* f : m_figures)
        f->AddToCopyMap(m_copyMap);
    for (QvFigure* f : m_figures)
        f->RemapReferences(m_copyMap);
    // The rebuild maps every figure through the default frame and builds it.
    RebuildPointCaches();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

BOOL Lumbrel2Doc::OnOpenDocument(const QString& path) {
    m_legacyLosses = QvLegacyLosses();
    if (!CDocument::OnOpenDocument(path))
        return FALSE;
    if (!m_legacyLosses.IsEmpty())
        AfxMessageBox(OlderFormatLossMessage(path, m_legacyLosses), MB_ICONINFORMATION);
    return TRUE;
}

QString Lumbrel2Doc::OlderFormatLossMessage(const QString& path, const QvLegacyLosses& losses) {
    return QStringLiteral("%1\nThis drawing was saved by an older version, and not all of it "
                          "could be opened:\n%2")
        .arg(path, losses.Describe());
}

// The older file: four bytes nobody reads, a 16-bit record count and the
// records.  The drawing gets every figure or none.
void Lumbrel2Doc::ReadOlderDrawing(CArchive& ar) {
    QIODevice* device = ar.GetFile();
    if (!device || !device->seek(0))
        throw CArchiveException(CArchiveException::genericException,
                                device ? device->errorString() : QString());
    BYTE head[6];
    ar.ReadExact(head, sizeof head);
    const int count = short(head[4] | (head[5] << 8));
    if (count < 0)
        throw CArchiveException(CArchiveException::badIndex,
                                QStringLiteral("%1 figures").arg(count));
    QvLegacyReader reader;
    std::vector<std::unique_ptr<QvFigure>> figures;
    for (int i = 0; i < count; ++i) {
        if (std::unique_ptr<QvFigure> f = reader.ReadFigure(*device, true, false))
            figures.push_back(std::move(f));
    }
    // Bytes past the last record: this was no drawing of the older format
    // (a file of zero bytes reads as one that holds no figure).
    if (!device->atEnd())
        throw CArchiveException(CArchiveException::badIndex,
                                QStringLiteral("bytes after the last figure"));
    if (!std::all_of(figures.begin(), figures.end(),
                     [](const auto& f) { return f->HasSaneCoordinates(); }))
        throw CArchiveException(CArchiveException::badIndex,
                                QStringLiteral("a coordinate far outside the page"));
    m_figures.reserve(m_figures.size() + figures.size());
    for (std::unique_ptr<QvFigure>& f : figures)
        m_figures.push_back(f.release());
    m_legacyLosses = reader.Losses();
}
