// The sequence and random functions of the column formulas.  Each random
// draw is one CrtRand call, in the order the functions have always made
// them, so that a seeded fill gives the same column every time.
#include "platform/crt_random.h"
#include "statistics/stat_data.h"
#include "statistics/stat_fit.h"
#include "statistics/stat_formula.h"

#include <cmath>

namespace {

constexpr double E = QvStatEmpty;
constexpr int Rows = QvStatColumn::Rows;
// Sequence values from here on are too large to show.
constexpr double SequenceLimit = 1000000000.0;
// More trials or draws than this in one cell are refused: a typed formula
// may not keep the program busy for long.
constexpr double MostTrials = 10000;

double Uniform() {
    return CrtRand() / 32767.0;
}

// A probability of 0 never succeeds and one of 1 always does, whatever the
// draw.
bool Succeeds(double p) {
    const double u = Uniform();
    return p >= 1.0 || (p > 0.0 && u <= p);
}

// v truncated towards 0 and kept within lo to hi; lo for what is no
// number.
int Truncate(double v, int lo, int hi) {
    if (!(v >= lo))
        return lo;
    if (!(v <= hi))
        return hi;
    return int(v);
}

double Sequence(double v) {
    return v >= SequenceLimit ? E : v;
}

} // namespace

void QvStatFormula::RunGenerator(int code, Run& run) {
    const int row = run.row;
    double* const s = state;
    switch (code) {
    case StatInc: {
        const double n = Pop().value, step = Pop().value, start = Pop().value;
        Push(row < n ? start + row * step : E);
        break;
    }
    case StatTriangular: {
        const int n = Truncate(Pop().value, -1, Rows + 1);
        const int r = row;
        Push(row < n ? Sequence(((r + 1) * (r + 1) + 1 + r) / 2) : E);
        break;
    }
    case StatFibonacci: {
        const int n = Truncate(Pop().value, -1, Rows + 1);
        const double b = Pop().value, a = Pop().value;
        double v;
        if (row == 0) {
            v = s[0] = a;
        } else if (row == 1) {
            v = s[1] = b;
        } else {
            v = s[0] + s[1];
            s[0] = s[1];
            s[1] = v;
        }
        Push(row < n ? Sequence(v) : E);
        break;
    }
    case StatTribonacci: {
        const int n = Truncate(Pop().value, -1, Rows + 1);
        const double c = Pop().value, b = Pop().value, a = Pop().value;
        double v;
        if (row == 0) {
            v = s[2] = a;
        } else if (row == 1) {
            v = s[1] = b;
        } else if (row == 2) {
            v = s[0] = c;
        } else {
            v = s[0] + s[1] + s[2];
            s[2] = s[1];
            s[1] = s[0];
            s[0] = v;
        }
        Push(row < n ? Sequence(v) : E);
        break;
    }
    case StatRand: {
        const double n = Pop().value;
        const double u = Uniform(); // drawn in every row
        Push(row < n ? u : E);
        break;
    }
    case StatRandBetween: {
        const double n = Pop().value, high = Pop().value, low = Pop().value;
        double v = std::floor((high - low + 1) * Uniform() + low);
        // A draw of 32767 would give high + 1.
        if (high >= low && v > high)
            v = high;
        Push(row < n ? v : E);
        break;
    }
    case StatRandBernoulli: {
        const double n = Pop().value, p = Pop().value;
        if (!(row < n) || !(p >= 0.0 && p <= 1.0)) {
            Push(E);
            break;
        }
        Push(Succeeds(p) ? 1.0 : 0.0);
        break;
    }
    case StatRandBinomial: {
        const double n = Pop().value, p = Pop().value, trials = Pop().value;
        if (!(row < n) || !(p >= 0.0 && p <= 1.0) || !(trials <= MostTrials)) {
            Push(E);
            break;
        }
        int count = 0;
        for (int k = 1; k <= trials; ++k)
            count += Succeeds(p);
        Push(count);
        break;
    }
    case StatRandGeometric: {
        const int n = Truncate(Pop().value, -1, Rows + 1);
        const double p = Pop().value;
        if (row >= n || !(p >= 0.001 && p <= 1.0)) {
            Push(E);
            break;
        }
        int draws = 1;
        while (!Succeeds(p))
            ++draws;
        Push(draws);
        break;
    }
    case StatRandNegBinomial: {
        const int n = Truncate(Pop().value, -1, Rows + 1);
        const double p = Pop().value;
        const int r = Truncate(Pop().value, -1, 101);
        if (row >= n || !(p >= 0.01 && p <= 1.0) || r < 4 || r > 100) {
            Push(E);
            break;
        }
        int draws = 0;
        for (int successes = 0; successes < r; ++draws)
            successes += Succeeds(p);
        Push(draws);
        break;
    }
    case StatRandHypergeometric: {
        const int n = Truncate(Pop().value, -1, Rows + 1);
        double successes = std::trunc(Pop().value);
        double population = std::trunc(Pop().value);
        const double draws = std::trunc(Pop().value);
        if (row >= n || !(population >= successes) || !(population >= draws) ||
            !(draws <= MostTrials)) {
            Push(E);
            break;
        }
        // population is at least 1 before every draw: it starts at draws
        // or more and loses one per draw.
        int count = 0;
        for (int k = 0; k < draws; ++k) {
            if (Succeeds(successes / population)) {
                ++count;
                successes -= 1;
            }
            population -= 1;
        }
        Push(count);
        break;
    }
    case StatRandNormal:
        RunRandNormal(run);
        break;
    case StatBiDataGen:
    case StatTsdGen:
        RunDataGenerator(code, run);
        break;
    default:
        // Not a generator: the function takes its arguments and gives an
        // empty cell.
        for (int i = ArgumentCount(code); i > 0; --i)
            Pop();
        Push(E);
        break;
    }
}

// n values whose mean is exactly `mean` and whose standard deviation (of
// divisor n) is exactly `sd` before they are rounded to hundredths: state[0]
// holds the sum of the standard values still to come and state[1] the sum
// of their squares.  The last two are solved for; when no pair fits, the
// cell asks the caller to fill the column again.
void QvStatFormula::RunRandNormal(Run& run) {
    const double n = Pop().value, sd = Pop().value, mean = Pop().value;
    const double r = run.row;
    double* const s = state;
    if (run.row == 0) {
        s[0] = 0.0;
        s[1] = n;
    }
    // Drawn in every row.
    int sum = 0;
    for (int i = 0; i < 6; ++i)
        sum += CrtRand();
    double z = (sum / 32767.0 - 3.0) * 1.46;
    if (std::fabs(s[0] - z) > 2.5)
        z = -z;
    if ((s[1] - z * z) * 2 < (s[0] - z) * (s[0] - z))
        z = z / 2;
    if (z * z > 6)
        z = z / 4;

    double v = E;
    if (r >= n) {
        v = E;
    } else if (r < n - 2) {
        s[0] -= z;
        s[1] -= z * z;
        v = sd * z + mean;
    } else if (r == n - 2) {
        const double d = 8 * s[1] - 4 * s[0] * s[0];
        if (d < 0) {
            Push(QvStatRestartValue);
            return;
        }
        const double e = std::sqrt(d);
        v = sd * ((2 * s[0] + e) / 4) + mean;
        s[0] = (2 * s[0] - e) / 4;
    } else if (r == n - 1) {
        v = sd * s[0] + mean;
    }
    // A count that is no whole number leaves rows without a value.
    if (v != E)
        v = std::floor(v * 100 + 0.5) / 100;
    Push(v);
}

void QvStatFormula::RunDataGenerator(int code, Run& run) {
    const int row = run.row;
    if (code == StatBiDataGen) {
        const int n = Truncate(Pop().value, 0, Rows);
        const double r = Pop().value;
        const int model = Truncate(Pop().value, -1, 100);
        const double c = Pop().value, b = Pop().value, a = Pop().value;
        const double xHigh = Pop().value, xLow = Pop().value;
        const Arg y = Pop();
        // The y values need a lettered column to go to; a model that makes
        // no data must not empty it either.
        if (n < 1 || (a == 0 && b == 0 && c == 0) || !(xHigh > xLow) || !(r > 0 && r <= 1) ||
            y.code < 0 || y.code >= QvStatData::Lettered || model < QvStatFit::Linear ||
            model > QvStatFit::Reciprocal) {
            Push(E);
            return;
        }
        if (row == 0) {
            Work(0).Clear();
            Work(1).Clear();
            Fit(run.data).GenerateBivariate(xLow, xHigh, a, b, c, model, r, n, Work(0), Work(1));
        }
        QvStatColumn& target = run.data->columns[size_t(y.code)];
        target.cells[size_t(row)] = Work(1).cells[size_t(row)];
        target.MarkDirty();
        run.emptyReads = 0;
        Push(Work(0).cells[size_t(row)].value);
        return;
    }

    const int n = Truncate(Pop().value, 0, Rows + 1);
    Pop(); // k: not used
    const double seasonal = Pop().value, noise = Pop().value;
    const int model = Truncate(Pop().value, -1, 100);
    const double c = Pop().value, b = Pop().value, a = Pop().value;
    const int period = Truncate(Pop().value, 0, Rows + 1);
    // A period or count beyond the 500 rows is refused rather than cut.
    if (n < 1 || n > Rows || period < 1 || period > Rows || (a == 0 && b == 0 && c == 0)) {
        Push(E);
        return;
    }
    if (row == 0) {
        Work().Clear();
        Work().GenerateTimeSeries(period, a, b, c, model, noise, seasonal, n);
    }
    run.emptyReads = 0;
    Push(Work().cells[size_t(row)].value);
}
