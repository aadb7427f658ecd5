// The page of each graph type in the "Graph Options" sheet: what it shows,
// that every field it edits comes back as it went in, the point-type and
// regression choices, the refused cycle lengths and stem counts, the
// histogram slider's ends and the pictogram's pictures from the galleries.
#include "diagrams/gallery_test_support.h"
#include "dialogs/gallery_dialogs.h"
#include "dialogs/stat_graph_options.h"
#include "dialogs/stat_graph_type_pages.h"
#include "graph_dialog_test_support.h"
#include "platform/archive.h"
#include "property_dialog_test_support.h"
#include "settings/settings.h"
#include "statistics/stat_data.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QByteArray RecordBytes(CObject& record) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    record.Serialize(ar);
    ar.Close();
    return bytes;
}

// Plays the user in the sheet and in the gallery chooser.
class Script {
public:
    Script() {
        m_saved = SetModalDialogHandler([this](CDialog& dialog) {
            if (auto* sheet = dynamic_cast<CPropertySheet*>(&dialog)) {
                if (onSheet)
                    onSheet(*sheet);
            } else if (auto* chooser = dynamic_cast<CSelectGalleryFigureDlg*>(&dialog)) {
                ++choosers;
                ASSERT_TRUE(onChooser) << "an unexpected chooser";
                onChooser(*chooser);
            } else {
                FAIL() << "an unexpected dialog";
            }
        });
    }
    ~Script() { SetModalDialogHandler(std::move(m_saved)); }
    std::function<void(CPropertySheet&)> onSheet;
    std::function<void(CSelectGalleryFigureDlg&)> onChooser;
    int choosers = 0;

private:
    ModalDialogHandler m_saved;
};

class TypePageTest : public ::testing::Test {
protected:
    TypePageTest() : data(std::make_unique<QvStatData>()) {}
    QvStatProperties& P() { return data->properties; }
    // The sheet on the data set, opening on the type's page.
    template <class Page> bool Run(int type, std::function<void(CPropertySheet&, Page&)> user) {
        P().GraphType = type;
        script.onSheet = [&](CPropertySheet& sheet) {
            auto* page = dynamic_cast<Page*>(sheet.GetActivePage());
            ASSERT_TRUE(page);
            user(sheet, *page);
        };
        return RunGraphOptionsSheet(*data);
    }

    std::unique_ptr<QvStatData> data;
    Script script;
    MessageRecorder messages;
};

struct PageCase {
    int type;
    const char* caption;
    const char* shown; // the tab as the user reads it
    const char* file;
    // Sets every field the page edits to a value unlike the default.
    std::function<void(QvStatProperties&)> fill;
};

std::vector<PageCase> PageCases() {
    return {
        {1, "Bar Graphs", "Bar Graphs", "bar",
         [](QvStatProperties& p) {
             p.Bar_Legend = 0;
             p.Back2Back = 1;
         }},
        {2, "Box && Whisker Plot", "Box & Whisker Plot", "box",
         [](QvStatProperties& p) {
             p.Orientate = 1;
             p.StatType = 1;
             p.BoxPlot_ShowOutliers = 0;
         }},
        {3, "Pie (Circle) Graph", "Pie (Circle) Graph", "pie",
         [](QvStatProperties& p) { p.PieGraph = 2; }},
        {4, "Line Graph", "Line Graph", "line",
         [](QvStatProperties& p) {
             p.Line_Legend = 1;
             p.DataPoints = 0;
             p.Line_FillGaps = 1;
             p.Line_UseLabels = 1;
             p.CycleLen = 7;
             p.RegType = 3;
             p.Line_PointType = {6, 5, 4, 3, 2, 1, 6, 5, 4, 3};
             p.Smoothing = {0, 1, 2, 3, 3, 2, 1, 0, 1, 2};
         }},
        {5, "Scatter Graph", "Scatter Graph", "scatter",
         [](QvStatProperties& p) {
             p.LineOfReg = 0;
             p.Residuals = 0;
             p.RegType = 7;
             p.Scatter_PointType = {2, 6, 1, 5, 4};
         }},
        {6, "Dot Plot", "Dot Plot", "dot",
         [](QvStatProperties& p) {
             p.Dot_Legend = 1;
             p.Dot_PointType = {1, 2, 3, 4, 5, 6, 6, 5, 4, 2};
         }},
        {7, "Stem && Leaf", "Stem & Leaf", "stem_leaf",
         [](QvStatProperties& p) {
             p.StemLeaf_SortData = 0;
             p.StemLeaf_RoundLeaf = 1;
             p.StemLeaf_AllowSplit = 1;
             p.StemLeaf_High = QStringLiteral("hi*");
             p.StemLeaf_Low = QStringLiteral("");
             p.StemLeaf_NumStems = 35;
         }},
        {8, "Histogram", "Histogram", "histogram",
         [](QvStatProperties& p) {
             p.NumberGroups = 37;
             p.Histo_ShowFreq = 3;
         }},
        {9, "Cumulative Frequency Plot", "Cumulative Frequency Plot", "cumulative",
         [](QvStatProperties& p) {
             p.CFPlot_Legend = 1;
             p.CFPlot_Percentage = 0;
             p.CFGraph_ShowFreq = 2;
         }},
        {10, "Column Graph", "Column Graph", "column",
         [](QvStatProperties& p) { p.Column_Legend = 0; }},
        {11, "Frequency Polygon", "Frequency Polygon", "frequency_polygon",
         [](QvStatProperties& p) {
             p.FreqPoly_Legend = 1;
             p.FreqPoly_Percentage = 1;
             p.FreqPoly_ShowFreq = 1;
             p.FreqPoly_ShowEnds = 0;
         }},
        {12, "Residuals Graph", "Residuals Graph", "residuals",
         [](QvStatProperties& p) {
             p.Residuals_FillGaps = 1;
             p.JoinPoints = 0;
             p.RegType = 6;
             p.Residuals_PointType = {5, 5, 2, 1, 6};
         }},
        {14, "Pictogram", "Pictogram", "pictogram",
         [](QvStatProperties& p) {
             p.Picto_Orientate = 1;
             p.Picto_ShowLegend = 1;
             p.Picto_Symbol[2] = MakeGalleryFigure(1.5);
         }},
    };
}

// Each type's page stands first, under its caption, and has drawn its
// controls (pictures in LUMBREL_DIALOG_PNG for a look); type 13 has none.
TEST_F(TypePageTest, EachTypesPageFirstAsItShows) {
    for (const PageCase& c : PageCases()) {
        P().GraphType = c.type;
        script.onSheet = [&](CPropertySheet& sheet) {
            ASSERT_EQ(sheet.GetPageCount(), 6) << c.type;
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            CPropertyPage* page = sheet.GetPage(0);
            EXPECT_EQ(page->Caption(), QString::fromLatin1(c.caption));
            EXPECT_EQ(sheet.TabWidget()->tabText(0), QString::fromLatin1(c.caption));
            const QImage picture =
                Picture(sheet, QStringLiteral("graph_type_page_") + QLatin1String(c.file));
            EXPECT_GT(InkIn(picture, page, &sheet), 150) << c.file;
            sheet.reject();
        };
        EXPECT_FALSE(RunGraphOptionsSheet(*data)) << c.type;
        // QTabBar draws "&&" as one ampersand.
        EXPECT_EQ(QString::fromLatin1(c.caption).replace(QLatin1String("&&"), QLatin1String("&")),
                  QString::fromLatin1(c.shown));
    }
    EXPECT_EQ(NewGraphTypeOptionsPage(13), nullptr);
    EXPECT_EQ(NewGraphTypeOptionsPage(0), nullptr);
    EXPECT_EQ(NewGraphTypeOptionsPage(15), nullptr);
}

// A page opened on a filled record and closed with OK gives every field it
// edits to a record that held the defaults: the two then match byte for
// byte, so no field was lost, swapped or changed on the way.
TEST_F(TypePageTest, EveryPageRoundTripsItsFields) {
    for (const PageCase& c : PageCases()) {
        QvStatProperties filled;
        c.fill(filled);
        QvStatProperties blank;
        ASSERT_NE(RecordBytes(filled), RecordBytes(blank)) << c.file;

        QvStatData source;
        source.properties.Copy(filled);
        std::unique_ptr<CGOptTypePage> page = NewGraphTypeOptionsPage(c.type);
        ASSERT_TRUE(page);
        page->ReadProperties(source);
        script.onSheet = [&](CPropertySheet& sheet) {
            EXPECT_TRUE(page->IsInitialized());
            sheet.accept();
        };
        CPropertySheet sheet(QStringLiteral("Graph Options"));
        sheet.AddPage(page.get());
        ASSERT_EQ(sheet.DoModal(), IDOK) << c.file;
        QvStatData target;
        target.properties.Copy(blank);
        page->WriteProperties(target);
        EXPECT_EQ(RecordBytes(target.properties), RecordBytes(filled)) << c.file;
        EXPECT_TRUE(messages.messages.empty()) << c.file;
    }
}

// Point types: the stored code less one is the row; a code outside 1..6
// shows no row and is kept.
TEST_F(TypePageTest, PointTypesShowTheirRowAndKeepCodesOutsideTheList) {
    P().Line_PointType = {3, 0, 9, 1, 6, -4, 3, 4, 5, 2};
    EXPECT_TRUE(Run<CGOptLineGraph>(4, [](CPropertySheet& sheet, CGOptLineGraph& page) {
        const auto& columns = page.m_pointTypes.columns;
        ASSERT_EQ(columns.size(), 10);
        auto checkedRow = [&](int series) {
            for (int r = 0; r < columns[series].size(); ++r)
                if (columns[series][r]->isChecked())
                    return r;
            return -1;
        };
        EXPECT_EQ(columns[0].size(), 6);
        EXPECT_EQ(checkedRow(0), 2); // the large filled circle
        EXPECT_EQ(checkedRow(1), -1);
        EXPECT_EQ(checkedRow(2), -1);
        EXPECT_EQ(checkedRow(3), 0);
        EXPECT_EQ(checkedRow(4), 5);
        EXPECT_EQ(checkedRow(5), -1);
        // Series 4 to the dot; the choice in one column leaves the others.
        columns[3][1]->click();
        EXPECT_EQ(checkedRow(3), 1);
        EXPECT_EQ(checkedRow(0), 2);
        sheet.accept();
    }));
    EXPECT_EQ(P().Line_PointType, (std::array<int, 10>{3, 0, 9, 2, 6, -4, 3, 4, 5, 2}));

    // The same rule on the pages with five sets.
    P().Scatter_PointType = {0, 3, 7, 1, 1};
    P().Residuals_PointType = {9, 4, 0, 6, 6};
    P().Dot_PointType = {0, 5, 1, 1, 1, 1, 1, 1, 1, 12};
    EXPECT_TRUE(Run<CGOptScatterGraph>(5, [](CPropertySheet& sheet, CGOptScatterGraph& page) {
        EXPECT_TRUE(page.m_pointTypes.columns[1][2]->isChecked());
        page.m_pointTypes.columns[4][4]->click();
        sheet.accept();
    }));
    EXPECT_TRUE(Run<CGOptGraphResidual>(12, [](CPropertySheet& sheet, CGOptGraphResidual& page) {
        EXPECT_TRUE(page.m_pointTypes.columns[1][3]->isChecked());
        sheet.accept();
    }));
    EXPECT_TRUE(Run<CGOPTBox>(6, [](CPropertySheet& sheet, CGOPTBox&) { sheet.accept(); }));
    EXPECT_EQ(P().Scatter_PointType, (std::array<int, 5>{0, 3, 7, 1, 5}));
    EXPECT_EQ(P().Residuals_PointType, (std::array<int, 5>{9, 4, 0, 6, 6}));
    EXPECT_EQ(P().Dot_PointType, (std::array<int, 10>{0, 5, 1, 1, 1, 1, 1, 1, 1, 12}));
}

// The regression list and the stored model number each other through the
// one shared table; a model outside it shows no entry and is kept.
TEST_F(TypePageTest, RegressionComboTranslatesTheModel) {
    struct Case {
        int stored;
        const char* shown;  // null: no entry
        const char* picked; // null: left alone
        int written;
    };
    const Case cases[] = {
        {3, "Power Regression", nullptr, 3},
        {1, "Linear Regression", "Median Line", 6},
        {4, "Exponential Regression", "Reciprocal Regression", 7},
        {7, "Reciprocal Regression", "Logarithmic Regression", 5},
        {6, "Median Line", "Quadratic Regression", 2},
        {0, nullptr, nullptr, 0},
        {8, nullptr, "Power Regression", 3},
    };
    auto check = [&](const Case& c, QComboBox* combo) {
        EXPECT_EQ(combo->count(), 7);
        EXPECT_EQ(combo->currentText(), QString::fromLatin1(c.shown ? c.shown : ""));
        EXPECT_EQ(combo->currentIndex() >= 0, c.shown != nullptr);
        if (c.picked)
            combo->setCurrentIndex(combo->findText(QString::fromLatin1(c.picked)));
    };
    for (const Case& c : cases) {
        P().RegType = c.stored;
        EXPECT_TRUE(Run<CGOptLineGraph>(4, [&](CPropertySheet& sheet, CGOptLineGraph& page) {
            check(c, page.m_comboRegression);
            sheet.accept();
        }));
        EXPECT_EQ(P().RegType, c.written) << c.stored;
        P().RegType = c.stored;
        EXPECT_TRUE(Run<CGOptScatterGraph>(5, [&](CPropertySheet& sheet, CGOptScatterGraph& page) {
            check(c, page.m_comboRegression);
            sheet.accept();
        }));
        EXPECT_EQ(P().RegType, c.written) << c.stored;
        P().RegType = c.stored;
        EXPECT_TRUE(
            Run<CGOptGraphResidual>(12, [&](CPropertySheet& sheet, CGOptGraphResidual& page) {
                check(c, page.m_comboRegression);
                sheet.accept();
            }));
        EXPECT_EQ(P().RegType, c.written) << c.stored;
    }
}

// The cycle length shows as text and is read back truncated; what is no
// number or lies outside 2..12 is refused and the page stays open.
TEST_F(TypePageTest, CycleLengthReadTruncatedAndRefusedOutsideTwoToTwelve) {
    struct Case {
        const char* typed;
        int stored; // 0: refused
    };
    const Case cases[] = {{"7", 7},   {"7.9", 7}, {"12", 12}, {"2", 2},  {"12.99", 12},
                          {"1", 0},   {"13", 0},  {"1.9", 0}, {"0", 0},  {"-3", 0},
                          {"abc", 0}, {"", 0},    {"7x", 0},  {"1/0", 0}};
    for (const Case& c : cases) {
        P().CycleLen = 4;
        messages.messages.clear();
        const bool ok = Run<CGOptLineGraph>(4, [&](CPropertySheet& sheet, CGOptLineGraph& page) {
            EXPECT_EQ(page.m_comboCycle->currentText(), QStringLiteral("4"));
            EXPECT_EQ(page.m_comboCycle->count(), 11);
            page.m_comboCycle->setEditText(QString::fromLatin1(c.typed));
            sheet.accept();
            if (c.stored == 0) {
                EXPECT_EQ(sheet.ModalResult(), -1) << c.typed;
                sheet.TabWidget()->setCurrentIndex(1);
                EXPECT_EQ(sheet.GetActiveIndex(), 0) << c.typed;
                sheet.reject();
            }
        });
        if (c.stored == 0) {
            EXPECT_FALSE(ok) << c.typed;
            EXPECT_EQ(P().CycleLen, 4);
            ASSERT_EQ(messages.messages.size(), 2u) << c.typed;
            EXPECT_EQ(messages.messages[0].text,
                      QStringLiteral("Please enter an integer between 2 and 12."));
            continue;
        }
        EXPECT_TRUE(ok) << c.typed;
        EXPECT_TRUE(messages.messages.empty()) << c.typed;
        EXPECT_EQ(P().CycleLen, c.stored) << c.typed;
    }
}

// The number of stems: 1..35, digits only; the marks can be edited only
// while splitting is allowed, and keep their texts either way.
TEST_F(TypePageTest, StemCountRefusedOutsideOneToThirtyFiveAndMarksFollowSplitting) {
    struct Case {
        const char* typed;
        const char* message; // null: accepted
    };
    const Case cases[] = {{"35", nullptr},
                          {"1", nullptr},
                          {"0", "Please enter an integer between 1 and 35."},
                          {"36", "Please enter an integer between 1 and 35."},
                          {"99999999999", "Please enter a positive integer."},
                          {"", "Please enter a positive integer."}};
    for (const Case& c : cases) {
        P().StemLeaf_NumStems = 15;
        messages.messages.clear();
        const bool ok = Run<CGOptStemLeaf>(7, [&](CPropertySheet& sheet, CGOptStemLeaf& page) {
            EXPECT_EQ(page.m_editStems->text(), QStringLiteral("15"));
            page.m_editStems->setText(QString::fromLatin1(c.typed));
            sheet.accept();
            if (c.message) {
                EXPECT_EQ(sheet.ModalResult(), -1);
                sheet.reject();
            }
        });
        if (c.message) {
            EXPECT_FALSE(ok) << c.typed;
            ASSERT_EQ(messages.messages.size(), 1u) << c.typed;
            EXPECT_EQ(messages.messages[0].text, QString::fromLatin1(c.message));
            EXPECT_EQ(P().StemLeaf_NumStems, 15);
            continue;
        }
        EXPECT_TRUE(ok) << c.typed;
        EXPECT_EQ(P().StemLeaf_NumStems, QString::fromLatin1(c.typed).toInt());
    }
    // Letters never reach the edit.
    CGOptStemLeaf page;
    page.m_editStems->setText(QString());
    QTest::keyClicks(page.m_editStems, QStringLiteral("1x2"));
    EXPECT_EQ(page.m_editStems->text(), QStringLiteral("12"));

    P().StemLeaf_AllowSplit = 0;
    P().StemLeaf_High = QStringLiteral("Hi");
    P().StemLeaf_Low = QStringLiteral("Lo");
    messages.messages.clear();
    EXPECT_TRUE(Run<CGOptStemLeaf>(7, [&](CPropertySheet& sheet, CGOptStemLeaf& page) {
        auto marks = {static_cast<QWidget*>(page.m_editHigh), static_cast<QWidget*>(page.m_editLow),
                      static_cast<QWidget*>(page.m_labelHigh),
                      static_cast<QWidget*>(page.m_labelLow)};
        for (QWidget* w : marks)
            EXPECT_FALSE(w->isEnabled());
        EXPECT_EQ(page.m_editHigh->text(), QStringLiteral("Hi"));
        EXPECT_EQ(page.m_labelHigh->text(), QStringLiteral("High Mark"));
        EXPECT_EQ(page.m_labelLow->text(), QStringLiteral("Low Mark"));
        page.m_checkSplit->click();
        for (QWidget* w : marks)
            EXPECT_TRUE(w->isEnabled());
        page.m_editLow->setText(QStringLiteral("Low"));
        page.m_checkSplit->click();
        for (QWidget* w : marks)
            EXPECT_FALSE(w->isEnabled());
        EXPECT_EQ(page.m_editLow->text(), QStringLiteral("Low"));
        sheet.accept();
    }));
    EXPECT_EQ(P().StemLeaf_AllowSplit, 0);
    EXPECT_EQ(P().StemLeaf_High, QStringLiteral("Hi"));
    EXPECT_EQ(P().StemLeaf_Low, QStringLiteral("Low"));
    EXPECT_TRUE(messages.messages.empty());
}

// The slider runs from 1 to 100: a stored count beyond either end shows
// and is stored at that end.
TEST_F(TypePageTest, HistogramSliderClampsToOneToHundred) {
    const std::pair<int, int> cases[] = {{150, 100}, {0, 1}, {-5, 1}, {100, 100}, {1, 1}, {37, 37}};
    for (auto [stored, kept] : cases) {
        P().NumberGroups = stored;
        EXPECT_TRUE(Run<CGOptHistogram>(8, [&](CPropertySheet& sheet, CGOptHistogram& page) {
            EXPECT_EQ(page.m_sliderGroups->minimum(), 1);
            EXPECT_EQ(page.m_sliderGroups->maximum(), 100);
            EXPECT_EQ(page.m_sliderGroups->value(), kept);
            sheet.accept();
        }));
        EXPECT_EQ(P().NumberGroups, kept) << stored;
    }
    P().Histo_ShowFreq = 0;
    EXPECT_TRUE(Run<CGOptHistogram>(8, [&](CPropertySheet& sheet, CGOptHistogram& page) {
        EXPECT_TRUE(page.m_radioFreq[0]->isChecked());
        page.m_sliderGroups->setValue(5);
        page.m_radioFreq[1]->click();
        sheet.accept();
    }));
    EXPECT_EQ(P().NumberGroups, 5);
    EXPECT_EQ(P().Histo_ShowFreq, 1);
}

// ---------------------------------------------------------------- Pictogram

class PictogramPageTest : public TypePageTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Ratios 0.5, 0.625, 0.75, 0.875 tell the figures apart.
        WriteGallery(dir.filePath(QStringLiteral("animals.gal")), QStringLiteral("Animals"), 4);
        m_savedPath = TheSettings().m_GalleryPath.GetValue();
        TheSettings().m_GalleryPath.SetValue(dir.path());
        P().GraphType = 14;
        P().Picto_Symbol[0] = MakeGalleryFigure(2.0);
        P().Picto_Symbol[1] = MakeGalleryFigure(3.0);
    }
    void TearDown() override { TheSettings().m_GalleryPath.SetValue(m_savedPath); }

    static double Ratio(const std::unique_ptr<QvFigure>& symbol) {
        auto* g = dynamic_cast<QvFigGallery*>(symbol.get());
        return g ? g->GetAspectRatio() : -1.0;
    }
    // The chooser answers with figure `figure` of the gallery selected (-1:
    // none) and closes with `result`.
    void Answer(int figure, int result) {
        script.onChooser = [=](CSelectGalleryFigureDlg& chooser) {
            ASSERT_TRUE(chooser.m_pGalleryList);
            ASSERT_EQ(chooser.m_pGalleryList->GetGalleryCount(), 1);
            if (figure >= 0) {
                ASSERT_EQ(chooser.m_pGalleryList->GetFigureCount(0), 4);
                chooser.m_pGalleryList->Select(0, figure);
                ASSERT_EQ(chooser.m_pGalleryList->GetSelectedFigure(), figure);
            }
            chooser.EndDialog(result);
        };
    }

    QTemporaryDir dir;

private:
    QString m_savedPath;
};

// A picture replaced in the page and the sheet cancelled: the record keeps
// its own symbols, untouched; the page's copies and the new picture go.
TEST_F(PictogramPageTest, CancelledSheetKeepsTheRecordsSymbols) {
    const QvFigure* first = P().Picto_Symbol[0].get();
    const QvFigure* second = P().Picto_Symbol[1].get();
    const QByteArray before = RecordBytes(P());
    Answer(2, IDOK);
    EXPECT_FALSE(Run<CGOptPictoGram>(14, [&](CPropertySheet& sheet, CGOptPictoGram& page) {
        ASSERT_TRUE(page.m_symbols[1]);
        EXPECT_NE(page.m_symbols[1].get(), second); // the page's own copy
        page.m_buttonPicture[1]->click();
        EXPECT_DOUBLE_EQ(Ratio(page.m_symbols[1]), 0.75);
        page.m_buttonPicture[1]->click(); // and once more: the first choice goes
        sheet.reject();
    }));
    EXPECT_EQ(script.choosers, 2);
    EXPECT_EQ(P().Picto_Symbol[0].get(), first);
    EXPECT_EQ(P().Picto_Symbol[1].get(), second);
    EXPECT_DOUBLE_EQ(Ratio(P().Picto_Symbol[1]), 3.0);
    EXPECT_EQ(RecordBytes(P()), before);
}

// Closing the chooser with Cancel, or with OK but nothing selected, keeps
// the slot's picture.
TEST_F(PictogramPageTest, ChooserWithoutAChoiceKeepsTheSlot) {
    const std::pair<int, int> answers[] = {{1, IDCANCEL}, {-1, IDOK}, {-1, IDCANCEL}};
    for (auto [figure, result] : answers) {
        Answer(figure, result);
        EXPECT_TRUE(Run<CGOptPictoGram>(14, [&](CPropertySheet& sheet, CGOptPictoGram& page) {
            page.m_buttonPicture[0]->click();
            page.m_buttonPicture[3]->click();
            EXPECT_DOUBLE_EQ(Ratio(page.m_symbols[0]), 2.0);
            EXPECT_EQ(page.m_symbols[3], nullptr);
            sheet.accept();
        }));
        EXPECT_DOUBLE_EQ(Ratio(P().Picto_Symbol[0]), 2.0) << figure << result;
        EXPECT_DOUBLE_EQ(Ratio(P().Picto_Symbol[1]), 3.0);
        EXPECT_EQ(P().Picto_Symbol[3], nullptr);
    }
}

// Two new pictures and OK: the record holds them, and so does the record
// saved and read back, whose page shows them again.
TEST_F(PictogramPageTest, NewPicturesSavedAndReopened) {
    int next = 3;
    script.onChooser = [&](CSelectGalleryFigureDlg& chooser) {
        ASSERT_EQ(chooser.m_pGalleryList->GetFigureCount(0), 4);
        chooser.m_pGalleryList->Select(0, next--);
        chooser.EndDialog(IDOK);
    };
    EXPECT_TRUE(Run<CGOptPictoGram>(14, [&](CPropertySheet& sheet, CGOptPictoGram& page) {
        page.m_buttonPicture[1]->click(); // 0.875
        page.m_buttonPicture[4]->click(); // 0.75
        page.m_radioOrientate[1]->click();
        sheet.accept();
    }));
    const double expected[] = {2.0, 0.875, -1.0, -1.0, 0.75};
    for (int k = 0; k < 5; ++k)
        EXPECT_DOUBLE_EQ(Ratio(P().Picto_Symbol[size_t(k)]), expected[k]) << k;
    EXPECT_EQ(P().Picto_Orientate, 1);

    const QByteArray saved = RecordBytes(P());
    auto reopened = std::make_unique<QvStatData>();
    {
        QByteArray bytes = saved;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(&buffer, CArchive::load);
        reopened->properties.Serialize(ar);
    }
    EXPECT_EQ(RecordBytes(reopened->properties), saved);
    data = std::move(reopened);
    script.onChooser = nullptr;
    EXPECT_FALSE(Run<CGOptPictoGram>(14, [&](CPropertySheet& sheet, CGOptPictoGram& page) {
        for (int k = 0; k < 5; ++k)
            EXPECT_DOUBLE_EQ(Ratio(page.m_symbols[size_t(k)]), expected[k]) << k;
        EXPECT_TRUE(page.m_radioOrientate[1]->isChecked());
        sheet.reject();
    }));
}

} // namespace
