#include "diagrams/fig_grid_dot.h"

#include "figures/figure_factory.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "geometry/marker.h"
#include "geometry/snap_kind.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/line_style.h"
#include "settings/settings.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

IMPLEMENT_SERIAL(QvEditDataGridDot, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigGridDot, QvFigNoRotateRectBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigGridDot::ToolId, "QvFigGridDot", &QvMakeFigure<QvFigGridDot>},
});

namespace {

// Row step factor of the triangular lattice, as the paper has always used it.
constexpr double kHalfRoot3 = 0.866025403;
constexpr double kDegreesPerRadian = 57.29577951;
// No pass draws more than this many lines or marks: a spacing read from a
// file may be tiny, and the paper must still draw in reasonable time.
constexpr double kMostItems = 250000.0;

// The last index of "i = 0, 1, ... while i <= extent / step", or -1 when the
// step is not a positive number or the pass would draw too much.
long long LastIndex(double extent, double step) {
    if (!(step > 0.0) || !std::isfinite(step))
        return -1;
    const double q = extent / step;
    if (!(q >= 0.0) || q > kMostItems)
        return -1;
    return static_cast<long long>(std::floor(q));
}

// floor(360 / angle) + 1 turns, or 0 for an angle that is not a positive
// number.
long long Turns(double angle) {
    const long long last = LastIndex(360.0, angle);
    return last < 0 ? 0 : last + 1;
}

// Round of the geometry kernel, kept in doubles so that no quotient can
// overflow an integer.
double RoundD(double x) {
    return std::floor(x + 0.5);
}

CPoint At(double x, double y) {
    return CPoint(static_cast<int>(x), static_cast<int>(y));
}

void Line(CDC* dc, double x1, double y1, double x2, double y2) {
    dc->MoveTo(At(x1, y1));
    dc->LineTo(At(x2, y2));
}

void Turn(QvVector& v, double degrees) {
    const double radians = degrees / kDegreesPerRadian;
    v.Rotate(std::cos(radians), std::sin(radians));
}

// The frame of the paper with y growing upward: 0 top-left, 1 top-right,
// 2 bottom-right, 3 bottom-left.
void SortCorners(QvPoint c[4]) {
    if (c[0].y < c[3].y) {
        std::swap(c[0], c[3]);
        std::swap(c[1], c[2]);
    }
    if (c[0].x > c[1].x) {
        std::swap(c[0], c[1]);
        std::swap(c[3], c[2]);
    }
}

// The frame, units and pens of one drawing.
class PaperPainter {
public:
    PaperPainter(CDC* dc, const QvEditDataGridDot& data, const QvPointArray& display)
        : m_dc(dc), m_data(data), m_pen(dc) {
        QvPoint c[4] = {display[0], display[1], display[2], display[3]};
        SortCorners(c);
        // Only 0.01 mm grows upward; every other mapping grows downward.
        const int mapMode = dc->GetMapMode();
        if (mapMode != MM_HIMETRIC) {
            std::swap(c[0], c[3]);
            std::swap(c[1], c[2]);
            m_s = -1.0;
        }
        // A plain pixel context takes a millimetre as one unit.
        m_k = mapMode == MM_TEXT ? 1.0 : 100.0;
        m_frame = QvGRRect(c[0], c[1], c[2], c[3]);
        m_left = c[0].x;
        m_right = c[1].x;
        m_top = c[0].y;
        m_bottom = c[2].y;
        m_w = m_right - m_left;
        m_h = (m_top - m_bottom) * m_s;
        const COLORREF colours[4] = {data.xGridMajorColor, data.xGridMinorColor,
                                     data.yGridMajorColor, data.yGridMinorColor};
        const DWORD pens[4] = {data.xGridMajorPen, data.xGridMinorPen, data.yGridMajorPen,
                               data.yGridMinorPen};
        for (int i = 0; i < 4; ++i) {
            LOGPEN log = QvLineStyle().PenFromLineCommand(pens[i]);
            log.lopnColor = colours[i];
            if (mapMode == MM_TEXT)
                log.lopnWidth.x = 1;
            m_pens[i].CreatePenIndirect(&log);
        }
    }

    PaperPainter(const PaperPainter&) = delete;
    PaperPainter& operator=(const PaperPainter&) = delete;

    void Draw() {
        switch (m_data.Coord) {
        case QvEditDataGridDot::Cartesian:
            if (m_data.Style == QvEditDataGridDot::Dots)
                CartesianDots();
            else
                CartesianLines();
            break;
        case QvEditDataGridDot::Isometric:
            Isometric();
            break;
        case QvEditDataGridDot::Polar:
            if (m_data.Style == QvEditDataGridDot::Dots)
                PolarDots();
            else
                PolarLines();
            break;
        case QvEditDataGridDot::Hexagonal:
            Hexagonal();
            break;
        default:
            break;
        }
    }

private:
    enum { XMajor, XMinor, YMajor, YMinor };

    double Major() const { return m_k * m_data.MajorSize; }
    double Minor() const { return m_k * m_data.MinorSize; }

    void Select(int pen) { m_pen.Select(&m_pens[pen]); }

    void Mark(double x, double y) { QvMarker().Draw(m_dc, QvPoint(x, y), m_data.PointType); }

    void VerticalAt(double x) { Line(m_dc, x, m_top, x, m_bottom); }
    void HorizontalAt(double y) { Line(m_dc, m_left, y, m_right, y); }

    void CartesianDots() {
        const long long ni = LastIndex(m_w, Major()), nj = LastIndex(m_h, Major());
        if (ni < 0 || nj < 0 || double(ni + 1) * double(nj + 1) > kMostItems)
            return;
        for (long long i = 0; i <= ni; ++i)
            for (long long j = 0; j <= nj; ++j)
                Mark(m_left + double(i) * Major(), m_bottom + double(j) * Major() * m_s);
    }

    // Minor lines of one axis: evenly spaced, or m = 2 to 9 in each decade.
    template <class Draw>
    void MinorLines(bool log, double extent, double origin, double sign, Draw draw) {
        if (!log) {
            const long long n = LastIndex(extent, Minor());
            for (long long i = 0; i <= n; ++i)
                draw(origin + double(i) * Minor() * sign);
            return;
        }
        const long long n = LastIndex(extent, Major());
        for (long long i = 0; i <= n; ++i) {
            for (int m = 2; m <= 9; ++m) {
                const double along = (double(i) + std::log10(double(m))) * Major();
                if (along <= extent)
                    draw(origin + along * sign);
            }
        }
    }

    // Where the lines of one axis stand, minor and major, in order.
    std::vector<double> Stops(bool log, double extent, double origin, double sign) {
        std::vector<double> stops;
        MinorLines(log, extent, origin, sign, [&](double at) { stops.push_back(at); });
        const long long n = LastIndex(extent, Major());
        for (long long i = 0; i <= n; ++i)
            stops.push_back(origin + double(i) * Major() * sign);
        std::sort(stops.begin(), stops.end());
        stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
        return stops;
    }

    // A dotted or dashed line from `from` to `to` along one axis, in
    // pieces that end where the other axis's lines cross it: the pattern
    // starts afresh in every cell, so that all cells look alike instead of
    // the dots running out of step with them.
    void PatternedLine(double from, double to, const std::vector<double>& crossings,
                       const std::function<void(double, double)>& piece) {
        const bool up = from < to;
        double start = from;
        const auto step = [&](double at) {
            if ((up && at > start && at < to) || (!up && at < start && at > to)) {
                piece(start, at);
                start = at;
            }
        };
        if (up)
            std::for_each(crossings.begin(), crossings.end(), step);
        else
            std::for_each(crossings.rbegin(), crossings.rend(), step);
        piece(start, to);
    }

    bool Patterned(int pen) const {
        LOGPEN log;
        m_pens[pen].GetLogPen(&log);
        const UINT style = log.lopnStyle & 0x0F;
        return log.lopnWidth.x <= 1 && style >= PS_DASH && style <= PS_DASHDOTDOT;
    }

    void CartesianLines() {
        const std::vector<double> across = Stops(m_data.yLog != 0, m_h, m_bottom, m_s);
        const std::vector<double> upright = Stops(m_data.xLog != 0, m_w, m_left, 1.0);
        // Too many pieces for a reasonable time: whole lines instead.
        const bool pieces = double(across.size()) * double(upright.size()) <= kMostItems;
        Select(YMinor);
        const bool upPieces = pieces && Patterned(YMinor);
        MinorLines(m_data.xLog != 0, m_w, m_left, 1.0, [&](double x) {
            if (!upPieces)
                return VerticalAt(x);
            PatternedLine(m_top, m_bottom, across,
                          [&](double a, double b) { Line(m_dc, x, a, x, b); });
        });
        Select(XMinor);
        const bool levelPieces = pieces && Patterned(XMinor);
        MinorLines(m_data.yLog != 0, m_h, m_bottom, m_s, [&](double y) {
            if (!levelPieces)
                return HorizontalAt(y);
            PatternedLine(m_left, m_right, upright,
                          [&](double a, double b) { Line(m_dc, a, y, b, y); });
        });
        Select(YMajor);
        const long long ni = LastIndex(m_w, Major());
        for (long long i = 0; i <= ni; ++i)
            VerticalAt(m_left + double(i) * Major());
        Select(XMajor);
        const long long nj = LastIndex(m_h, Major());
        for (long long j = 0; j <= nj; ++j)
            HorizontalAt(m_bottom + double(j) * Major() * m_s);
    }

    bool Inside(double x, double y) { return m_frame.ContainsPoint(QvPoint(x, y)); }

    void Isometric() {
        const double h = Major() / 2.0;
        const double col = Major() * kHalfRoot3 * 2.0;
        const double shift = Major() * kHalfRoot3;
        const long long ni = LastIndex(m_w, col), nj = LastIndex(m_h, h);
        if (ni < 0 || nj < 0 || double(ni + 1) * double(nj + 1) > kMostItems)
            return;
        for (long long j = 0; j <= nj; ++j) {
            for (long long i = 0; i <= ni; ++i) {
                const double x = m_left + double(i) * col + (j % 2 ? shift : 0.0);
                const double y = m_bottom + double(j) * h * m_s;
                if (m_data.Style == QvEditDataGridDot::Dots) {
                    if (x <= m_right)
                        Mark(x, y);
                    continue;
                }
                if (!Inside(x, y))
                    continue;
                const double ends[3][2] = {
                    {x - shift, y + h * m_s}, {x, y + 2.0 * h * m_s}, {x + shift, y + h * m_s}};
                for (const auto& end : ends)
                    if (Inside(end[0], end[1]))
                        Line(m_dc, x, y, end[0], end[1]);
            }
        }
    }

    // The honeycomb: rows counted down from the top edge, every third row
    // the hexagons' centres.
    void Hexagonal() {
        const double h = Major() / 2.0;
        const double col = Major() * kHalfRoot3 * 2.0;
        const double shift = Major() * kHalfRoot3;
        const long long nCols = LastIndex(m_w, col), nRows = LastIndex(m_h, h);
        if (nCols < 0 || nRows < 0 || double(nCols + 1) * double(nRows + 1) > kMostItems)
            return;
        for (long long j = 0; j <= nRows; ++j) {
            const long long m = j % 3;
            for (long long i = 0; i <= nCols; ++i) {
                const double x = m_left + double(i) * col + (j % 2 ? shift : 0.0);
                const double y = m_top - double(j) * h * m_s;
                if (m == 2 || !Inside(x, y))
                    continue;
                const double down = y - h * m_s;
                if (m == 0 && (i > 0 || j < nRows - 1) && Inside(x - shift, down))
                    Line(m_dc, x, y, x - shift, down);
                if (m == 1 && Inside(x, y - 2.0 * h * m_s))
                    Line(m_dc, x, y, x, y - 2.0 * h * m_s);
                if (m == 0 && (i > 0 || j > 0) && (i < nCols || j < nRows - 1) &&
                    Inside(x + shift, down))
                    Line(m_dc, x, y, x + shift, down);
            }
        }
    }

    double Radius() const {
        return std::min(std::fabs(m_right - m_left), std::fabs(m_top - m_bottom)) / 2.0;
    }

    void PolarDots() {
        const QvPoint c = m_frame.GetCentre();
        Mark(c.x, c.y);
        const long long rings = LastIndex(Radius(), Major());
        const long long pixels = Turns(m_data.MinorAngle), marks = Turns(m_data.MajorAngle);
        if (rings < 0 || double(rings) * double(pixels + marks) > kMostItems)
            return;
        // One direction for all rings: where a step does not divide 360, each
        // ring starts where the last one stopped.
        QvVector v(1.0, 0.0);
        for (long long i = 1; i <= rings; ++i) {
            v.SetLength(double(i) * Major());
            for (long long n = 0; n < pixels; ++n) {
                Turn(v, m_data.MinorAngle);
                m_dc->SetPixel(At(c.x + v.x, c.y + v.y), m_data.m_lineColor);
            }
        }
        v = QvVector(1.0, 0.0);
        for (long long i = 1; i <= rings; ++i) {
            v.SetLength(double(i) * Major());
            for (long long n = 0; n < marks; ++n) {
                Turn(v, m_data.MajorAngle);
                Mark(c.x + v.x, c.y + v.y);
            }
        }
    }

    void Circle(QvPoint c, double r) {
        m_dc->Ellipse(int(c.x - r), int(c.y - r), int(c.x + r), int(c.y + r));
    }

    void PolarLines() {
        const QvPoint c = m_frame.GetCentre();
        const double radius = Radius();
        CDCSelect<CBrush> noFill(m_dc, NULL_BRUSH);
        Select(XMinor);
        const long long lastMinor = LastIndex(radius, Minor());
        if (lastMinor >= 0 && Major() / Minor() <= kMostItems) {
            // Minor rings begin at the first major ring.
            for (long long i = static_cast<long long>(Major() / Minor()); i <= lastMinor; ++i)
                Circle(c, double(i) * Minor());
        }
        Select(YMinor);
        if (Major() > 0.0) {
            QvVector v(radius, 0.0), w(std::min(Major(), radius), 0.0);
            for (long long n = Turns(m_data.MinorAngle); n > 0; --n) {
                Turn(v, m_data.MinorAngle);
                Turn(w, m_data.MinorAngle);
                Line(m_dc, c.x + w.x, c.y + w.y, c.x + v.x, c.y + v.y);
            }
        }
        Select(XMajor);
        const long long rings = LastIndex(radius, Major());
        for (long long i = 1; i <= rings; ++i)
            Circle(c, double(i) * Major());
        Select(YMajor);
        QvVector v(radius, 0.0);
        for (long long n = Turns(m_data.MajorAngle); n > 0; --n) {
            Turn(v, m_data.MajorAngle);
            Line(m_dc, c.x, c.y, c.x + v.x, c.y + v.y);
        }
    }

    CDC* m_dc;
    const QvEditDataGridDot& m_data;
    QvGRRect m_frame;
    double m_left = 0, m_right = 0, m_top = 0, m_bottom = 0, m_w = 0, m_h = 0;
    double m_s = 1.0; // the direction in which y moves up the page
    double m_k = 100.0;
    CPen m_pens[4];
    // The pens are selected in turn; the context gets its own back at the end.
    CDCSelect<CPen> m_pen;
};

} // namespace

// ------------------------------------------------------------------ record

void QvEditDataGridDot::SetFromDefaults() {
    const QvGridDotDefaults& d = TheSettings().m_GridDotDefaults;
    Style = d.Style.GetValue();
    Coord = d.Coord.GetValue();
    xLog = d.xLog.GetValue();
    yLog = d.yLog.GetValue();
    MajorSize = d.MajorSize.GetValue();
    MinorSize = d.MinorSize.GetValue();
    MajorAngle = d.MajorAngle.GetValue();
    MinorAngle = d.MinorAngle.GetValue();
    PointType = d.PointType.GetValue();
    xGridMajorColor = d.xGridMajorColor.GetValue();
    xGridMinorColor = d.xGridMinorColor.GetValue();
    yGridMajorColor = d.yGridMajorColor.GetValue();
    yGridMinorColor = d.yGridMinorColor.GetValue();
    xGridMajorPen = DWORD(d.xGridMajorPen.GetValue());
    xGridMinorPen = DWORD(d.xGridMinorPen.GetValue());
    yGridMajorPen = DWORD(d.yGridMajorPen.GetValue());
    yGridMinorPen = DWORD(d.yGridMinorPen.GetValue());
}

void QvEditDataGridDot::Serialize(CArchive& ar) {
    m_version = 1;
    QvEditData::Serialize(ar);
    if (ar.IsStoring()) {
        ar << WORD(m_version) << Style << Coord << xLog << yLog << MajorSize << MinorSize
           << MajorAngle << MinorAngle << PointType << DWORD(xGridMajorColor)
           << DWORD(xGridMinorColor) << DWORD(yGridMajorColor) << DWORD(yGridMinorColor)
           << xGridMajorPen << xGridMinorPen << yGridMajorPen << yGridMinorPen;
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) < 1)
        return;
    DWORD colours[4] = {};
    ar >> Style >> Coord >> xLog >> yLog >> MajorSize >> MinorSize >> MajorAngle >> MinorAngle >>
        PointType >> colours[0] >> colours[1] >> colours[2] >> colours[3] >> xGridMajorPen >>
        xGridMinorPen >> yGridMajorPen >> yGridMinorPen;
    xGridMajorColor = colours[0];
    xGridMinorColor = colours[1];
    yGridMajorColor = colours[2];
    yGridMinorColor = colours[3];
}

QvEditData& QvEditDataGridDot::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* grid = dynamic_cast<const QvEditDataGridDot*>(&src)) {
        m_version = grid->m_version;
        Style = grid->Style;
        Coord = grid->Coord;
        xLog = grid->xLog;
        yLog = grid->yLog;
        MajorSize = grid->MajorSize;
        MinorSize = grid->MinorSize;
        MajorAngle = grid->MajorAngle;
        MinorAngle = grid->MinorAngle;
        PointType = grid->PointType;
        xGridMajorColor = grid->xGridMajorColor;
        xGridMinorColor = grid->xGridMinorColor;
        yGridMajorColor = grid->yGridMajorColor;
        yGridMinorColor = grid->yGridMinorColor;
        xGridMajorPen = grid->xGridMajorPen;
        xGridMinorPen = grid->xGridMinorPen;
        yGridMajorPen = grid->yGridMajorPen;
        yGridMinorPen = grid->yGridMinorPen;
    }
    return *this;
}

// ------------------------------------------------------------------ figure

QvFigGridDot::QvFigGridDot() {
    InitPoints(4);
    m_nRoundGrips = 0;
    m_nToolId = ToolId;
    auto* record = new QvEditDataGridDot;
    record->SetFromCurrentStyle();
    record->SetFromDefaults();
    SetEditData(record);
    m_pGridData = record;
}

void QvFigGridDot::Draw(CDC* dc, int mode) {
    if (mode == QvDrawMode::Normal) {
        PaperPainter(dc, *m_pGridData, m_display).Draw();
    } else if (mode == QvDrawMode::Dotted) {
        CPoint c[5];
        IntegerCorners(c);
        c[4] = c[0];
        dc->Polyline(c, 5);
    }
}

void QvFigGridDot::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigGridDot::NewEditData() const {
    auto* record = new QvEditDataGridDot;
    record->CopyFrom(*m_pGridData);
    return record;
}

void QvFigGridDot::EditProperties(CPoint, CPoint) {
    if (!PropertiesDialog::Available())
        return;
    QvEditDataGridDot& d = *m_pGridData;
    QvGridDotDialogValues v;
    v.pens[0] = d.xGridMajorPen;
    v.pens[1] = d.xGridMinorPen;
    v.pens[2] = d.yGridMajorPen;
    v.pens[3] = d.yGridMinorPen;
    v.colours[0] = d.xGridMajorColor;
    v.colours[1] = d.xGridMinorColor;
    v.colours[2] = d.yGridMajorColor;
    v.colours[3] = d.yGridMinorColor;
    v.style = d.Style;
    v.paperType = d.Coord;
    v.xLog = d.xLog ? 1 : 0;
    v.yLog = d.yLog ? 1 : 0;
    v.majorSize = d.MajorSize;
    v.minorSize = d.MinorSize;
    v.pointType = d.PointType;
    v.majorAngle = QvFormatNumber(d.MajorAngle, 1);
    v.minorAngle = QvFormatNumber(d.MinorAngle, 1);
    if (!PropertiesDialog::Run(v))
        return;
    d.xGridMajorPen = v.pens[0];
    d.xGridMinorPen = v.pens[1];
    d.yGridMajorPen = v.pens[2];
    d.yGridMinorPen = v.pens[3];
    d.xGridMajorColor = v.colours[0];
    d.xGridMinorColor = v.colours[1];
    d.yGridMajorColor = v.colours[2];
    d.yGridMinorColor = v.colours[3];
    d.Style = v.style;
    d.Coord = v.paperType;
    d.xLog = v.xLog ? 1 : 0;
    d.yLog = v.yLog ? 1 : 0;
    d.MajorSize = v.majorSize;
    d.MinorSize = v.minorSize;
    d.PointType = v.pointType;
    d.MajorAngle = QvParseNumber(v.majorAngle);
    d.MinorAngle = QvParseNumber(v.minorAngle);
}

void QvFigGridDot::AddPointOnFigure(QvPoint pt, QvSnapPointList& list, int level) {
    if (!QvSnapKindPasses(QvSnap::PointOnGraphPaper, level))
        return;
    const QvEditDataGridDot& d = *m_pGridData;
    QvPoint c[4] = {m_display[0], m_display[1], m_display[2], m_display[3]};
    SortCorners(c);
    const double left = c[0].x, top = c[0].y, bottom = c[3].y;
    const double major = 100.0 * d.MajorSize, minor = 100.0 * d.MinorSize;
    auto usable = [](double step) { return step > 0.0 && std::isfinite(step); };
    // The nearest multiple of step.
    auto nearest = [](double value, double step) { return RoundD(value / step) * step; };
    // The triangular lattice measured from origin.
    auto triangular = [&](QvPoint origin) {
        const double h = major / 2.0, col = major * kHalfRoot3 * 2.0, shift = major * kHalfRoot3;
        const QvVector v = pt - origin;
        const double r = RoundD(v.y / h);
        const bool odd = std::fmod(std::fabs(r), 2.0) == 1.0;
        const double x =
            odd ? RoundD(nearest(v.x - shift, col) + shift) : RoundD(nearest(v.x, col));
        return origin + QvVector(x, h * r);
    };
    QvPoint snapped;
    switch (d.Coord) {
    case QvEditDataGridDot::Cartesian: {
        QvVector v = pt - QvPoint(left, bottom);
        if (d.Style == QvEditDataGridDot::Dots) {
            if (!usable(major))
                return;
            v = QvVector(nearest(v.x, major), nearest(v.y, major));
        } else {
            auto axis = [&](double value, bool log) {
                if (!log)
                    return nearest(value, minor);
                const double u = value / major;
                const double f = u - std::floor(u);
                return (std::floor(u) + std::log10(RoundD(std::pow(10.0, f)))) * major;
            };
            if (!usable(d.xLog ? major : minor) || !usable(d.yLog ? major : minor))
                return;
            v = QvVector(axis(v.x, d.xLog != 0), axis(v.y, d.yLog != 0));
        }
        snapped = QvPoint(left, bottom) + v;
        break;
    }
    case QvEditDataGridDot::Isometric:
    case QvEditDataGridDot::Hexagonal:
        if (!usable(major))
            return;
        snapped = triangular(d.Coord == QvEditDataGridDot::Isometric ? QvPoint(left, bottom)
                                                                     : QvPoint(left, top));
        break;
    case QvEditDataGridDot::Polar: {
        if (!usable(minor) || !usable(d.MinorAngle))
            return;
        const QvPoint centre = QvGRRect(c[0], c[1], c[2], c[3]).GetCentre();
        const QvVector v = pt - centre;
        const double length = nearest(v.Length(), minor);
        const double radians =
            nearest(std::atan2(v.y, v.x) * kDegreesPerRadian, d.MinorAngle) / kDegreesPerRadian;
        snapped = length == 0.0
                      ? centre
                      : centre + QvVector(std::cos(radians) * length, std::sin(radians) * length);
        break;
    }
    default:
        return;
    }
    const QvSnapKind& kind = QvGetSnapTable()[QvSnap::PointOnGraphPaper];
    QvSnapPoint record;
    record.point = snapped;
    record.priority = kind.priority;
    record.label = kind.name;
    record.figure1 = this;
    list.Add(record);
}

void QvFigGridDot::AddShapes(QvShapeList& list, int) {
    if (m_bDeleted)
        return;
    QvShapeRecord record;
    record.SetShape(std::make_unique<QvGRBase>());
    record.figure = this;
    list.Add(std::move(record));
}

QString QvFigGridDot::GetDescription() const {
    return QStringLiteral("Grid / Dots");
}
