// The frequency and class tables of a column, in `classes`: distinct values
// with their total counts, running totals, or classes of a width.  Entries
// in use come first; the first entry holding the empty value ends them.
#include "statistics/stat_column.h"

#include <climits>
#include <cmath>

namespace {

// Counts of a table stay within an int however large the typed counts.
void AddCount(int& to, long long c) {
    to = int(std::clamp<long long>(to + c, INT_MIN, INT_MAX));
}

// 1, 2 and 5 in each decade, then the stop value.
constexpr double kNiceWidths[] = {
    0.0001, 0.0002, 0.0005, 0.001, 0.002, 0.005, 0.01,    0.02,    0.05,    0.1,  0.2,  0.5,
    1,      2,      5,      10,    20,    50,    100,     200,     500,     1000, 2000, 5000,
    10000,  20000,  50000,  1e5,   2e5,   5e5,   1000000, 2000000, 5000000, 1e7,  9e99};

} // namespace

int QvStatColumn::BuildFrequencyTable(double tolerance) {
    CalcMoments();
    Sort();
    EmptyClasses();
    int g = 0;
    if (rowsWithCount > 0) {
        classes[0] = sorted[0];
        double first = sorted[0].value;
        for (int i = 1; i < Rows; ++i) {
            const QvStatSortCell& e = sorted[size_t(i)];
            // Measured from the first value of the class, not the previous
            // one, so a class never spans more than the tolerance.
            if (std::fabs(first - e.value) > tolerance || e.value == QvStatEmpty) {
                if (e.value != QvStatEmpty) {
                    classes[size_t(++g)] = e;
                    first = e.value;
                }
            } else {
                AddCount(classes[size_t(g)].count, e.count);
            }
        }
    }
    frequencyTableValid = true;
    return g + 1;
}

void QvStatColumn::BuildCumulativeFrequencyTable(double tolerance) {
    BuildFrequencyTable(tolerance);
    int running = 0;
    for (QvStatCell& c : classes) {
        if (c.value == QvStatEmpty)
            continue;
        AddCount(running, c.count);
        c.count = running;
    }
    // The counts are no longer frequencies.
    frequencyTableValid = false;
}

void QvStatColumn::GroupByWidth(double w) {
    Recalc();
    EmptyClasses();
    frequencyTableValid = false;
    if (!(w > 0.0) || !std::isfinite(w) || rowsWithCount == 0)
        return;
    FillClasses(std::floor(min / w) * w - w / 2, w, false);
}

void QvStatColumn::GroupByCount(int classCount) {
    Recalc();
    double w = range == 0.0 || classCount < 2 ? 1.0 : range / (classCount - 1);
    for (double nice : kNiceWidths) {
        if (!(nice < w) || nice == 9e99) {
            w = nice;
            break;
        }
    }
    EmptyClasses();
    frequencyTableValid = false;
    if (classCount < 1 || rowsWithCount == 0)
        return;
    FillClasses(std::floor(min / w) * w - w / 2, w, true);
}

void QvStatColumn::FillClasses(double start, double w, bool includeMax) {
    // A value this close to a bound is on it: bounds are computed, and
    // 0.0095 must open the class at 0.0095 whatever the last bits say.
    const double tol = 1e-9 * w;
    int made = 0;
    for (; made < Rows; ++made) {
        // Each bound from the start, not by adding widths, which drifts.
        const double bound = start + made * w;
        if (includeMax ? !(bound <= max + tol) : !(bound < max - tol))
            break;
        QvStatCell& c = classes[size_t(made)];
        c.value = bound;
        c.count = 0;
        c.text = QvFormatNumberPlain(start + (made + 1) * w);
    }
    for (const QvStatCell& cell : cells) {
        if (cell.count == 0)
            continue;
        const double x = cell.value + tol;
        int above = 0;
        while (above < made && !(classes[size_t(above)].value > x))
            ++above;
        // Past the classes made: the next entry holds the empty value, above
        // any value but the largest; with all 500 made there is none.
        if (above == made && (made == Rows || !(QvStatEmpty > x)))
            continue;
        if (above > 0)
            AddCount(classes[size_t(above - 1)].count, cell.count);
    }
}

double QvStatColumn::NiceClassWidth(double low, double high, int classCount) {
    const double q = (high - low) / classCount;
    if (!(q > 0.0))
        return 0.0;
    for (double nice : kNiceWidths) {
        if (!(nice < q))
            return nice;
    }
    return 9e99;
}

void QvStatColumn::GroupByClasses(const QvStatSortCell* source) {
    int other = -1;
    for (int i = 0; i < Rows; ++i) {
        QvStatCell& c = classes[size_t(i)];
        c.value = source[i].value;
        c.count = 0;
        c.text = source[i].text;
        if (other < 0 && c.value == QvStatEmpty)
            other = i;
    }
    // The entry after the last class collects what falls in no class.
    if (other >= 0)
        classes[size_t(other)].text = QStringLiteral("Other");
    for (const QvStatCell& cell : cells) {
        if (cell.count == 0)
            continue;
        const double x = cell.value;
        int above = 0;
        while (above < Rows && !(classes[size_t(above)].value > x))
            ++above;
        if (above == Rows)
            continue;
        if (above > 0 && x < QvTextToNumber(classes[size_t(above - 1)].text))
            AddCount(classes[size_t(above - 1)].count, cell.count);
        else if (other >= 0)
            AddCount(classes[size_t(other)].count, cell.count);
    }
    if (other >= 0 && classes[size_t(other)].count == 0)
        classes[size_t(other)].text.clear();
    frequencyTableValid = false;
}
