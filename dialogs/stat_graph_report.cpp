// The statistics report of the Statistics Graph Properties dialog: the
// one-variable report of a column around its writer, the two-variable
// (regression) report of a pair of columns, and the text poured into the
// report box with its markup applied.
#include "dialogs/stat_graph_dlg.h"

#include "statistics/stat_fit.h"
#include "statistics/stat_rich_text.h"
#include "text/number_text.h"

#include <QFontMetricsF>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <memory>

namespace {

const QString kBreak = QStringLiteral("\r\n");

QString Fmt(double v) {
    return QvFormatNumber(v, 8);
}

QString FmtSigned(double v) {
    return QvFormatSignedNumber(v, 8);
}

using Writer = void (QvStatColumn::*)(QString&, QvStatRichText&);

// In the order of the report kinds' list.
constexpr Writer kWriters[] = {
    &QvStatColumn::WriteSummaryReport,         &QvStatColumn::WriteFullReport,
    &QvStatColumn::WriteQuartileReport,        &QvStatColumn::WriteDecileReport,
    &QvStatColumn::WritePercentileReport,      &QvStatColumn::WriteStanineReport,
    &QvStatColumn::WriteCentralTendencyReport, &QvStatColumn::WriteDispersionReport,
    &QvStatColumn::WriteCentralDispersionReport};

// The short label and title of a column as the report prints them, each
// as typed: a "#" or "~" in them is never markup.
struct Names {
    QString label;
    QString title;
};

Names NamesOf(const QvStatColumn& column, const QvStatRichText& m) {
    const QString title = column.name.isEmpty() ? column.symbol : column.name;
    return {m.Literal(column.symbol), m.Literal(title)};
}

// The summary of one column under a two-variable fit: median, spread and
// ends after a median line, else mean, standard deviation and sums.
void ColumnBlock(QString& out, QvStatColumn& c, const Names& names, bool medianForm,
                 const QvStatRichText& m) {
    const QString& l = names.label;
    out += QStringLiteral("\r\n\r\nStatistics for ") + names.title + kBreak + kBreak;
    out += QStringLiteral("n\t=\t") + Fmt(c.n) + kBreak;
    if (medianForm) {
        out += QStringLiteral("Median\t\t=\t") + Fmt(c.median) + kBreak;
        out += QStringLiteral("IQR\t\t=\t") + Fmt(c.iqr) +
               m.Smaller(QStringLiteral(" (InterQuartile Range)\r\n"));
        out += QStringLiteral("Range\t\t=\t") + Fmt(c.range) + kBreak;
        out += QStringLiteral("Minimum\t=\t") + Fmt(c.min) + kBreak;
        out += QStringLiteral("Maximum\t=\t") + Fmt(c.max) + kBreak;
        return;
    }
    out += QStringLiteral("Mean\t=\t") + Fmt(c.mean) + kBreak;
    out += QStringLiteral("s") + m.Subscript(l) + QStringLiteral("\t=\t") + Fmt(c.sampleSD) +
           m.Smaller(QStringLiteral(" (Sample Standard Deviation)\r\n"));
    out += m.SymbolFace(QStringLiteral("s")) + m.Superscript(QStringLiteral("2")) +
           m.Subscript(l) + QStringLiteral("\t=\t") + Fmt(c.variance) +
           m.Smaller(QStringLiteral(" (Variance)\r\n"));
    out += QStringLiteral("Range\t=\t") + Fmt(c.range) + kBreak;
    const QString total = m.SymbolFace(QStringLiteral("S")) + m.Smaller(l);
    out += total + QStringLiteral("\t=\t") + Fmt(c.sum) +
           m.Smaller(QStringLiteral(" (Sum of Scores)\r\n"));
    out += total + m.Superscript(QStringLiteral("2")) + QStringLiteral("\t=\t") +
           Fmt(c.sumSquares) + m.Smaller(QStringLiteral(" (Sum of Scores Squared)\r\n"));
}

// The fit's coefficients and equation, or the line of its failure.
void FitBlock(QString& out, const QvStatFitResult& f, const Names& x, const Names& y,
              const QvStatRichText& m) {
    const QString pair = m.Subscript(x.label + y.label);
    const QString nLine = QStringLiteral("n\t=\t") + Fmt(f.n) + kBreak;
    const QString rLine = QStringLiteral("r") + pair + QStringLiteral("\t=\t") + Fmt(f.cOrR) +
                          m.Smaller(QStringLiteral(" (Correlation Coefficient)\r\n"));
    const QString aPlain = QStringLiteral("a\t=\t") + Fmt(f.a) + kBreak;
    const QString bPlain = QStringLiteral("b\t=\t") + Fmt(f.b) + kBreak + kBreak;
    const QString aNoted = QStringLiteral("a\t=\t") + Fmt(f.a) +
                           m.Smaller(QStringLiteral(" (y intercept)\r\n"));
    const QString bNoted = QStringLiteral("b\t=\t") + Fmt(f.b) +
                           m.Smaller(QStringLiteral(" (slope)\r\n\r\n"));
    const QString lhs = y.title + QStringLiteral("'\t=\t") + Fmt(f.a);
    const QString straight = lhs + QStringLiteral(" ") + FmtSigned(f.b) + x.title + kBreak + kBreak;
    switch (f.status) {
    case QvStatFit::Linear:
        out += nLine + rLine + aNoted + bNoted + straight;
        out += QStringLiteral("s") + pair + QStringLiteral("\t=\t") + Fmt(f.covariance) +
               m.Smaller(QStringLiteral(" (Covariance)\r\n"));
        out += m.SymbolFace(QStringLiteral("S")) + m.Smaller(x.label + y.label) +
               QStringLiteral("\t=\t") + Fmt(f.sumOfProducts) +
               m.Smaller(QStringLiteral(" (Sum of products)\r\n"));
        break;
    case QvStatFit::Quadratic:
        out += nLine + aPlain + QStringLiteral("b\t=\t") + Fmt(f.b) + kBreak +
               QStringLiteral("c\t=\t") + Fmt(f.cOrR) + kBreak + kBreak;
        out += lhs + QStringLiteral(" ") + FmtSigned(f.b) + x.title + QStringLiteral(" ") +
               FmtSigned(f.cOrR) + x.title + m.Superscript(QStringLiteral("2\r\n\r\n"));
        break;
    case QvStatFit::Power:
        out += nLine + rLine + aPlain + bPlain;
        out += lhs + x.title + m.Superscript(Fmt(f.b) + kBreak + kBreak);
        break;
    case QvStatFit::Exponential:
        out += nLine + rLine + aPlain + bPlain;
        out += lhs + QStringLiteral("e") + m.Superscript(Fmt(f.b) + x.title + kBreak + kBreak);
        break;
    case QvStatFit::Logarithmic:
        out += nLine + rLine + aPlain + bPlain;
        out += lhs + FmtSigned(f.b) + QStringLiteral("ln(") + x.title + QStringLiteral(")") +
               kBreak + kBreak;
        break;
    case QvStatFit::MedianMedian:
        out += nLine + aNoted + bNoted + straight;
        break;
    case QvStatFit::Reciprocal:
        out += nLine + rLine + aPlain + bPlain;
        out += lhs + QStringLiteral(" ") + FmtSigned(f.b) + QStringLiteral(" / ") + x.title +
               kBreak + kBreak;
        break;
    default:
        out += QvStatFit::StatusText(f.status);
        break;
    }
}

} // namespace

QString CStatGraphDlg::BuildOneVariableReport(QvStatData& data, int column, int kind) {
    QString out;
    // Only the lettered columns have a one-variable report.
    if (column < 0 || column >= QvStatData::Lettered)
        return out;
    QvStatColumn& c = data.columns[size_t(column)];
    if (c.type < QvStatColumn::Data || c.type > QvStatColumn::Frequency)
        return out;
    c.Recalc();
    if (c.n == 0)
        return QStringLiteral("No Data\r\n");
    switch (c.type) {
    case QvStatColumn::Label:
        return QStringLiteral("Label column.  No statistics available");
    case QvStatColumn::Group:
        c.WriteGroupCautions(out);
        break;
    case QvStatColumn::Frequency:
        out += QStringLiteral("PLEASE NOTE:\r\nFrequency column statistics usually have no "
                              "mathematical meaning.\r\n\r\n");
        break;
    default:
        break;
    }
    if (kind >= 0 && kind < int(std::size(kWriters))) {
        QvStatRichText markup;
        (c.*kWriters[kind])(out, markup);
    }
    return out;
}

QString CStatGraphDlg::BuildTwoVariableReport(QvStatData& data, int xCol, int yCol, int model) {
    if (!data.Column(xCol) || !data.Column(yCol))
        return {};
    // Its working columns are too big for the stack.
    const auto fit = std::make_unique<QvStatFit>();
    fit->SetData(&data);
    QvStatFitResult result;
    fit->Calc(result, xCol, yCol, model);
    return TwoVariableReportText(data, xCol, yCol, result);
}

QString CStatGraphDlg::TwoVariableReportText(QvStatData& data, int xCol, int yCol,
                                             const QvStatFitResult& fit) {
    QString out;
    QvStatColumn* x = data.Column(xCol);
    QvStatColumn* y = data.Column(yCol);
    if (!x || !y)
        return out;
    const QvStatRichText m;
    const Names xNames = NamesOf(*x, m);
    const Names yNames = NamesOf(*y, m);
    const int rows = QvStatData::RowNumberColumn;
    auto followedByFrequency = [&](int col) {
        return col < rows && data.columns[size_t(col + 1)].type == QvStatColumn::Frequency;
    };
    if (followedByFrequency(xCol) && followedByFrequency(yCol))
        out += QStringLiteral("WARNING! - Both of your columns \r\nhas a freqency column.  The "
                              "maximum\r\nof the two frequencies will be used\r\n\r\n");
    if (x->type != QvStatColumn::Data || y->type != QvStatColumn::Data)
        out += QStringLiteral("WARNING! - One or both of your columns \r\nis not a data column.  "
                              "Statistics on other\r\ntypes of columns often have no\r\n"
                              "mathematical meaning\r\n\r\n");
    if (fit.unpaired && xCol != rows && yCol != rows)
        out += QStringLiteral("WARNING! - Your columns include some unmatched\r\ndata points. "
                              "This may be an error.\r\n\r\n");
    FitBlock(out, fit, xNames, yNames, m);

    x->Recalc();
    y->Recalc();
    const bool medianForm = fit.status == QvStatFit::MedianMedian;
    if (xCol != rows)
        ColumnBlock(out, *x, xNames, medianForm, m);
    if (yCol != xCol && yCol != rows)
        ColumnBlock(out, *y, yNames, medianForm, m);
    return out;
}

QFont CStatGraphDlg::ReportFont() {
    return QFont(QStringLiteral("Arial"), 10);
}

qreal CStatGraphDlg::ReportTabDistance(const QFontMetricsF& metrics) {
    auto width = [&](const char* label) {
        return metrics.horizontalAdvance(QString::fromLatin1(label));
    };
    // The texts line their "=" signs up with tab stops at equal steps d:
    // "Median" needs none to reach d, "Minimum" and "Maximum" one (after
    // "Median\t\t"), "Harmonic Mean" one where others have two, and "Mean
    // Absolute Deviation" one where others have three.
    const qreal above = std::max({width("Median"), width("Harmonic Mean") / 2.0,
                                  width("Mean Absolute Deviation") / 3.0});
    const qreal upTo = std::min({width("Minimum"), width("Maximum"), width("Harmonic Mean")});
    // The middle of the steps that serve.  Half an inch, a word
    // processor's step, serves Arial at 10 pt on a 96 dpi screen by less
    // than a pixel, which leaves "Mean Absolute Deviation=" without a gap,
    // and overruns at other sizes and in other faces.
    if (above < upTo)
        return (above + upTo) / 2.0;
    // A face too unlike Arial for all of them.
    return metrics.fontDpi() / 2.0;
}

void CStatGraphDlg::PourReport(QTextDocument& document, const QString& report) {
    const QFont font = ReportFont();
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(ReportTabDistance(QFontMetricsF(font)));
    document.setDefaultTextOption(option);
    // One block per line: a "\r" of its own would end a block too.
    QString text = report;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    document.setPlainText(text);
    QvStatRichText().ApplyMarkup(document);
}
