#include "figures/fig_bezier.h"

#include "figures/figure_factory.h"
#include "geometry/arrow_head.h"
#include "geometry/gr_rect.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/settings.h"

#include <algorithm>
#include <utility>

IMPLEMENT_SERIAL(QvEditDataSmoothLine, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigCurveBase, QvFigure, 1)
IMPLEMENT_SERIAL(QvFigBezier, QvFigCurveBase, 1)
IMPLEMENT_SERIAL(QvFigSmoothLine, QvFigCurveBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigSmoothLine::ToolId, "QvFigSmoothLine", &QvMakeFigure<QvFigSmoothLine>},
    {QvFigBezier::ToolId, "QvFigBezier", &QvMakeFigure<QvFigBezier>},
});

namespace {
constexpr int kMarkUnit = 20; // model units per mark size step
// Bounds never grow by more than this, whatever a file says.
constexpr int kMostMargin = 1000000;

CPoint Truncated(const QvPoint& p) {
    CPoint c;
    p.ToCPoint(c);
    return c;
}
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataSmoothLine::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    m_version = 1;
    if (ar.IsStoring()) {
        ar << WORD(m_version) << m_startMark << m_endMark << m_midMark;
        ar << m_startSize << m_endSize << m_midSize << m_midPos << m_spacing << m_closed;
        ar << m_lineType << m_offset;
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) < 1)
        return;
    ar >> m_startMark >> m_endMark >> m_midMark;
    ar >> m_startSize >> m_endSize >> m_midSize >> m_midPos >> m_spacing >> m_closed;
    ar >> m_lineType >> m_offset;
}

QvEditData& QvEditDataSmoothLine::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* curve = dynamic_cast<const QvEditDataSmoothLine*>(&src)) {
        m_startMark = curve->m_startMark;
        m_endMark = curve->m_endMark;
        m_midMark = curve->m_midMark;
        m_startSize = curve->m_startSize;
        m_endSize = curve->m_endSize;
        m_midSize = curve->m_midSize;
        m_midPos = curve->m_midPos;
        m_spacing = curve->m_spacing;
        m_closed = curve->m_closed;
        m_lineType = curve->m_lineType;
        m_offset = curve->m_offset;
    }
    return *this;
}

// -------------------------------------------------------------- curve base

QvFigCurveBase::QvFigCurveBase() {
    m_pShape = &m_curve;
}

void QvFigCurveBase::InitCurve(const QvLineEndDefaults& d, int toolId) {
    m_nToolId = toolId;
    m_pShape = &m_curve;
    auto* record = new QvEditDataSmoothLine;
    record->SetFromCurrentStyle();
    record->m_startMark = d.Start.GetValue();
    record->m_startSize = BYTE(d.StartSize.GetValue());
    record->m_endMark = d.Stop.GetValue();
    record->m_endSize = BYTE(d.StopSize.GetValue());
    record->m_midMark = d.Mid.GetValue();
    record->m_midSize = BYTE(d.MidSize.GetValue());
    record->m_midPos = d.MidPos.GetValue();
    record->m_lineType = d.LineType.GetValue();
    record->m_offset = d.Width.GetValue();
    SetEditData(record);
    m_pCurveData = record;
}

void QvFigCurveBase::EditCurve(bool bezier) {
    if (!PropertiesDialog::Available())
        return;
    QvEditDataSmoothLine edited;
    edited.CopyFrom(*m_pCurveData);
    if (PropertiesDialog::Run(edited, bezier))
        m_pCurveData->CopyFrom(edited);
    BuildFromPoints();
}

void QvFigCurveBase::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigCurveBase::NewEditData() const {
    auto* record = new QvEditDataSmoothLine;
    record->CopyFrom(*GetEditData());
    return record;
}

std::unique_ptr<QvGRBase> QvFigCurveBase::CreateGeometry() const {
    auto curve = std::make_unique<QvGRBezierCurve>();
    *curve = m_curve;
    return curve;
}

CRect QvFigCurveBase::GetBoundRect() {
    CRect r = GetPointsRect();
    r.InflateRect(3, 3);
    const QvEditDataSmoothLine& d = *m_pCurveData;
    int marks = d.m_closed ? 0 : kMarkUnit * std::max({d.m_startSize, d.m_endSize, d.m_midSize});
    int lines = std::max(LineStyleWidth(), int(d.m_offset));
    int margin = std::min(std::max(marks, lines), kMostMargin);
    r.InflateRect(margin, margin);
    return r;
}

bool QvFigCurveBase::HitTest(QvPoint pt, double tolerance) {
    return m_curve.HitTest(pt, tolerance);
}

void QvFigCurveBase::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    if (n < 0 || n >= GetPointCount())
        return;
    m_points[n] = to;
    BuildFromPoints();
}

QvPoint QvFigCurveBase::GetPoint(int) const {
    return QvPoint::Far();
}

void QvFigCurveBase::DrawLines(CDC* dc) {
    const QvEditDataSmoothLine& d = *m_pCurveData;
    if (d.m_lineType == QvEditDataSmoothLine::Single ||
        d.m_lineType == QvEditDataSmoothLine::Triple)
        m_curve.DrawPolyline(*dc);
    if (d.m_lineType == QvEditDataSmoothLine::Double ||
        d.m_lineType == QvEditDataSmoothLine::Triple)
        m_curve.DrawDouble(*dc, std::clamp(int(d.m_offset), -kMostMargin, kMostMargin));
}

void QvFigCurveBase::DrawMark(CDC* dc, QvPoint tip, QvVector along, LONG code, BYTE size) {
    if (code == QvEditDataSmoothLine::NoMark)
        return;
    QvArrowHead().Draw(dc, tip, tip - along, int(code), size * kMarkUnit, FALSE);
}

void QvFigCurveBase::DrawMarks(CDC* dc) {
    const QvEditDataSmoothLine& d = *m_pCurveData;
    if (d.m_closed || m_curve.GetCount() < 2)
        return;
    int oldBkMode = dc->SetBkMode(TRANSPARENT);
    // The ends point out of the curve, away from their control points.
    DrawMark(dc, m_curve.GetThroughPoint(0), m_curve.GetStartDirection(), d.m_startMark,
             d.m_startSize);
    DrawMark(dc, m_curve.GetThroughPoint(m_curve.GetCount() - 1), m_curve.GetEndDirection(),
             d.m_endMark, d.m_endSize);
    if (d.m_midMark != QvEditDataSmoothLine::NoMark) {
        // Along the curve from start to end.
        QvPoint tip = m_curve.PointAtFraction(d.m_midPos);
        DrawMark(dc, tip, m_curve.middleDirection, d.m_midMark, d.m_midSize);
    }
    dc->SetBkMode(oldBkMode);
}

// ------------------------------------------------------------------ Bezier

QvFigBezier::QvFigBezier() {
    InitPoints(4);
    InitCurve(TheSettings().m_BezierDefaults, ToolId);
}

void QvFigBezier::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
}

void QvFigBezier::BuildFromPoints() {
    m_curve.Reset();
    m_curve.SetSegment(m_display[0], m_display[1], m_display[2], m_display[3]);
}

void QvFigBezier::Draw(CDC* dc, int mode) {
    BuildFromPoints();
    DrawLines(dc);
    if (mode == QvDrawMode::Normal)
        DrawMarks(dc);
    else if (mode == QvDrawMode::Dotted)
        DrawArms(dc);
}

void QvFigBezier::DrawArms(CDC* dc) {
    CPen pen(PS_DOT, 1, ArmColour);
    CDCSelect<CPen> usePen(dc, &pen);
    dc->MoveTo(Truncated(m_display[0]));
    dc->LineTo(Truncated(m_display[2]));
    dc->MoveTo(Truncated(m_display[1]));
    dc->LineTo(Truncated(m_display[3]));
}

void QvFigBezier::DrawHandles(CDC* dc) {
    QvFigure::DrawHandles(dc);
    DrawArms(dc);
}

void QvFigBezier::TrackCreatePoint(QvPoint pt, QvKeys) {
    int c = GetClickCount();
    if (c > 3)
        return;
    m_points[c] = pt;
    switch (c) {
    case 0: // all four follow the pointer
        m_points[1] = m_points[2] = m_points[3] = pt;
        break;
    case 1: // the straight chord
        m_points[2] = m_points[1];
        m_points[3] = m_points[0];
        break;
    case 2: // the second control waits at the middle of the chord
        m_points[3] =
            QvPoint((m_points[0].x + m_points[1].x) / 2.0, (m_points[0].y + m_points[1].y) / 2.0);
        break;
    default:
        break;
    }
    // A figure being made is in no frame: its curve, and so its length in
    // the status text, follows the rubber band.
    MapToFrame(NullFrame);
    BuildFromPoints();
}

bool QvFigBezier::CreateClick() {
    SetClickCount(GetClickCount() + 1);
    if (GetClickCount() < 4)
        return false;
    BuildFromPoints();
    SetClickCount(3);
    SetPointCount(4);
    return true;
}

QString QvFigBezier::GetDescription() const {
    return QString::asprintf("Bezier Curve - Approximate Length %.2f", m_curve.GetLength() / 100.0);
}

// ------------------------------------------------------------- smooth line

QvFigSmoothLine::QvFigSmoothLine() {
    InitPoints(ArraySize);
    SetPointCount(0);
    const QvLineEndDefaults& d = TheSettings().m_SmoothlineDefaults;
    InitCurve(d, ToolId);
    m_pCurveData->m_spacing = d.VLen.GetValue();
    m_pCurveData->m_closed = d.Closed.GetValue() ? 1 : 0;
}

void QvFigSmoothLine::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
    SetClickCount(std::max(GetPointCount() - 1, 0));
}

void QvFigSmoothLine::BuildFromPoints() {
    m_curve.Reset();
    // A point on the one before it makes a segment of no length, which has
    // no direction: at the end of a trace (the release keeps the last point
    // once more) the end mark would have nowhere to point.
    for (int i = 0; i < GetPointCount(); ++i) {
        if (i == 0 || !(m_display[i] == m_display[i - 1]))
            m_curve.AddPoint(m_display[i]);
    }
    m_curve.ComputeControlPoints(m_pCurveData->m_closed != 0, Tension);
}

void QvFigSmoothLine::DrawFill(CDC* dc, int mode) {
    CDCSelect<CPen> noPen(dc, NULL_PEN);
    if (mode == QvDrawMode::Normal && m_pCurveData->m_closed) {
        BuildFromPoints();
        m_curve.DrawPolygon(*dc);
    }
}

void QvFigSmoothLine::Draw(CDC* dc, int mode) {
    BuildFromPoints();
    DrawLines(dc);
    if (mode == QvDrawMode::Normal)
        DrawMarks(dc);
}

void QvFigSmoothLine::TrackCreatePoint(QvPoint pt, QvKeys) {
    int c = GetClickCount();
    if (c + 1 >= ArraySize)
        return;
    m_points[c] = pt;
    m_display[c] = pt;
    if (c == 0) {
        m_points[1] = m_display[1] = pt;
        SetClickCount(1);
        m_bCapHeard = false;
    }
    BuildFromPoints();
}

bool QvFigSmoothLine::CreateClick() {
    int c = GetClickCount();
    double distance = c >= 1 ? (m_points[c] - m_points[c - 1]).Length() : 0.0;
    if (c >= 1 && distance >= m_pCurveData->m_spacing) {
        if (c + 2 <= MaxPoints) {
            SetClickCount(c + 1);
        } else if (!m_bCapHeard) {
            // The moving point goes on following the pointer as the end.
            MessageBeep(0);
            m_bCapHeard = true;
        }
    }
    SetPointCount(GetClickCount() + 1);
    return false;
}

QString QvFigSmoothLine::GetDescription() const {
    return QString::asprintf("Multiple Bezier Curve - Approximate Length %.2f",
                             m_curve.GetLength() / 100.0);
}
