// The statistics of a group column: each cell a class (lower bound as
// value, upper bound as text, frequency as count), replaced by its midpoint.
#include "statistics/stat_column.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Widths are differences of typed bounds, which the binary doubles do not
// hold exactly: 1.6 - 1.5 and 1.7 - 1.6 differ in the last bits.  Equal
// to nine significant digits of the bounds is equal.
bool SameWidth(double width, double first, double lo, double hi) {
    const double scale = std::max({std::fabs(lo), std::fabs(hi), std::fabs(first)});
    return std::fabs(width - first) <= 1e-9 * scale;
}

} // namespace

void QvStatColumn::RecalcGrouped() {
    groupNoCounts = true;
    groupGap = groupOverlap = groupUnevenWidth = false;
    min = max = range = 0.0;
    Sort();
    int classCount = 0;
    lastFilledRow = 0;
    for (int r = 0; r < Rows; ++r) {
        if (cells[size_t(r)].value != QvStatEmpty)
            lastFilledRow = r + 1;
    }
    for (QvStatSortCell& s : sorted) {
        if (s.value == QvStatEmpty)
            continue;
        ++classCount;
        // A class cannot hold fewer than no observations.
        s.count = std::max(s.count, 0);
        if (s.count > 0)
            groupNoCounts = false;
    }
    rowsWithCount = classCount;

    if (!groupNoCounts) {
        double width = 0.0;
        double previousHi = 0.0;
        for (int i = 0; i < classCount; ++i) {
            QvStatSortCell& s = sorted[size_t(i)];
            const double lo = s.value;
            double hi = QvTextToNumber(s.text);
            if (hi == QvStatEmpty) {
                if (i + 1 < classCount)
                    hi = sorted[size_t(i + 1)].value;
                else
                    // A lone class without an upper bound has no width.
                    hi = i > 0 ? lo + width : lo;
            }
            if (i > 0) {
                if (lo > previousHi)
                    groupGap = true;
                else if (lo < previousHi)
                    groupOverlap = true;
            }
            s.text = QvFormatNumberPlain(hi);
            s.value = (hi + lo) / 2;
            if (i == 0) {
                min = lo;
                width = hi - lo;
            } else if (!SameWidth(hi - lo, width, lo, hi)) {
                groupUnevenWidth = true;
            }
            previousHi = hi;
        }
        max = previousHi;
        range = max - min;
    }

    // The midpoints, weighted by the class counts, as a column of numbers.
    auto work = std::make_unique<QvStatColumn>();
    for (int i = 0; i < Rows; ++i) {
        const QvStatSortCell& s = sorted[size_t(i)];
        work->cells[size_t(i)] = {s.value, std::max(s.count, 0), s.text};
    }
    work->Recalc();
    work->CalcPercentiles();

    rowsWithCount = work->rowsWithCount;
    filledCount = work->filledCount;
    lowerThirdMedian = work->lowerThirdMedian;
    upperThirdMedian = work->upperThirdMedian;
    percentiles = work->percentiles;
    stanineBounds = work->stanineBounds;
    productRoot = work->productRoot;
    product = work->product;
    mean = work->mean;
    median = work->median;
    sampleSD = work->sampleSD;
    sd = work->sd;
    variance = work->variance;
    meanAbsDev = work->meanAbsDev;
    iqr = work->iqr;
    sum = work->sum;
    sumSquares = work->sumSquares;
    lowerQuartile = work->lowerQuartile;
    upperQuartile = work->upperQuartile;
    n = work->n;
    mode = work->mode;
}
