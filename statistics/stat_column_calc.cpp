// The one-variable statistics of a column: moments, the ascending table,
// median, quartiles, outer thirds, percentiles and the mode.
#include "settings/stat_options.h"
#include "statistics/stat_column.h"

#include <algorithm>
#include <climits>
#include <cmath>

void QvStatColumn::CalcMoments() {
    long long total = 0;
    sum = sumSquares = 0.0;
    rowsWithCount = filledCount = lastFilledRow = 0;
    // The product is kept as a sum of logarithms and a sign, so that it does
    // not depend on the order of the rows and cannot overflow on the way.
    double logSum = 0.0;
    bool negative = false;
    bool zero = false;
    for (int r = 0; r < Rows; ++r) {
        QvStatCell& cell = cells[size_t(r)];
        const double x = cell.value;
        if (x == QvStatEmpty)
            cell.count = 0;
        const int c = cell.count;
        if (c != 0) {
            sum += c * x;
            sumSquares += x * x * c;
            if (x == 0.0)
                zero = true;
            logSum += c * std::log(std::fabs(x));
            if (x < 0.0 && c % 2 != 0)
                negative = !negative;
        }
        total += c;
        if (c > 0)
            ++rowsWithCount;
        if (x != QvStatEmpty) {
            ++filledCount;
            lastFilledRow = r + 1;
        }
    }
    n = int(std::clamp<long long>(total, INT_MIN, INT_MAX));
    // A product above 1e100 has no root to report, whichever order the rows
    // come in.
    product =
        zero || logSum > 100.0 * std::log(10.0) ? 0.0 : (negative ? -1.0 : 1.0) * std::exp(logSum);
    if (n < 1) {
        productRoot = 0.0;
        return;
    }
    mean = sum / n;
    // Deviations from the mean, not sumSquares / n - mean², which loses
    // every digit to rounding when the values are large against their
    // spread (and can come out below 0).  The second sum corrects the
    // rounding of the mean.
    double dev = 0.0, devSquares = 0.0, absDev = 0.0;
    for (const QvStatCell& cell : cells) {
        if (cell.count == 0)
            continue;
        const double d = cell.value - mean;
        dev += cell.count * d;
        devSquares += cell.count * d * d;
        absDev += cell.count * std::fabs(d);
    }
    variance = std::max(0.0, (devSquares - dev * dev / n) / n);
    if (!std::isfinite(variance))
        variance = 0.0;
    productRoot = product > 0.0 && std::isfinite(product) ? std::exp(logSum / n) : 0.0;
    sd = std::sqrt(variance);
    // One observation has no spread to estimate.
    sampleSD = n > 1 ? std::sqrt(n * variance / (n - 1)) : 0.0;
    meanAbsDev = absDev / n;
}

void QvStatColumn::Sort() {
    // Each text is read as a number once, not at every comparison.
    struct Key {
        double value;
        double textNumber;
        bool hasText;
        short index;
    };
    std::array<Key, Rows> keys;
    for (int i = 0; i < Rows; ++i) {
        const QvStatCell& c = cells[size_t(i)];
        keys[size_t(i)] = {c.value, QvParseNumber(c.text), !c.text.isEmpty(), short(i)};
    }
    const bool group = type == Group;
    auto movesPast = [group](const Key& t, const Key& e) {
        if (t.value > e.value)
            return true;
        if (group)
            return false;
        return e.hasText && e.textNumber < t.textNumber;
    };
    // Insertion from the back: stable, and quick on a column already in
    // order.
    for (int i = Rows - 2; i >= 0; --i) {
        const Key t = keys[size_t(i)];
        int j = i + 1;
        for (; j < Rows && movesPast(t, keys[size_t(j)]); ++j)
            keys[size_t(j - 1)] = keys[size_t(j)];
        keys[size_t(j - 1)] = t;
    }
    for (int i = 0; i < Rows; ++i) {
        QvStatSortCell& s = sorted[size_t(i)];
        const QvStatCell& c = cells[size_t(keys[size_t(i)].index)];
        s.value = c.value;
        s.count = c.count;
        s.text = c.text;
        s.row = keys[size_t(i)].index;
    }
    sortedValid = true;
}

double QvStatColumn::ValueAt(int k) const {
    if (k < 0 || k >= n)
        return QvStatEmpty;
    long long running = 0;
    for (const QvStatSortCell& s : sorted) {
        running += s.count;
        if (running > k)
            return s.value;
    }
    return QvStatEmpty;
}

void QvStatColumn::CalcMedianQuartiles() {
    Sort();
    median = lowerQuartile = upperQuartile = iqr = 0.0;
    lowerThirdMedian = upperThirdMedian = max = min = range = 0.0;
    if (rowsWithCount == 0)
        return;
    for (int i = filledCount - 1; i >= 0; --i) {
        if (sorted[size_t(i)].count != 0) {
            max = sorted[size_t(i)].value;
            break;
        }
    }
    min = sorted[0].value;
    range = max - min;
    if (rowsWithCount < 2) {
        median = ValueAt(0);
        return;
    }
    int h = n / 2;
    if (g_nQuartileMethod == 2) {
        CalcPercentiles();
        median = percentiles[50];
        upperQuartile = percentiles[75];
        lowerQuartile = percentiles[25];
    } else {
        int m;
        if (n % 2 == 0) {
            median = (ValueAt(h) + ValueAt(h - 1)) / 2;
            m = h - 1;
        } else {
            median = ValueAt(h);
            m = h;
            if (g_nQuartileMethod == 0) {
                m = h - 1;
                h = h + 1;
            }
        }
        // Both halves hold m + 1 values: V(0) to V(m) and V(h) to V(n - 1).
        const int q = (m + 1) / 2;
        lowerQuartile = (m + 1) % 2 == 0 ? (ValueAt(q) + ValueAt(q - 1)) / 2 : ValueAt(q);
        upperQuartile = n - h == 2 * q ? (ValueAt(h + q) + ValueAt(h + q - 1)) / 2 : ValueAt(h + q);
    }
    iqr = upperQuartile - lowerQuartile;
    // The medians of the lowest and of the highest t values; with fewer
    // than three values there are none.
    const int t = n / 3;
    const int u = t / 2;
    if (t == 0)
        return;
    if (t % 2 == 0) {
        lowerThirdMedian = (ValueAt(u) + ValueAt(u - 1)) / 2;
        upperThirdMedian = (ValueAt(n - u) + ValueAt(n - u - 1)) / 2;
    } else {
        lowerThirdMedian = ValueAt(u);
        upperThirdMedian = ValueAt(n - u - 1);
    }
}

void QvStatColumn::CalcPercentiles() {
    // The frequency table below would count the class lower bounds; a group
    // column's percentiles are those of its midpoints.
    if (type == Group) {
        RecalcGrouped();
        return;
    }
    if (!frequencyTableValid)
        BuildFrequencyTable(0.0);
    if (n <= 0)
        return;
    if (g_nPercentileMethod == 0) {
        const double d = (n - 1.0) / 100;
        for (int k = 0; k <= 100; ++k) {
            const double p = k * d;
            // Rounding can put p a hair above n - 1, whose ceiling is no
            // position.
            const int lo = std::min(int(std::floor(p)), n - 1);
            const int hi = std::min(int(std::ceil(p)), n - 1);
            const double vlo = ValueAt(lo);
            percentiles[size_t(k)] = vlo + (ValueAt(hi) - vlo) * (p - lo);
        }
    } else {
        for (int k = 1; k < 100; ++k) {
            const double p = double(k) * n / 100.0;
            const int i = int(std::floor(p));
            percentiles[size_t(k)] = p - i > 1e-7 ? ValueAt(i) : (ValueAt(i) + ValueAt(i - 1)) / 2;
        }
        percentiles[0] = ValueAt(0);
        percentiles[100] = ValueAt(n - 1);
    }
    static constexpr int kStanines[10] = {0, 4, 11, 23, 40, 60, 77, 89, 96, 100};
    for (int i = 0; i < 10; ++i)
        stanineBounds[size_t(i)] = percentiles[size_t(kStanines[i])];
}

void QvStatColumn::CalcMode() {
    BuildFrequencyTable(0.0);
    if (n <= 0)
        return;
    int best = classes[0].count;
    int k = 1;
    double first = classes[0].value;
    double second = 0.0;
    for (int i = 1; i < Rows; ++i) {
        const QvStatCell& c = classes[size_t(i)];
        if (c.count > best) {
            best = c.count;
            k = 1;
            first = c.value;
            second = 0.0;
        } else if (c.count == best) {
            ++k;
            second = c.value;
        }
    }
    // Every value once, or more than two values equally often: no mode.
    if (best == 1 || k > 2)
        mode = QvStatMode();
    else
        mode = {k, first, second};
}
