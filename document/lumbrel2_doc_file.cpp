// The drawing file: the magic, the version, the grid and the figure list.
#include "document/lumbrel2_doc.h"

#include "figures/fig_angle_mark.h"
#include "figures/fig_group.h"
#include "figures/figure.h"
#include "platform/archive.h"
#include "platform/message_box.h"
#include "settings/step_tables.h"

#include <QIODevice>

#include <algorithm>
#include <unordered_set>

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

// The same figure twice in the list would be deleted twice: refuse the file.
void RefuseRepeatedFigures(std::vector<QvFigure*>& figures) {
    std::unordered_set<QvFigure*> seen;
    bool repeated = false;
    for (QvFigure* f : figures)
        repeated |= !seen.insert(f).second || !f;
    if (!repeated)
        return;
    for (QvFigure* f : seen)
        delete f;
    figures.clear();
    throw CArchiveException(CArchiveException::badIndex,
                            QStringLiteral("a figure appears twice in the list"));
}

// Every figure of the list and of its groups, at any depth.
void CollectFigures(const std::vector<QvFigure*>& list, std::unordered_set<const QvFigure*>& into) {
    for (QvFigure* f : list) {
        into.insert(f);
        if (auto* group = dynamic_cast<QvFigGroup*>(f))
            CollectFigures(group->Members(), into);
    }
}

// A mark naming a figure that no list of the file holds: the archive gave
// that figure to no one, and the file is no drawing.
void RefuseMarksOutsideTheDrawing(std::vector<QvFigure*>& figures) {
    std::unordered_set<const QvFigure*> drawing;
    CollectFigures(figures, drawing);
    std::vector<QvFigure*> outside;
    for (const QvFigure* f : drawing) {
        const auto* mark = dynamic_cast<const QvFigAngleMark*>(f);
        if (!mark)
            continue;
        for (QvFigure* r : {mark->AngleData()->m_pFirst, mark->AngleData()->m_pSecond})
            if (r && !drawing.count(r) &&
                std::find(outside.begin(), outside.end(), r) == outside.end())
                outside.push_back(r);
    }
    if (outside.empty())
        return;
    // Each figure goes once: not again as the member of a group, and a
    // group, whose members another reference may share, not at all.
    std::unordered_set<const QvFigure*> members;
    for (QvFigure* f : outside)
        if (auto* group = dynamic_cast<QvFigGroup*>(f))
            CollectFigures(group->Members(), members);
    for (QvFigure* f : outside)
        if (!dynamic_cast<QvFigGroup*>(f) && !members.count(f))
            delete f;
    for (QvFigure* f : figures)
        delete f;
    figures.clear();
    throw CArchiveException(CArchiveException::badIndex,
                            QStringLiteral("an angle mark refers to a figure outside the drawing"));
}

} // namespace

void Lumbrel2Doc::Serialize(CArchive& ar) {
    m_nFileVersion = FileVersion;
    if (ar.IsStoring()) {
        ar << QString::fromLatin1(FileMagic);
        ar << WORD(FileVersion);
        qint32 spacing = m_grid.GetSpacing();
        ar.Write(&spacing, sizeof spacing);
        BYTE isometric = m_grid.IsIsometric() ? 1 : 0;
        ar.Write(&isometric, sizeof isometric);
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
        qint32 spacing = 0;
        BYTE isometric = 0;
        ar.ReadExact(&spacing, sizeof spacing);
        ar.ReadExact(&isometric, sizeof isometric);
        // The grid divides by its spacing.
        if (spacing <= 0)
            throw CArchiveException(CArchiveException::badIndex,
                                    QStringLiteral("grid spacing %1").arg(spacing));
        std::vector<QvFigure*> figures;
        SerializeObjectList<QvFigure>(ar, figures);
        RefuseRepeatedFigures(figures);
        RefuseMarksOutsideTheDrawing(figures);
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
