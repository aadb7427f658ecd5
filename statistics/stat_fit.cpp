#include "statistics/stat_fit.h"

#include "platform/crt_random.h"
#include "statistics/stat_data.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int Rows = QvStatColumn::Rows;

// A cell's weight: an empty value counts for nothing whatever its count.
int Weight(const QvStatCell& c) {
    return c.value == QvStatEmpty ? 0 : c.count;
}

bool Finite(double v) {
    return std::isfinite(v);
}

QvStatCell EmptyCell() {
    return {};
}

QvStatCell ValueCell(double v) {
    return Finite(v) ? QvStatCell{v, 1, {}} : EmptyCell();
}

// The model's y at x: NaN or infinity where the curve has none.
double CurveY(int model, double a, double b, double c, double x) {
    switch (model) {
    case QvStatFit::Linear:
    case QvStatFit::MedianMedian:
        return b * x + a;
    case QvStatFit::Quadratic:
        return c * x * x + b * x + a;
    case QvStatFit::Power:
        return a * std::pow(x, b);
    case QvStatFit::Exponential:
        return a * std::exp(x * b);
    case QvStatFit::Logarithmic:
        return x > 0.0 ? b * std::log(x) + a : NAN;
    case QvStatFit::Reciprocal:
        return std::fabs(x) <= 1e-7 ? NAN : b / x + a;
    default:
        return NAN;
    }
}

// The model's x for y: NaN where there is none.
double CurveX(int model, double a, double b, double c, double y) {
    switch (model) {
    case QvStatFit::Linear:
    case QvStatFit::MedianMedian:
        return std::fabs(b) <= 1e-7 ? NAN : (y - a) / b;
    case QvStatFit::Quadratic: {
        const double d = b * b - 4 * c * (a - y);
        if (std::fabs(c) <= 1e-7 || d < 0.0)
            return NAN;
        const double x1 = (-b + std::sqrt(d)) / (2 * c);
        const double x2 = (-b - std::sqrt(d)) / (2 * c);
        return std::fabs(y - x2) <= std::fabs(y - x1) ? x2 : x1;
    }
    case QvStatFit::Power:
        return std::fabs(a) <= 1e-7 || std::fabs(b) <= 1e-7 ? NAN : std::pow(y / a, 1 / b);
    case QvStatFit::Exponential:
        return std::fabs(b) <= 1e-7 || y <= 0.0 || a <= 0.0 ? NAN : (std::log(y) - std::log(a)) / b;
    case QvStatFit::Logarithmic:
        return std::fabs(b) <= 1e-7 ? NAN : std::exp((y - a) / b);
    case QvStatFit::Reciprocal:
        return std::fabs(y - a) <= 1e-7 ? NAN : b / (y - a);
    default:
        return NAN;
    }
}

// Solves m·s = v by elimination with partial pivoting; false when m is
// singular.
bool Solve3(double m[3][3], double v[3], double s[3]) {
    for (int i = 0; i < 3; ++i) {
        int p = i;
        for (int j = i + 1; j < 3; ++j)
            if (std::fabs(m[j][i]) > std::fabs(m[p][i]))
                p = j;
        if (m[p][i] == 0.0)
            return false;
        if (p != i) {
            std::swap(m[p], m[i]);
            std::swap(v[p], v[i]);
        }
        for (int j = i + 1; j < 3; ++j) {
            const double f = m[j][i] / m[i][i];
            for (int k = i; k < 3; ++k)
                m[j][k] -= f * m[i][k];
            v[j] -= f * v[i];
        }
    }
    for (int i = 2; i >= 0; --i) {
        double t = v[i];
        for (int k = i + 1; k < 3; ++k)
            t -= m[i][k] * s[k];
        s[i] = t / m[i][i];
    }
    return true;
}

void EmptyRows(QvStatColumn& c) {
    for (QvStatCell& cell : c.cells)
        cell = EmptyCell();
    c.MarkDirty();
}

// The median of the y values of `k` observations of the count-weighted
// ascending order of x, from the bottom or from the top.
double OuterMedian(const QvStatColumn& x, const QvStatColumn& y, int k, bool top,
                   QvStatColumn& scratch) {
    EmptyRows(scratch);
    int left = k;
    int row = 0;
    for (int step = 0; step < Rows && left > 0; ++step) {
        const QvStatSortCell& e = x.sorted[size_t(top ? Rows - 1 - step : step)];
        if (Weight(e) <= 0)
            continue;
        const int take = std::min(e.count, left);
        scratch.cells[size_t(row++)] = {y.cells[size_t(e.row)].value, take, {}};
        left -= take;
    }
    scratch.CalcMoments();
    scratch.CalcMedianQuartiles();
    return scratch.median;
}

} // namespace

// Weighted moments of the rows two columns both fill, about their means,
// so that values far from 0 keep the digits of their spread.
struct QvStatFit::PairMoments {
    long long xTotal = 0;
    long long yTotal = 0;
    bool oneSided = false; // a row with a count in one column only
    double w = 0.0;
    double meanX = 0.0;
    double meanY = 0.0;
    double sxx = 0.0;
    double syy = 0.0;
    double sxy = 0.0;
    double sumOfProducts = 0.0;
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    double maxY = 0.0;

    PairMoments(const QvStatColumn& x, const QvStatColumn& y) {
        double sx = 0.0, sy = 0.0;
        bool first = true;
        for (int r = 0; r < Rows; ++r) {
            const QvStatCell& cx = x.cells[size_t(r)];
            const QvStatCell& cy = y.cells[size_t(r)];
            const int wx = Weight(cx), wy = Weight(cy);
            xTotal += wx;
            yTotal += wy;
            if ((wx == 0) != (wy == 0))
                oneSided = true;
            if (wx == 0 || wy == 0)
                continue;
            w += wx;
            sx += wx * cx.value;
            sy += wx * cy.value;
            sumOfProducts += cx.value * cy.value * wx;
            if (first) {
                minX = maxX = cx.value;
                minY = maxY = cy.value;
                first = false;
            }
            minX = std::min(minX, cx.value);
            maxX = std::max(maxX, cx.value);
            minY = std::min(minY, cy.value);
            maxY = std::max(maxY, cy.value);
        }
        if (w == 0.0)
            return;
        meanX = sx / w;
        meanY = sy / w;
        // The sums of the deviations correct the rounding of the means.
        double dx = 0.0, dy = 0.0;
        for (int r = 0; r < Rows; ++r) {
            const QvStatCell& cx = x.cells[size_t(r)];
            const QvStatCell& cy = y.cells[size_t(r)];
            const int wx = Weight(cx);
            if (wx == 0 || Weight(cy) == 0)
                continue;
            const double ex = cx.value - meanX, ey = cy.value - meanY;
            dx += wx * ex;
            dy += wx * ey;
            sxx += wx * ex * ex;
            syy += wx * ey * ey;
            sxy += wx * ex * ey;
        }
        sxx -= dx * dx / w;
        syy -= dy * dy / w;
        sxy -= dx * dy / w;
    }

    // Pearson's r; 0 when y does not vary (the fitted line is level).
    double Correlation() const {
        if (minY == maxY || sxx <= 0.0 || syy <= 0.0)
            return 0.0;
        // Only rounding can carry it past ±1.
        return std::clamp(sxy / std::sqrt(sxx * syy), -1.0, 1.0);
    }
};

QvStatFit::QvStatFit() = default;

void QvStatFit::SetData(QvStatData* data) {
    m_data = data;
}

const QvStatFitResult& QvStatFit::Calc(QvStatFitResult& out, int xCol, int yCol, int model) {
    m_result = QvStatFitResult();
    m_x = &m_xWork;
    m_y = &m_yWork;
    const QvStatColumn* xc = m_data ? m_data->Column(xCol) : nullptr;
    const QvStatColumn* yc = m_data ? m_data->Column(yCol) : nullptr;
    long long total = 0;
    for (int r = 0; r < Rows; ++r) {
        QvStatCell& xw = m_xWork.cells[size_t(r)];
        QvStatCell& yw = m_yWork.cells[size_t(r)];
        if (!xc || !yc) {
            xw = yw = EmptyCell();
            continue;
        }
        const QvStatCell& x = xc->cells[size_t(r)];
        const QvStatCell& y = yc->cells[size_t(r)];
        if (x.count == 0 || y.count == 0 || x.value == QvStatEmpty || y.value == QvStatEmpty) {
            if (x.count != 0 || y.count != 0)
                m_result.unpaired = true;
            xw = yw = EmptyCell();
            continue;
        }
        // Texts are left behind: a label read as a number would reorder the
        // ascending table the median-median fit walks.
        const int count = std::max(x.count, y.count);
        xw = {x.value, count, {}};
        yw = {y.value, count, {}};
        total += count;
    }
    m_xWork.MarkDirty();
    m_yWork.MarkDirty();
    m_result.n = int(std::min<long long>(total, INT_MAX));
    FitModel(model);
    m_last = m_result;
    out = m_result;
    return out;
}

void QvStatFit::FitModel(int model) {
    switch (model) {
    case Linear:
        m_result.status = Linear;
        FitCore();
        break;
    case Quadratic:
        FitQuadratic();
        break;
    case Power:
    case Exponential:
    case Logarithmic:
    case Reciprocal:
        FitTransformed(model);
        break;
    case MedianMedian:
        FitMedianMedian();
        break;
    default:
        break;
    }
    RefuseNonFinite();
}

void QvStatFit::RefuseNonFinite() {
    QvStatFitResult& r = m_result;
    if (r.status >= Linear && r.status <= Reciprocal &&
        !(Finite(r.a) && Finite(r.b) && Finite(r.cOrR) && Finite(r.covariance)))
        r.status = InputError;
}

bool QvStatFit::Enough(const PairMoments& m, int least) {
    if (m.xTotal != m.yTotal)
        m_result.status = UnequalCounts;
    else if (m.xTotal < least)
        m_result.status = m.xTotal == 0 ? NoData : least == 3 ? NeedThree : NeedTwo;
    else if (m.oneSided)
        m_result.status = NotPaired;
    else
        return true;
    return false;
}

void QvStatFit::FitCore() {
    const PairMoments m(*m_x, *m_y);
    if (!Enough(m, 2))
        return;
    // A vertical line has no slope.
    if (m.minX == m.maxX || m.sxx <= 0.0) {
        m_result.status = InputError;
        return;
    }
    m_result.covariance = m.sxy / m.w;
    m_result.sumOfProducts = m.sumOfProducts;
    m_result.b = m.sxy / m.sxx;
    m_result.a = m.meanY - m_result.b * m.meanX;
    m_result.cOrR = m.Correlation();
}

void QvStatFit::FitQuadratic() {
    m_result.status = Quadratic;
    const PairMoments m(*m_x, *m_y);
    if (!Enough(m, 3))
        return;
    // The normal equations in u = x - mean x, which keeps x far from 0 from
    // swamping the sums, solved exactly: three distinct x fix one parabola.
    double s[5] = {};
    double t[3] = {};
    double distinct[2] = {};
    int distinctCount = 0;
    for (int r = 0; r < Rows; ++r) {
        const QvStatCell& cx = m_x->cells[size_t(r)];
        const QvStatCell& cy = m_y->cells[size_t(r)];
        const int w = Weight(cx);
        if (w == 0 || Weight(cy) == 0)
            continue;
        if (distinctCount < 3 && (distinctCount < 1 || cx.value != distinct[0]) &&
            (distinctCount < 2 || cx.value != distinct[1])) {
            if (distinctCount < 2)
                distinct[distinctCount] = cx.value;
            ++distinctCount;
        }
        const double u = cx.value - m.meanX;
        double p = w;
        for (int k = 0; k < 5; ++k) {
            s[k] += p;
            if (k < 3)
                t[k] += p * cy.value;
            p *= u;
        }
    }
    if (distinctCount < 3) {
        m_result.status = InputError;
        return;
    }
    double mat[3][3] = {{s[0], s[1], s[2]}, {s[1], s[2], s[3]}, {s[2], s[3], s[4]}};
    double coef[3] = {};
    if (!Solve3(mat, t, coef)) {
        m_result.status = InputError;
        return;
    }
    // Back from u to x: a' + b'u + c'u² with u = x - mean.
    const double mx = m.meanX;
    m_result.cOrR = coef[2];
    m_result.b = coef[1] - 2 * coef[2] * mx;
    m_result.a = coef[0] - coef[1] * mx + coef[2] * mx * mx;
    m_result.sumOfProducts = m.sumOfProducts;
}

void QvStatFit::FitTransformed(int model) {
    m_result.status = model;
    const bool logX = model == Power || model == Logarithmic;
    const bool logY = model == Power || model == Exponential;
    const bool invX = model == Reciprocal;
    // Logarithms need values above 0, the reciprocal an x other than 0.
    for (int r = 0; r < Rows; ++r) {
        const QvStatCell& cx = m_x->cells[size_t(r)];
        const QvStatCell& cy = m_y->cells[size_t(r)];
        const bool badX =
            Weight(cx) != 0 && ((logX && cx.value <= 0.0) || (invX && cx.value == 0.0));
        const bool badY = Weight(cy) != 0 && logY && cy.value <= 0.0;
        if (badX || badY) {
            m_result.status = InputError;
            return;
        }
    }
    auto transform = [](const QvStatColumn& from, QvStatColumn& to, double (*f)(double)) {
        for (int r = 0; r < Rows; ++r) {
            const QvStatCell& c = from.cells[size_t(r)];
            to.cells[size_t(r)] =
                Weight(c) != 0 ? QvStatCell{f(c.value), c.count, {}} : EmptyCell();
        }
        to.MarkDirty();
    };
    auto ln = [](double v) { return std::log(v); };
    auto inverse = [](double v) { return 1.0 / v; };
    if (logX || invX) {
        transform(*m_x, m_t4, logX ? +ln : +inverse);
        m_x = &m_t4;
    }
    if (logY) {
        transform(*m_y, m_t3, +ln);
        m_y = &m_t3;
    }
    FitCore();
    if (m_result.status == model && logY)
        m_result.a = std::exp(m_result.a);
}

void QvStatFit::FitMedianMedian() {
    m_result.status = MedianMedian;
    const PairMoments m(*m_x, *m_y);
    if (!Enough(m, 2))
        return;
    m_x->CalcMoments();
    m_x->CalcMedianQuartiles();
    // The thirds are counted in observations, so a row of count c is c
    // points of the order.
    const int k = int(m.xTotal / 3);
    const double m1 = OuterMedian(*m_x, *m_y, k, false, m_t4);
    const double m3 = OuterMedian(*m_x, *m_y, k, true, m_t4);
    const double run = m_x->upperThirdMedian - m_x->lowerThirdMedian;
    if (k == 0 || run == 0.0) {
        m_result.status = InputError;
        return;
    }
    m_result.b = (m3 - m1) / run;
    for (int r = 0; r < Rows; ++r) {
        const QvStatCell& cx = m_x->cells[size_t(r)];
        const QvStatCell& cy = m_y->cells[size_t(r)];
        m_t4.cells[size_t(r)] = Weight(cx) != 0 && Weight(cy) != 0
                                    ? QvStatCell{cy.value - m_result.b * cx.value, cy.count, {}}
                                    : EmptyCell();
    }
    m_t4.CalcMoments();
    m_t4.CalcMedianQuartiles();
    m_result.a = m_t4.median;
    m_result.cOrR = m.Correlation();
}

QvStatCell QvStatFit::Predict(double x, int model) const {
    if (x == QvStatEmpty || m_last.status != model)
        return EmptyCell();
    return ValueCell(CurveY(model, m_last.a, m_last.b, m_last.cOrR, x));
}

void QvStatFit::PredictColumn(int xCol, int yCol, int model, QvStatColumn& out) {
    QvStatFitResult r;
    Calc(r, xCol, yCol, model);
    const QvStatColumn* xc = m_data ? m_data->Column(xCol) : nullptr;
    for (int row = 0; row < Rows; ++row)
        out.cells[size_t(row)] = xc ? Predict(xc->cells[size_t(row)].value, model) : EmptyCell();
    out.MarkDirty();
}

void QvStatFit::PredictXColumn(int xCol, int yCol, int model, QvStatColumn& out) {
    QvStatFitResult r;
    Calc(r, xCol, yCol, model);
    const QvStatColumn* yc = m_data ? m_data->Column(yCol) : nullptr;
    for (int row = 0; row < Rows; ++row) {
        QvStatCell& cell = out.cells[size_t(row)];
        const double y = yc ? yc->cells[size_t(row)].value : QvStatEmpty;
        // A failed fit's coefficients are not a curve.
        if (y == QvStatEmpty || r.status != model)
            cell = EmptyCell();
        else
            cell = ValueCell(CurveX(model, r.a, r.b, r.cOrR, y));
    }
    out.MarkDirty();
}

namespace {
// Observed minus predicted, in the rows that have a prediction.
void Residuals(const QvStatColumn* observed, QvStatColumn& out) {
    for (int row = 0; row < Rows; ++row) {
        QvStatCell& cell = out.cells[size_t(row)];
        if (cell.count == 0)
            continue;
        const double v = observed ? observed->cells[size_t(row)].value : QvStatEmpty;
        cell = v == QvStatEmpty ? EmptyCell() : ValueCell(v - cell.value);
    }
    out.MarkDirty();
}
} // namespace

void QvStatFit::ResidualColumn(int xCol, int yCol, int model, QvStatColumn& out) {
    PredictColumn(xCol, yCol, model, out);
    Residuals(m_data ? m_data->Column(yCol) : nullptr, out);
}

void QvStatFit::XResidualColumn(int xCol, int yCol, int model, QvStatColumn& out) {
    PredictXColumn(xCol, yCol, model, out);
    Residuals(m_data ? m_data->Column(xCol) : nullptr, out);
}

double QvStatFit::MovingAverage(const QvStatColumn& column, int period, int row) {
    const int h = period / 2;
    if (period < 2 || row < h || row >= Rows - h)
        return QvStatEmpty;
    for (int i = row - h; i <= row + h; ++i)
        if (column.cells[size_t(i)].value == QvStatEmpty)
            return QvStatEmpty;
    double s = column.cells[size_t(row + h)].value + column.cells[size_t(row - h)].value;
    if (period % 2 == 0)
        s /= 2;
    for (int i = row - h + 1; i <= row + h - 1; ++i)
        s += column.cells[size_t(i)].value;
    return s / period;
}

void QvStatFit::Deseasonalise(int period, int col, QvStatColumn& out) {
    const QvStatColumn* x = m_data ? m_data->Column(col) : nullptr;
    const bool usable = x && period >= 1 && period <= 250;
    // Per season: the sum and number of the deviations from the moving
    // average.  A season without one is left as it is.
    double sum[250] = {};
    int count[250] = {};
    if (usable) {
        for (int row = 0; row < Rows; ++row) {
            const double average = MovingAverage(*x, period, row);
            if (average == QvStatEmpty)
                continue;
            sum[row % period] += x->cells[size_t(row)].value - average;
            ++count[row % period];
        }
    }
    for (int row = 0; row < Rows; ++row) {
        QvStatCell& cell = out.cells[size_t(row)];
        const QvStatCell* from = usable ? &x->cells[size_t(row)] : nullptr;
        if (!from || from->value == QvStatEmpty) {
            cell.value = QvStatEmpty;
            cell.count = 0;
            continue;
        }
        const int season = row % period;
        cell.value = from->value - (count[season] ? sum[season] / count[season] : 0.0);
        cell.count = from->count;
    }
    out.MarkDirty();
}

void QvStatFit::GenerateBivariate(double xLow, double xHigh, double a, double b, double c,
                                  int model, double r, int n, QvStatColumn& xOut,
                                  QvStatColumn& yOut) {
    r = std::fabs(r);
    if (model < Linear || model > Reciprocal || n < 1 || !(xHigh > xLow) || !Finite(xLow) ||
        !Finite(xHigh) || !(r > 0.0 && r <= 1.0) || !Finite(a) || !Finite(b) || !Finite(c))
        return;
    n = std::min(n, int(Rows));
    const double range = xHigh - xLow;
    const double q = range > 1000 ? 0.1 : range > 100 ? 1 : range > 1 ? 10 : 100;
    auto snap = [q](double v) { return std::floor(v * q + 0.5) / q; };
    auto draw = [] { return CrtRand() / 32767.0; };

    EmptyRows(xOut);
    EmptyRows(yOut);
    EmptyRows(m_xWork);
    EmptyRows(m_yWork);
    for (int i = 0; i < n; ++i) {
        const double raw = range * draw() + xLow;
        // Rounding to the step may not leave the range.
        double x = snap(raw);
        if (x > xHigh)
            x = std::floor(xHigh * q) / q;
        if (x < xLow)
            x = std::ceil(xLow * q) / q;
        if (x > xHigh || x < xLow)
            x = raw;
        xOut.cells[size_t(i)] = m_xWork.cells[size_t(i)] = {x, 1, {}};
    }

    // The clean curve, in yOut until the end.  A point off the model's
    // domain has no y and takes no part in the fits.
    for (int i = 0; i < n; ++i) {
        const double x = xOut.cells[size_t(i)].value;
        const bool inDomain = model == Power || model == Logarithmic ? x > 0.0 : true;
        const double y = inDomain ? CurveY(model, a, b, c, x) : NAN;
        if (Finite(y)) {
            yOut.cells[size_t(i)] = {y, 1, {}};
            // Without a pass (|r| of 0.99 and above) the points lie on the
            // curve.
            m_yWork.cells[size_t(i)] = {snap(y), 1, {}};
        } else {
            m_xWork.cells[size_t(i)] = EmptyCell();
        }
    }
    m_xWork.MarkDirty();
    yOut.MarkDirty();

    // The quadratic's noise spans a third of the curve's rise over |r|; the
    // rise is taken from the cells, whatever type the caller's column has.
    double s = 1.0;
    if (model == Quadratic) {
        double low = INFINITY, high = -INFINITY;
        for (int i = 0; i < n; ++i) {
            const QvStatCell& clean = yOut.cells[size_t(i)];
            if (clean.count != 0) {
                low = std::min(low, clean.value);
                high = std::max(high, clean.value);
            }
        }
        s = high >= low ? (high - low) / 3.0 / r : 0.0;
    }

    double achieved = 1.0;
    int m = n;
    for (int passes = 0; std::fabs(r - achieved) > 0.01 && passes < 100; ++passes) {
        for (int i = 0; i < m; ++i) {
            const double u = draw();
            const QvStatCell& clean = yOut.cells[size_t(i)];
            if (clean.count != 0)
                m_yWork.cells[size_t(i)] = {snap(clean.value + (u - 0.5) * s), 1, {}};
        }
        m_yWork.MarkDirty();
        m_x = &m_xWork;
        m_y = &m_yWork;
        m_result = QvStatFitResult();
        FitModel(model);
        if (model == Quadratic)
            achieved = r;
        else if (m_result.status == model)
            achieved = std::fabs(m_result.cOrR);
        else
            // Too few points leave nothing to tune; a value the model cannot
            // take (a y pushed to 0 or below under a logarithm) asks for
            // less noise.
            achieved = m_result.status == InputError ? 0.0 : r;

        const double d = achieved - r;
        if (d > 0.01) {
            s *= 1.01;
            m = n / 3;
        }
        if (d > 0.05) {
            s *= 1.1;
            m = n;
        }
        if (d > 0.1)
            s *= 1.8;
        const double e = r - achieved;
        if (e > 0.01) {
            s *= 0.99;
            m = n / 3;
        }
        if (e > 0.05) {
            s *= 0.9;
            m = n;
        }
        if (e > 0.1)
            s *= 0.6;
    }
    for (int i = 0; i < n; ++i)
        yOut.cells[size_t(i)] = m_yWork.cells[size_t(i)];
    yOut.MarkDirty();
}

QString QvStatFit::StatusText(int status) {
    switch (status) {
    case InputError:
        return QStringLiteral("Error in Input Values\r\n");
    case NoData:
        return QStringLiteral("No Data\r\n");
    case UnequalCounts:
        return QStringLiteral("Different Number of Scores in Each Column\r\n");
    case NotPaired:
        return QStringLiteral("Data not Paired\r\n");
    case NeedTwo:
        return QStringLiteral("Need Two or More Data Points\r\n");
    case NeedThree:
        return QStringLiteral("Need Three or More Data Points\r\n");
    default:
        return {};
    }
}
