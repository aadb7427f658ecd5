#include "figures/fig_line.h"

#include "figures/figure_factory.h"
#include "geometry/arrow_head.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/font_select.h"

#include <cmath>
#include <cstdlib>
#include <utility>

IMPLEMENT_SERIAL(QvEditDataLine, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigLineBase, QvFigure, 1)
IMPLEMENT_SERIAL(QvFigLine, QvFigLineBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigLine::ToolId, "QvFigLine", &QvMakeFigure<QvFigLine>},
    {QvFigLine::ArrowToolId, "QvFigLine", &QvMakeFigure<QvFigLine>,
     [](QvFigure* f, int&) { static_cast<QvFigLine*>(f)->ApplyArrowDefaults(); }},
});

namespace {
enum : WORD { HasStart = 1, HasEnd = 2, HasMid = 4, HasLabel = 8 };
constexpr int kArrowUnit = 20; // model units per arrowhead size step
constexpr double kTenthsPerRadian = 572.96;
constexpr double kLabelGap = 2.0;

// A mark or label further than this many line lengths from the start is no
// drawing's: it would overflow the integer drawing coordinates.
constexpr double kFarPosition = 50.0;

void CheckPosition(double position) {
    if (!(std::fabs(position) <= kFarPosition)) // NaN too
        throw CArchiveException(CArchiveException::badIndex,
                                QStringLiteral("a line mark at %1 lengths").arg(position));
}

LONG Trunc(double v) {
    return LONG(v);
}

CRect PointsRect(const QvPoint& a, const QvPoint& b) {
    return CRect(Trunc(std::min(a.x, b.x)), Trunc(std::min(a.y, b.y)), Trunc(std::max(a.x, b.x)),
                 Trunc(std::max(a.y, b.y)));
}
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataLine::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    m_version = 1;
    if (ar.IsStoring()) {
        WORD flags = 0;
        if (m_startArrow != NoArrowHead)
            flags |= HasStart;
        if (m_endArrow != NoArrowHead)
            flags |= HasEnd;
        if (m_midArrow != NoArrowHead)
            flags |= HasMid;
        if (!m_label.isEmpty())
            flags |= HasLabel;
        ar << m_version << flags;
        if (flags & HasStart)
            ar << m_startArrow << m_startSize;
        if (flags & HasEnd)
            ar << m_endArrow << m_endSize;
        if (flags & HasMid)
            ar << m_midArrow << m_midSize << m_midPos;
        if (flags & HasLabel) {
            ar << m_labelPos << m_label;
            m_font.Serialize(ar);
            ar << m_labelSide << m_labelKind;
        }
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) < 1)
        return;
    WORD flags = 0;
    ar >> flags;
    if (flags & HasStart)
        ar >> m_startArrow >> m_startSize;
    if (flags & HasEnd)
        ar >> m_endArrow >> m_endSize;
    if (flags & HasMid) {
        ar >> m_midArrow >> m_midSize >> m_midPos;
        CheckPosition(m_midPos);
    }
    if (flags & HasLabel) {
        ar >> m_labelPos >> m_label;
        CheckPosition(m_labelPos);
        m_font.Serialize(ar);
        ar >> m_labelSide >> m_labelKind;
    }
}

QvEditData& QvEditDataLine::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* line = dynamic_cast<const QvEditDataLine*>(&src)) {
        m_startArrow = line->m_startArrow;
        m_endArrow = line->m_endArrow;
        m_midArrow = line->m_midArrow;
        m_startSize = line->m_startSize;
        m_endSize = line->m_endSize;
        m_midSize = line->m_midSize;
        m_midPos = line->m_midPos;
        m_labelPos = line->m_labelPos;
        m_label = line->m_label;
        m_font.Assign(line->m_font);
        m_labelSide = line->m_labelSide;
        m_labelKind = line->m_labelKind;
    }
    return *this;
}

// -------------------------------------------------------------- line base

QvFigLineBase::QvFigLineBase() {
    InitPoints(2);
    m_pShape = &m_line;
}

std::unique_ptr<QvGRBase> QvFigLineBase::CreateGeometry() const {
    auto line = std::make_unique<QvGRLine>();
    *line = m_line;
    return line;
}

CRect QvFigLineBase::GetBoundRect() {
    return PointsRect(m_display[0], m_display[1]);
}

bool QvFigLineBase::HitTest(QvPoint pt, double tolerance) {
    return m_line.HitTest(pt, tolerance);
}

void QvFigLineBase::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    if (n < 0 || n >= m_points.GetSize())
        return;
    m_points[n] = to;
    BuildFromPoints();
}

void QvFigLineBase::TrackCreatePoint(QvPoint pt, QvKeys) {
    int k = GetClickCount();
    if (k >= m_points.GetSize())
        return;
    m_points[k] = pt;
    m_display[k] = pt;
    if (k == 0)
        m_points[1] = pt;
    BuildFromPoints();
}

bool QvFigLineBase::CreateClick() {
    SetClickCount(GetClickCount() + 1);
    if (GetClickCount() >= 2) {
        BuildFromPoints();
        return true;
    }
    return false;
}

// ------------------------------------------------------------------- line

QvFigLine::QvFigLine() {
    InitPoints(2);
    m_nToolId = ToolId;
    m_pShape = &m_line;
    auto* record = new QvEditDataLine;
    record->SetFromCurrentStyle();
    const QvLineDefaults& d = TheSettings().m_LineDefaults;
    record->m_startArrow = record->m_endArrow = record->m_midArrow = QvEditDataLine::NoArrowHead;
    record->m_startSize = BYTE(d.StartSize.GetValue());
    record->m_endSize = BYTE(d.StopSize.GetValue());
    record->m_midSize = BYTE(d.MidSize.GetValue());
    record->m_midPos = d.MidPos.GetValue();
    record->m_labelPos = d.InfoPos.GetValue();
    record->m_label.clear();
    record->m_font.Assign(d.Font.GetValue());
    record->m_labelSide = d.VPos.GetValue();
    record->m_labelKind = d.InfoType.GetValue();
    SetEditData(record);
    m_pLineData = record;
}

void QvFigLine::ApplyArrowDefaults() {
    const QvLineDefaults& d = TheSettings().m_LineDefaults;
    m_pLineData->m_startArrow = d.Start.GetValue();
    m_pLineData->m_endArrow = d.Stop.GetValue();
    m_pLineData->m_midArrow = d.Mid.GetValue();
    m_pLineData->m_label = d.Info.GetValue();
}

void QvFigLine::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
}

void QvFigLine::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigLine::NewEditData() const {
    auto* record = new QvEditDataLine;
    record->CopyFrom(*m_pLineData);
    return record;
}

void QvFigLine::EditProperties(CPoint, CPoint) {
    if (!PropertiesDialog::Available())
        return;
    QvEditDataLine edited;
    edited.CopyFrom(*m_pLineData);
    if (PropertiesDialog::Run(edited))
        m_pLineData->CopyFrom(edited);
}

void QvFigLine::BuildFromPoints() {
    m_line.p1 = m_display[0];
    m_line.p2 = m_display[1];
}

QvPoint QvFigLine::GetPoint(int n) const {
    return QvFigure::GetPoint(1 - n);
}

CRect QvFigLine::GetBoundRect() {
    CRect r = PointsRect(m_points[0], m_points[1]);
    const QvEditDataLine& d = *m_pLineData;
    int m = std::max({d.m_startSize * kArrowUnit, d.m_endSize * kArrowUnit,
                      d.m_midSize * kArrowUnit, int(std::abs(d.m_font.m_logFont.lfHeight)) + 5});
    m = std::max(m, LineStyleWidth());
    r.InflateRect(m, m);
    return r;
}

QString QvFigLine::GetDescription() const {
    QvVector v = m_display[1] - m_display[0];
    double angle = std::acos(v.CosAngle(QvVector(1.0, 0.0))) * QV_DEGREES_PER_RADIAN;
    return QString::asprintf("Line - Length = %.2f Angle = %.2f", v.Length() / 100.0, angle);
}

int QvFigLine::LabelAngle(QvPoint p0, QvPoint p1, bool* turned) {
    int angle;
    if (p1.x == p0.x)
        angle = p1.y < p0.y ? 900 : 2700;
    else
        angle = int(std::floor(std::atan2(-(p1.y - p0.y), p1.x - p0.x) * kTenthsPerRadian + 0.5));
    bool wrap = false;
    if (angle < -900) {
        angle += 1800;
        wrap = true;
    } else if (angle > 900) {
        angle -= 1800;
        wrap = true;
    }
    if (turned)
        *turned = wrap;
    return angle;
}

void QvFigLine::Draw(CDC* dc, int mode) {
    BuildFromPoints();
    const QvPoint& p0 = m_display[0];
    const QvPoint& p1 = m_display[1];
    dc->MoveTo(Trunc(p0.x), Trunc(p0.y));
    dc->LineTo(Trunc(p1.x), Trunc(p1.y));
    if (mode != QvDrawMode::Normal)
        return;
    int oldBkMode = dc->SetBkMode(TRANSPARENT);
    const QvEditDataLine& d = *m_pLineData;
    QvArrowHead head;
    if (d.m_startArrow != QvEditDataLine::NoArrowHead)
        head.Draw(dc, p0, p1, d.m_startArrow, d.m_startSize * kArrowUnit, FALSE);
    if (d.m_endArrow != QvEditDataLine::NoArrowHead)
        head.Draw(dc, p1, p0, d.m_endArrow, d.m_endSize * kArrowUnit, FALSE);
    if (d.m_midArrow != QvEditDataLine::NoArrowHead) {
        QvPoint m = p0 + (p1 - p0) * d.m_midPos;
        // Centred on its point, so it marks the place rather than ends there.
        head.Draw(dc, m, p0, d.m_midArrow, d.m_midSize * kArrowUnit, TRUE);
    }
    if (!d.m_label.isEmpty())
        DrawLabel(dc);
    dc->SetBkMode(oldBkMode);
}

void QvFigLine::DrawLabel(CDC* dc) {
    QvEditDataLine& d = *m_pLineData;
    if (d.m_labelKind < QvEditDataLine::PlainText || d.m_labelKind > QvEditDataLine::ChemEquation)
        return;
    const QvPoint& p0 = m_display[0];
    const QvPoint& p1 = m_display[1];
    bool plain = d.m_labelKind == QvEditDataLine::PlainText;
    // Typeset labels stay level.
    int angle = plain ? LabelAngle(p0, p1, nullptr) : 0;
    d.m_font.m_logFont.lfEscapement = angle;
    d.m_font.m_logFont.lfOrientation = angle;

    QvPoint anchor = p0 + (p1 - p0) * d.m_labelPos;
    const QString text = d.m_labelKind == QvEditDataLine::ChemEquation
                             ? QString::fromLatin1(ChemEquationText)
                             : d.m_label;
    QvEquation equation;
    QvFontSelect font;
    // How wide the text is: a level label on a slanted line has to stand
    // off further for its corner to clear the line.
    double width = 0.0;
    if (d.m_labelKind == QvEditDataLine::Equation) {
        equation.SetText(text, &TheEquationOptions());
        width = std::abs(equation.Measure(dc, &TheEquationOptions(), &d.m_font).width);
    } else {
        font.SetFont(d.m_font);
        font.Select(dc);
        if (!plain)
            width = std::abs(dc->GetTextExtent(text).cx);
    }
    QvPoint at = anchor + LabelOffset(dc, plain, width);
    int x = Trunc(at.x), y = Trunc(at.y);

    UINT oldAlign = dc->SetTextAlign(UINT(d.m_labelSide) | TA_CENTER);
    if (d.m_labelKind == QvEditDataLine::Equation) {
        equation.Draw(dc, x, y, &TheEquationOptions(), &d.m_font);
    } else {
        dc->TextOut(x, y, text);
        font.Restore(dc);
    }
    dc->SetTextAlign(oldAlign);
}

QvVector QvFigLine::LabelOffset(CDC* dc, bool plain, double width) const {
    const QvEditDataLine& d = *m_pLineData;
    // The way a plain label reads (along the line, turned so that it never
    // reads upside down), and across it the side where its top is: above
    // the line, whichever way y runs.  A level label takes the same side.
    bool turned = false;
    LabelAngle(m_display[0], m_display[1], &turned);
    QvVector reading = m_display[1] - m_display[0];
    const double length = reading.Length();
    // A line of no length has no across: the label sits on its point.
    if (!(length > 0.0))
        return QvVector();
    reading = reading * ((turned ? -1.0 : 1.0) / length);
    CPoint probe[2] = {CPoint(0, 0), CPoint(0, 1000)};
    dc->LPtoDP(probe, 2);
    const bool yUp = probe[1].y < probe[0].y;
    QvVector across = yUp ? QvVector(-reading.y, reading.x) : QvVector(reading.y, -reading.x);
    if (d.m_labelSide != QvEditDataLine::SideAbove)
        across = across.Negate();
    // Clear of the line by half its pen and an eighth of the text's
    // height; text that stays level also by half its width times the
    // slope, so that its near corner clears the line too.
    const double height = std::abs(
        double(dc->GetMapMode() == MM_TEXT ? d.m_font.m_logFont.lfHeight : d.m_font.m_drawHeight));
    const double gap = std::max(0, LineStyleWidth()) / 2.0 + std::max(kLabelGap, height / 8.0);
    const double level = plain ? 0.0 : width / 2.0 * std::fabs(across.x);
    return across * (gap + level);
}
