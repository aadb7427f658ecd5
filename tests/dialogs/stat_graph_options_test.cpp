// The "Graph Options" sheet of a statistics graph: its pages, the label
// column, the data columns, colours and fonts (kept only by OK), the grid
// line kinds, the scale limits and steps with their refusals, and the
// Options button of the Statistics Graph Properties dialog that opens it.
#include "dialogs/dialog_controls.h"
#include "dialogs/font_color_dlg.h"
#include "dialogs/stat_graph_dlg.h"
#include "dialogs/stat_graph_options.h"
#include "graph_dialog_test_support.h"
#include "platform/archive.h"
#include "property_dialog_test_support.h"
#include "statgraphs/fig_stat.h"
#include "statistics/stat_data.h"

#include <QBuffer>
#include <QCheckBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cstring>
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

template <class Page> Page* FindPage(CPropertySheet& sheet) {
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        if (auto* page = dynamic_cast<Page*>(sheet.GetPage(i)))
            return page;
    return nullptr;
}

// Goes to a page as the user does; false when the open page refused.
template <class Page> Page* GoTo(CPropertySheet& sheet) {
    Page* page = FindPage<Page>(sheet);
    if (!page)
        return nullptr;
    sheet.TabWidget()->setCurrentWidget(page);
    return sheet.GetActivePage() == page ? page : nullptr;
}

// Plays the user in the sheet and in the font chooser it opens.
class Script {
public:
    Script() {
        m_saved = SetModalDialogHandler([this](CDialog& dialog) {
            if (auto* sheet = dynamic_cast<CPropertySheet*>(&dialog)) {
                ++sheets;
                if (onSheet)
                    onSheet(*sheet);
            } else if (auto* font = dynamic_cast<CFontColorDlg*>(&dialog)) {
                if (onFont)
                    onFont(*font);
            }
        });
    }
    ~Script() { SetModalDialogHandler(std::move(m_saved)); }
    std::function<void(CPropertySheet&)> onSheet;
    std::function<void(CFontColorDlg&)> onFont;
    int sheets = 0;

private:
    ModalDialogHandler m_saved;
};

class GraphOptionsTest : public ::testing::Test {
protected:
    // A type without a page of its own: the sheet opens on General.
    GraphOptionsTest() : data(std::make_unique<QvStatData>()) { P().GraphType = 13; }
    QvStatProperties& P() { return data->properties; }
    bool Run(std::function<void(CPropertySheet&)> user) {
        script.onSheet = std::move(user);
        return RunGraphOptionsSheet(*data);
    }
    void MakeLabelColumn(int c) { data->columns[size_t(c)].type = QvStatColumn::Label; }

    std::unique_ptr<QvStatData> data;
    Script script;
    MessageRecorder messages;
};

// A type without a page of its own (13, or none known) gets the five
// common pages, opening on General.
TEST_F(GraphOptionsTest, CommonPagesOpeningOnGeneral) {
    for (int type : {13, 0, 99}) {
        P().GraphType = type;
        EXPECT_FALSE(Run([](CPropertySheet& sheet) {
            EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Graph Options"));
            ASSERT_EQ(sheet.GetPageCount(), 5);
            QStringList tabs;
            for (int i = 0; i < 5; ++i)
                tabs << sheet.TabWidget()->tabText(i);
            EXPECT_EQ(tabs, (QStringList{"General", "Data Columns", "Grid", "Fonts", "Scales"}));
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            EXPECT_TRUE(dynamic_cast<CGOptGeneral*>(sheet.GetActivePage()));
            sheet.reject();
        })) << type;
    }
}

// Every page as it shows, for a look (LUMBREL_DIALOG_PNG); each has drawn
// its controls.
TEST_F(GraphOptionsTest, PagesAsTheyShow) {
    MakeLabelColumn(2);
    P().GraphType = 13;
    Run([](CPropertySheet& sheet) {
        const char* const names[] = {"general", "data_columns", "grid", "fonts", "scales"};
        for (int i = 0; i < sheet.GetPageCount(); ++i) {
            sheet.TabWidget()->setCurrentIndex(i);
            ASSERT_EQ(sheet.GetActiveIndex(), i);
            const QImage picture =
                Picture(sheet, QStringLiteral("graph_options_") + QLatin1String(names[i]));
            EXPECT_GT(InkIn(picture, sheet.GetPage(i), &sheet), 200) << names[i];
        }
        sheet.reject();
    });
}

TEST_F(GraphOptionsTest, LabelColumnWithoutLabelColumnsIsNone) {
    P().Label1 = QStringLiteral("C");
    P().LabelCol1 = 2;
    P().LabelColActive1 = 1;
    // Shown, then cancelled: the graph keeps its label column.
    EXPECT_FALSE(Run([](CPropertySheet& sheet) { sheet.reject(); }));
    EXPECT_EQ(P().LabelColActive1, 1);
    EXPECT_EQ(P().LabelCol1, 2);
    EXPECT_TRUE(Run([](CPropertySheet& sheet) {
        auto* general = FindPage<CGOptGeneral>(sheet);
        EXPECT_FALSE(general->m_comboLabel->isEnabled());
        EXPECT_EQ(ItemTexts(general->m_comboLabel), QStringList{"C"});
        EXPECT_EQ(general->m_comboLabel->currentText(), QStringLiteral("C"));
        sheet.accept();
    }));
    EXPECT_EQ(P().Label1, QStringLiteral("C"));
    EXPECT_EQ(P().LabelCol1, -1);
    EXPECT_EQ(P().LabelColActive1, 0);
}

// Picking or typing a label column, in either case; a stored label that is
// no longer a label column opens empty and stores none.
TEST_F(GraphOptionsTest, LabelColumnPickedTypedOrStale) {
    MakeLabelColumn(2);
    MakeLabelColumn(4);
    const struct {
        const char* stored;
        const char* shown;
        const char* typed; // null: left as shown
        bool picked;       // chosen from the list rather than typed
        const char* label;
        int column;
    } cases[] = {{"None", "None", "C", true, "C", 2},    {"E", "E", nullptr, false, "E", 4},
                 {"None", "None", "c", false, "c", 2},   {"B", "", nullptr, false, "", -1},
                 {"e", "E", "None", true, "None", -1}};
    for (const auto& c : cases) {
        P().Label1 = QString::fromLatin1(c.stored);
        P().LabelCol1 = 7;
        EXPECT_TRUE(Run([&](CPropertySheet& sheet) {
            auto* general = FindPage<CGOptGeneral>(sheet);
            EXPECT_TRUE(general->m_comboLabel->isEnabled());
            EXPECT_EQ(ItemTexts(general->m_comboLabel), (QStringList{"None", "C", "E"}));
            EXPECT_EQ(general->m_comboLabel->currentText(), QString::fromLatin1(c.shown));
            QComboBox* combo = general->m_comboLabel;
            if (c.typed && c.picked)
                combo->setCurrentIndex(combo->findText(QString::fromLatin1(c.typed)));
            else if (c.typed)
                combo->setEditText(QString::fromLatin1(c.typed));
            sheet.accept();
        })) << c.stored;
        EXPECT_EQ(P().Label1, QString::fromLatin1(c.label)) << c.stored;
        EXPECT_EQ(P().LabelCol1, c.column) << c.stored;
        EXPECT_EQ(P().LabelColActive1, 1);
    }
}

TEST_F(GraphOptionsTest, GeneralTextsAndArtTypeOnOkOnly) {
    P().GraphStyle = 3;
    auto edit = [&](CPropertySheet& sheet) {
        auto* general = FindPage<CGOptGeneral>(sheet);
        EXPECT_TRUE(general->m_radioArtType[3]->isChecked());
        general->m_editTitle->setText(QStringLiteral("Heights"));
        general->m_editXAxis->setText(QStringLiteral("cm"));
        general->m_editYAxisMid->setText(QStringLiteral("Pupils"));
        general->m_radioArtType[1]->click();
    };
    EXPECT_FALSE(Run([&](CPropertySheet& sheet) {
        edit(sheet);
        sheet.reject();
    }));
    EXPECT_EQ(P().Title, QString());
    EXPECT_EQ(P().GraphStyle, 3);
    EXPECT_TRUE(Run([&](CPropertySheet& sheet) {
        edit(sheet);
        sheet.accept();
    }));
    EXPECT_EQ(P().Title, QStringLiteral("Heights"));
    EXPECT_EQ(P().xAxis, QStringLiteral("cm"));
    EXPECT_EQ(P().yAxisMid, QStringLiteral("Pupils"));
    EXPECT_EQ(P().GraphStyle, 1);
}

TEST_F(GraphOptionsTest, DataColumnsFromTheirTexts) {
    P().dc = {3, 4, -1, 26, -1, -1, -1, -1, -1, 9};
    // Not visited: kept whatever the page would read.
    EXPECT_TRUE(Run([](CPropertySheet& sheet) { sheet.accept(); }));
    EXPECT_EQ(P().dc, (std::array<int, 10>{3, 4, -1, 26, -1, -1, -1, -1, -1, 9}));

    EXPECT_TRUE(Run([](CPropertySheet& sheet) {
        auto* page = GoTo<CGOptDataCol>(sheet);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->m_comboSet[0]->count(), 27);
        EXPECT_EQ(page->m_comboSet[1]->count(), 28);
        const char* const shown[] = {"D", "E", "None", "Row", "None",
                                     "None", "None", "None", "None", "J"};
        for (int k = 0; k < 10; ++k)
            EXPECT_EQ(page->m_comboSet[size_t(k)]->currentText(), QString::fromLatin1(shown[k]))
                << k;
        const char* const typed[] = {"xyz", "None", "row", "b", "", "1", "z", "None", "[", "J"};
        for (int k = 0; k < 10; ++k)
            page->m_comboSet[size_t(k)]->setEditText(QString::fromLatin1(typed[k]));
        sheet.accept();
    }));
    EXPECT_EQ(P().dc, (std::array<int, 10>{3, -1, 26, 1, -1, -1, 25, -1, -1, 9}));

    // Set 1 with no column picked keeps its column; "Row" is one.
    P().dc[0] = -1;
    EXPECT_TRUE(Run([](CPropertySheet& sheet) {
        auto* page = GoTo<CGOptDataCol>(sheet);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->m_comboSet[0]->currentText(), QString());
        sheet.accept();
    }));
    EXPECT_EQ(P().dc[0], -1);
}

// A series colour reaches Colors and the colour-shading brush, and the
// custom colours come back from the chooser, only when the sheet ends OK.
TEST_F(GraphOptionsTest, ColoursKeptOnlyByOk) {
    const COLORREF oldSeries = P().Colors[2];
    P().Brushes[3][2].lbColor = RGB(10, 20, 30);
    P().CustomColors.fill(RGB(255, 255, 255));
    const COLORREF oldGrid = P().xMinorCol;
    ScriptedColours colours(QColor(200, 100, 50));
    auto pick = [&](CPropertySheet& sheet) {
        GoTo<CGOptDataCol>(sheet)->m_buttonColor[2]->click();
        EXPECT_EQ(colours.opened, QColor(10, 20, 30));
        GoTo<CGOptGrid>(sheet)->m_buttonColor[1]->click();
    };
    EXPECT_FALSE(Run([&](CPropertySheet& sheet) {
        pick(sheet);
        sheet.reject();
    }));
    EXPECT_EQ(P().Colors[2], oldSeries);
    EXPECT_EQ(P().Brushes[3][2].lbColor, RGB(10, 20, 30));
    EXPECT_EQ(P().xMinorCol, oldGrid);
    EXPECT_EQ(P().CustomColors[5], RGB(255, 255, 255));

    EXPECT_TRUE(Run([&](CPropertySheet& sheet) {
        pick(sheet);
        sheet.accept();
    }));
    EXPECT_EQ(P().Colors[2], RGB(200, 100, 50));
    EXPECT_EQ(P().Brushes[3][2].lbColor, RGB(200, 100, 50));
    EXPECT_EQ(P().xMinorCol, RGB(200, 100, 50));
    EXPECT_EQ(P().CustomColors[5], RGB(1, 2, 3));
    EXPECT_EQ(P().Colors[1], P().Brushes[3][1].lbColor);

    // A cancelled chooser changes nothing.
    colours.answer = QColor();
    EXPECT_TRUE(Run([&](CPropertySheet& sheet) {
        GoTo<CGOptDataCol>(sheet)->m_buttonColor[0]->click();
        sheet.accept();
    }));
    EXPECT_EQ(P().Colors[0], QvStatProperties().Colors[0]);
}

// Each button sets its own font; the drawing height is the size in tenths
// of a point times 3.52777777777777, truncated; Cancel keeps every font.
TEST_F(GraphOptionsTest, FontsWithTheirDrawingHeights) {
    const struct {
        CGOptFonts::Font button;
        int points;
        int height;
        QvLogFont QvStatProperties::*field;
    } cases[] = {{CGOptFonts::Title, 12, 423, &QvStatProperties::TitleFont},
                 {CGOptFonts::MidAxis, 10, 352, &QvStatProperties::MidAxisFont},
                 {CGOptFonts::Legend, 9, 317, &QvStatProperties::LabelFont},
                 {CGOptFonts::EndAxis, 14, 493, &QvStatProperties::AxisFont},
                 {CGOptFonts::Scales, 8, 282, &QvStatProperties::ScaleFont},
                 {CGOptFonts::Ancillary, 11, 388, &QvStatProperties::AncillaryFont}};
    for (bool ok : {false, true})
        for (const auto& c : cases) {
            const QvLogFont before = P().*c.field;
            script.onFont = [&](CFontColorDlg& dlg) {
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPointSize(c.points);
                dlg.m_fontChooser->setCurrentFont(font);
                dlg.SetPickedColour(RGB(0, 0, 255));
                dlg.accept();
            };
            Run([&](CPropertySheet& sheet) {
                GoTo<CGOptFonts>(sheet)->m_buttonFont[c.button]->click();
                ok ? sheet.accept() : sheet.reject();
            });
            const QvLogFont& after = P().*c.field;
            if (!ok) {
                EXPECT_TRUE(after == before) << c.points;
                continue;
            }
            EXPECT_EQ(after.m_drawHeight, c.height) << c.points;
            EXPECT_EQ(after.m_color, RGB(0, 0, 255));
            EXPECT_EQ(after.FaceName(), QStringLiteral("DejaVu Sans"));
        }
}

// The grid line kinds show as stored and are stored on OK; a kind outside
// the three shows no choice and is kept.
TEST_F(GraphOptionsTest, GridLineKinds) {
    P().xMajor = 2;
    P().xMinor = 1;
    P().yMajor = 0;
    P().yMinor = 7;
    EXPECT_TRUE(Run([](CPropertySheet& sheet) {
        auto* grid = GoTo<CGOptGrid>(sheet);
        ASSERT_TRUE(grid);
        EXPECT_TRUE(grid->m_radioKind[0][2]->isChecked());
        EXPECT_TRUE(grid->m_radioKind[1][1]->isChecked());
        EXPECT_TRUE(grid->m_radioKind[2][0]->isChecked());
        EXPECT_EQ(CheckedIndex(grid->m_radioKind[3], -1), -1);
        grid->m_radioKind[0][0]->click(); // x major: None
        grid->m_radioKind[1][2]->click(); // x minor: Solid
        sheet.accept();
    }));
    EXPECT_EQ(P().xMajor, 0);
    EXPECT_EQ(P().xMinor, 2);
    EXPECT_EQ(P().yMajor, 0);
    EXPECT_EQ(P().yMinor, 7);

    EXPECT_FALSE(Run([](CPropertySheet& sheet) {
        GoTo<CGOptGrid>(sheet)->m_radioKind[0][1]->click();
        sheet.reject();
    }));
    EXPECT_EQ(P().xMajor, 0);
    EXPECT_TRUE(Run([](CPropertySheet& sheet) {
        GoTo<CGOptGrid>(sheet)->m_radioKind[0][2]->click();
        sheet.accept();
    }));
    EXPECT_EQ(P().xMajor, 2);
}

// A refused value keeps the user on the Scales page, whether leaving it or
// pressing OK, with the message; an accepted one is stored as typed.
TEST_F(GraphOptionsTest, ScaleValuesCheckedAndStoredAsTyped) {
    const struct {
        CGOptScales::Value value;
        const char* typed;
        const char* message; // null: accepted
        double stored;
    } cases[] = {
        {CGOptScales::MinorX, "0", "Please enter a number between 0.0001 and 100000.", 0},
        {CGOptScales::MaxX, "2000000", "Please enter a number between -1000000 and 1000000.", 0},
        {CGOptScales::MinY, "abc", "Please enter a number.", 0},
        {CGOptScales::MajorY, "1000000.5", "Please enter a number between 0.0001 and 1000000.", 0},
        {CGOptScales::MinorY, "100000", nullptr, 100000},
        {CGOptScales::MinorX, "0.0001", nullptr, 0.0001},
        {CGOptScales::MaxY, "0.1", nullptr, 0.1},
        {CGOptScales::MinX, "-1000000", nullptr, -1000000},
        {CGOptScales::MajorX, "2.675", nullptr, 2.675},
    };
    for (const auto& c : cases) {
        data = std::make_unique<QvStatData>();
        P().GraphType = 13;
        CGOptScales reference;
        reference.ReadProperties(*data);
        messages.messages.clear();
        const bool ok = Run([&](CPropertySheet& sheet) {
            auto* scales = GoTo<CGOptScales>(sheet);
            ASSERT_TRUE(scales);
            QLineEdit* edit = scales->m_edit[c.value];
            EXPECT_FALSE(edit->isEnabled());
            scales->m_checkAuto[c.value]->click();
            EXPECT_TRUE(edit->isEnabled());
            edit->setText(QString::fromLatin1(c.typed));
            sheet.TabWidget()->setCurrentIndex(0);
            if (c.message) {
                EXPECT_EQ(sheet.GetActivePage(), scales);
                sheet.accept();
                EXPECT_EQ(sheet.ModalResult(), -1);
                sheet.reject();
                return;
            }
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            sheet.accept();
        });
        if (c.message) {
            EXPECT_FALSE(ok);
            ASSERT_EQ(messages.messages.size(), 2u) << c.typed;
            EXPECT_EQ(messages.messages[0].text, QString::fromLatin1(c.message));
            EXPECT_EQ(messages.messages[1].text, QString::fromLatin1(c.message));
            continue;
        }
        EXPECT_TRUE(ok) << c.typed;
        EXPECT_TRUE(messages.messages.empty()) << c.typed;
        const QvStatProperties& p = P();
        const double values[] = {p.maxx, p.minx, p.maxy, p.miny,
                                 p.xmajor, p.xminor, p.ymajor, p.yminor};
        const BYTE autos[] = {p.AutoMaxx, p.AutoMinx, p.AutoMaxy, p.AutoMiny,
                              p.AutoxMajor, p.AutoxMinor, p.AutoyMajor, p.AutoyMinor};
        for (int v = 0; v < CGOptScales::ValueCount; ++v) {
            const double expected = v == c.value ? c.stored : reference.m_dValue[size_t(v)];
            EXPECT_EQ(std::memcmp(&values[v], &expected, sizeof(double)), 0) << c.typed << v;
            EXPECT_EQ(autos[v], v == c.value ? 0 : 1) << c.typed << v;
        }
    }
}

// A value shown with fifteen digits and left alone keeps all its digits;
// an edit whose "Auto" box is set cannot refuse the page.
TEST_F(GraphOptionsTest, UntouchedScaleValuesKeptExactly) {
    P().AutoMaxx = 0;
    P().maxx = 0.1 + 0.2;
    P().AutoxMinor = 1;
    P().xminor = 0; // outside its range, but not the user's to change
    P().BreakType = 1;
    P().xLogScale = 1;
    EXPECT_TRUE(Run([](CPropertySheet& sheet) {
        auto* scales = GoTo<CGOptScales>(sheet);
        ASSERT_TRUE(scales);
        EXPECT_EQ(scales->m_edit[CGOptScales::MaxX]->text(), QStringLiteral("0.3"));
        EXPECT_TRUE(scales->m_edit[CGOptScales::MaxX]->isEnabled());
        EXPECT_TRUE(scales->m_radioBreakType[1]->isChecked());
        EXPECT_TRUE(scales->m_checkLogX->isChecked());
        scales->m_checkLogY->click();
        scales->m_radioBreakType[0]->click();
        sheet.accept();
    }));
    EXPECT_EQ(P().maxx, 0.1 + 0.2);
    EXPECT_EQ(P().xminor, 0.0);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(P().yLogScale, 1);
    EXPECT_EQ(P().xLogScale, 1);
    EXPECT_EQ(P().BreakType, 0);
}

// The Options button opens the sheet on the dialog's copy of the data set:
// OK there changes the copy, which the graph gets with the dialog's OK.
class StatGraphOptionsButtonTest : public PropertyDialogTest {};

TEST_F(StatGraphOptionsButtonTest, OptionsButtonEditsTheDialogsCopy) {
    auto* graph = AddByClicks<QvFigStat>(QvFigStat::ToolId,
                                         {QvPoint(1000, 1000), QvPoint(25000, 20000)});
    ASSERT_TRUE(graph);
    QvStatProperties& stored = graph->StatData()->m_data.properties;
    const QByteArray before = RecordBytes(*graph->StatData());
    int sheets = 0;
    auto sheetUser = [&](CPropertySheet& sheet, bool ok) {
        ++sheets;
        GoTo<CGOptGeneral>(sheet)->m_editTitle->setText(QStringLiteral("Shoe sizes"));
        GoTo<CGOptDataCol>(sheet)->m_comboSet[1]->setEditText(QStringLiteral("F"));
        ok ? sheet.accept() : sheet.reject();
    };
    for (bool ok : {false, true}) {
        SetModalDialogHandler([&](CDialog& dialog) {
            if (auto* sheet = dynamic_cast<CPropertySheet*>(&dialog)) {
                sheetUser(*sheet, ok);
                return;
            }
            auto* dlg = dynamic_cast<CStatGraphDlg*>(&dialog);
            ASSERT_TRUE(dlg);
            ASSERT_TRUE(dlg->m_buttonOptions->isEnabled());
            dlg->m_buttonOptions->click();
            EXPECT_EQ(dlg->Data().properties.Title,
                      ok ? QStringLiteral("Shoe sizes") : QString());
            EXPECT_EQ(dlg->m_comboData2->currentText(),
                      ok ? QStringLiteral("F") : QStringLiteral("B"));
            EXPECT_EQ(stored.Title, QString());
            ok ? dlg->m_buttonOK->click() : dlg->reject();
        });
        view->OnRButtonUp(Qt::NoModifier, CPoint(13000, 10000));
        SetModalDialogHandler({});
    }
    EXPECT_EQ(sheets, 2);
    EXPECT_EQ(stored.Title, QStringLiteral("Shoe sizes"));
    EXPECT_EQ(stored.dc[1], 5);
    ASSERT_TRUE(doc->OnCmdMsg(ID_EDIT_UNDO));
    EXPECT_EQ(RecordBytes(*graph->StatData()), before);
}

} // namespace
