// "Number Line Properties" driven through the modal seam: the ten
// intervals behind the "Graph #" bar, the number box's guard, the axis
// values, and Set As Default.
#include "dialogs/font_color_dlg.h"
#include "dialogs/number_line_properties_dlg.h"
#include "dialogs/style_combo_box.h"
#include "graph_dialog_test_support.h"
#include "graphs/fig_graph.h"
#include "property_dialog_test_support.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

class NumberLineDlgTest : public PropertyDialogTest {
protected:
    // Ten intervals with their own texts and colours, none changed.
    static QvNumberLineData Line() {
        QvNumberLineData d;
        d.m_xMaxShow = QStringLiteral("10");
        d.m_xMinShow = QStringLiteral("-10");
        d.m_xMajor = QStringLiteral("2");
        d.m_xMinor = QStringLiteral("1");
        d.m_ShowAxis = d.m_ShowTicks = d.m_ShowScale = 1;
        d.m_AxisLine = int(ID_LINE_SOLID2);
        d.m_AxisColor = RGB(0, 0, 1);
        for (int i = 0; i < QvNumberLineData::kIntervalCount; ++i) {
            d.m_Graphs[i].m_Expression = QStringLiteral("X>%1").arg(i + 1);
            d.m_Graphs[i].m_Color = RGB(0, 10 + i, 0);
            d.m_Graphs[i].m_Changed = 0;
        }
        return d;
    }

    static bool Run(QvNumberLineData& data,
                    const std::function<void(CNumberLinePropertiesDlg&)>& drive,
                    const std::function<void(CDialog&)>& other = {}) {
        SetModalDialogHandler([&](CDialog& dialog) {
            if (auto* d = dynamic_cast<CNumberLinePropertiesDlg*>(&dialog))
                drive(*d);
            else if (other)
                other(dialog);
        });
        const bool ok = RunNumberLinePropertiesDialog(data);
        SetModalDialogHandler({});
        return ok;
    }

    static void Up(CNumberLinePropertiesDlg& d) {
        d.m_bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
};

TEST_F(NumberLineDlgTest, TheBarCountsUpThroughTheTenIntervals) {
    QvNumberLineData data = Line();
    EXPECT_FALSE(Run(data, [&](CNumberLinePropertiesDlg& d) {
        EXPECT_EQ(d.m_bar->value(), 10);
        EXPECT_EQ(d.m_editNumber->text(), u"1");
        EXPECT_EQ(d.m_editGraph->text(), u"X>1");
        Up(d);
        EXPECT_EQ(d.m_nGraph, 2);
        EXPECT_EQ(d.m_editNumber->text(), u"2");
        EXPECT_EQ(d.m_editGraph->text(), u"X>2");
        EXPECT_EQ(d.m_graphColor, RGB(0, 11, 0));
        d.m_bar->setValue(1); // dragged to the top
        EXPECT_EQ(d.m_editGraph->text(), u"X>10");
        Up(d);
        EXPECT_EQ(d.m_bar->value(), 1);
        EXPECT_EQ(d.m_nGraph, 10);
        d.m_bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(d.m_nGraph, 9);
        d.OnCancel();
    }));
}

TEST_F(NumberLineDlgTest, ATypedIntervalIsKeptWhileScrolling) {
    QvNumberLineData data = Line();
    ScriptedColours colours(QColor(200, 0, 0));
    EXPECT_TRUE(Run(data, [&](CNumberLinePropertiesDlg& d) {
        d.m_bar->setValue(d.BarPosition(3));
        d.m_editGraph->setText(QStringLiteral("-1<X<=3"));
        d.m_buttonGraphColor->click();
        Up(d); // 4
        EXPECT_EQ(d.m_editGraph->text(), u"X>4");
        d.m_bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); // 3 again
        EXPECT_EQ(d.m_editGraph->text(), u"-1<X<=3");
        EXPECT_EQ(d.m_graphColor, RGB(200, 0, 0));
        EXPECT_EQ(d.m_lineData.m_Graphs[2].m_Changed, 1);
        d.OnOK();
    }));
    EXPECT_EQ(data.m_Graphs[2].m_Expression, u"-1<X<=3");
    EXPECT_EQ(data.m_Graphs[2].m_Color, RGB(200, 0, 0));
    EXPECT_EQ(data.m_Graphs[2].m_Changed, 1);
    EXPECT_EQ(data.m_Graphs[3].m_Expression, u"X>4");
    EXPECT_EQ(data.m_Graphs[4].m_Changed, 0); // never shown
}

TEST_F(NumberLineDlgTest, CancelAfterScrollingLeavesTheLineAsItWas) {
    QvNumberLineData data = Line();
    ScriptedColours colours(QColor(200, 0, 0));
    EXPECT_FALSE(Run(data, [&](CNumberLinePropertiesDlg& d) {
        d.m_editGraph->setText(QStringLiteral("X<0"));
        d.m_buttonGraphColor->click();
        Up(d);
        d.m_editMax->setText(QStringLiteral("20"));
        d.m_checkTicks->click();
        d.OnCancel();
    }));
    EXPECT_EQ(data.m_Graphs[0].m_Expression, u"X>1");
    EXPECT_EQ(data.m_Graphs[0].m_Color, RGB(0, 10, 0));
    EXPECT_EQ(data.m_Graphs[0].m_Changed, 0);
    EXPECT_EQ(data.m_xMaxShow, u"10");
    EXPECT_EQ(data.m_ShowTicks, 1);
}

TEST_F(NumberLineDlgTest, TheNumberBoxTakesOnlyTheTenIntervals) {
    MessageRecorder recorder;
    QvNumberLineData data = Line();
    EXPECT_TRUE(Run(data, [&](CNumberLinePropertiesDlg& d) {
        d.m_editGraph->setText(QStringLiteral("X=0"));
        d.m_editNumber->clear();
        QTest::keyClicks(d.m_editNumber, QStringLiteral("11")); // "1", then "11"
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text, u"Please enter an integer between 1 and 10.");
        EXPECT_EQ(d.m_nGraph, 1);
        EXPECT_EQ(d.m_editGraph->text(), u"X=0");

        // Scrolling and OK read the box again and stay where they are.
        Up(d);
        EXPECT_EQ(recorder.messages.size(), 2u);
        EXPECT_EQ(d.m_bar->value(), 10);
        d.OnOK();
        EXPECT_EQ(recorder.messages.size(), 3u);
        EXPECT_EQ(d.ModalResult(), -1);

        d.m_editNumber->clear();
        QTest::keyClicks(d.m_editNumber, QStringLiteral("x"));
        ASSERT_EQ(recorder.messages.size(), 4u);
        EXPECT_EQ(recorder.messages[3].text, u"Please enter an integer.");
        EXPECT_EQ(d.m_editGraph->text(), u"X=0");

        // A number in range shows that interval, the shown one kept.
        d.m_editNumber->clear();
        QTest::keyClicks(d.m_editNumber, QStringLiteral("7"));
        EXPECT_EQ(d.m_editGraph->text(), u"X>7");
        EXPECT_EQ(d.m_bar->value(), 4);
        d.OnOK();
    }));
    EXPECT_EQ(data.m_Graphs[0].m_Expression, u"X=0");
    EXPECT_EQ(data.m_Graphs[6].m_Expression, u"X>7");
    for (int i = 0; i < 10; ++i) // nothing written past the ten
        EXPECT_EQ(data.m_Graphs[i].m_Expression,
                  i == 0 ? QStringLiteral("X=0") : QStringLiteral("X>%1").arg(i + 1));
}

TEST_F(NumberLineDlgTest, OKGivesBackTheAxisValues) {
    QvNumberLineData data = Line();
    ScriptedColours colours(QColor(0, 0, 99));
    EXPECT_TRUE(Run(
        data,
        [&](CNumberLinePropertiesDlg& d) {
            EXPECT_EQ(d.m_comboLine->GetSelectedData(), DWORD(ID_LINE_SOLID2));
            d.m_editMax->setText(QStringLiteral("2pi"));
            d.m_editMin->setText(QStringLiteral("-pi"));
            d.m_editMajor->setText(QStringLiteral("pi/2"));
            d.m_editMinor->setText(QStringLiteral("pi/6"));
            d.m_checkScale->click();
            d.m_comboLine->SelectByData(ID_LINE_DASH);
            d.m_buttonAxisColor->click();
            d.m_buttonFont->click();
            EXPECT_EQ(d.m_nDrawHeight, 423);
            d.OnOK();
        },
        [](CDialog& dialog) {
            auto& chooser = dynamic_cast<CFontColorDlg&>(dialog);
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPointSize(12);
            chooser.m_fontChooser->setCurrentFont(font);
            chooser.SetPickedColour(RGB(0, 128, 0));
            chooser.accept();
        }));
    EXPECT_EQ(data.m_xMaxShow, u"2pi");
    EXPECT_EQ(data.m_xMinShow, u"-pi");
    EXPECT_EQ(data.m_xMajor, u"pi/2");
    EXPECT_EQ(data.m_xMinor, u"pi/6");
    EXPECT_EQ(data.m_ShowScale, 0);
    EXPECT_EQ(data.m_ShowAxis, 1);
    EXPECT_EQ(data.m_AxisLine, int(ID_LINE_DASH));
    EXPECT_EQ(data.m_AxisColor, RGB(0, 0, 99));
    EXPECT_EQ(data.m_AxisFont.m_drawHeight, 423);
    EXPECT_EQ(data.m_AxisFont.m_color, RGB(0, 128, 0));
    EXPECT_EQ(data.m_AxisFont.FaceName(), u"Arial");
    EXPECT_EQ(data.m_Graphs[0].m_Changed, 1); // the shown interval
}

TEST_F(NumberLineDlgTest, SetAsDefaultTakesTheOpenedLineAndTheWorkingColours) {
    QvNumberLineData data = Line();
    ScriptedColours colours(QColor(1, 2, 250));
    std::map<QString, QString> before;
    EXPECT_FALSE(Run(data, [&](CNumberLinePropertiesDlg& d) {
        Up(d); // interval 2 gets a new colour
        d.m_buttonGraphColor->click();
        d.m_comboLine->SelectByData(ID_LINE_DASH); // taken only by OK
        d.m_editMajor->setText(QStringLiteral("5"));
        before = ProfileEntries(); // the colour dialog's custom colours are in
        d.m_buttonSetAsDefault->click();
        EXPECT_EQ(d.ModalResult(), -1);
        d.OnCancel();
    }));
    const QvNumberLineDefaults& n = TheSettings().m_NumberLineDefaults;
    EXPECT_EQ(n.xLine.GetValue(), int(ID_LINE_SOLID2));
    EXPECT_EQ(n.xMajorS.GetValue(), u"5");
    EXPECT_EQ(n.xColor.GetValue(), RGB(0, 0, 1));
    EXPECT_EQ(n.GraphColor[1].GetValue(), RGB(1, 2, 250));
    EXPECT_EQ(n.GraphColor[2].GetValue(), RGB(0, 12, 0));
    const QStringList changed = ChangedEntries(before, ProfileEntries());
    EXPECT_TRUE(changed.contains(u"NumberLine/GraphColor1")) << changed.join(u' ').toStdString();
    EXPECT_TRUE(changed.contains(u"NumberLine/xMajorS"));
    for (const QString& key : changed)
        EXPECT_TRUE(key.startsWith(u"NumberLine/")) << key.toStdString();
    // A line made now takes them.
    QvNumberLineData made;
    EXPECT_EQ(made.m_Graphs[1].m_Color, RGB(1, 2, 250));
    EXPECT_EQ(made.m_AxisLine, int(ID_LINE_SOLID2));
}

TEST_F(NumberLineDlgTest, PictureOfTheDialog) {
    QvNumberLineData data = Line();
    Run(data, [&](CNumberLinePropertiesDlg& d) {
        const QImage picture = Picture(d, QStringLiteral("number_line_properties"));
        EXPECT_GT(picture.width(), 200);
        EXPECT_GT(InkIn(picture, d.m_editGraph, &d), 10);
        d.OnCancel();
    });
}

TEST_F(NumberLineDlgTest, OpenedFromTheNumberLine) {
    auto* line = AddByClicks<QvFigNumberLine>(ID_DRAW_NUMBER_LINE,
                                              {QvPoint(1000, 9000), QvPoint(15000, 6000)});
    ASSERT_TRUE(line);
    QvNumberLineData& record = line->LineData()->m_data;
    record.Copy(Line());
    const int levels = Levels();
    ASSERT_TRUE(
        RightClick<CNumberLinePropertiesDlg>(QvPoint(8000, 7500), [](CNumberLinePropertiesDlg& d) {
            Up(d);
            d.m_editGraph->setText(QStringLiteral("X<=-1"));
            d.OnCancel();
        }));
    EXPECT_EQ(record.m_Graphs[1].m_Expression, u"X>2");
    EXPECT_EQ(Levels(), levels);
    ASSERT_TRUE(
        RightClick<CNumberLinePropertiesDlg>(QvPoint(8000, 7500), [](CNumberLinePropertiesDlg& d) {
            Up(d);
            d.m_editGraph->setText(QStringLiteral("X<=-1"));
            d.OnOK();
        }));
    EXPECT_EQ(record.m_Graphs[1].m_Expression, u"X<=-1");
    EXPECT_EQ(Levels(), levels + 1);
    ASSERT_TRUE(doc->OnCmdMsg(ID_EDIT_UNDO));
    line = dynamic_cast<QvFigNumberLine*>(doc->GetFigure(doc->GetFigureCount() - 1));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->LineData()->m_data.m_Graphs[1].m_Expression, u"X>2");
}

} // namespace
