#include "diagrams/fig_venn.h"

#include "figures/fig_arc.h"
#include "figures/fig_ellipse.h"
#include "figures/fig_polygon.h"
#include "figures/fig_rectangle.h"
#include "figures/fig_text.h"
#include "figures/figure_factory.h"
#include "geometry/gr_rect.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/message_box.h"
#include "settings/settings.h"

#include <algorithm>
#include <new>
#include <utility>

IMPLEMENT_SERIAL(QvFigVenn2, QvFigGroup, 1)
IMPLEMENT_SERIAL(QvFigVenn3, QvFigGroup, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigVenn2::ToolId, "QvFigVenn2", &QvMakeFigure<QvFigVenn2>},
    {QvFigVenn3::ToolId, "QvFigVenn3", &QvMakeFigure<QvFigVenn3>},
});

namespace {
constexpr LONG kNoLine = ID_LINE_NONE;
constexpr LONG kNoFill = ID_FILL_NONE;
constexpr LONG kSolidFill = ID_FILL_SOLID;
constexpr COLORREF kRegionGrey = RGB(192, 192, 192);

constexpr int kRegion = QvFigRegion::ToolId;
constexpr int kCircle = QvFigEllipse4C::ToolId;
constexpr int kRect = QvFigRectangle::ToolId;
constexpr int kArc = QvFigArc4P::ToolId;
constexpr int kLabel = QvFigText::ToolId;
constexpr int L = QvEditDataText::Left, M = QvEditDataText::Centre, R = QvEditDataText::Right;

constexpr QvVennMember Region(int outline, int shade) {
    return {kRegion, outline, 0, 0, 0, 0, 0, 0, 0, 0, 0, shade, -1};
}
constexpr QvVennMember Shape(int tool, int x0, int y0, int x1, int y1, int text = -1) {
    return {tool, -1, x0, y0, x1, y1, 0, 0, 0, 0, 0, -1, text};
}
constexpr QvVennMember Arc(int x0, int y0, int x1, int y1, int x4, int y4, int x5, int y5,
                           int text) {
    return {kArc, -1, x0, y0, x1, y1, x4, y4, x5, y5, 0, -1, text};
}
constexpr QvVennMember Label(int x0, int y0, int x1, int y1, int justify, int text) {
    return {kLabel, -1, x0, y0, x1, y1, 0, 0, 0, 0, justify, -1, text};
}

// The name lunes' arcs are the parts of small circles (radius 125) inside
// the sets' circles; their ends point where the small circles cross them.
constexpr QvVennMember kVenn2Layout[] = {
    Region(0, 0), // A only
    Region(2, 2), // A and B
    Region(1, 1), // B only
    Region(4, 3), // outside, larger-y part
    Region(3, 3), // outside, smaller-y part
    Shape(kCircle, 100, 250, 600, 750),
    Shape(kCircle, 400, 250, 900, 750),
    Shape(kRect, 0, 150, 1000, 850),                // universe
    Arc(-50, 375, 200, 625, 145, 650, 127, 386, 5), // A's name lune
    Arc(1050, 375, 800, 625, 873, 386, 855, 650, 6),
    Shape(kRect, 850, 150, 1000, 220, 4), // universe label box
    Label(110, 475, 200, 525, L, 5),      // name of A
    Label(800, 475, 890, 525, R, 6),      // name of B
    Label(300, 475, 390, 525, M, 1),      // A only
    Label(610, 475, 700, 525, M, 2),      // B only
    Label(450, 475, 550, 525, M, 0),      // A and B
    Label(900, 750, 990, 800, M, 3),      // outside
    Label(880, 160, 970, 210, M, 4),      // universe
};
static_assert(std::size(kVenn2Layout) == QvFigVenn2::MemberCount);

// Besides the name lunes, each region of exactly two sets has a tip lune
// at its outer end for a second text.
constexpr QvVennMember kVenn3Layout[] = {
    Region(0, 0), // A only
    Region(1, 1), // B only
    Region(2, 2), // C only
    Region(3, 3), // A and B only
    Region(4, 5), // B and C only
    Region(5, 4), // A and C only
    Region(6, 6), // all three
    Region(7, 7), // outside, smaller-y part
    Region(8, 7), // outside, larger-y part
    Shape(kCircle, 100, 120, 600, 620),
    Shape(kCircle, 400, 120, 900, 620),
    Shape(kCircle, 250, 380, 750, 880),
    Shape(kRect, 0, 0, 1000, 1000),
    Arc(30, 76, 280, 326, 106, 316, 260, 137, 12),  // A's name lune
    Arc(720, 76, 970, 326, 740, 137, 894, 316, 13), // B's
    Arc(375, 780, 625, 1030, 612, 851, 386, 853, 14),
    Arc(380, 30, 620, 270, 430, 250, 570, 250, 3),  // tip lune of A and B
    Arc(117, 486, 357, 726, 353, 616, 289, 495, 4), // of A and C
    Arc(883, 486, 643, 726, 711, 495, 645, 620, 5), // of B and C
    Shape(kRect, 850, 0, 1000, 70, 11),
    Label(170, 215, 260, 265, L, 12), // names of A, B and C
    Label(740, 215, 830, 265, R, 13),
    Label(455, 820, 545, 870, M, 14),
    Label(260, 345, 350, 395, M, 6), // A, B and C only
    Label(650, 345, 740, 395, M, 7),
    Label(455, 625, 545, 675, M, 8),
    Label(455, 190, 545, 260, M, 3), // tip lunes
    Label(250, 545, 340, 595, M, 4),
    Label(660, 545, 750, 595, M, 5),
    Label(455, 295, 545, 345, M, 0), // two sets only
    Label(350, 495, 440, 545, M, 1),
    Label(560, 495, 650, 545, M, 2),
    Label(455, 445, 545, 495, M, 10), // all three
    Label(900, 895, 990, 945, M, 9),  // outside
    Label(900, 10, 990, 60, M, 11),   // universe
};
static_assert(std::size(kVenn3Layout) == QvFigVenn3::MemberCount);

template <class Record, class Dialog> void RunDialog(Dialog& dialog, Record& record) {
    if (!dialog) {
        MessageBeep(0);
        return;
    }
    Record edited;
    edited.CopyFrom(record);
    if (dialog(edited))
        record.CopyFrom(edited);
}

QvFigVenn2::PropertiesDialog& Venn2Dialog() {
    static QvFigVenn2::PropertiesDialog s_dialog;
    return s_dialog;
}

QvFigVenn3::PropertiesDialog& Venn3Dialog() {
    static QvFigVenn3::PropertiesDialog s_dialog;
    return s_dialog;
}
} // namespace

// ------------------------------------------------------------------- shared

QvFigVenn::QvFigVenn(int toolId, std::span<const QvVennMember> layout) : m_layout(layout) {
    m_nToolId = toolId;
}

void QvFigVenn::Build(QvEditData* record, const BYTE* shades, const QString* texts,
                      const QvLogFont* font, int (*outline)(int, CPoint*)) {
    SetEditData(record);
    m_shades = shades;
    m_texts = texts;
    m_font = font;
    for (const QvVennMember& m : m_layout)
        Members().push_back(MakeMember(m, outline).release());
    BuildFromPoints();
}

std::unique_ptr<QvFigure> QvFigVenn::MakeMember(const QvVennMember& m,
                                                int (*outline)(int, CPoint*)) const {
    std::unique_ptr<QvFigure> made = CreateForTool(m.toolId);
    if (!made)
        throw std::bad_alloc();
    QvFigure* f = made.get();
    QvEditData* record = f->GetEditData();
    if (m.region >= 0) {
        // Entered point by point, as the mouse enters a region.
        CPoint points[MaxVennOutline];
        const int n = outline(m.region, points);
        for (int i = 0; i < n; ++i) {
            f->TrackCreatePoint(QvPoint(points[i].x, points[i].y), QvKeys());
            f->CreateClick();
        }
        f->SetGroupNesting(1);
        if (record->m_fillStyle == kNoFill)
            record->m_fillStyle = kSolidFill;
        if (record->m_fillColor == 0)
            record->m_fillColor = kRegionGrey;
        record->m_lineStyle = kNoLine;
        return made;
    }
    QvPointArray& p = f->DefiningPoints();
    p[0] = QvPoint(m.x0, m.y0);
    p[1] = QvPoint(m.x1, m.y0);
    p[2] = QvPoint(m.x1, m.y1);
    p[3] = QvPoint(m.x0, m.y1);
    if (m.toolId == kArc) {
        p[4] = QvPoint(m.x4, m.y4);
        p[5] = QvPoint(m.x5, m.y5);
    }
    f->SetGroupNesting(1);
    if (auto* label = dynamic_cast<QvFigText*>(f)) {
        label->TextData()->m_nJustify = m.justify;
        label->SetText(QString());
    }
    record->m_fillStyle = kNoFill;
    return made;
}

bool QvFigVenn::IsMemberShown(int index) const {
    if (index < 0 || index >= LayoutSize())
        return false;
    const QvVennMember& m = m_layout[size_t(index)];
    if (m.shade >= 0)
        return m_shades[m.shade] != 0;
    if (m.text >= 0)
        return !m_texts[m.text].isEmpty();
    return true;
}

QString QvFigVenn::MemberText(int index) const {
    if (index < 0 || index >= LayoutSize() || m_layout[size_t(index)].toolId != kLabel)
        return QString();
    return m_texts[m_layout[size_t(index)].text];
}

void QvFigVenn::Draw(CDC* dc, int mode) {
    if (mode == QvDrawMode::Highlight || mode == QvDrawMode::White2)
        return;
    const QvGRRect frame = DisplayFrame();
    const int n = std::min(LayoutSize(), int(Members().size()));
    for (int i = 0; i < n; ++i)
        if (Members()[size_t(i)] && IsMemberShown(i))
            DrawMember(dc, mode, frame, i);
}

void QvFigVenn::DrawMember(CDC* dc, int mode, const QvGRRect& frame, int index) {
    QvFigure* f = Members()[size_t(index)];
    QvEditData* record = f->GetEditData();
    const LONG line = record->m_lineStyle, fill = record->m_fillStyle;
    if (m_layout[size_t(index)].region >= 0) {
        record->m_lineStyle = kNoLine;
        if (fill == kNoFill)
            record->m_fillStyle = kSolidFill;
    } else {
        record->m_fillStyle = kNoFill;
    }
    auto* label = m_layout[size_t(index)].toolId == kLabel ? dynamic_cast<QvFigText*>(f) : nullptr;
    QString text;
    QvLogFont font;
    if (label) {
        text = std::exchange(label->TextData()->m_strText, MemberText(index));
        font = std::exchange(label->TextData()->m_font, *m_font);
    }
    f->DrawMapped(dc, mode, frame, CRect(0, 0, 0, 0));
    // The member keeps its own styles, text and font.
    record->m_lineStyle = line;
    record->m_fillStyle = fill;
    if (label) {
        label->TextData()->m_strText = text;
        label->TextData()->m_font = font;
    }
}

std::vector<std::unique_ptr<QvFigure>> QvFigVenn::TakeMembers() {
    std::vector<std::unique_ptr<QvFigure>> taken;
    for (QvFigure* f : Members())
        taken.emplace_back(f);
    Members().clear();
    return taken;
}

void QvFigVenn::KeepLayout(std::vector<std::unique_ptr<QvFigure>>& built, CArchive* ar) {
    std::vector<std::unique_ptr<QvFigure>> stored = TakeMembers();
    for (size_t i = 0; i < built.size(); ++i) {
        const bool fits = i < stored.size() && stored[i] &&
                          stored[i]->GetRuntimeClass() == built[i]->GetRuntimeClass();
        Members().push_back(fits ? stored[i].release() : built[i].release());
    }
    // A member read but not kept may still be named by what the read has
    // yet to reach: the archive holds it until the read is over.
    if (ar)
        for (std::unique_ptr<QvFigure>& f : stored)
            if (f)
                ar->DropObject(std::move(f));
}

void QvFigVenn::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        QvFigGroup::Serialize(ar);
        return;
    }
    std::vector<std::unique_ptr<QvFigure>> built = TakeMembers();
    QvFigGroup::Serialize(ar);
    KeepLayout(built, &ar);
    MapToFrame(NullFrame);
}

QvFigure* QvFigVenn::CopyFrom(const QvFigure* src) {
    std::vector<std::unique_ptr<QvFigure>> built = TakeMembers();
    QvFigure* copied = QvFigGroup::CopyFrom(src);
    KeepLayout(built);
    return copied ? this : nullptr;
}

void QvFigVenn::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

void QvFigVenn::TrackCreatePoint(QvPoint pt, QvKeys keys) {
    QvFigGroup::TrackCreatePoint(pt, keys);
    // The members follow the frame as it is dragged out.
    MapToFrame(NullFrame);
    BuildFromPoints();
}

// ------------------------------------------------------------------ two sets

QvFigVenn2::PropertiesDialog QvFigVenn2::SetPropertiesDialog(PropertiesDialog dialog) {
    return std::exchange(Venn2Dialog(), std::move(dialog));
}

QvFigVenn2::QvFigVenn2() : QvFigVenn(ToolId, kVenn2Layout) {
    m_pVennData = new QvEditDataVenn2;
    m_pVennData->SetFromCurrentStyle();
    m_pVennData->m_font = TheSettings().m_VennFont.GetValue();
    Build(m_pVennData, m_pVennData->m_shade, m_pVennData->m_text, &m_pVennData->m_font,
          Venn2RegionOutline);
}

QvEditData* QvFigVenn2::NewEditData() const {
    auto* record = new QvEditDataVenn2;
    record->CopyFrom(*m_pVennData);
    return record;
}

void QvFigVenn2::EditProperties(CPoint, CPoint) {
    RunDialog(Venn2Dialog(), *m_pVennData);
}

QString QvFigVenn2::GetDescription() const {
    return QStringLiteral("Two Circle Venn Diagram");
}

// ---------------------------------------------------------------- three sets

QvFigVenn3::PropertiesDialog QvFigVenn3::SetPropertiesDialog(PropertiesDialog dialog) {
    return std::exchange(Venn3Dialog(), std::move(dialog));
}

QvFigVenn3::QvFigVenn3() : QvFigVenn(ToolId, kVenn3Layout) {
    m_pVennData = new QvEditDataVenn3;
    m_pVennData->SetFromCurrentStyle();
    m_pVennData->m_font = TheSettings().m_VennFont.GetValue();
    Build(m_pVennData, m_pVennData->m_shade, m_pVennData->m_text, &m_pVennData->m_font,
          Venn3RegionOutline);
}

QvEditData* QvFigVenn3::NewEditData() const {
    auto* record = new QvEditDataVenn3;
    record->CopyFrom(*m_pVennData);
    return record;
}

void QvFigVenn3::EditProperties(CPoint, CPoint) {
    RunDialog(Venn3Dialog(), *m_pVennData);
}

QString QvFigVenn3::GetDescription() const {
    return QStringLiteral("Three Circle Venn Diagram");
}
