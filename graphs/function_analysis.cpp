// Curve analysis: the special points of a y-of-x or x-of-y curve, found
// while it is sampled.  Candidates come from the samples (a change of sign,
// a largest or smallest |f'|), each is refined by one Newton-like step and
// 30 halvings, and kept only when it meets its tolerance.
#include "graphs/function.h"

#include "platform/dc.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/font_select.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr double S = QvUndefinedValue;
constexpr int kHalvings = 30;
constexpr double kInterceptTolerance = 1e-8;
constexpr double kSlopeTolerance = 0.0001;
constexpr double kBendTolerance = 0.01;
constexpr float kSameSlope = 0.000001f;
constexpr double kFlatStep = 0.001;

// Kinds of analysed points.
constexpr int kStationary = 1;
constexpr int kInflection = 2;
constexpr int kYIntercept = 3;
constexpr int kXIntercept = 4;
constexpr int kFlatInflection = 5;
constexpr int kRejected = 6;
constexpr int kMaximum = 7;
constexpr int kMinimum = 8;

bool Undefined(double v) {
    return std::fabs(v) == S;
}

// Whether |c - v| misses the tolerance; a value that is no number misses.
bool Misses(double c, double v, double tolerance) {
    return !(std::fabs(c - v) < tolerance);
}

} // namespace

double QvFunction::SecondDerivative(double t) const {
    const double h = step / 1000;
    return (Value(t + 2 * h) - 2 * Value(t + h) + Value(t)) / (h * h);
}

void QvFunction::AddAnalysedPoint(double x, double y, int kind) {
    const int r = analysedCount < kMostAnalysedPoints ? analysedCount : kMostAnalysedPoints;
    analysedPoints[r] = {x, y, 0, int16_t(kind)};
    if (analysedCount < kMostAnalysedPoints)
        ++analysedCount;
}

void QvFunction::StartAnalysis() {
    analysedCount = 0;
    // A polar point would stay (angle, radius) and a two-part curve has no
    // y of x: neither is analysed.
    if (data.kind != 1 && data.kind != 3)
        return;
    const double y0 = Value(0.0);
    analysedPoints[0] = {0.0, y0, 1, int16_t(Undefined(y0) ? kRejected : kYIntercept)};
    analysedCount = 1;
    m_aboveZero = samples[0].y >= 0.0; // sample 0 is f(plotStart)
    m_lastSlope = 1.0f;
    m_slopeRising = true;
}

void QvFunction::AnalyseSample(int i) {
    if (data.kind != 1 && data.kind != 3)
        return;
    QvCurveSample& s = samples[i];
    if ((s.y >= 0.0) != m_aboveZero) {
        AddAnalysedPoint(s.x, s.y, kXIntercept);
        m_aboveZero = !m_aboveZero;
    }
    s.slope = float(Derivative(s.x));
    const float a = std::fabs(s.slope);
    float d = a - m_lastSlope;
    if (std::fabs(d) < kSameSlope)
        d = 0.0f;
    if ((d >= 0.0f && m_slopeRising) || (d < 0.0f && !m_slopeRising)) {
        m_lastSlope = a;
    } else if (a < m_lastSlope && m_slopeRising) {
        // |f'| has passed a maximum.
        if (i > 2)
            AddAnalysedPoint(s.x, s.y, kInflection);
        m_lastSlope = a;
        m_slopeRising = false;
    } else if (a >= m_lastSlope && !m_slopeRising) {
        // |f'| has passed a minimum.
        if (i > 2)
            AddAnalysedPoint(s.x, s.y, kStationary);
        m_lastSlope = a;
        m_slopeRising = true;
    }
}

void QvFunction::RefineAnalysedPoints() {
    if (data.kind != 1 && data.kind != 3)
        return;
    for (int r = 1; r < analysedCount; ++r) {
        switch (analysedPoints[r].kind) {
        case kStationary:
            RefineTurningPoint(r, 0.0);
            break;
        case kInflection:
            RefineInflection(r, 0.0);
            break;
        case kXIntercept:
            RefineIntercept(r, 0.0);
            break;
        default:
            break;
        }
        // Where the function has no value there is no point to offer.
        QvAnalysedPoint& p = analysedPoints[r];
        if (Undefined(p.x) || Undefined(p.y))
            p.kind = kRejected;
    }
}

void QvFunction::RefineIntercept(int r, double c) {
    QvAnalysedPoint& p = analysedPoints[r];
    const double x = p.x, fx = Value(x);
    double s = Derivative(x);
    if (s == 0.0)
        s = kFlatStep;
    // The root lies behind the candidate: the step goes back.
    if ((fx > c && s < 0.0) || (fx < c && s > 0.0))
        s = -s;
    double a = x, b = x + 3 * (c - p.y) / s;
    if (Value(a) < Value(b))
        std::swap(a, b);
    double m = a;
    for (int k = 0; k < kHalvings; ++k) {
        m = (a + b) / 2;
        if (Value(m) <= c)
            b = m;
        else
            a = m;
    }
    const double fm = Value(m);
    p.x = m;
    p.y = fm;
    if (Misses(c, fm, kInterceptTolerance))
        p.kind = kRejected;
    else
        p.confirmed = 1;
}

void QvFunction::RefineTurningPoint(int r, double c) {
    QvAnalysedPoint& p = analysedPoints[r];
    const double x = p.x, slope = Derivative(x);
    double s = SecondDerivative(x);
    if (s == 0.0)
        s = kFlatStep;
    if ((slope > c && s < 0.0) || (slope < c && s > 0.0))
        s = -s;
    p.x = x + 4 * (c - slope) / s;
    double a = x, b = p.x;
    if (Derivative(a) < Derivative(b))
        std::swap(a, b);
    double m = (a + b) / 2;
    if ((Derivative(a) >= 0.0) == (Derivative(b) >= 0.0)) {
        // The slope keeps its sign: a level point of inflection.
        RefineInflection(r, 0.0);
        m = p.x;
        p.kind = kFlatInflection;
    } else {
        for (int k = 0; k < kHalvings; ++k) {
            if (Derivative(m) <= c)
                b = m;
            else
                a = m;
            m = (a + b) / 2;
        }
        const double bend = SecondDerivative(p.x);
        if (bend < 0.0)
            p.kind = kMaximum;
        else if (bend > 0.0)
            p.kind = kMinimum;
        p.x = m;
        p.y = Value(m);
    }
    if (Misses(c, Derivative(m), kSlopeTolerance))
        p.kind = kRejected;
    else
        p.confirmed = 1;
}

void QvFunction::RefineInflection(int r, double c) {
    QvAnalysedPoint& p = analysedPoints[r];
    const double x = p.x, bend = SecondDerivative(x);
    double s = (SecondDerivative(x + 0.001) - bend) / 0.001;
    if (s == 0.0)
        s = kFlatStep;
    const double d = 4 * (c - bend) / s;
    double b;
    if (bend <= c)
        b = SecondDerivative(x - d) <= c ? x + d : x - d;
    else
        b = SecondDerivative(x - d) >= c ? x + d : x - d;
    double a = x;
    if (SecondDerivative(a) < SecondDerivative(b))
        std::swap(a, b);
    for (int k = 0; k < kHalvings; ++k) {
        const double m = (a + b) / 2;
        if (SecondDerivative(m) <= c)
            b = m;
        else
            a = m;
    }
    const double m = (a + b) / 2;
    p.x = m;
    p.y = Value(m);
    if (Misses(c, SecondDerivative(m), kBendTolerance))
        p.kind = kRejected;
    else
        p.confirmed = 1;
}

// --- the label line --------------------------------------------------------------

QString QvFunction::KindLabel(int kind) {
    switch (kind) {
    case 2:
        return QStringLiteral("  : Point of Inflection ");
    case 3:
        return QStringLiteral("  : y Intercept ");
    case 4:
    case 12:
        return QStringLiteral("  : x Intercept ");
    case 5:
        return QStringLiteral("  : Point of Horizontal Inflection ");
    case 7:
        return QStringLiteral("  : Local Maximum ");
    case 8:
        return QStringLiteral("  : Local Minimum ");
    case 10:
        return QStringLiteral("  : Inverse Turning Point ");
    case 11:
        return QStringLiteral("  : Point of Vertical Inflection ");
    default:
        return QString();
    }
}

QString QvFunction::PointCoordinates(const QvAnalysedPoint& point) const {
    const bool bend = point.kind == kInflection || point.kind == kFlatInflection;
    const int digits = std::max(0, int(bend ? labelDigits - 3 : labelDigits));
    QString x, y;
    QvFormatDouble(x, point.x, digits, data.decimalChar);
    QvFormatDouble(y, point.y, digits, data.decimalChar);
    return QStringLiteral("(") + x + QStringLiteral(", ") + y + QStringLiteral(")   ");
}

void QvFunction::DrawPointLabel(CDC* dc, const QvLogFont& font) {
    const int picked = data.selectedPoint;
    if (picked == -1)
        return;
    const bool text = dc->GetMapMode() == MM_TEXT;
    const int u = text ? 1 : 100;
    // Two font heights below the plot's lower edge.
    const int bottom = yUp ? data.plotTopLeft.y : data.plotBottomRight.y;
    const int ox = data.plotTopLeft.x, oy = bottom + 2 * font.m_drawHeight * ySign;

    // The line is read from its left end along one baseline.
    dc->SetTextAlign(TA_BASELINE);
    const QvEquationOptions* options = &TheEquationOptions();
    QvFunctionStr caption;
    caption.SetText(data.caption, options);
    QvLogFont coloured(font);
    coloured.m_color = data.m_Color;
    const int w1 = std::abs(caption.Draw(dc, ox, oy, options, &coloured).width);

    // A stale or out-of-range index names no point.
    QvFontSelect select;
    select.SetFont(font);
    select.Select(dc);
    if (picked >= 0 && picked < analysedCount && analysedPoints[picked].kind != kRejected) {
        const QvAnalysedPoint& p = analysedPoints[picked];
        {
            CPen pen(PS_INSIDEFRAME, 1, data.m_Color);
            CBrush brush(data.m_Color);
            CDCSelect<CPen> usePen(dc, &pen);
            CDCSelect<CBrush> useBrush(dc, &brush);
            const CPoint at = DevicePoint(p.x, p.y);
            dc->Ellipse(at.x - u, at.y - u, at.x + u, at.y + u);
        }
        const QString label = KindLabel(p.kind);
        dc->TextOut(ox + w1, oy, label);
        const int w2 = label.isEmpty() ? 0 : std::abs(dc->GetTextExtent(label).cx);
        dc->TextOut(ox + w1 + w2, oy, PointCoordinates(p));
    }
    select.Restore(dc);
}
