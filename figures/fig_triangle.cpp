#include "figures/fig_triangle.h"

#include "figures/figure_factory.h"
#include "figures/shape_record.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"

#include <algorithm>
#include <utility>

IMPLEMENT_SERIAL(QvEditDataTriangle, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigTriangle, QvFigure, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigTriangle::ToolId, "QvFigTriangle", &QvMakeFigure<QvFigTriangle>},
});

using namespace QvTri;

namespace {
constexpr double kModelPerMillimetre = 100.0;

CRect UnitRect(const QvPoint& p) {
    CPoint c;
    p.ToCPoint(c);
    return CRect(c.x, c.y, c.x + 1, c.y + 1);
}
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataTriangle::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    m_version = 1;
    if (ar.IsStoring()) {
        ar << WORD(m_version);
        m_solver.Serialize(ar);
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) >= 1)
        m_solver.Serialize(ar);
}

QvEditData& QvEditDataTriangle::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* triangle = dynamic_cast<const QvEditDataTriangle*>(&src))
        m_solver = triangle->m_solver;
    return *this;
}

// ------------------------------------------------------------------ figure

QvFigTriangle::QvFigTriangle() {
    InitPoints(3);
    m_nRoundGrips = 0;
    m_nToolId = ToolId;
    m_bGroup = false;
    auto* record = new QvEditDataTriangle;
    record->SetFromCurrentStyle();
    record->m_solver.measureFromVertices = 1;
    SetEditData(record);
    m_pTriangleData = record;
    m_pShape = &record->m_solver;
}

void QvFigTriangle::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
}

void QvFigTriangle::DrawTriangle(CDC* dc) {
    CPoint corners[3];
    for (int i = 0; i < 3; ++i)
        m_display[i].ToCPoint(corners[i]);
    dc->Polygon(corners, 3);
}

void QvFigTriangle::DrawFill(CDC* dc, int) {
    CDCSelect<CPen> noPen(dc, NULL_PEN);
    DrawTriangle(dc);
}

void QvFigTriangle::Draw(CDC* dc, int) {
    DrawTriangle(dc);
}

void QvFigTriangle::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigTriangle::NewEditData() const {
    auto* record = new QvEditDataTriangle;
    record->CopyFrom(*m_pTriangleData);
    return record;
}

void QvFigTriangle::EditProperties(CPoint, CPoint) {
    if (!PropertiesDialog::Available())
        return;
    QvGRTriangle& solver = Solver();
    QvGRTriangle edited;
    if (solver.measureFromVertices) {
        // Not yet measured: the dialog starts from the three sides.
        for (int i = SideA; i <= SideC; ++i)
            edited.given[i] = solver.solved[i];
        std::copy(std::begin(solver.vertices), std::end(solver.vertices), edited.vertices);
    } else {
        edited = solver;
    }
    if (!PropertiesDialog::Run(edited))
        return;
    // Unsolvable values would lay out vertices that are not numbers.
    edited.Solve();
    if (!edited.isSolved) {
        MessageBeep(0);
        return;
    }
    solver = edited;
    solver.PlaceVertices(m_points[0]);
    for (int i = 0; i < 3; ++i)
        m_display[i] = m_points[i] = solver.vertices[i];
    solver.measureFromVertices = 0;
}

void QvFigTriangle::AddShapes(QvShapeList& list, int part) {
    if (m_bDeleted)
        return;
    for (int i = 0; i < 3; ++i) {
        if (part != -1 && part != i)
            continue;
        QvShapeRecord record;
        record.SetShape(std::make_unique<QvGRLine>(m_display[i], m_display[(i + 1) % 3]));
        record.figure = this;
        record.index1 = i;
        list.Add(std::move(record));
    }
}

CRect QvFigTriangle::GetBoundRect() {
    CRect r = UnitRect(m_display[0]);
    r.UnionRect(r, UnitRect(m_display[1]));
    r.UnionRect(r, UnitRect(m_display[2]));
    r.InflateRect(3, 3);
    int pen = std::max(LineStyleWidth(), 0);
    r.InflateRect(pen, pen);
    return r;
}

bool QvFigTriangle::HitTest(QvPoint pt, double tolerance) {
    return Solver().HitTest(pt, tolerance);
}

void QvFigTriangle::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    if (n < 0 || n >= 3)
        return;
    // The display point too: the sides are measured from the display
    // points, now, not after the next mapping.
    m_points[n] = to;
    m_display[n] = to;
    Solver().measureFromVertices = 1;
    BuildFromPoints();
}

void QvFigTriangle::TrackCreatePoint(QvPoint pt, QvKeys) {
    int c = GetClickCount();
    if (c >= 3)
        return;
    m_points[c] = pt;
    m_display[c] = pt;
    if (c == 0)
        m_points[1] = m_points[2] = pt;
}

bool QvFigTriangle::CreateClick() {
    SetClickCount(GetClickCount() + 1);
    if (GetClickCount() < 3)
        return false;
    BuildFromPoints();
    return true;
}

void QvFigTriangle::BuildFromPoints() {
    QvGRTriangle& solver = Solver();
    if (!solver.measureFromVertices) {
        for (int i = 0; i < 3; ++i)
            solver.vertices[i] = m_display[i];
        return;
    }
    solver.ClearGiven();
    for (int i = 0; i < 3; ++i)
        solver.vertices[i] = m_display[i];
    solver.given[SideC] = (m_display[1] - m_display[0]).Length() / kModelPerMillimetre;
    solver.given[SideB] = (m_display[2] - m_display[0]).Length() / kModelPerMillimetre;
    solver.given[SideA] = (m_display[2] - m_display[1]).Length() / kModelPerMillimetre;
    solver.Solve();
}

QvPoint QvFigTriangle::GetPoint(int) const {
    return QvPoint::Far();
}

QString QvFigTriangle::GetDescription() const {
    const double* s = Solver().solved;
    return QString::asprintf("Triangle Sides %.2f, %.2f, %.2f - Angles %.2f°, %.2f°, %.2f°",
                             s[SideA], s[SideB], s[SideC], s[AngleA], s[AngleB], s[AngleC]);
}
