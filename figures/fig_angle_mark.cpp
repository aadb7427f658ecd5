#include "figures/fig_angle_mark.h"

#include "figures/copy_map.h"
#include "figures/fig_group.h"
#include "figures/figure_factory.h"
#include "figures/shape_record.h"
#include "geometry/gr_line.h"
#include "geometry/marker.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/font_select.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_set>
#include <utility>

IMPLEMENT_SERIAL(QvEditDataAngle, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigAngleMark, QvFigure, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigAngleMark::ToolId, "QvFigAngleMark", &QvMakeFigure<QvFigAngleMark>},
});

namespace {
constexpr double kPi = 3.14159264;
constexpr double kTwoPi = 6.283185307;
constexpr double kGradsPerRadian = 63.66197724;
constexpr double kTenthsPerRadian = 572.96;
constexpr double kRightAngleArm = 0.7071; // the arms of a square, as a part of R
constexpr double kSquareSide = 0.7;       // the square's side, as a part of an arm
constexpr double kBestScore = 1000000.0;
// The page the defining points must stay on.
constexpr double kPageSize = 30000.0;
// The placeholder the third defining point holds: it has no meaning.
const QvPoint kPlaceholder(15000.0, 15000.0);
// Room round the label point for a point marker, which is sized in pixels.
constexpr double kMarkerReach = 200.0;
// However narrow the angle, a label goes no further out along its bisector
// than this (a metre).
constexpr double kFarLabel = 100000.0;

// Truncation toward zero, held inside the integer range.
LONG Trunc(double v) {
    constexpr double kLimit = 1e9;
    if (!(v > -kLimit))
        return LONG(-kLimit);
    return LONG(std::min(v, kLimit));
}

CPoint TruncPoint(const QvPoint& p) {
    return CPoint(Trunc(p.x), Trunc(p.y));
}

// How far apart two directions are, across the seam at +-pi.  A zero
// vector has the direction 1000 and so is never the nearer one.
double DirectionGap(QvVector u, QvVector a) {
    const double du = u.GetAngle();
    const double da = a.GetAngle();
    double gap = du - da;
    if (std::fabs(du) <= std::numbers::pi && std::fabs(da) <= std::numbers::pi) {
        if (gap > std::numbers::pi)
            gap -= 2 * std::numbers::pi;
        else if (gap < -std::numbers::pi)
            gap += 2 * std::numbers::pi;
    }
    return std::fabs(gap);
}

CRect UnitRect(const QvPoint& p) {
    const CPoint c = TruncPoint(p);
    return CRect(c.x, c.y, c.x + 1, c.y + 1);
}

QvFigure* g_snappedFigure = nullptr;
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataAngle::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    m_version = 1;
    if (ar.IsStoring()) {
        ar << m_version << m_markType << m_pointType << m_angleType << m_textType << m_text
           << m_autoPerpendicular << m_angled << m_size;
        ar.WriteObject(m_pFirst);
        ar.WriteObject(m_pSecond);
        ar << m_firstPart << m_secondPart << m_major << m_secondRay << m_firstRay;
        m_font.WriteBlock(ar);
        ar << m_decimalPlaces;
        return;
    }
    short version = 0;
    ar >> version;
    if (version < 1)
        return;
    ar >> m_markType >> m_pointType >> m_angleType >> m_textType >> m_text >> m_autoPerpendicular >>
        m_angled >> m_size;
    m_pFirst = static_cast<QvFigure*>(ar.ReadObject(RUNTIME_CLASS(QvFigure)));
    m_pSecond = static_cast<QvFigure*>(ar.ReadObject(RUNTIME_CLASS(QvFigure)));
    ar >> m_firstPart >> m_secondPart >> m_major >> m_secondRay >> m_firstRay;
    m_font.ReadBlock(ar);
    ar >> m_decimalPlaces;
}

QvEditData& QvEditDataAngle::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* d = dynamic_cast<const QvEditDataAngle*>(&src)) {
        m_markType = d->m_markType;
        m_pointType = d->m_pointType;
        m_angleType = d->m_angleType;
        m_textType = d->m_textType;
        m_text = d->m_text;
        m_autoPerpendicular = d->m_autoPerpendicular;
        m_angled = d->m_angled;
        m_size = d->m_size;
        m_secondRay = d->m_secondRay;
        m_firstRay = d->m_firstRay;
        m_pFirst = d->m_pFirst;
        m_pSecond = d->m_pSecond;
        m_firstPart = d->m_firstPart;
        m_secondPart = d->m_secondPart;
        m_major = d->m_major;
        m_font.Assign(d->m_font);
        m_decimalPlaces = d->m_decimalPlaces;
    }
    return *this;
}

void QvEditDataAngle::SetFromDefaults() {
    SetFromCurrentStyle();
    const QvAngleDefaults& g = TheSettings().m_AngleDefaults;
    m_markType = g.MarkType.GetValue();
    m_angleType = g.AngleType.GetValue();
    m_pointType = g.PointType.GetValue();
    m_textType = g.TextType.GetValue();
    m_size = g.Size.GetValue();
    m_major = g.Major.GetValue();
    m_autoPerpendicular = g.AutoPerp.GetValue();
    m_angled = g.Angled.GetValue();
    m_text = g.Text.GetValue();
    m_font.Assign(g.Font.GetValue());
    m_decimalPlaces = short(g.DecimalPlaces.GetValue());
}

// ------------------------------------------------------------------ figure

void QvFigAngleMark::SetSnappedFigure(QvFigure* figure) {
    g_snappedFigure = figure;
}

QvFigure* QvFigAngleMark::SnappedFigure() {
    return g_snappedFigure;
}

QvFigAngleMark::QvFigAngleMark() {
    InitPoints(3);
    SetPointCount(0);
    m_nToolId = ToolId;
    m_pShape = &m_angleShape;
    auto* record = new QvEditDataAngle;
    record->SetFromDefaults();
    SetEditData(record);
    m_pAngleData = record;
}

QvFigAngleMark::~QvFigAngleMark() {
    if (g_snappedFigure == this)
        g_snappedFigure = nullptr;
}

void QvFigAngleMark::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
}

void QvFigAngleMark::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigAngleMark::NewEditData() const {
    auto* record = new QvEditDataAngle;
    record->CopyFrom(*m_pAngleData);
    return record;
}

void QvFigAngleMark::RemapReferences(QvCopyMap& map) {
    QvEditDataAngle& d = *m_pAngleData;
    if (QvFigure* copy = map.CopyOf(d.m_pFirst))
        d.m_pFirst = copy;
    if (QvFigure* copy = map.CopyOf(d.m_pSecond))
        d.m_pSecond = copy;
}

bool QvFigAngleMark::MarksWithin(const std::vector<QvFigure*>& list) const {
    // Only a figure found in the list is looked at: a stray reference may
    // name one that is gone.
    const auto in = [&](const QvFigure* f) {
        return f && f != this && std::find(list.begin(), list.end(), f) != list.end() &&
               !dynamic_cast<const QvFigAngleMark*>(f);
    };
    return in(m_pAngleData->m_pFirst) && in(m_pAngleData->m_pSecond);
}

void QvFigAngleMark::RestartCreation() {
    SetClickCount(0);
    SetPointCount(0);
    m_pAngleData->m_pFirst = nullptr;
    m_pAngleData->m_pSecond = nullptr;
    m_bValid = false;
}

// ---------------------------------------------------------------- mapping

void QvFigAngleMark::MapToFrame(const QvGRRect& frame) {
    QvFigure::MapToFrame(frame);
    m_frame = frame;
    std::fill(std::begin(m_offset), std::end(m_offset), 0);
}

void QvFigAngleMark::OffsetPoints(int dx, int dy, int right, int flipHeight) {
    QvFigure::OffsetPoints(dx, dy, right, flipHeight);
    m_offset[0] = dx;
    m_offset[1] = dy;
    m_offset[2] = right;
    m_offset[3] = flipHeight;
}

bool QvFigAngleMark::IsMapped() const {
    return !m_frame.HasZeroSides() ||
           std::any_of(std::begin(m_offset), std::end(m_offset), [](int v) { return v != 0; });
}

QvFigure* QvFigAngleMark::Marked(QvFigure* figure) const {
    // A mark gives no shapes; building another one from here could also
    // come back round to this one.
    return dynamic_cast<QvFigAngleMark*>(figure) ? nullptr : figure;
}

void QvFigAngleMark::MapMarked(QvFigure* figure) const {
    figure->MapToFrame(m_frame);
    figure->OffsetPoints(m_offset[0], m_offset[1], m_offset[2], m_offset[3]);
    figure->BuildFromPoints();
}

// ------------------------------------------------------------------ build

void QvFigAngleMark::BuildFromPoints() {
    SetPointCount(3);
    QvEditDataAngle& d = *m_pAngleData;
    m_bValid = true;
    m_nArcStart = 0;
    m_nArcEnd = 1;

    QvShapeList parts;
    if (QvFigure* f = Marked(d.m_pFirst)) {
        MapMarked(f);
        f->AddShapes(parts, d.m_firstPart);
    }
    if (QvFigure* f = Marked(d.m_pSecond)) {
        if (f != d.m_pFirst)
            MapMarked(f);
        f->AddShapes(parts, d.m_secondPart);
    }

    // The vertex: the crossing of two straight parts nearest the clicks.
    const QvPoint p0 = m_display[0];
    const QvPoint p1 = m_display[1];
    const QvGRLine* a = nullptr;
    const QvGRLine* b = nullptr;
    int partA = -1, partB = -1;
    QvPoint vertex;
    double best = kBestScore;
    for (int i = 0; i < parts.GetCount(); ++i) {
        const auto* li = dynamic_cast<const QvGRLine*>(parts[i].shape.get());
        if (!li || li->GetType() != QvGRType::Line)
            continue;
        for (int j = i + 1; j < parts.GetCount(); ++j) {
            const auto* lj = dynamic_cast<const QvGRLine*>(parts[j].shape.get());
            if (!lj || lj->GetType() != QvGRType::Line || lj == li)
                continue;
            const QvPoint c = li->IntersectSegments(*lj);
            const double score = (p1 - c).Length() + (p0 - c).Length() +
                                 std::min((p0 - li->NearestPoint(p0)).Length(),
                                          (p0 - lj->NearestPoint(p0)).Length()) +
                                 std::min((p1 - li->NearestPoint(p1)).Length(),
                                          (p1 - lj->NearestPoint(p1)).Length());
            if (score < best) {
                best = score;
                a = li;
                b = lj;
                partA = parts[i].index1;
                partB = parts[j].index1;
                vertex = c;
            }
        }
    }

    m_bRightAngle = false;
    m_display[2] = QvPoint(-1.0, -1.0);
    if (a && b) {
        const double r = Radius();
        d.m_firstPart = partA;
        d.m_secondPart = partB;
        m_display[2] = vertex;
        const QvVector ra[2] = {a->p1 - vertex, a->p2 - vertex};
        const QvVector rb[2] = {b->p1 - vertex, b->p2 - vertex};
        // The rays are chosen once, by the clicks; a record holding
        // anything but 0 or 1 chooses them again.
        const auto chosen = [](LONG ray) { return ray == 0 || ray == 1; };
        if (d.m_secondRay == -1 || !chosen(d.m_firstRay) || !chosen(d.m_secondRay)) {
            const QvVector u0 = p0 - vertex;
            const QvVector u1 = p1 - vertex;
            d.m_firstRay = DirectionGap(u0, ra[0]) < DirectionGap(u0, ra[1]) ? 0 : 1;
            d.m_secondRay = DirectionGap(u1, rb[0]) < DirectionGap(u1, rb[1]) ? 0 : 1;
        }
        QvVector wa = ra[d.m_firstRay];
        QvVector wb = rb[d.m_secondRay];
        wa.SetLength(r);
        wb.SetLength(r);
        if (QvIsNear(wb.CosAngle(wa), 0.0, 1e-8) && !d.m_major) {
            m_bRightAngle = true;
            wa.SetLength(r * kRightAngleArm);
            wb.SetLength(r * kRightAngleArm);
        }
        const QvPoint qa = vertex + wa;
        const QvPoint qb = vertex + wb;
        m_bisector = wb + wa;
        m_bisector.SetLength(r);

        const double da = wa.GetAngle();
        const double db = wb.GetAngle();
        if (da > db) {
            m_angle = da - db;
            m_nArcStart = 0;
            m_nArcEnd = 1;
        } else {
            m_angle = db - da;
            m_nArcStart = 1;
            m_nArcEnd = 0;
        }
        if (d.m_major) {
            if (m_angle < kPi) {
                std::swap(m_nArcStart, m_nArcEnd);
                m_angle = kTwoPi - m_angle;
            }
            m_bisector = m_bisector.Negate();
        } else if (m_angle > kPi) {
            std::swap(m_nArcStart, m_nArcEnd);
            m_angle = kTwoPi - m_angle;
        }

        m_display[1] = qb;
        m_display[0] = qa;
        // Drawing through a frame or an offset moves only what is drawn:
        // the saved points stay the page's.
        if (GetGroupNesting() == 0 && !IsMapped()) {
            m_points[0] = qa;
            m_points[1] = qb;
        }
        m_labelPoint = vertex + m_bisector;
    } else {
        m_bValid = false;
    }
    if (!d.m_autoPerpendicular)
        m_bRightAngle = false;

    m_angleShape.points[0] = m_display[0];
    m_angleShape.points[1] = m_display[1];
    m_angleShape.points[2] = m_labelPoint;
    m_angleShape.points[3] = m_display[2];
    m_points[2] = kPlaceholder;
}

void QvFigAngleMark::EditProperties(CPoint, CPoint) {
    if (!PropertiesDialog::Available())
        return;
    QvEditDataAngle edited;
    edited.CopyFrom(*m_pAngleData);
    if (PropertiesDialog::Run(edited))
        m_pAngleData->CopyFrom(edited);
    BuildFromPoints();
}

bool QvFigAngleMark::IsValid() const {
    // Inside a group the points are in the group's own units.
    if (GetGroupNesting() > 0)
        return true;
    for (int i = 0; i < 3; ++i) {
        const QvPoint& p = m_points[i];
        if (!(p.x >= 0.0 && p.x <= kPageSize && p.y >= 0.0 && p.y <= kPageSize))
            return false;
    }
    return true;
}

// --------------------------------------------------------------- creation

void QvFigAngleMark::TrackCreatePoint(QvPoint pt, QvKeys) {
    const int k = GetClickCount();
    if (k > 1)
        return;
    m_points[k] = pt;
    m_display[k] = pt;
    if (k == 0)
        m_points[1] = pt;
    QvFigure* snapped = Marked(g_snappedFigure);
    if (snapped == this)
        snapped = nullptr;
    (k == 0 ? m_pAngleData->m_pFirst : m_pAngleData->m_pSecond) = snapped;
}

bool QvFigAngleMark::CreateClick() {
    // A click on no figure does not count.
    const int k = GetClickCount();
    if (k == 0 && m_pAngleData->m_pFirst)
        SetClickCount(1);
    else if (k == 1 && m_pAngleData->m_pSecond)
        SetClickCount(2);
    if (GetClickCount() < 2)
        return false;
    BuildFromPoints();
    return true;
}

void QvFigAngleMark::MoveHandle(int n, QvPoint, QvPoint second, QvKeys) {
    QvFigure* f = n == 0 ? m_pAngleData->m_pFirst : n == 1 ? m_pAngleData->m_pSecond : nullptr;
    f = Marked(f);
    if (f && f->GetShape())
        m_points[n] = f->GetShape()->NearestPoint(second);
    BuildFromPoints();
}

QString QvFigAngleMark::GetDescription() const {
    return QString::asprintf("Angle = %.2f", m_angle * QV_DEGREES_PER_RADIAN) + QChar(0xB0);
}

// ---------------------------------------------------------------- drawing

QString QvFigAngleMark::ValueText() const {
    static const char* const kFormats[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f"};
    const QvEditDataAngle& d = *m_pAngleData;
    if (d.m_markType != QvEditDataAngle::AngleValue)
        return QString();
    double value = 0.0;
    switch (d.m_angleType) {
    case QvEditDataAngle::Degrees:
        value = m_angle * QV_DEGREES_PER_RADIAN;
        break;
    case QvEditDataAngle::Radians:
        value = m_angle;
        break;
    case QvEditDataAngle::Grads:
        value = m_angle * kGradsPerRadian;
        break;
    default:
        return QString();
    }
    QString text;
    if (d.m_decimalPlaces >= 0 && d.m_decimalPlaces <= 4)
        text = QString::asprintf(kFormats[d.m_decimalPlaces], value);
    if (d.m_angleType == QvEditDataAngle::Degrees)
        text += QChar(0xB0);
    return text;
}

void QvFigAngleMark::DrawArc(CDC* dc, double radius, bool pie) const {
    const QvPoint& v = m_display[2];
    CRect box(Trunc(v.x - radius), Trunc(v.y - radius), Trunc(v.x + radius), Trunc(v.y + radius));
    box.NormalizeRect();
    CPoint start = TruncPoint(m_display[m_nArcStart]);
    CPoint end = TruncPoint(m_display[m_nArcEnd]);
    // The context turns counter-clockwise as the page shows it; in y-up
    // units that runs the other way round the marked angle.
    if (dc->GetMapMode() == MM_HIMETRIC)
        std::swap(start, end);
    if (pie)
        dc->Pie(box, start, end);
    else
        dc->Arc(box, start, end);
}

void QvFigAngleMark::DrawFill(CDC* dc, int) {
    if (GetPointCount() == 3)
        BuildFromPoints();
    if (!m_bValid || m_bRightAngle)
        return;
    const LONG type = m_pAngleData->m_markType;
    if (type < QvEditDataAngle::SingleArc || type > QvEditDataAngle::TripleArc)
        return;
    CDCSelect<CPen> noPen(dc, NULL_PEN);
    const double r = Radius();
    DrawArc(dc, type == QvEditDataAngle::TripleArc ? r - QvEditDataAngle::SizeUnit : r, true);
}

void QvFigAngleMark::Draw(CDC* dc, int mode) {
    if (GetPointCount() == 3)
        BuildFromPoints();
    if (!m_bValid)
        return;
    const QvPoint& v = m_display[2];
    if (m_bRightAngle) {
        const QvVector s1 = (m_display[m_nArcEnd] - v) * kSquareSide;
        const QvVector s0 = (m_display[m_nArcStart] - v) * kSquareSide;
        dc->MoveTo(TruncPoint(v + s1));
        dc->LineTo(TruncPoint(v + s1 + s0));
        dc->LineTo(TruncPoint(v + s0));
        return;
    }
    const QvEditDataAngle& d = *m_pAngleData;
    const double r = Radius();
    const double step = QvEditDataAngle::SizeUnit;
    const QvVector level(1.0, 0.0);
    switch (d.m_markType) {
    case QvEditDataAngle::PointMarker:
        QvMarker().Draw(dc, m_labelPoint, d.m_pointType);
        break;
    case QvEditDataAngle::TripleArc:
        DrawArc(dc, r - step, false);
        [[fallthrough]];
    case QvEditDataAngle::DoubleArc:
        DrawArc(dc, r + step, false);
        [[fallthrough]];
    case QvEditDataAngle::SingleArc:
        DrawArc(dc, r, false);
        break;
    case QvEditDataAngle::AngleValue:
        if (mode == QvDrawMode::Normal)
            DrawLabel(dc, ValueText(), false, d.m_angled ? m_bisector : level);
        break;
    case QvEditDataAngle::TextLabel:
        if (mode != QvDrawMode::Normal)
            break;
        // Equations are never turned.
        if (d.m_textType == QvEditDataAngle::PlainText)
            DrawLabel(dc, d.m_text, false, d.m_angled ? m_bisector : level);
        else if (d.m_textType == QvEditDataAngle::Equation)
            DrawLabel(dc, d.m_text, true, level);
        else if (d.m_textType == QvEditDataAngle::ChemEquation)
            DrawLabel(dc, QString::fromLatin1(ChemEquationText), false, level);
        break;
    default:
        break;
    }
}

void QvFigAngleMark::DrawLabel(CDC* dc, const QString& text, bool equation,
                               QvVector direction) const {
    const QvEditDataAngle& d = *m_pAngleData;
    // The turn is worked out for each drawing, on a copy of the font: the
    // record keeps what was saved.
    double e = direction.x != 0.0 ? kTenthsPerRadian * std::atan2(-direction.y, direction.x)
                                  : (-direction.y > 0.0 ? 900.0 : 2700.0);
    const LONG escapement = LONG(std::floor(e + 0.5));
    const QvVector normal(direction.CosAngle(QvVector(0.0, 1.0)),
                          -direction.CosAngle(QvVector(1.0, 0.0)));
    QvLogFont font(d.m_font);
    font.m_logFont.lfEscapement = escapement;
    font.m_logFont.lfOrientation = escapement;

    const bool himetric = dc->GetMapMode() == MM_HIMETRIC;
    const UINT oldAlign = dc->SetTextAlign(himetric ? TA_CENTER | TA_TOP : TA_CENTER | TA_BOTTOM);
    const int oldBkMode = dc->SetBkMode(TRANSPARENT);
    // Half the height the text is drawn at, across the direction: the
    // label straddles the label point.  In MM_TEXT that is the LOGFONT's
    // height in pixels, not the drawing height in 0.01 mm.
    const double h = dc->GetMapMode() == MM_TEXT ? std::abs(double(d.m_font.m_logFont.lfHeight))
                                                 : double(d.m_font.m_drawHeight);
    const QvVector offset = normal * (h / 2.0);
    QvEquation eq;
    QvFontSelect select;
    double width = 0.0, cell = 0.0;
    if (equation) {
        eq.SetText(text, &TheEquationOptions());
        const QvEquationExtent extent = eq.Measure(dc, &TheEquationOptions(), &font);
        width = std::abs(extent.width);
        cell = std::abs(extent.height);
    } else {
        select.SetFont(font);
        select.Select(dc, 0);
        const CSize size = dc->GetTextExtent(text);
        width = std::abs(size.cx);
        cell = std::abs(size.cy);
    }
    const QvPoint place = LabelPlace(direction, width, cell, h);
    const int x = Trunc(place.x - offset.x);
    const int y = Trunc(place.y - offset.y);
    if (equation) {
        eq.Draw(dc, x, y, &TheEquationOptions(), &font);
    } else {
        dc->TextOut(x, y, text);
        select.Restore(dc);
    }
    dc->SetBkMode(oldBkMode);
    dc->SetTextAlign(oldAlign);
}

QvPoint QvFigAngleMark::LabelPlace(QvVector direction, double width, double cell,
                                   double height) const {
    const QvPoint& v = m_display[2];
    const double length = m_bisector.Length();
    const double along = direction.Length();
    if (!(length > 0.0) || !(along > 0.0))
        return m_labelPoint;
    const QvVector b = m_bisector * (1.0 / length);
    const QvVector u = direction * (1.0 / along);
    const QvVector w(-u.y, u.x);
    // The text runs along u, centred on its place, and spans h/2 - cell to
    // h/2 across it: the least reach of that box in the direction n.
    const auto nearest = [&](const QvVector& n) {
        const double nu = n.Dot(u);
        const double nw = n.Dot(w);
        return -width / 2.0 * std::fabs(nu) +
               std::min(nw * height / 2.0, nw * (height / 2.0 - cell));
    };
    // Clear of the arms by a quarter of the text's height beyond their pens.
    int pen = 0;
    for (QvFigure* f : {Marked(m_pAngleData->m_pFirst), Marked(m_pAngleData->m_pSecond)})
        if (f)
            pen = std::max(pen, f->LineStyleWidth());
    const double gap = std::fabs(height) / 4.0 + pen / 2.0;
    double t = Radius();
    if (m_angle >= kPi) {
        // Both arms lie behind the line across the bisector at the vertex.
        t = std::max(t, gap - nearest(b));
    } else {
        for (int i = 0; i < 2; ++i) {
            const QvVector arm = m_display[i] - v;
            const double reach = arm.Length();
            if (!(reach > 0.0))
                continue;
            const QvVector a = arm * (1.0 / reach);
            // The normal of the arm into the angle; its sine of half the
            // angle is how fast the bisector leaves the arm.
            QvVector n = b + a * -b.Dot(a);
            const double sine = n.Length();
            if (sine < 1e-6)
                continue;
            n = n * (1.0 / sine);
            t = std::max(t, (gap - nearest(n)) / sine);
        }
    }
    return v + b * std::min(t, kFarLabel);
}

void QvFigAngleMark::DrawHandles(CDC* dc) {
    if (!m_bValid)
        return;
    // Grips on the two arm ends only: the third point is a placeholder.
    SetPointCount(2);
    QvFigure::DrawHandles(dc);
    SetPointCount(3);
}

CRect QvFigAngleMark::GetBoundRect() {
    const int pen = std::max(LineStyleWidth(), 0);
    const auto around = [](const QvPoint& c, double reach) {
        return CRect(Trunc(c.x - reach), Trunc(c.y - reach), Trunc(c.x + reach) + 1,
                     Trunc(c.y + reach) + 1);
    };
    CRect r;
    if (!m_bValid) {
        const QvPoint& p = m_points[0];
        const QvPoint& q = m_points[1];
        r = CRect(Trunc(std::min(p.x, q.x)), Trunc(std::min(p.y, q.y)),
                  Trunc(std::max(p.x, q.x) + 1.0), Trunc(std::max(p.y, q.y) + 1.0));
    } else {
        // Everything lies within the outer arc, the marker a little past
        // the label point, and the label round the label point.
        r = around(m_display[2], Radius() + QvEditDataAngle::SizeUnit);
        r.UnionRect(r, around(m_labelPoint, kMarkerReach));
        const QvEditDataAngle& d = *m_pAngleData;
        QString text = ValueText();
        if (d.m_markType == QvEditDataAngle::TextLabel)
            text = d.m_textType == QvEditDataAngle::ChemEquation
                       ? QString::fromLatin1(ChemEquationText)
                       : d.m_text;
        if (!text.isEmpty()) {
            // Generous: glyphs no wider than the height, an equation up to
            // three lines tall, turned any way.
            const double h = std::fabs(double(d.m_font.m_drawHeight));
            const bool equation = d.m_markType == QvEditDataAngle::TextLabel &&
                                  d.m_textType == QvEditDataAngle::Equation;
            const double tall = equation ? 3.0 * h : h;
            const double reach = std::hypot(text.size() * h / 2.0, tall) + h / 2.0;
            r.UnionRect(r, around(m_labelPoint, reach));
            // A label moved out along the bisector, to clear the arms of a
            // narrow angle, lies between there and where a box that large
            // would go.
            const QvVector level(1.0, 0.0);
            const bool turned = d.m_angled && (d.m_markType == QvEditDataAngle::AngleValue ||
                                               d.m_textType == QvEditDataAngle::PlainText);
            const QvVector direction = turned ? m_bisector : level;
            r.UnionRect(r, around(LabelPlace(direction, text.size() * h, tall, h), reach));
        }
    }
    r.InflateRect(pen, pen);
    return r;
}

CRect QvFigAngleMark::GetPointsRect() const {
    if (GetPointCount() == 0)
        return CRect();
    // The display points go to the placeholder whenever the mark is mapped
    // without being built: the last build's points stand for it.
    if (!m_bValid) {
        CRect r = UnitRect(m_points[0]);
        r.UnionRect(r, UnitRect(m_points[1]));
        return r;
    }
    CRect r = UnitRect(m_angleShape.points[3]);
    r.UnionRect(r, UnitRect(m_angleShape.points[0]));
    r.UnionRect(r, UnitRect(m_angleShape.points[1]));
    return r;
}

// ------------------------------------------------------------ stray marks

void QvDropStrayAngleMarks(std::vector<QvFigure*>& list) {
    for (QvFigure* f : list)
        if (auto* group = dynamic_cast<QvFigGroup*>(f))
            QvDropStrayAngleMarks(group->MemberList());
    std::unordered_set<QvFigure*> stray;
    for (QvFigure* f : list)
        if (auto* mark = dynamic_cast<QvFigAngleMark*>(f); mark && !mark->MarksWithin(list))
            stray.insert(f);
    if (stray.empty())
        return;
    std::erase_if(list, [&](QvFigure* f) { return stray.count(f) != 0; });
    for (QvFigure* f : stray)
        delete f;
}

void QvDropStrayAngleMarks(QvFigureList& list) {
    for (QvFigure* f : list)
        if (auto* group = dynamic_cast<QvFigGroup*>(f))
            QvDropStrayAngleMarks(group->MemberList());
    std::vector<QvFigure*> stray;
    for (QvFigure* f : list)
        if (auto* mark = dynamic_cast<QvFigAngleMark*>(f); mark && !mark->MarksWithin(list.View()))
            stray.push_back(f);
    for (QvFigure* f : stray)
        list.Take(f); // freed here
}
