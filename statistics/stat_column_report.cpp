// The nine one-variable reports of a column: plain text with tabs before
// the equals signs and "\r\n" line breaks, the runs that look different
// wrapped in the report markup.
#include "statistics/stat_column.h"

#include "settings/stat_options.h"
#include "statistics/stat_rich_text.h"

#include <cstdlib>

namespace {

const QString kBreak = QStringLiteral("\r\n");

QString Num(double x) {
    return QvFormatNumber(x, 8);
}

QString Idx(int j) {
    return QvFormatNumber(j, 3);
}

// Writes one column's report lines; `eq` is the tab run and equals sign
// of most lines.
class Writer {
public:
    Writer(QvStatColumn& column, QString& report, const QvStatRichText& markup)
        : c(column), out(report), m(markup), symbol(markup.Literal(column.symbol)) {}

    void Heading() {
        if (!c.name.isEmpty())
            out += QStringLiteral("Statistics for ") + m.Literal(c.name) + kBreak + kBreak;
    }

    void Line(const QString& label, const QString& tabs, double value) {
        out += label + tabs + QStringLiteral("=\t") + Num(value) + kBreak;
    }

    // A value line whose note is in smaller text, the line break with it.
    void NotedLine(const QString& label, const QString& tabs, double value, const QString& note) {
        out += label + tabs + QStringLiteral("=\t") + Num(value) +
               m.Smaller(QStringLiteral(" (") + note + QStringLiteral(")") + kBreak);
    }

    void ModeLine(const QString& tabs) {
        const QvStatMode& mode = c.mode;
        if (mode.modeCount == 0)
            out += QStringLiteral("No Mode") + kBreak;
        else if (mode.modeCount == 1)
            Line(QStringLiteral("Mode"), tabs, mode.firstMode);
        else if (mode.modeCount == 2)
            out += QStringLiteral("Bimodal:") + tabs + Num(mode.firstMode) + QStringLiteral(" & ") +
                   Num(mode.secondMode) + kBreak;
    }

    // The standard deviation, the sample one when the options show it, and
    // the variance, whose equals sign follows `varianceTabs`.
    void SpreadLines(const QString& varianceTabs) {
        const QString sigma = m.SymbolFace(QStringLiteral("s"));
        const QString pop = g_bShowSampleSD ? QStringLiteral("Population ") : QString();
        NotedLine(sigma + m.Subscript(symbol), QStringLiteral("\t"), c.sd,
                  pop + QStringLiteral("Standard Deviation"));
        if (g_bShowSampleSD)
            NotedLine(QStringLiteral("s") + m.Subscript(symbol), QStringLiteral("\t"), c.sampleSD,
                      QStringLiteral("Sample Standard Deviation"));
        NotedLine(sigma + m.Superscript(QStringLiteral("2")) + m.Subscript(symbol), varianceTabs,
                  c.variance, QStringLiteral("Variance"));
    }

    // n over the sum of count / value, of the values the statistics were
    // taken from (a group column's midpoints); it needs every value above 0.
    void HarmonicMeanLine(const QString& tabs) {
        double reciprocals = 0.0;
        bool able = c.n > 0;
        for (const QvStatSortCell& s : c.sorted) {
            if (s.count == 0 || s.value == QvStatEmpty)
                continue;
            if (!(s.value > 0.0)) {
                able = false;
                break;
            }
            reciprocals += s.count / s.value;
        }
        if (able && reciprocals > 0.0)
            Line(QStringLiteral("Harmonic Mean"), tabs, c.n / reciprocals);
        else
            out += QStringLiteral("Harmonic Mean Not Able to be Calculated") + kBreak;
    }

    void IqrRangeMadLines(const QString& tabs) {
        NotedLine(QStringLiteral("IQR"), tabs, c.iqr, QStringLiteral("InterQuartile Range"));
        Line(QStringLiteral("Range"), tabs, c.range);
        Line(QStringLiteral("Mean Absolute Deviation"), QStringLiteral("\t"), c.meanAbsDev);
    }

    void QuartileLines(const QString& tabs) {
        NotedLine(QStringLiteral("UQ"), tabs, c.upperQuartile, QStringLiteral("Upper Quartile"));
        NotedLine(QStringLiteral("LQ"), tabs, c.lowerQuartile, QStringLiteral("Lower Quartile"));
    }

    void DecileLines(const QString& tabs) {
        out += kBreak + QStringLiteral("Deciles") + kBreak;
        for (int j = 1; j <= 10; ++j)
            Line(QStringLiteral("D") + m.Subscript(Idx(j)), tabs, c.percentiles[size_t(10 * j)]);
    }

    void StanineLines(const QString& tabs) {
        const QString le = m.SymbolFace(QString(QChar(0xA3)));
        const auto& b = c.stanineBounds;
        out += kBreak + QStringLiteral("Stanine Cuttoff Scores") + kBreak;
        for (int j = 1; j <= 9; ++j) {
            const QString below = j < 9 ? QStringLiteral(" score <\t")
                                        : QStringLiteral(" score ") + le + QStringLiteral("\t");
            out += QStringLiteral("S") + m.Subscript(Idx(j)) + tabs + QStringLiteral("=\t") +
                   Num(b[size_t(j - 1)]) + QStringLiteral("\t") + le + below + Num(b[size_t(j)]) +
                   kBreak;
        }
    }

    void PercentileLines(const QString& tabs) {
        out += kBreak + QStringLiteral("Percentiles") + kBreak;
        for (int j = 1; j <= 100; ++j)
            Line(QStringLiteral("P") + m.Subscript(Idx(j)), tabs, c.percentiles[size_t(j)]);
    }

    // The full and the combined reports up to the mean absolute deviation.
    void CentralAndDispersion() {
        const QString t3 = QStringLiteral("\t\t\t");
        Heading();
        Line(QStringLiteral("n"), t3, c.n);
        out += kBreak + QStringLiteral("Measures of Central Tendency") + kBreak;
        Line(QStringLiteral("Mean"), t3, c.mean);
        ModeLine(t3);
        Line(QStringLiteral("Median"), t3, c.median);
        HarmonicMeanLine(QStringLiteral("\t\t"));
        out += kBreak + QStringLiteral("Measures of Dispersion") + kBreak;
        SpreadLines(t3);
        IqrRangeMadLines(t3);
    }

    QvStatColumn& c;
    QString& out;
    const QvStatRichText& m;
    const QString symbol;
};

const QString kT1 = QStringLiteral("\t");
const QString kT3 = QStringLiteral("\t\t\t");

} // namespace

void QvStatColumn::WriteSummaryReport(QString& out, QvStatRichText& markup) {
    Writer w(*this, out, markup);
    w.Heading();
    w.Line(QStringLiteral("n"), kT1, n);
    w.Line(QStringLiteral("Mean"), kT1, mean);
    w.SpreadLines(kT1);
    w.Line(QStringLiteral("Range"), kT1, range);
    const QString total = markup.SymbolFace(QStringLiteral("S")) + markup.Smaller(w.symbol);
    w.NotedLine(total, kT1, sum, QStringLiteral("Sum of Scores"));
    w.NotedLine(total + markup.Superscript(QStringLiteral("2")), kT1, sumSquares,
                QStringLiteral("Sum of Scores Squared"));
    w.Line(QStringLiteral("Min"), kT1, min);
    w.Line(QStringLiteral("Max"), kT1, max);
}

void QvStatColumn::WriteFullReport(QString& out, QvStatRichText& markup) {
    Writer w(*this, out, markup);
    w.CentralAndDispersion();
    w.Line(QStringLiteral("Min"), kT3, min);
    w.Line(QStringLiteral("Max"), kT3, max);
    w.QuartileLines(kT3);
    CalcPercentiles();
    w.DecileLines(kT3);
    w.StanineLines(kT3);
    w.PercentileLines(kT3);
}

void QvStatColumn::WriteQuartileReport(QString& out, QvStatRichText& markup) {
    Writer w(*this, out, markup);
    w.Heading();
    w.Line(QStringLiteral("n"), kT1, n);
    w.Line(QStringLiteral("Median"), kT1, median);
    w.NotedLine(QStringLiteral("IQR"), kT1, iqr, QStringLiteral("InterQuartile Range"));
    w.Line(QStringLiteral("Range"), kT1, range);
    w.Line(QStringLiteral("Min"), kT1, min);
    w.Line(QStringLiteral("Max"), kT1, max);
    w.QuartileLines(kT1);
}

void QvStatColumn::WriteDecileReport(QString& out, QvStatRichText& markup) {
    CalcPercentiles();
    Writer w(*this, out, markup);
    w.Heading();
    w.Line(QStringLiteral("n"), kT1, n);
    w.DecileLines(kT1);
}

void QvStatColumn::WritePercentileReport(QString& out, QvStatRichText& markup) {
    CalcPercentiles();
    Writer w(*this, out, markup);
    w.Heading();
    w.Line(QStringLiteral("n"), kT1, n);
    w.PercentileLines(kT1);
}

void QvStatColumn::WriteStanineReport(QString& out, QvStatRichText& markup) {
    CalcPercentiles();
    Writer w(*this, out, markup);
    w.Heading();
    w.Line(QStringLiteral("n"), kT1, n);
    w.StanineLines(kT1);
}

void QvStatColumn::WriteCentralTendencyReport(QString& out, QvStatRichText& markup) {
    const QString t2 = QStringLiteral("\t\t");
    Writer w(*this, out, markup);
    w.Heading();
    w.Line(QStringLiteral("n"), t2, n);
    w.Line(QStringLiteral("Mean"), t2, mean);
    w.ModeLine(t2);
    w.Line(QStringLiteral("Median"), t2, median);
    w.HarmonicMeanLine(kT1);
}

void QvStatColumn::WriteDispersionReport(QString& out, QvStatRichText& markup) {
    Writer w(*this, out, markup);
    w.Heading();
    w.Line(QStringLiteral("n"), kT3, n);
    w.SpreadLines(kT3);
    w.IqrRangeMadLines(kT3);
}

void QvStatColumn::WriteCentralDispersionReport(QString& out, QvStatRichText& markup) {
    Writer(*this, out, markup).CentralAndDispersion();
}

void QvStatColumn::WriteGroupCautions(QString& out) const {
    if (type != Group || n <= 0)
        return;
    const QString gap = kBreak + kBreak;
    out += QStringLiteral("Caution! Summary statistics for grouped data are approximations.") + gap;
    if (groupGap)
        out += QStringLiteral("Caution! There is a gap in the groups.") + gap;
    if (groupOverlap)
        out += QStringLiteral(
                   "Error! Some of groups overlap.  The following statistics will be incorrect.") +
               gap;
    if (groupUnevenWidth)
        out += QStringLiteral("Caution! The groups are not a consistent width.") + gap;
}

QString QvStatColumn::OrdinalSuffix(int j) {
    // 11th, 12th, 13th, and 111th to 113th likewise.
    const int lastTwo = std::abs(j % 100);
    if (lastTwo >= 11 && lastTwo <= 13)
        return QStringLiteral("th");
    switch (std::abs(j % 10)) {
    case 1:
        return QStringLiteral("st");
    case 2:
        return QStringLiteral("nd");
    case 3:
        return QStringLiteral("rd");
    default:
        return QStringLiteral("th");
    }
}
