// An artificial time series in the first rows of a column.
#include "platform/crt_random.h"
#include "statistics/stat_column.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// A draw from -1 to 1, both ends possible.
double Signed() {
    return CrtRand() * 2 / 32767.0 - 1;
}

} // namespace

void QvStatColumn::GenerateTimeSeries(int period, double a, double b, double c, int model,
                                      double noise, double seasonal, int rowCount) {
    if (period < 1 || period > Rows)
        return;
    rowCount = std::clamp(rowCount, 0, int(Rows));
    const bool known = model >= 1 && model <= 7;
    double largest = -1e14, smallest = 1e15;
    for (int i = 0; i < rowCount; ++i) {
        QvStatCell& cell = cells[size_t(i)];
        if (known) {
            double v = QvStatEmpty;
            switch (model) {
            case 2:
                v = a + b * i + c * i * i;
                break;
            case 3:
                // 0 to a negative power has no value.
                if (i > 0 || b >= 0)
                    v = a * std::pow(double(i), b);
                break;
            case 4:
                v = a * std::exp(b * i);
                break;
            case 5:
                if (i > 0)
                    v = a + b * std::log(double(i));
                break;
            case 7:
                if (std::fabs(double(i)) > 1e-7)
                    v = a + b / i;
                break;
            default: // 1, and 6, the median-median line
                v = a + b * i;
                break;
            }
            cell.value = std::isfinite(v) ? v : QvStatEmpty;
        }
        cell.count = cell.value == QvStatEmpty ? 0 : 1;
        if (cell.count != 0) {
            largest = std::max(largest, cell.value);
            smallest = std::min(smallest, cell.value);
        }
    }

    const double spread = largest - smallest;
    double u = 100;
    if (spread > 1)
        u = 10;
    if (spread > 100)
        u = 1;
    if (spread > 1000)
        u = 0.1;

    std::array<double, Rows> pattern;
    double total = 0.0;
    for (int k = 0; k < period - 1; ++k) {
        pattern[size_t(k)] = spread * Signed() * 2 * seasonal;
        total += pattern[size_t(k)];
    }
    pattern[size_t(period - 1)] = -total;

    // The noise is never scaled by less than 0.4, however small the
    // seasonal pattern asked for.
    if (seasonal < 0.4)
        seasonal = 0.4;
    for (int i = 0; i < rowCount; ++i) {
        QvStatCell& cell = cells[size_t(i)];
        if (cell.value == QvStatEmpty)
            continue;
        const double r = Signed();
        const double v = cell.value + pattern[size_t(i % period)] + spread * r * seasonal * noise;
        cell.value = std::floor(v * u + 0.5) / u;
        if (!std::isfinite(cell.value)) {
            cell.value = QvStatEmpty;
            cell.count = 0;
        }
    }
}
