// The statistics report of the Statistics Graph Properties dialog, built
// from a data set without the dialog: what the one-variable frame puts
// around a column's writer, the two-variable report from given fit results
// and from a real fit, and the text poured into a document with its "="
// signs lined up.  Fit and column values by hand and from Python's
// statistics module (linear_regression, correlation, fmean, stdev,
// pvariance).
#include "dialogs/stat_graph_dlg.h"
#include "settings/stat_options.h"
#include "statistics/stat_fit.h"
#include "statistics/stat_rich_text.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QMap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A data set as the grid sets one up: each column's short label its letter.
std::unique_ptr<QvStatData> NewData() {
    auto data = std::make_unique<QvStatData>();
    for (int c = 0; c < QvStatData::Lettered; ++c)
        data->columns[size_t(c)].symbol = QString(QChar(u'A' + c));
    return data;
}

void Fill(QvStatColumn& c, const std::vector<double>& values, int type = QvStatColumn::Data) {
    c.Clear();
    c.type = type;
    for (size_t i = 0; i < values.size(); ++i)
        c.cells[i] = {values[i], 1, {}};
    c.MarkDirty();
}

// Sets the sample-SD option, the quartile and the percentile methods for
// one test and puts them back after.
class Options {
public:
    Options() : m_sd(g_bShowSampleSD), m_q(g_nQuartileMethod), m_p(g_nPercentileMethod) {
        g_bShowSampleSD = FALSE;
        g_nQuartileMethod = 0;
        g_nPercentileMethod = 0;
    }
    ~Options() {
        g_bShowSampleSD = m_sd;
        g_nQuartileMethod = m_q;
        g_nPercentileMethod = m_p;
    }

private:
    BOOL m_sd;
    int m_q;
    int m_p;
};

const QString kCaution =
    QStringLiteral("Caution! Summary statistics for grouped data are approximations.\r\n\r\n");
const QString kGap = QStringLiteral("Caution! There is a gap in the groups.\r\n\r\n");
const QString kOverlap = QStringLiteral(
    "Error! Some of groups overlap.  The following statistics will be incorrect.\r\n\r\n");
const QString kUneven = QStringLiteral("Caution! The groups are not a consistent width.\r\n\r\n");

// The writer's own text for a copy of column `c`, to see what the frame
// puts before it.
QString WriterText(const QvStatColumn& c, int kind) {
    auto copy = std::make_unique<QvStatColumn>();
    copy->Copy(c);
    copy->Recalc();
    QString out;
    QvStatRichText markup;
    switch (kind) {
    case 0:
        copy->WriteSummaryReport(out, markup);
        break;
    case 2:
        copy->WriteQuartileReport(out, markup);
        break;
    default:
        ADD_FAILURE() << kind;
    }
    return out;
}

TEST(StatGraphReport, OneVariableFrame) {
    Options options;
    auto data = NewData();
    QvStatColumn& a = data->columns[0];

    // No values: "No Data" for every type and every kind.
    for (int type = 1; type <= 5; ++type) {
        Fill(a, {}, type);
        for (int kind = 0; kind <= 8; ++kind)
            EXPECT_EQ(CStatGraphDlg::BuildOneVariableReport(*data, 0, kind),
                      QStringLiteral("No Data\r\n"))
                << type << " " << kind;
    }

    // A label column with values: its one sentence, whatever the kind.
    Fill(a, {1, 2, 3}, QvStatColumn::Label);
    for (int kind : {-1, 0, 1, 8})
        EXPECT_EQ(CStatGraphDlg::BuildOneVariableReport(*data, 0, kind),
                  QStringLiteral("Label column.  No statistics available"));

    // A frequency column: the note, then the chosen writer.
    Fill(a, {4, 6, 9}, QvStatColumn::Frequency);
    const QString note = QStringLiteral(
        "PLEASE NOTE:\r\nFrequency column statistics usually have no mathematical "
        "meaning.\r\n\r\n");
    EXPECT_EQ(CStatGraphDlg::BuildOneVariableReport(*data, 0, 2), note + WriterText(a, 2));
    // No kind chosen: no writer.
    EXPECT_EQ(CStatGraphDlg::BuildOneVariableReport(*data, 0, -1), note);
    EXPECT_EQ(CStatGraphDlg::BuildOneVariableReport(*data, 0, 9), note);

    // A data column: the writer alone; unnamed it starts with n, named
    // with its heading.
    Fill(a, {1, 2, 3, 4, 5});
    const QString unnamed = CStatGraphDlg::BuildOneVariableReport(*data, 0, 0);
    EXPECT_EQ(unnamed, WriterText(a, 0));
    EXPECT_TRUE(unnamed.startsWith(QStringLiteral("n\t=\t5\r\nMean\t=\t3\r\n"))) << unnamed.toStdString();
    a.name = QStringLiteral("Height");
    EXPECT_TRUE(CStatGraphDlg::BuildOneVariableReport(*data, 0, 0)
                    .startsWith(QStringLiteral("Statistics for Height\r\n\r\nn\t=\t5\r\n")));

    // No column chosen, or none of the lettered ones: nothing is read.
    for (int column : {-1, 26, 27})
        EXPECT_EQ(CStatGraphDlg::BuildOneVariableReport(*data, column, 0), QString()) << column;
    a.type = 0;
    EXPECT_EQ(CStatGraphDlg::BuildOneVariableReport(*data, 0, 0), QString());
}

// Groups 0 to 10 (3) and a second group (5) typed with its upper bound.
TEST(StatGraphReport, GroupedCautions) {
    Options options;
    const struct {
        double lower;
        const char* upper;
        QString cautions;
    } cases[] = {{10, "20", kCaution},
                 {12, "22", kCaution + kGap},
                 {8, "18", kCaution + kOverlap},
                 {10, "15", kCaution + kUneven}};
    auto data = NewData();
    QvStatColumn& g = data->columns[3];
    for (const auto& c : cases) {
        g.Clear();
        g.type = QvStatColumn::Group;
        g.cells[0] = {0, 3, QStringLiteral("10")};
        g.cells[1] = {c.lower, 5, QString::fromLatin1(c.upper)};
        g.MarkDirty();
        const QString report = CStatGraphDlg::BuildOneVariableReport(*data, 3, 0);
        EXPECT_EQ(report.left(int(c.cautions.size())), c.cautions) << c.lower;
        EXPECT_EQ(report.mid(int(c.cautions.size()), 8), QStringLiteral("n\t=\t8\r\nM")) << report.toStdString();
    }
    // All frequencies 0: no cautions, no data.
    g.cells[0].count = 0;
    g.cells[1].count = 0;
    g.MarkDirty();
    EXPECT_EQ(CStatGraphDlg::BuildOneVariableReport(*data, 3, 0), QStringLiteral("No Data\r\n"));
}

QvStatFitResult Fitted(int status, double a, double b, double cOrR) {
    QvStatFitResult f;
    f.status = status;
    f.a = a;
    f.b = b;
    f.cOrR = cOrR;
    f.n = 3;
    return f;
}

// The text before the first column block.
QString FitPart(const QString& report) {
    return report.left(int(report.indexOf(QStringLiteral("\r\n\r\nStatistics for "))));
}

TEST(StatGraphReport, TwoVariableFailuresAndEquations) {
    Options options;
    auto data = NewData();
    Fill(data->columns[0], {1, 2, 4});
    Fill(data->columns[1], {3, 5, 6});

    const struct {
        int status;
        const char* line;
    } failures[] = {{0, "Error in Input Values\r\n"},
                    {8, "No Data\r\n"},
                    {9, "Different Number of Scores in Each Column\r\n"},
                    {10, "Data not Paired\r\n"},
                    {11, "Need Two or More Data Points\r\n"},
                    {12, "Need Three or More Data Points\r\n"},
                    {13, ""}};
    for (const auto& f : failures) {
        const QString report =
            CStatGraphDlg::TwoVariableReportText(*data, 0, 1, Fitted(f.status, 2, 1, 0.9));
        EXPECT_EQ(FitPart(report), QString::fromUtf8(f.line)) << f.status;
        // The columns still follow, in the mean form.
        EXPECT_TRUE(report.contains(QStringLiteral("Statistics for A\r\n\r\nn\t=\t3\r\nMean\t=\t")))
            << f.status;
        EXPECT_TRUE(report.contains(QStringLiteral("Statistics for B\r\n\r\n"))) << f.status;
    }

    const QString r = QStringLiteral("r#DAB~\t=\t0.9#L (Correlation Coefficient)\r\n~");
    const QString plainAB = QStringLiteral("a\t=\t2\r\nb\t=\t0.5\r\n\r\n");
    const struct {
        int status;
        double b;
        QString fit;
    } equations[] = {
        {1, -0.5,
         QStringLiteral("n\t=\t3\r\n") + r +
             QStringLiteral("a\t=\t2#L (y intercept)\r\n~b\t=\t–0.5#L (slope)\r\n\r\n~"
                            "B'\t=\t2 –0.5A\r\n\r\n"
                            "s#DAB~\t=\t0#L (Covariance)\r\n~"
                            "#CS~#LAB~\t=\t0#L (Sum of products)\r\n~")},
        {1, 0.5,
         QStringLiteral("n\t=\t3\r\n") + r +
             QStringLiteral("a\t=\t2#L (y intercept)\r\n~b\t=\t0.5#L (slope)\r\n\r\n~"
                            "B'\t=\t2 + 0.5A\r\n\r\n"
                            "s#DAB~\t=\t0#L (Covariance)\r\n~"
                            "#CS~#LAB~\t=\t0#L (Sum of products)\r\n~")},
        {2, 0.5,
         QStringLiteral("n\t=\t3\r\na\t=\t2\r\nb\t=\t0.5\r\nc\t=\t0.9\r\n\r\n"
                        "B'\t=\t2 + 0.5A + 0.9A#U2\r\n\r\n~")},
        {3, 0.5, QStringLiteral("n\t=\t3\r\n") + r + plainAB + QStringLiteral("B'\t=\t2A#U0.5\r\n\r\n~")},
        {4, 0.5, QStringLiteral("n\t=\t3\r\n") + r + plainAB + QStringLiteral("B'\t=\t2e#U0.5A\r\n\r\n~")},
        {5, 0.5, QStringLiteral("n\t=\t3\r\n") + r + plainAB + QStringLiteral("B'\t=\t2+ 0.5ln(A)\r\n\r\n")},
        {6, -0.5,
         QStringLiteral("n\t=\t3\r\na\t=\t2#L (y intercept)\r\n~b\t=\t–0.5#L (slope)\r\n\r\n~"
                        "B'\t=\t2 –0.5A\r\n\r\n")},
        {7, -0.5,
         QStringLiteral("n\t=\t3\r\n") + r +
             QStringLiteral("a\t=\t2\r\nb\t=\t–0.5\r\n\r\nB'\t=\t2 –0.5 / A\r\n\r\n")},
    };
    for (const auto& e : equations) {
        const QString report =
            CStatGraphDlg::TwoVariableReportText(*data, 0, 1, Fitted(e.status, 2, e.b, 0.9));
        EXPECT_EQ(FitPart(report), e.fit) << e.status << " " << e.b;
        // Median line: the median form; any other model the mean form.
        const bool median = e.status == 6;
        EXPECT_EQ(report.contains(QStringLiteral("Median\t\t=\t")), median) << e.status;
        EXPECT_EQ(report.contains(QStringLiteral("Mean\t=\t")), !median) << e.status;
    }

    // Median-line blocks of A (1, 2, 4) and B (3, 5, 6), quartiles
    // excluding the median.
    const QString medianLine =
        CStatGraphDlg::TwoVariableReportText(*data, 0, 1, Fitted(6, 2, 1, 0));
    EXPECT_EQ(medianLine.mid(int(FitPart(medianLine).size())),
              QStringLiteral("\r\n\r\nStatistics for A\r\n\r\n"
                             "n\t=\t3\r\n"
                             "Median\t\t=\t2\r\n"
                             "IQR\t\t=\t3#L (InterQuartile Range)\r\n~"
                             "Range\t\t=\t3\r\n"
                             "Minimum\t=\t1\r\n"
                             "Maximum\t=\t4\r\n"
                             "\r\n\r\nStatistics for B\r\n\r\n"
                             "n\t=\t3\r\n"
                             "Median\t\t=\t5\r\n"
                             "IQR\t\t=\t3#L (InterQuartile Range)\r\n~"
                             "Range\t\t=\t3\r\n"
                             "Minimum\t=\t3\r\n"
                             "Maximum\t=\t6\r\n"));
}

TEST(StatGraphReport, TwoVariableWarningsAndBlocks) {
    Options options;
    auto data = NewData();
    const QString both = QStringLiteral(
        "WARNING! - Both of your columns \r\nhas a freqency column.  The maximum\r\n"
        "of the two frequencies will be used\r\n\r\n");
    const QString notData = QStringLiteral(
        "WARNING! - One or both of your columns \r\nis not a data column.  Statistics on "
        "other\r\ntypes of columns often have no\r\nmathematical meaning\r\n\r\n");
    const QString unmatched = QStringLiteral(
        "WARNING! - Your columns include some unmatched\r\ndata points. This may be an "
        "error.\r\n\r\n");
    Fill(data->columns[0], {1, 2, 3});                          // A data
    Fill(data->columns[1], {1, 1, 2}, QvStatColumn::Frequency); // B
    Fill(data->columns[2], {4, 5, 6});                          // C data
    Fill(data->columns[3], {1, 1, 1}, QvStatColumn::Frequency); // D
    Fill(data->columns[4], {7, 8, 9}, QvStatColumn::Label);     // E
    Fill(data->columns[24], {1, 2, 3});                         // Y
    Fill(data->columns[25], {1, 2, 3});                         // Z, followed by Row
    QvStatFitResult unpaired = Fitted(8, 0, 0, 0);
    unpaired.unpaired = true;
    const QvStatFitResult paired = Fitted(8, 0, 0, 0);
    const QString noData = QStringLiteral("No Data\r\n");

    const struct {
        int x, y;
        const QvStatFitResult* fit;
        QString warnings;
    } cases[] = {
        {0, 2, &paired, both},
        {0, 2, &unpaired, both + unmatched},
        // Z is followed by the row-number column, a data column.
        {25, 0, &paired, {}},
        {0, 25, &unpaired, unmatched},
        {0, 24, &paired, {}},
        // B, a frequency column, is not data; A is not followed by one.
        {1, 2, &paired, notData},
        {4, 0, &unpaired, notData + unmatched},
        {2, 4, &paired, notData},
        // The row-number column has a value in every row.
        {26, 0, &unpaired, {}},
        {0, 26, &unpaired, {}},
    };
    for (const auto& c : cases) {
        const QString report = CStatGraphDlg::TwoVariableReportText(*data, c.x, c.y, *c.fit);
        EXPECT_EQ(FitPart(report), c.warnings + noData) << c.x << " " << c.y;
    }

    auto blocks = [&](int x, int y) {
        QStringList titles;
        const QString report = CStatGraphDlg::TwoVariableReportText(*data, x, y, paired);
        const QString mark = QStringLiteral("Statistics for ");
        for (qsizetype at = report.indexOf(mark); at >= 0; at = report.indexOf(mark, at + 1))
            titles << report.mid(at + mark.size(), report.indexOf(u'\r', at) - at - mark.size());
        return titles;
    };
    EXPECT_EQ(blocks(0, 2), (QStringList{"A", "C"}));
    EXPECT_EQ(blocks(2, 2), (QStringList{"C"}));
    EXPECT_EQ(blocks(0, 26), (QStringList{"A"}));
    EXPECT_EQ(blocks(26, 2), (QStringList{"C"}));
    EXPECT_EQ(blocks(26, 26), QStringList());
    data->columns[2].name = QStringLiteral("Weight");
    EXPECT_EQ(blocks(0, 2), (QStringList{"A", "Weight"}));

    // The row-number column's names, in the equation and the label pair.
    const QString row = CStatGraphDlg::TwoVariableReportText(*data, 26, 0, Fitted(1, 1, 2, 1));
    EXPECT_TRUE(row.contains(QStringLiteral("r#DRowA~\t=\t1"))) << row.toStdString();
    EXPECT_TRUE(row.contains(QStringLiteral("A'\t=\t1 + 2Row Number\r\n"))) << row.toStdString();

    // Out of the list: nothing is read.
    EXPECT_EQ(CStatGraphDlg::TwoVariableReportText(*data, -1, 0, paired), QString());
    EXPECT_EQ(CStatGraphDlg::BuildTwoVariableReport(*data, 0, 27, 1), QString());
}

// The linear fit of x = 1 .. 5 and y = 2.1, 3.9, 6.2, 7.8, 10.1 through the
// program's fit, whole.
TEST(StatGraphReport, LinearFitOfFivePairs) {
    Options options;
    auto data = NewData();
    Fill(data->columns[0], {1, 2, 3, 4, 5});
    Fill(data->columns[1], {2.1, 3.9, 6.2, 7.8, 10.1});
    EXPECT_EQ(CStatGraphDlg::BuildTwoVariableReport(*data, 0, 1, QvStatFit::Linear),
              QStringLiteral("n\t=\t5\r\n"
                             "r#DAB~\t=\t0.99865176#L (Correlation Coefficient)\r\n~"
                             "a\t=\t0.05#L (y intercept)\r\n~"
                             "b\t=\t1.99#L (slope)\r\n\r\n~"
                             "B'\t=\t0.05 + 1.99A\r\n\r\n"
                             "s#DAB~\t=\t3.98#L (Covariance)\r\n~"
                             "#CS~#LAB~\t=\t110.2#L (Sum of products)\r\n~"
                             "\r\n\r\nStatistics for A\r\n\r\n"
                             "n\t=\t5\r\n"
                             "Mean\t=\t3\r\n"
                             "s#DA~\t=\t1.58113883#L (Sample Standard Deviation)\r\n~"
                             "#Cs~#U2~#DA~\t=\t2#L (Variance)\r\n~"
                             "Range\t=\t4\r\n"
                             "#CS~#LA~\t=\t15#L (Sum of Scores)\r\n~"
                             "#CS~#LA~#U2~\t=\t55#L (Sum of Scores Squared)\r\n~"
                             "\r\n\r\nStatistics for B\r\n\r\n"
                             "n\t=\t5\r\n"
                             "Mean\t=\t6.02\r\n"
                             "s#DB~\t=\t3.1507142#L (Sample Standard Deviation)\r\n~"
                             "#Cs~#U2~#DB~\t=\t7.9416#L (Variance)\r\n~"
                             "Range\t=\t8\r\n"
                             "#CS~#LB~\t=\t30.1#L (Sum of Scores)\r\n~"
                             "#CS~#LB~#U2~\t=\t220.91#L (Sum of Scores Squared)\r\n~"));
}

// What the user typed prints as typed, in both reports, once poured.
TEST(StatGraphReport, TypedNamesAreNeverMarkup) {
    Options options;
    auto data = NewData();
    Fill(data->columns[0], {1, 2, 3});
    Fill(data->columns[1], {2, 4, 7});
    data->columns[0].name = QStringLiteral("A#D~");
    data->columns[1].symbol = QStringLiteral("#L~");
    QTextDocument doc;
    CStatGraphDlg::PourReport(doc, CStatGraphDlg::BuildOneVariableReport(*data, 0, 0));
    EXPECT_TRUE(doc.toPlainText().startsWith(QStringLiteral("Statistics for A#D~\n\nn\t")))
        << doc.toPlainText().left(40).toStdString();
    CStatGraphDlg::PourReport(doc, CStatGraphDlg::BuildTwoVariableReport(*data, 0, 1, 1));
    const QString text = doc.toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("#L~'\t=\t")));
    EXPECT_TRUE(text.contains(QStringLiteral("rA#L~\t=\t")));
    EXPECT_TRUE(text.contains(QStringLiteral("Statistics for A#D~\n")));
    EXPECT_FALSE(text.contains(u'\r'));
}

// Where the "=" of each block of `doc` sits, keyed by the block's text
// before its first tab.
QMap<QString, qreal> EqualsPositions(QTextDocument& doc) {
    doc.documentLayout()->documentSize();
    QMap<QString, qreal> at;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QString text = b.text();
        const qsizetype eq = text.indexOf(u'=');
        if (eq < 0 || !b.layout() || b.layout()->lineCount() == 0)
            continue;
        at.insert(text.left(text.indexOf(u'\t')), b.layout()->lineAt(0).cursorToX(int(eq)));
    }
    return at;
}

// The "=" signs stand in one column, the labels that carry fewer tabs
// included (not the standard deviation lines, which carry one tab in every
// report).
TEST(StatGraphReport, EqualsSignsLineUp) {
    Options options;
    auto data = NewData();
    Fill(data->columns[0], {2, 4, 4, 5, 7, 9, 10});
    Fill(data->columns[1], {1, 3, 2, 6, 5, 8, 9});
    const struct {
        QString report;
        QStringList labels;
    } cases[] = {
        {CStatGraphDlg::BuildOneVariableReport(*data, 0, 8),
         {"n", "Mean", "Mode", "Median", "Harmonic Mean", "σ2A", "IQR", "Range",
          "Mean Absolute Deviation"}},
        {CStatGraphDlg::BuildOneVariableReport(*data, 0, 1),
         {"n", "Median", "Harmonic Mean", "Mean Absolute Deviation", "Min", "Max", "UQ", "LQ",
          "D10", "S9", "P100"}},
        {CStatGraphDlg::BuildOneVariableReport(*data, 0, 6),
         {"n", "Mean", "Mode", "Median", "Harmonic Mean"}},
        {CStatGraphDlg::BuildTwoVariableReport(*data, 0, 1, QvStatFit::MedianMedian),
         {"Median", "IQR", "Range", "Minimum", "Maximum"}},
    };
    for (const auto& c : cases) {
        QTextDocument doc;
        CStatGraphDlg::PourReport(doc, c.report);
        const QMap<QString, qreal> at = EqualsPositions(doc);
        const qreal first = at.value(c.labels.front(), -1);
        EXPECT_GT(first, 0) << c.labels.front().toStdString();
        for (const QString& label : c.labels) {
            ASSERT_TRUE(at.contains(label)) << label.toStdString();
            EXPECT_EQ(at.value(label), first) << label.toStdString();
        }
    }
}

// The tab step of other faces and sizes: each label ends before its
// column.  Half an inch overruns with most of them.
TEST(StatGraphReport, TabStepsFitTheLabelsInOtherFaces) {
    const struct {
        const char* family;
        int points;
    } fonts[] = {{"Liberation Sans", 10}, {"Liberation Sans", 13}, {"DejaVu Sans", 10},
                 {"DejaVu Sans", 8},      {"Liberation Serif", 12}};
    for (const auto& f : fonts) {
        const QFontMetricsF m(QFont(QString::fromLatin1(f.family), f.points));
        auto w = [&](const char* label) { return m.horizontalAdvance(QString::fromLatin1(label)); };
        const qreal d = CStatGraphDlg::ReportTabDistance(m);
        EXPECT_LT(w("Median"), d) << f.family << " " << f.points;
        EXPECT_GE(w("Minimum"), d) << f.family << " " << f.points;
        EXPECT_GE(w("Harmonic Mean"), d) << f.family << " " << f.points;
        EXPECT_LT(w("Harmonic Mean"), 2 * d) << f.family << " " << f.points;
        EXPECT_LT(w("Mean Absolute Deviation"), 3 * d) << f.family << " " << f.points;
    }
}

} // namespace
