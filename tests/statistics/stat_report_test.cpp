// The one-variable reports: golden texts with their markers.  Values by
// hand or from Python's statistics module (fmean, pstdev, stdev,
// pvariance, median, harmonic_mean, quantiles(method="inclusive") for the
// interpolated percentiles); the texts are the report's fixed texts.
#include "stat_test_support.h"

#include "statistics/stat_rich_text.h"

#include <QStringList>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Sets the sample-SD display option and puts the previous one back.
class ShowSampleSD {
public:
    explicit ShowSampleSD(bool on) : m_saved(g_bShowSampleSD) { g_bShowSampleSD = on; }
    ~ShowSampleSD() { g_bShowSampleSD = m_saved; }

private:
    BOOL m_saved;
};

using Writer = void (QvStatColumn::*)(QString&, QvStatRichText&);

QString Report(QvStatColumn& c, Writer writer) {
    c.Recalc();
    QString out;
    QvStatRichText markup;
    (c.*writer)(out, markup);
    return out;
}

// 1, 2, 3, 4, 5 named "Height", symbol "A".
std::unique_ptr<QvStatColumn> Height() {
    auto c = std::make_unique<QvStatColumn>();
    FillValues(*c, {1, 2, 3, 4, 5});
    c->name = QStringLiteral("Height");
    c->symbol = QStringLiteral("A");
    return c;
}

const QString kHeading = QStringLiteral("Statistics for Height\r\n\r\n");
const QString kLe = QStringLiteral("#C") + QChar(0xA3) + QStringLiteral("~");

TEST(StatReport, SummaryWithAndWithoutTheSampleSD) {
    StatMethods methods(0, 0);
    const QString head = kHeading + QStringLiteral("n\t=\t5\r\n"
                                                   "Mean\t=\t3\r\n");
    const QString tail = QStringLiteral("#Cs~#U2~#DA~\t=\t2#L (Variance)\r\n~"
                                        "Range\t=\t4\r\n"
                                        "#CS~#LA~\t=\t15#L (Sum of Scores)\r\n~"
                                        "#CS~#LA~#U2~\t=\t55#L (Sum of Scores Squared)\r\n~"
                                        "Min\t=\t1\r\n"
                                        "Max\t=\t5\r\n");
    {
        ShowSampleSD on(true);
        auto c = Height();
        EXPECT_EQ(
            Report(*c, &QvStatColumn::WriteSummaryReport),
            head +
                QStringLiteral("#Cs~#DA~\t=\t1.41421356#L (Population Standard Deviation)\r\n~"
                               "s#DA~\t=\t1.58113883#L (Sample Standard Deviation)\r\n~") +
                tail);
    }
    {
        ShowSampleSD off(false);
        auto c = Height();
        EXPECT_EQ(Report(*c, &QvStatColumn::WriteSummaryReport),
                  head + QStringLiteral("#Cs~#DA~\t=\t1.41421356#L (Standard Deviation)\r\n~") +
                      tail);
    }
}

TEST(StatReport, ShortReportsOfOneToFive) {
    StatMethods methods(0, 0);
    ShowSampleSD on(true);
    struct Case {
        const char* name;
        Writer writer;
        QString body;
    } cases[] = {
        {"quartiles", &QvStatColumn::WriteQuartileReport,
         QStringLiteral("n\t=\t5\r\n"
                        "Median\t=\t3\r\n"
                        "IQR\t=\t3#L (InterQuartile Range)\r\n~"
                        "Range\t=\t4\r\n"
                        "Min\t=\t1\r\n"
                        "Max\t=\t5\r\n"
                        "UQ\t=\t4.5#L (Upper Quartile)\r\n~"
                        "LQ\t=\t1.5#L (Lower Quartile)\r\n~")},
        {"central tendency", &QvStatColumn::WriteCentralTendencyReport,
         QStringLiteral("n\t\t=\t5\r\n"
                        "Mean\t\t=\t3\r\n"
                        "No Mode\r\n"
                        "Median\t\t=\t3\r\n"
                        "Harmonic Mean\t=\t2.18978102\r\n")},
        {"dispersion", &QvStatColumn::WriteDispersionReport,
         QStringLiteral("n\t\t\t=\t5\r\n"
                        "#Cs~#DA~\t=\t1.41421356#L (Population Standard Deviation)\r\n~"
                        "s#DA~\t=\t1.58113883#L (Sample Standard Deviation)\r\n~"
                        "#Cs~#U2~#DA~\t\t\t=\t2#L (Variance)\r\n~"
                        "IQR\t\t\t=\t3#L (InterQuartile Range)\r\n~"
                        "Range\t\t\t=\t4\r\n"
                        "Mean Absolute Deviation\t=\t1.2\r\n")},
        {"deciles", &QvStatColumn::WriteDecileReport,
         QStringLiteral("n\t=\t5\r\n"
                        "\r\nDeciles\r\n"
                        "D#D1~\t=\t1.4\r\n"
                        "D#D2~\t=\t1.8\r\n"
                        "D#D3~\t=\t2.2\r\n"
                        "D#D4~\t=\t2.6\r\n"
                        "D#D5~\t=\t3\r\n"
                        "D#D6~\t=\t3.4\r\n"
                        "D#D7~\t=\t3.8\r\n"
                        "D#D8~\t=\t4.2\r\n"
                        "D#D9~\t=\t4.6\r\n"
                        "D#D10~\t=\t5\r\n")},
        {"stanines", &QvStatColumn::WriteStanineReport,
         QStringLiteral("n\t=\t5\r\n"
                        "\r\nStanine Cuttoff Scores\r\n"
                        "S#D1~\t=\t1\t") +
             kLe + QStringLiteral(" score <\t1.16\r\nS#D2~\t=\t1.16\t") + kLe +
             QStringLiteral(" score <\t1.44\r\nS#D3~\t=\t1.44\t") + kLe +
             QStringLiteral(" score <\t1.92\r\nS#D4~\t=\t1.92\t") + kLe +
             QStringLiteral(" score <\t2.6\r\nS#D5~\t=\t2.6\t") + kLe +
             QStringLiteral(" score <\t3.4\r\nS#D6~\t=\t3.4\t") + kLe +
             QStringLiteral(" score <\t4.08\r\nS#D7~\t=\t4.08\t") + kLe +
             QStringLiteral(" score <\t4.56\r\nS#D8~\t=\t4.56\t") + kLe +
             QStringLiteral(" score <\t4.84\r\nS#D9~\t=\t4.84\t") + kLe +
             QStringLiteral(" score ") + kLe + QStringLiteral("\t5\r\n")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto c = Height();
        EXPECT_EQ(Report(*c, k.writer), kHeading + k.body);
    }
}

TEST(StatReport, NamelessColumnStartsWithTheCount) {
    auto c = Height();
    c->name.clear();
    EXPECT_TRUE(Report(*c, &QvStatColumn::WriteSummaryReport).startsWith(u"n\t=\t5\r\n"));
    EXPECT_TRUE(Report(*c, &QvStatColumn::WriteFullReport).startsWith(u"n\t\t\t=\t5\r\n"));
}

// What the user typed never reads as markup, in the heading or in a run.
TEST(StatReport, TypedNameAndSymbolShowAsTyped) {
    ShowSampleSD on(true);
    auto c = Height();
    c->name = QStringLiteral("A#1~x");
    c->symbol = QStringLiteral("~#D");
    QTextDocument doc;
    doc.setPlainText(Report(*c, &QvStatColumn::WriteSummaryReport));
    QvStatRichText().ApplyMarkup(doc);
    EXPECT_TRUE(doc.toPlainText().startsWith(
        QString::fromUtf16(u"Statistics for A#1~x\n\nn\t=\t5\nMean\t=\t3\n"
                           u"\u03C3~#D\t=\t1.41421356 (Population Standard Deviation)\n"
                           u"s~#D\t=\t1.58113883 (Sample Standard Deviation)\n")))
        << doc.toPlainText().toStdString();
}

// 2, 4, 4, 5, 7, 9, 10, 12, 13, 15, 18, 21, nameless, symbol "x".
TEST(StatReport, FullReport) {
    StatMethods methods(0, 0);
    ShowSampleSD on(true);
    auto c = std::make_unique<QvStatColumn>();
    FillValues(*c, {2, 4, 4, 5, 7, 9, 10, 12, 13, 15, 18, 21});
    c->symbol = QStringLiteral("x");
    const QString central =
        QStringLiteral("n\t\t\t=\t12\r\n"
                       "\r\nMeasures of Central Tendency\r\n"
                       "Mean\t\t\t=\t10\r\n"
                       "Mode\t\t\t=\t4\r\n"
                       "Median\t\t\t=\t9.5\r\n"
                       "Harmonic Mean\t\t=\t6.36920385\r\n"
                       "\r\nMeasures of Dispersion\r\n"
                       "#Cs~#Dx~\t=\t5.73003781#L (Population Standard Deviation)\r\n~"
                       "s#Dx~\t=\t5.98482931#L (Sample Standard Deviation)\r\n~"
                       "#Cs~#U2~#Dx~\t\t\t=\t32.83333333#L (Variance)\r\n~"
                       "IQR\t\t\t=\t9.5#L (InterQuartile Range)\r\n~"
                       "Range\t\t\t=\t19\r\n"
                       "Mean Absolute Deviation\t=\t4.83333333\r\n");
    EXPECT_EQ(Report(*c, &QvStatColumn::WriteCentralDispersionReport), central);

    const QString full = Report(*c, &QvStatColumn::WriteFullReport);
    QString expected = central + QStringLiteral("Min\t\t\t=\t2\r\n"
                                                "Max\t\t\t=\t21\r\n"
                                                "UQ\t\t\t=\t14#L (Upper Quartile)\r\n~"
                                                "LQ\t\t\t=\t4.5#L (Lower Quartile)\r\n~"
                                                "\r\nDeciles\r\n");
    const char* deciles[] = {"4", "4.2", "5.6", "7.8", "9.5", "11.2", "12.7", "14.6", "17.7", "21"};
    for (int j = 1; j <= 10; ++j)
        expected += QStringLiteral("D#D%1~\t\t\t=\t%2\r\n").arg(j).arg(deciles[j - 1]);
    expected += QStringLiteral("\r\nStanine Cuttoff Scores\r\n");
    const char* stanines[] = {"2",    "2.88",  "4",     "4.53",  "7.8",
                              "11.2", "13.94", "17.37", "19.68", "21"};
    for (int j = 1; j <= 8; ++j)
        expected += QStringLiteral("S#D%1~\t\t\t=\t%2\t").arg(j).arg(stanines[j - 1]) + kLe +
                    QStringLiteral(" score <\t%1\r\n").arg(stanines[j]);
    expected += QStringLiteral("S#D9~\t\t\t=\t19.68\t") + kLe + QStringLiteral(" score ") + kLe +
                QStringLiteral("\t21\r\n\r\nPercentiles\r\n");
    ASSERT_TRUE(full.startsWith(expected)) << full.toStdString();

    // P1 to P100, no P0.
    const QStringList percentiles =
        full.mid(expected.size()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(percentiles.size(), 100);
    struct Line {
        int j;
        const char* value;
    } lines[] = {{1, "2.22"}, {25, "4.75"}, {50, "9.5"}, {75, "13.5"}, {99, "20.67"}, {100, "21"}};
    for (const Line& l : lines)
        EXPECT_EQ(percentiles[l.j - 1], QStringLiteral("P#D%1~\t\t\t=\t%2").arg(l.j).arg(l.value));
}

TEST(StatReport, ModeLines) {
    struct Case {
        std::vector<double> values;
        QString line;
    } cases[] = {
        {{1, 1, 2, 3}, QStringLiteral("Mode\t\t=\t1\r\n")},
        {{1, 1, 2, 2, 3}, QStringLiteral("Bimodal:\t\t1 & 2\r\n")},
        {{1, 1, 2, 2, 3, 3}, QStringLiteral("No Mode\r\n")},
    };
    for (const Case& k : cases) {
        auto c = std::make_unique<QvStatColumn>();
        FillValues(*c, k.values);
        const QString report = Report(*c, &QvStatColumn::WriteCentralTendencyReport);
        EXPECT_TRUE(report.contains(QStringLiteral("\r\n") + k.line + QStringLiteral("Median")))
            << report.toStdString();
    }
}

// A value of 0 or below has no reciprocal to average; the geometric
// mean's limit on the product plays no part.
TEST(StatReport, HarmonicMean) {
    struct Case {
        std::vector<double> values;
        QString line;
    } cases[] = {
        {{1, 1, 2, 3}, QStringLiteral("Harmonic Mean\t=\t1.41176471\r\n")},
        // Sixty 100s: a product of 1e120.
        {std::vector<double>(60, 100.0), QStringLiteral("Harmonic Mean\t=\t100\r\n")},
        {{0, 1, 2}, QStringLiteral("Harmonic Mean Not Able to be Calculated\r\n")},
        {{-1, 1, 2}, QStringLiteral("Harmonic Mean Not Able to be Calculated\r\n")},
    };
    for (const Case& k : cases) {
        auto c = std::make_unique<QvStatColumn>();
        FillValues(*c, k.values);
        EXPECT_TRUE(Report(*c, &QvStatColumn::WriteCentralTendencyReport).endsWith(k.line))
            << k.line.toStdString();
    }
}

TEST(StatReport, OrdinalSuffix) {
    struct Case {
        int j;
        const char* suffix;
    } cases[] = {{1, "st"},  {2, "nd"},   {3, "rd"},   {4, "th"},   {10, "th"},
                 {11, "th"}, {12, "th"},  {13, "th"},  {21, "st"},  {22, "nd"},
                 {23, "rd"}, {101, "st"}, {111, "th"}, {112, "th"}, {0, "th"}};
    for (const Case& k : cases)
        EXPECT_EQ(QvStatColumn::OrdinalSuffix(k.j), QLatin1String(k.suffix)) << k.j;
}

} // namespace
