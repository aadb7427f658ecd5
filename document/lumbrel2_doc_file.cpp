// The drawing file: the magic, the version, the grid and the figure list.
#include "document/lumbrel2_doc.h"

#include "figures/fig_angle_mark.h"
#include "figures/fig_group.h"
#include "platform/archive.h"
#include "platform/message_box.h"
#include "settings/step_tables.h"

#include <QIODevice>

#include <algorithm>
#include <cmath>

namespace {

// A file that does not begin with the magic.  Such files are older
// drawings, which this version cannot read yet.
class QvOlderFormatError : public CArchiveException {
public:
    QvOlderFormatError() : CArchiveException(badIndex, QStringLiteral("no drawing file magic")) {}
};

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

    if (!StartsWithMagic(ar))
        throw QvOlderFormatError();
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

QString Lumbrel2Doc::OlderFormatMessage(const QString& path) {
    return QStringLiteral("%1\nThis is not a Lumbrel V2 drawing. Drawings in the older format "
                          "cannot be opened yet.")
        .arg(path);
}

void Lumbrel2Doc::ReportSaveLoadException(const QString& path, const std::exception* e,
                                          BOOL saving) {
    if (!saving && dynamic_cast<const QvOlderFormatError*>(e)) {
        AfxMessageBox(OlderFormatMessage(path), MB_ICONEXCLAMATION);
        return;
    }
    CDocument::ReportSaveLoadException(path, e, saving);
}
