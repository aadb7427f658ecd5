// Running a column formula's program for one row: operands, the shared
// operators and functions, and the statistics functions.
#include "graphs/function_rules.h"
#include "statistics/normal_integral.h"
#include "statistics/stat_data.h"
#include "statistics/stat_fit.h"
#include "statistics/stat_formula.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double E = QvStatEmpty;
constexpr double S = QvUndefinedValue;
constexpr int Rows = QvStatColumn::Rows;

bool IsLettered(int code) {
    return code >= 0 && code < QvStatData::Lettered;
}

bool IsColumn(int code) {
    return code >= 0 && code < QvStatData::ColumnCount;
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

// A spread this small against the mean is rounding, not data.
bool NoSpread(double sd, double mean) {
    return !(sd > 1e-13 * std::fabs(mean)) || sd == 0.0;
}

} // namespace

QvStatFormula::Arg QvStatFormula::Pop() {
    Arg a;
    a.code = m_stack.IsEmpty() ? -1 : m_stack.GetTopCode();
    a.value = m_stack.PopValue();
    return a;
}

void QvStatFormula::Push(double value, int code) {
    m_stack.PushValue(value);
    if (code != -1)
        m_stack.SetTopCode(code);
    m_stack.SetTopText(QString());
}

void QvStatFormula::Push(double value, const QString& text) {
    m_stack.PushValue(value);
    m_stack.SetTopText(text);
}

void QvStatFormula::Forget(Run& run, const Arg& column) {
    if (IsColumn(column.code) && column.value == E && run.emptyReads > 0)
        --run.emptyReads;
}

QvStatCell QvStatFormula::Evaluate(QvStatData* data, int row, int target) {
    QvStatCell result;
    if (!data || row < 0 || row >= Rows)
        return result;
    while (!m_stack.IsEmpty())
        m_stack.PopValue();
    Run run{data, row, target, 0};
    const double k = QvAngleFactor(angleUnit);
    const double quarter = angleUnit == 1 ? std::numbers::pi / 2 : angleUnit == 2 ? 100.0 : 90.0;

    for (m_entry = 1; m_entry < kProgram && program[m_entry].code != TokEnd; ++m_entry) {
        const QvFunctionToken& entry = program[m_entry];
        const int code = entry.code;
        const int column = ColumnOf(code);
        if (column >= 0) {
            const double v = data->columns[size_t(column)].cells[size_t(row)].value;
            Push(v, column);
            if (v == E)
                ++run.emptyReads;
            continue;
        }
        switch (code) {
        case TokNumber:
            Push(entry.value);
            break;
        case TokPi:
            Push(3.141592654);
            break;
        case StatTokMissing:
            Push(QvStatMissingValue, StatTokMissing);
            break;
        case TokAsin: {
            // Out of range it is the nearer end of the range, not undefined.
            const double v = Pop().value;
            if (v == E)
                Push(E);
            else if (std::fabs(v) >= 1.0)
                Push(v > 0.0 ? quarter : -quarter);
            else
                Push(QvApplyFunction(TokAsin, v, k));
            break;
        }
        case TokAcos: {
            const double v = Pop().value;
            if (v == E)
                Push(E);
            else if (v == 0.0)
                Push(quarter);
            else if (v >= 1.0)
                Push(0.0);
            else if (v <= -1.0)
                Push(2 * quarter);
            else
                Push(QvApplyFunction(TokAcos, v, k));
            break;
        }
        default:
            if (QvIsOperator(code)) {
                const double b = Pop().value, a = Pop().value;
                Push(a == E || b == E ? E : QvApplyOperator(code, a, b));
            } else if (QvIsFunction(code)) {
                const double v = Pop().value;
                Push(v == E ? E : QvApplyFunction(code, v, k));
            } else if (code >= StatFisher) {
                RunStatistics(code, run);
            }
            // Brackets, separators and relations do nothing.
            break;
        }
    }

    result.text = m_stack.GetTopText();
    result.value = m_stack.PopValue();
    // An operation without a finite value (EXP(800)-EXP(800)) is undefined,
    // never a NaN or infinity in a cell.
    if (!std::isfinite(result.value))
        result.value = S;
    result.count = result.value != E ? 1 : 0;
    if (run.emptyReads > 0) {
        result.value = E;
        result.count = 0;
    }
    return result;
}

void QvStatFormula::RunStatistics(int code, Run& run) {
    QvStatData& data = *run.data;
    const int row = run.row;
    switch (code) {
    case StatFisher: {
        const double x = Pop().value;
        Push(x == E ? E : x <= -1.0 || x >= 1.0 ? S : std::log((1.0 + x) / (1.0 - x)) / 2.0);
        break;
    }
    case StatNormP:
    case StatNormQ:
    case StatNormPdf: {
        const double z = Pop().value;
        if (z == E)
            Push(E);
        else
            Push(code == StatNormP   ? QvNormalLowerTail(z)
                 : code == StatNormQ ? QvNormalUpperTail(z)
                                     : QvNormalDensity(z));
        break;
    }
    case StatZScore:
    case StatDeviation: {
        const Arg a = Pop();
        if (!IsColumn(a.code) || a.value == E) {
            Push(E);
            break;
        }
        QvStatColumn& c = data.columns[size_t(a.code)];
        const double mean = c.GetMean();
        if (code == StatDeviation)
            Push(a.value - mean);
        else
            Push(NoSpread(c.GetSD(), mean) ? E : (a.value - mean) / c.GetSD());
        break;
    }
    case StatStandardize: {
        const double s = Pop().value, m = Pop().value;
        const Arg a = Pop();
        if (!IsColumn(a.code) || a.value == E) {
            Push(E);
            break;
        }
        QvStatColumn& c = data.columns[size_t(a.code)];
        const double mean = c.GetMean(), sd = c.GetSD();
        Push(NoSpread(sd, mean) ? E : (a.value - mean) / sd * s + m);
        break;
    }
    case StatRound: {
        const int d = Truncate(Pop().value, -400, 400);
        const double v = Pop().value;
        if (v == E) {
            Push(E);
            break;
        }
        const double p = std::pow(10.0, d);
        const double r = std::floor(v * p + 0.5) / p;
        // Beyond the digits a double holds, rounding leaves the value (or,
        // to the left, nothing of it).
        Push(std::isfinite(r) ? r : d > 0 ? v : 0.0);
        break;
    }
    case StatMpa: {
        const int p = Truncate(Pop().value, -1, 2 * Rows);
        const Arg a = Pop();
        Push(IsColumn(a.code) ? QvStatFit::MovingAverage(data.columns[size_t(a.code)], p, row) : E);
        break;
    }
    case StatPercentile:
    case StatDecile:
    case StatStanine: {
        const Arg a = Pop();
        if (!IsLettered(a.code)) {
            Push(E);
            break;
        }
        QvStatColumn& c = data.columns[size_t(a.code)];
        if (row == 0)
            c.CalcPercentiles();
        const double x = a.value;
        if (x == E) {
            Push(E);
            break;
        }
        if (code == StatStanine) {
            int n = 0;
            while (n < 9 && c.stanineBounds[size_t(n)] < x)
                ++n;
            Push(n == 0 ? 1 : n);
            break;
        }
        int n = 0;
        while (n < 100 && !(c.percentiles[size_t(n)] >= x))
            ++n;
        Push(code == StatDecile ? n / 10.0 : n);
        break;
    }
    case StatSortCol:
    case StatSortColD:
    case StatSort:
    case StatSortD:
    case StatRankA:
    case StatRankD:
        RunSorting(code, run);
        break;
    case StatFreqTable:
    case StatCumFreqTable:
    case StatGroupN:
    case StatGroupW:
    case StatGroupE:
        RunTables(code, run);
        break;
    case StatPredictX:
    case StatPredictY:
    case StatResidualX:
    case StatResidualY:
    case StatSeasonalise:
        RunFits(code, run);
        break;
    default:
        RunGenerator(code, run);
        break;
    }
}

void QvStatFormula::RunSorting(int code, Run& run) {
    QvStatData& data = *run.data;
    const int row = run.row;
    const Arg a = Pop();
    // Only a column letter names a column to sort or rank.
    if (!IsLettered(a.code)) {
        Push(E);
        return;
    }
    QvStatColumn& c = data.columns[size_t(a.code)];
    const bool descending = code == StatSortColD || code == StatSortD || code == StatRankD;
    auto countFilled = [&] {
        m_filled = 0;
        while (m_filled < Rows && c.sorted[size_t(m_filled)].value != E)
            ++m_filled;
    };

    if (code == StatRankA || code == StatRankD) {
        if (row == 0) {
            c.Sort();
            countFilled();
            QvStatColumn& ranks = Work();
            ranks.Clear();
            int position = 0, rank = 0;
            double previous = E;
            for (int i = 0; i < m_filled; ++i) {
                const QvStatSortCell& e = c.sorted[size_t(descending ? m_filled - 1 - i : i)];
                if (e.count <= 0)
                    continue;
                ++position;
                // Equal values share the first one's rank: 1, 2, 2, 4.
                if (position == 1 || e.value != previous)
                    rank = position;
                previous = e.value;
                ranks.cells[size_t(e.row)] = {double(rank), 1, {}};
            }
            ranks.MarkDirty();
        }
        Push(Work().cells[size_t(row)].value);
        return;
    }

    Forget(run, a);
    if (code == StatSortCol || code == StatSortColD) {
        if (row == 0 || !c.sortedValid) {
            if (!c.sortedValid)
                c.Sort();
            countFilled();
        }
        const QvStatSortCell* e = nullptr;
        if (!descending)
            e = &c.sorted[size_t(row)];
        else if (row < m_filled)
            e = &c.sorted[size_t(m_filled - row - 1)];
        // A sorted copy keeps its frequencies.
        const int target = run.target;
        if (IsLettered(target) && target < 25 && a.code < 25 &&
            data.columns[size_t(a.code + 1)].type == QvStatColumn::Frequency) {
            QvStatColumn& right = data.columns[size_t(target + 1)];
            QvStatCell& cell = right.cells[size_t(row)];
            if (e && e->value != E)
                cell = {double(e->count), 1, {}};
            else
                cell = {};
            right.type = QvStatColumn::Frequency;
            right.MarkDirty();
        }
        if (e)
            Push(e->value, e->text);
        else
            Push(E);
        return;
    }

    // SORT and SORTD: the rows of every lettered column follow A.
    if (row == 0) {
        c.Sort();
        countFilled();
    }
    const int index = !descending ? row : row < m_filled ? m_filled - row - 1 : -1;
    if (index >= 0) {
        QvStatSortCell& e = c.sorted[size_t(index)];
        const int from = e.row;
        if (from != row && from >= 0 && from < Rows) {
            for (int col = 0; col < QvStatData::Lettered; ++col) {
                QvStatColumn& each = data.columns[size_t(col)];
                std::swap(each.cells[size_t(from)], each.cells[size_t(row)]);
                each.MarkDirty();
            }
            // What pointed at this row now points where its cells went.
            for (int i = descending ? 0 : index + 1; i < Rows; ++i) {
                QvStatSortCell& other = c.sorted[size_t(i)];
                if (i != index && other.row == row)
                    other.row = from;
            }
            e.row = row;
        }
    }
    if (IsLettered(run.target)) {
        const QvStatCell& own = data.columns[size_t(run.target)].cells[size_t(row)];
        Push(own.value, own.text);
    } else {
        Push(E);
    }
}

void QvStatFormula::RunTables(int code, Run& run) {
    QvStatData& data = *run.data;
    const int row = run.row;
    const int target = run.target;
    Arg size{0.0, -1};
    if (code == StatGroupN || code == StatGroupW)
        size = Pop();
    const Arg a = Pop();
    if (!IsLettered(a.code) || (code == StatGroupE && !IsLettered(target))) {
        Push(E);
        return;
    }
    // Entry `row` of a table has nothing to do with A's cell in this row.
    Forget(run, a);
    QvStatColumn& c = data.columns[size_t(a.code)];
    const bool toRight = IsLettered(target) && target < 25 && a.code < 25;
    auto writeCount = [&](QvStatColumn& column, const QvStatCell& e, bool given) {
        QvStatCell& cell = column.cells[size_t(row)];
        if (given)
            cell = {double(e.count), 1, {}};
        else
            cell = {};
        column.type = QvStatColumn::Frequency;
        column.MarkDirty();
    };

    if (code == StatFreqTable || code == StatCumFreqTable) {
        if (row == 0) {
            c.BuildFrequencyTable(0.0);
            if (code == StatCumFreqTable)
                state[0] = 0.0;
        }
        const QvStatCell& e = c.classes[size_t(row)];
        const bool given = e.value != E;
        if (code == StatFreqTable && toRight) {
            writeCount(data.columns[size_t(target + 1)], e, given);
        } else if (code == StatCumFreqTable && IsLettered(target) && target < 24 && a.code < 24) {
            writeCount(data.columns[size_t(target + 1)], e, given);
            QvStatColumn& running = data.columns[size_t(target + 2)];
            if (given) {
                state[0] += e.count;
                running.cells[size_t(row)] = {state[0], 1, {}};
            } else {
                running.cells[size_t(row)] = {};
            }
            running.MarkDirty();
        }
        Push(e.value);
        return;
    }

    if (row == 0) {
        if (code == StatGroupN) {
            c.GroupByCount(size.code == StatTokMissing ? 10 : Truncate(size.value, 0, 1000000));
        } else if (code == StatGroupW) {
            c.GroupByWidth(size.value);
        } else {
            QvStatColumn& classes = data.columns[size_t(target)];
            classes.Sort();
            c.GroupByClasses(classes.sorted.data());
        }
        if (IsLettered(target)) {
            data.columns[size_t(target)].type = QvStatColumn::Group;
            if (target < 25)
                data.columns[size_t(target + 1)].type = QvStatColumn::Frequency;
        }
    }
    const QvStatCell& e = c.classes[size_t(row)];
    if (toRight) {
        const bool other = code == StatGroupE && e.text == QLatin1StringView("Other");
        writeCount(data.columns[size_t(target + 1)], e, e.value != E || other);
    }
    Push(e.value, e.text);
}

void QvStatFormula::RunFits(int code, Run& run) {
    QvStatData& data = *run.data;
    const QvStatProperties& stored = data.properties;
    if (code == StatSeasonalise) {
        const Arg p = Pop();
        const Arg a = Pop();
        const int column = a.code == StatTokMissing ? stored.col1 : a.code;
        if (!IsLettered(column)) {
            Push(E);
            return;
        }
        if (run.row == 0) {
            const int period = p.code == StatTokMissing ? 4 : Truncate(p.value, -1, Rows);
            Fit(&data).Deseasonalise(period, column, Work());
        }
        Push(Work().cells[size_t(run.row)].value);
        return;
    }

    // Missing arguments take the graph's stored choices.
    const Arg m = Pop();
    const Arg y = Pop();
    const Arg x = Pop();
    const int model = m.code == StatTokMissing ? stored.RegType : Truncate(m.value, -1, 100);
    const int yColumn = y.code == StatTokMissing ? stored.col2 : y.code;
    const int xColumn = x.code == StatTokMissing ? stored.col1 : x.code;
    if (!IsColumn(xColumn) || !IsColumn(yColumn)) {
        Push(E);
        return;
    }
    if (run.row == 0) {
        QvStatFit& fit = Fit(&data);
        switch (code) {
        case StatPredictX:
            fit.PredictXColumn(xColumn, yColumn, model, Work());
            break;
        case StatPredictY:
            fit.PredictColumn(xColumn, yColumn, model, Work());
            break;
        case StatResidualX:
            fit.XResidualColumn(xColumn, yColumn, model, Work());
            break;
        default:
            fit.ResidualColumn(xColumn, yColumn, model, Work());
            break;
        }
    }
    Push(Work().cells[size_t(run.row)].value);
}
