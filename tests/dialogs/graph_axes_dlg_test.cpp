// "Edit Axes" and "Grid Properties" as the graph's properties run them.
#include "dialogs/graph_axes_dlg.h"
#include "dialogs/style_combo_box.h"
#include "graph_dialog_test_support.h"
#include "graphs/graph_data.h"
#include "property_dialog_test_support.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

class GraphAxesDlgTest : public PropertyDialogTest {
protected:
    template <class Dialog>
    static bool Run(bool (*run)(QvGraphData&), QvGraphData& data,
                    const std::function<void(Dialog&)>& drive) {
        SetModalDialogHandler([&](CDialog& dialog) { drive(dynamic_cast<Dialog&>(dialog)); });
        const bool ok = run(data);
        SetModalDialogHandler({});
        return ok;
    }
};

TEST_F(GraphAxesDlgTest, GridShowBoxesAndListsMakeTheStyles) {
    struct Case {
        bool tick;    // Show ticked before OK
        int choose;   // list choice, 0 none
        int expected; // x Major pen after OK
    } cases[] = {
        {false, 0, int(ID_LINE_NONE)}, // opened unticked, left so
        {true, int(ID_LINE_DASH), int(ID_LINE_DASH)},
        {true, 0, 0}, // ticked with nothing chosen
        {false, int(ID_LINE_DASH), int(ID_LINE_NONE)},
    };
    for (const Case& c : cases) {
        QvGraphData data;
        data.xGridMajorPen = int(ID_LINE_NONE);
        data.yGridMinorPen = int(ID_LINE_SOLID3);
        EXPECT_TRUE(Run<CGraphGridDlg>(RunGraphGridDialog, data, [&](CGraphGridDlg& d) {
            EXPECT_FALSE(d.m_checkShow[CGraphGridDlg::XMajor]->isChecked());
            EXPECT_EQ(d.m_comboPen[CGraphGridDlg::XMajor]->currentIndex(), -1);
            EXPECT_TRUE(d.m_checkShow[CGraphGridDlg::YMinor]->isChecked());
            EXPECT_EQ(d.m_comboPen[CGraphGridDlg::YMinor]->GetSelectedData(),
                      DWORD(ID_LINE_SOLID3));
            d.m_checkShow[CGraphGridDlg::XMajor]->setChecked(c.tick);
            d.m_comboPen[CGraphGridDlg::XMajor]->SelectByData(DWORD(c.choose));
            d.m_checkShow[CGraphGridDlg::YMinor]->setChecked(false);
            d.OnOK();
        }));
        EXPECT_EQ(data.xGridMajorPen, c.expected) << c.tick << " " << c.choose;
        EXPECT_EQ(data.yGridMinorPen, int(ID_LINE_NONE));
    }
}

TEST_F(GraphAxesDlgTest, GridSetAsDefaultWritesTheStylesItOpenedWith) {
    QvGraphData data;
    data.xGridMajorPen = int(ID_LINE_NONE);
    data.xGridMinorPen = int(ID_LINE_DOT);
    data.yGridMajorPen = int(ID_LINE_SOLID2);
    data.yGridMinorPen = int(ID_LINE_SOLID4);
    data.yGridMinorColor = RGB(9, 9, 9);
    ScriptedColours colours(QColor(5, 6, 7));
    std::map<QString, QString> before;
    EXPECT_FALSE(Run<CGraphGridDlg>(RunGraphGridDialog, data, [&](CGraphGridDlg& d) {
        EXPECT_EQ(d.m_buttonSetAsDefault->text(), u"Set As Default");
        d.m_checkShow[CGraphGridDlg::XMajor]->setChecked(true);
        d.m_comboPen[CGraphGridDlg::XMajor]->SelectByData(ID_LINE_DASH);
        d.m_comboPen[CGraphGridDlg::XMinor]->SelectByData(ID_LINE_SOLID6);
        d.m_buttonColour[CGraphGridDlg::YMinor]->click();
        before = ProfileEntries();
        d.OnSetAsDefault();
        d.OnCancel();
    }));
    const QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    EXPECT_EQ(g.xGridMajorPen.GetValue(), int(ID_LINE_NONE));
    EXPECT_EQ(g.xGridMinorPen.GetValue(), int(ID_LINE_DOT));
    EXPECT_EQ(g.yGridMajorPen.GetValue(), int(ID_LINE_SOLID2));
    EXPECT_EQ(g.yGridMinorPen.GetValue(), int(ID_LINE_SOLID4));
    EXPECT_EQ(g.yGridMinorColor.GetValue(), RGB(5, 6, 7));
    const QStringList changed = ChangedEntries(before, ProfileEntries());
    for (const QString& key : changed)
        EXPECT_TRUE(key.startsWith(u"Graph/x") || key.startsWith(u"Graph/y")) << key.toStdString();
    EXPECT_TRUE(changed.contains(u"Graph/yGridMinorColor"));
    // The dialog was cancelled: the graph keeps its own.
    EXPECT_EQ(data.xGridMajorPen, int(ID_LINE_NONE));
    EXPECT_EQ(data.yGridMinorColor, RGB(9, 9, 9));
}

TEST_F(GraphAxesDlgTest, EditAxesShowsAndGivesBackTheValues) {
    QvGraphData data;
    data.xMaxShowS = QStringLiteral("2pi");
    data.yMinShowS = QStringLiteral("-3");
    data.showXTicks = 0;
    data.showYLabels = 1;
    data.xLine = int(ID_LINE_SOLID3);
    data.yLine = int(ID_LINE_SOLID); // not offered: nothing selected
    ScriptedColours colours(QColor(10, 20, 30));
    EXPECT_TRUE(Run<CEditAxesDlg>(RunEditAxesDialog, data, [](CEditAxesDlg& d) {
        EXPECT_EQ(d.m_editXMax->text(), u"2pi");
        EXPECT_EQ(d.m_editYMin->text(), u"-3");
        EXPECT_FALSE(d.m_checkXTicks->isChecked());
        EXPECT_EQ(d.m_comboXLine->GetSelectedData(), DWORD(ID_LINE_SOLID3));
        EXPECT_EQ(d.m_comboYLine->currentIndex(), -1);
        EXPECT_EQ(d.m_comboXLine->count(), 11);
        d.m_editXMinor->setText(QStringLiteral("pi/6"));
        d.m_checkYScale->setChecked(false);
        d.m_comboXLine->SelectByData(ID_LINE_DOT);
        d.m_buttonYColor->click();
        d.OnOK();
    }));
    EXPECT_EQ(data.xMinorS, u"pi/6");
    EXPECT_EQ(data.xMaxShowS, u"2pi");
    EXPECT_EQ(data.showYLabels, 0);
    EXPECT_EQ(data.showXTicks, 0);
    EXPECT_EQ(data.xLine, int(ID_LINE_DOT));
    EXPECT_EQ(data.yLine, 0);
    EXPECT_EQ(data.yColor, RGB(10, 20, 30));
}

TEST_F(GraphAxesDlgTest, EditAxesSetAsDefaultWritesTextsAsShownAndNoSwitch) {
    QvGraphData data;
    data.xLine = int(ID_LINE_SOLID3);
    data.yLine = int(ID_LINE_SOLID4);
    data.xColor = RGB(1, 2, 3);
    data.yColor = RGB(4, 5, 6);
    const auto before = ProfileEntries();
    Run<CEditAxesDlg>(RunEditAxesDialog, data, [](CEditAxesDlg& d) {
        const char* texts[8] = {"abc", "-7", "3", "0.25", "20", "-20", "5", "1"};
        QLineEdit* edits[8] = {d.m_editXMax, d.m_editXMin, d.m_editXMajor, d.m_editXMinor,
                               d.m_editYMax, d.m_editYMin, d.m_editYMajor, d.m_editYMinor};
        for (int i = 0; i < 8; ++i)
            edits[i]->setText(QString::fromLatin1(texts[i]));
        for (QCheckBox* box : {d.m_checkXScale, d.m_checkXTicks, d.m_checkXAxis, d.m_checkYScale,
                               d.m_checkYTicks, d.m_checkYAxis})
            box->setChecked(!box->isChecked());
        d.m_comboXLine->SelectByData(ID_LINE_DOT); // not confirmed by OK
        d.OnSetAsDefault();
        EXPECT_EQ(d.ModalResult(), -1);
        d.OnCancel();
    });
    EXPECT_EQ(
        ChangedEntries(before, ProfileEntries()),
        QStringList({"Graph/xColor", "Graph/xLine", "Graph/xMajorS", "Graph/xMaxShowS",
                     "Graph/xMinShowS", "Graph/xMinorS", "Graph/yColor", "Graph/yLine",
                     "Graph/yMajorS", "Graph/yMaxShowS", "Graph/yMinShowS", "Graph/yMinorS"}));
    const QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    EXPECT_EQ(g.xMaxShowS.GetValue(), u"abc");
    EXPECT_EQ(g.yMinorS.GetValue(), u"1");
    EXPECT_EQ(g.xLine.GetValue(), int(ID_LINE_SOLID3));
    EXPECT_EQ(g.yLine.GetValue(), int(ID_LINE_SOLID4));
    EXPECT_EQ(g.xColor.GetValue(), RGB(1, 2, 3));
}

TEST_F(GraphAxesDlgTest, AColourChosenThenCancelKeepsTheCustomColours) {
    QvCustomColorSettings& custom = TheSettings().m_CustomColors;
    custom[0].SetValue(RGB(10, 20, 30));
    ScriptedColours colours(QColor(0, 128, 255));
    QvGraphData data;
    data.xColor = RGB(200, 100, 50);
    EXPECT_FALSE(Run<CEditAxesDlg>(RunEditAxesDialog, data, [&](CEditAxesDlg& d) {
        d.m_buttonXColor->click();
        EXPECT_EQ(colours.opened, QColor(200, 100, 50));
        EXPECT_EQ(QColorDialog::customColor(0), QColor(10, 20, 30));
        d.OnCancel();
    }));
    EXPECT_EQ(data.xColor, RGB(200, 100, 50));
    EXPECT_EQ(ProfileEntries()["CustomColor/5"], QString::number(RGB(1, 2, 3)));

    colours.answer = QColor(); // the colour dialog cancelled: nothing saved
    custom[5].SetValue(RGB(0, 0, 0));
    QvGraphData grid;
    Run<CGraphGridDlg>(RunGraphGridDialog, grid, [](CGraphGridDlg& d) {
        d.m_buttonColour[CGraphGridDlg::XMinor]->click();
        d.OnOK();
    });
    EXPECT_EQ(custom[5].GetValue(), RGB(0, 0, 0));
    EXPECT_EQ(grid.xGridMinorColor, QvGraphData().xGridMinorColor);
}

TEST_F(GraphAxesDlgTest, Pictures) {
    QvGraphData data;
    data.xGridMinorPen = int(ID_LINE_NONE);
    data.xColor = RGB(255, 0, 0);
    Run<CEditAxesDlg>(RunEditAxesDialog, data, [](CEditAxesDlg& d) {
        EXPECT_FALSE(Picture(d, QStringLiteral("edit_axes")).isNull());
        d.OnCancel();
    });
    Run<CGraphGridDlg>(RunGraphGridDialog, data, [](CGraphGridDlg& d) {
        EXPECT_FALSE(Picture(d, QStringLiteral("grid_properties")).isNull());
        d.OnCancel();
    });
}

} // namespace
