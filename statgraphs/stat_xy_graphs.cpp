// The series, pairs, curve formulas and limits of the line, scatter and
// residuals graphs.
#include "statgraphs/stat_xy_graphs.h"

#include "statgraphs/stat_freq_graphs.h"
#include "statistics/stat_data.h"
#include "statistics/stat_formula.h"
#include "text/number_text.h"

#include <algorithm>

namespace {

constexpr double E = QvStatEmpty;

// As the column's getters do: a repaint of unchanged data sorts nothing.
void Refresh(QvStatColumn& c) {
    if (c.dirty) {
        c.Recalc();
        c.dirty = 0;
    }
}

bool HasValues(const QvStatColumn& c) {
    return c.rowsWithCount > 0 && c.n > 0;
}

} // namespace

QString QvStatFormulaName(QvStatData& data, int column) {
    const QvStatColumn* c = data.Column(column);
    if (c && !c->symbol.isEmpty())
        return c->symbol;
    if (column == QvStatData::RowNumberColumn)
        return QStringLiteral("@");
    return column >= 0 && column < QvStatData::Lettered ? QString(QChar(u'A' + column)) : QString();
}

QString QvStatCallText(const char* name, std::initializer_list<QString> args, QChar separator) {
    QString text = QStringLiteral("(") + QLatin1String(name) + QStringLiteral("(");
    bool first = true;
    for (const QString& arg : args) {
        if (!first)
            text += separator;
        text += arg;
        first = false;
    }
    return text + QStringLiteral("))");
}

QString QvLineCurveFormula(int smoothing, const QString& column, int cycleLen, int regType,
                           QChar separator) {
    switch (smoothing) {
    case QvSmoothMovingAverage:
        if (cycleLen < 1)
            return {};
        return QvStatCallText("mpa", {column, QvFormatNumberPlain(cycleLen)}, separator);
    case QvSmoothSeasonalised:
        // A cycle of one row has no seasons; none divides by zero.
        if (cycleLen < 2)
            return {};
        return QvStatCallText("seasonalise", {column, QvFormatNumberPlain(cycleLen)}, separator);
    case QvSmoothPredicted:
        return QvStatCallText(
            "predicty", {QStringLiteral("@"), column, QvFormatNumberPlain(regType)}, separator);
    default:
        return {};
    }
}

QString QvResidualFormula(const QString& x, const QString& y, int regType, QChar separator) {
    return QvStatCallText("residualy",
                          {x.isEmpty() ? QStringLiteral("@") : x, y, QvFormatNumberPlain(regType)},
                          separator);
}

QvLinePlan QvPlanLine(QvStatData& data) {
    const QvStatProperties& p = data.properties;
    QvLinePlan plan;
    double xmin = E, xmax = -E, ymin = E, ymax = -E;
    for (int column : p.dc) {
        if (column == -1)
            continue;
        QvStatColumn* c = data.Column(column);
        plan.columns[size_t(plan.seriesCount)] = column;
        plan.series[size_t(plan.seriesCount++)] = c;
        if (!c)
            continue;
        Refresh(*c);
        const int last = QvLastPairedRow(nullptr, *c);
        xmax = std::max(xmax, double(std::max(last, 0) + 1));
        // A column without values has no extent: its zeros are no values.
        if (!HasValues(*c))
            continue;
        ymin = std::min(ymin, c->min);
        ymax = std::max(ymax, c->max);
        plan.hasData = true;
    }
    plan.xmin = xmin == E ? 0.0 : xmin;
    plan.ymin = ymin == E ? 0.0 : ymin;
    plan.xmax = xmax == -E ? 1.0 : xmax;
    plan.ymax = ymax == -E ? 1.0 : ymax;
    QvApplyFixedLimits(p, plan.hasData, plan.xmin, plan.xmax, plan.ymin, plan.ymax);
    return plan;
}

void QvEvaluateCurve(QvStatData& data, const QString& formula, QvStatColumn& out) {
    out.Clear();
    QvStatFormula f;
    f.SetText(formula);
    // A text not read whole would give a curve of something else.
    if (formula.isEmpty() || f.Compile() != QvStatFormula::kRead)
        return;
    for (int r = 0; r < QvStatColumn::Rows; ++r) {
        const QvStatCell cell = f.Evaluate(&data, r, 0);
        if (cell.value != QvStatRestartValue)
            out.cells[size_t(r)] = cell;
    }
    out.MarkDirty();
}

QvStatPairs QvPackPairs(const QvStatProperties& p, bool allowSingle) {
    std::array<int, QvStatProperties::Series> used{};
    int count = 0;
    for (int column : p.dc) {
        if (column != -1)
            used[size_t(count++)] = column;
    }
    QvStatPairs pairs;
    if (allowSingle && count == 1) {
        pairs.singleColumn = true;
        pairs.count = 1;
        pairs.x[0] = QvStatData::RowNumberColumn;
        pairs.y[0] = used[0];
        return pairs;
    }
    for (int j = 0; j + 1 < count && pairs.count < 5; j += 2) {
        pairs.x[size_t(pairs.count)] = used[size_t(j)];
        pairs.y[size_t(pairs.count)] = used[size_t(j + 1)];
        ++pairs.count;
    }
    return pairs;
}

int QvLastPairedRow(const QvStatColumn* x, const QvStatColumn& y) {
    for (int r = QvStatColumn::Rows - 1; r >= 0; --r) {
        if (y.cells[size_t(r)].value != E && (!x || x->cells[size_t(r)].value != E))
            return r;
    }
    return -1;
}

QvXYLimits QvPlanScatter(QvStatData& data, const QvStatPairs& pairs) {
    const QvStatProperties& p = data.properties;
    QvXYLimits l;
    for (int j = 0; j < pairs.count; ++j) {
        QvStatColumn* x = data.Column(pairs.x[size_t(j)]);
        QvStatColumn* y = data.Column(pairs.y[size_t(j)]);
        if (!x || !y)
            continue;
        Refresh(*x);
        Refresh(*y);
        const bool hasX = HasValues(*x), hasY = HasValues(*y);
        if (j == 0) {
            if (hasX) {
                l.xmin = x->min;
                l.xmax = x->max;
            }
            if (hasY) {
                l.ymin = y->min;
                l.ymax = y->max;
            }
            // The row numbers reach as far as the other column's values.
            if (pairs.x[0] == QvStatData::RowNumberColumn)
                l.xmax = QvLastPairedRow(nullptr, *y) + 2;
            if (pairs.y[0] == QvStatData::RowNumberColumn)
                l.ymax = QvLastPairedRow(nullptr, *x) + 2;
            if (!hasX && !hasY) {
                double xmin = l.xmin, xmax = l.xmax, ymin = l.ymin, ymax = l.ymax;
                QvApplyFixedLimits(p, false, xmin, xmax, ymin, ymax);
                l = {xmin, xmax, ymin, ymax};
            }
            continue;
        }
        // A column without values adds no extent.
        if (hasX) {
            l.xmin = std::min(l.xmin, x->min);
            l.xmax = std::max(l.xmax, x->max);
        }
        if (hasY) {
            l.ymin = std::min(l.ymin, y->min);
            l.ymax = std::max(l.ymax, y->max);
        }
    }
    return l;
}

void QvPlanResidual(QvStatData& data, QvResidualPlan& plan) {
    const QvStatProperties& p = data.properties;
    plan.pairs = QvPackPairs(p, true);
    const QChar separator = QChar(uchar(QvStatFormula().listSeparator));
    double xmin = E, xmax = -E, ymin = E, ymax = -E;
    plan.hasData = false;
    for (int j = 0; j < plan.pairs.count; ++j) {
        const int xi = plan.pairs.x[size_t(j)], yi = plan.pairs.y[size_t(j)];
        QvStatColumn* x = data.Column(xi);
        QvStatColumn* y = data.Column(yi);
        if (!plan.residuals[size_t(j)])
            plan.residuals[size_t(j)] = std::make_unique<QvStatColumn>();
        QvStatColumn& work = *plan.residuals[size_t(j)];
        if (!x || !y) {
            work.Clear();
            plan.last[size_t(j)] = 0;
            continue;
        }
        Refresh(*x);
        Refresh(*y);
        plan.last[size_t(j)] = std::max(QvLastPairedRow(x, *y), 0);
        const QString sx = plan.pairs.singleColumn ? QString() : QvStatFormulaName(data, xi);
        QvEvaluateCurve(
            data, QvResidualFormula(sx, QvStatFormulaName(data, yi), p.RegType, separator), work);
        Refresh(work);
        xmax = std::max(xmax, xi == QvStatData::RowNumberColumn ? double(plan.last[size_t(j)] + 1)
                              : HasValues(*x)                   ? x->max
                                                                : -E);
        if (HasValues(work)) {
            ymin = std::min(ymin, work.min);
            ymax = std::max(ymax, work.max);
        }
        plan.hasData = plan.hasData || HasValues(*x);
    }
    QvXYLimits& l = plan.limits;
    l.xmin = xmin == E ? 0.0 : xmin;
    l.ymin = ymin == E ? 0.0 : ymin;
    l.xmax = xmax == -E ? 1.0 : xmax;
    l.ymax = ymax == -E ? 1.0 : ymax;
    QvApplyFixedLimits(p, plan.hasData, l.xmin, l.xmax, l.ymin, l.ymax);
}
