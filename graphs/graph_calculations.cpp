// What a function graph works out beyond its curves: the area of an
// integral, the tangent of a derivative, the report lines of both and of a
// picked intersection, and the picking of points with the mouse.
#include "graphs/graph.h"

#include "geometry/point.h"
#include "platform/dc.h"
#include "settings/fill_style.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/font_select.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kIntersectionKind = 9;

bool Undefined(double v) {
    return !std::isfinite(v) || std::fabs(v) == QvUndefinedValue;
}

bool IsFunctionIndex(int i) {
    return i >= 0 && i < QvGraph::kFunctionCount;
}

// A limit text's value, read as the equations read number texts.
double LimitValue(const QString& text) {
    QvEquation equation;
    equation.SetText(text, &TheEquationOptions());
    return equation.GetValue();
}

QString Number(double v, int digits) {
    QString out;
    QvFormatDouble(out, v, digits, TheEquationOptions().m_decimalPoint);
    return out;
}

} // namespace

// --- values --------------------------------------------------------------------

QvIntegralValues QvGraph::IntegralValues(CPoint* polygon) const {
    QvIntegralValues result;
    const QvIntegralRecord& r = data.integral;
    if (!IsFunctionIndex(r.functionA) || (r.functionB != -1 && !IsFunctionIndex(r.functionB))) {
        result.defined = false;
        return result;
    }
    const QvFunction& f = functionObjects[r.functionA];
    const QvFunction* g = r.functionB == -1 ? nullptr : &functionObjects[r.functionB];
    auto difference = [&](double x, double* fy, double* gy) {
        *fy = f.Evaluate(x).second;
        *gy = g ? g->Evaluate(x).second : 0.0;
        if (Undefined(*fy) || Undefined(*gy))
            result.defined = false;
        return *fy - *gy;
    };

    const double a = LimitValue(r.lowerText), b = LimitValue(r.upperText);
    const double h = (b - a) / (kIntegralSamples - 1);
    double s = 0.0, area = 0.0, x = a;
    for (int k = 0; k < kIntegralSamples; ++k, x += h) {
        double fy, gy;
        const double d = difference(x, &fy, &gy);
        s += d;
        area += std::fabs(d);
        if (polygon) {
            const int px = Round(XToDevice(x));
            polygon[k] = CPoint(px, Round(YToDevice(fy)));
            polygon[2 * kIntegralSamples - 1 - k] = CPoint(px, Round(YToDevice(gy)));
        }
    }
    double fy, gy;
    const double da = difference(a, &fy, &gy), db = difference(b, &fy, &gy);
    result.signedArea = (2.0 * s - da - db) * h / 2.0;
    // Limits the wrong way round measure the same area.
    result.area = std::fabs((2.0 * area - std::fabs(da) - std::fabs(db)) * h / 2.0);
    return result;
}

QvTangentValues QvGraph::TangentValues() const {
    QvTangentValues result;
    const int i = data.derivative.function;
    if (!IsFunctionIndex(i)) {
        result.defined = false;
        return result;
    }
    const QvFunction& f = functionObjects[i];
    result.x = LimitValue(data.derivative.xText);
    result.slope = f.Derivative(result.x);
    result.y = f.Evaluate(result.x).second;
    result.defined = !Undefined(result.y) && !Undefined(result.slope);
    return result;
}

// --- drawing -------------------------------------------------------------------

QvLogFont QvGraph::ReportFont(CDC* dc) const {
    QvLogFont font(data.ReportFont);
    if (dc->GetMapMode() == MM_TEXT)
        font.m_drawHeight /= 100;
    return font;
}

CPoint QvGraph::ReportPlace(const QvLogFont& font) const {
    const int bottom = yUp ? data.plotTopLeft.y : data.plotBottomRight.y;
    return CPoint(data.plotTopLeft.x, bottom + int(2 * font.m_drawHeight * ySign));
}

void QvGraph::ClearPicks() {
    for (int i = 0; i < kFunctionCount; ++i) {
        data.functions[i].selectedPoint = -1;
        functionObjects[i].data.selectedPoint = -1;
    }
    data.intersection.state = 0;
}

void QvGraph::DrawCalculations(CDC* dc) {
    const QvEquationOptions* options = &TheEquationOptions();
    const QvLogFont font = ReportFont(dc);
    auto report = [&](const QString& text) {
        QvEquation line;
        line.SetPenWidth(dc->GetMapMode() == MM_TEXT ? 1 : 25);
        line.SetText(text, options);
        const CPoint at = ReportPlace(font);
        const UINT align = dc->SetTextAlign(TA_BASELINE | TA_LEFT);
        line.Draw(dc, at.x, at.y, options, &font);
        dc->SetTextAlign(align);
    };

    const int fa = data.integral.functionA, fb = data.integral.functionB;
    // An index a file left behind measures nothing.
    if (IsFunctionIndex(fa) && (fb == -1 || IsFunctionIndex(fb))) {
        CPoint polygon[2 * kIntegralSamples];
        const QvIntegralValues values = IntegralValues(polygon);
        {
            LOGBRUSH log = QvFillStyle().FillStyleToLogBrush(UINT(integralFillStyle));
            log.lbColor = integralFillColor;
            CBrush brush(log);
            CDCSelect<CPen> noPen(dc, NULL_PEN);
            CDCSelect<CBrush> fill(dc, &brush);
            const int mode = dc->SetPolyFillMode(WINDING);
            dc->Polygon(polygon, 2 * kIntegralSamples);
            dc->SetPolyFillMode(mode);
        }
        if (data.integral.showResult) {
            QvIntegralRecord& r = data.integral;
            // A sample without a value would make the sums meaningless:
            // the label stands alone then.
            if (values.defined) {
                const int d = std::max(digits - 3, 0);
                r.labelText += QStringLiteral("  =  ") + Number(values.signedArea, d) +
                               QStringLiteral("    (Area = ") + Number(values.area, d) +
                               QStringLiteral(")");
            }
            report(r.labelText);
            ClearPicks();
        }
    }

    if (data.derivative.function != -1) {
        const QvTangentValues t = TangentValues();
        if (t.defined) {
            const double half = ((xMaxValue - xMinValue) / 25) / std::sqrt(t.slope * t.slope + 1);
            CDCSelect<CPen> black(dc, BLACK_PEN);
            CDCSelect<CBrush> hollow(dc, NULL_BRUSH);
            dc->MoveTo(Round(XToDevice(t.x - half)), Round(YToDevice(t.y - half * t.slope)));
            dc->LineTo(Round(XToDevice(t.x + half)), Round(YToDevice(t.y + half * t.slope)));
            const int cx = Round(XToDevice(t.x)), cy = Round(YToDevice(t.y));
            dc->Ellipse(cx - 100, cy - 100, cx + 100, cy + 100);
        }
        if (data.derivative.showResult) {
            QvDerivativeRecord& r = data.derivative;
            if (t.defined)
                r.labelText += QStringLiteral("  =  ") + Number(t.slope, digits);
            report(r.labelText);
            ClearPicks();
        }
    }
}

void QvGraph::DrawIntersectionReport(CDC* dc) {
    const QvIntersectionRecord& r = data.intersection;
    if (r.state != kIntersectionKind)
        return;
    const int u = dc->GetMapMode() == MM_TEXT ? 1 : 100;
    {
        CDCSelect<CBrush> hollow(dc, NULL_BRUSH);
        const int cx = Round(XToDevice(r.x)), cy = Round(YToDevice(r.y));
        dc->Ellipse(cx - u, cy - u, cx + u, cy + u);
    }
    if (!IsFunctionIndex(r.first) || !IsFunctionIndex(r.second))
        return;

    const QvEquationOptions* options = &TheEquationOptions();
    const QvLogFont font = ReportFont(dc);
    QvLogFont black(font);
    black.m_color = 0;
    const CPoint at = ReportPlace(font);
    int x = at.x;
    const UINT align = dc->SetTextAlign(TA_BASELINE | TA_LEFT);
    auto caption = [&](int i) {
        QvFunctionStr text;
        text.SetPenWidth(u == 1 ? 1 : 25);
        text.SetText(data.functions[i].caption, options);
        QvLogFont coloured(font);
        coloured.m_color = data.functions[i].m_Color;
        text.SetPenColour(coloured.m_color);
        x += std::abs(text.Draw(dc, x, at.y, options, &coloured).width);
    };
    auto plain = [&](const QString& text) {
        QvFontSelect select;
        select.SetFont(black);
        select.Select(dc);
        dc->TextOut(x, at.y, text);
        x += std::abs(dc->GetTextExtent(text).cx);
        select.Restore(dc);
    };
    caption(r.first);
    plain(QStringLiteral("  &  "));
    caption(r.second);
    plain(QStringLiteral("  : Point of Intersection "));
    plain(QStringLiteral("(") + Number(r.x, digits) + QStringLiteral(", ") + Number(r.y, digits) +
          QStringLiteral(")"));
    dc->SetTextAlign(align);
}

// --- picking -------------------------------------------------------------------

BOOL QvGraph::FindPointsAt(int x, int y) {
    data.calcShown = 0;
    data.integral.showResult = 0;
    data.derivative.showResult = 0;

    // The first two curves under the pointer; a y = curve goes first.
    int a = -1, b = -1;
    for (int i = 0; i < kFunctionCount && b < 0; ++i) {
        if (!functionObjects[i].HitTest(x, y))
            continue;
        (a < 0 ? a : b) = i;
    }
    if (b >= 0 && functionObjects[a].data.kind == 3)
        std::swap(a, b);

    QvPickedPointList& list = *picked;
    const CPoint p(x, y);
    if (p != lastPick) {
        list.count = 0;
        pickIndex = 0;
        if (b >= 0) {
            const QvFunction& fa = functionObjects[a];
            const int kind = fa.data.kind;
            if (kind == 1 || kind == 3) {
                double wx, wy;
                if (kind == 1) {
                    wx = fa.DeviceToX(x);
                    wy = fa.Evaluate(wx).second;
                } else {
                    wy = fa.DeviceToY(y);
                    wx = fa.Evaluate(wy).second;
                }
                const auto [ix, iy] = fa.Intersect(&functionObjects[b], wx, wy);
                if (iy != QvUndefinedValue) {
                    list.points[0] = {ix, iy, 1, int16_t(kIntersectionKind)};
                    list.owners[0] = {-1, -1};
                    data.intersection.first = a;
                    data.intersection.second = b;
                    list.count = 1;
                }
            }
        }
        for (int i = 0; i < kFunctionCount; ++i) {
            QvFunction& f = functionObjects[i];
            if (!f.HasProgram())
                continue;
            const int from = list.count;
            f.AddPointsNear(x, y, &list);
            for (int k = from; k < list.count; ++k)
                list.owners[k].function = i;
        }
    }
    lastPick = p;
    for (QvFunction& f : functionObjects)
        f.SetCurrentPoint(-1);

    if (list.count >= 1) {
        pickIndex = std::clamp(pickIndex, 0, list.count - 1);
        const QvAnalysedPoint& candidate = list.points[pickIndex];
        const QvPickedPointList::Owner& owner = list.owners[pickIndex];
        if (IsFunctionIndex(owner.function)) {
            data.intersection.state = 0;
            functionObjects[owner.function].SetCurrentPoint(owner.point);
        } else {
            data.intersection.x = candidate.x;
            data.intersection.y = candidate.y;
            data.intersection.picked = candidate.confirmed;
            data.intersection.state = candidate.kind;
        }
        pickIndex = (pickIndex + 1) % list.count;
        data.calcShown = 1;
    } else if (a >= 0) {
        functionObjects[a].SetCurrentPoint(-2);
        data.intersection.state = 0;
        data.calcShown = 1;
    } else {
        data.intersection.state = 0;
    }

    for (int i = 0; i < kFunctionCount; ++i)
        data.functions[i].Copy(functionObjects[i].data);
    return TRUE;
}
