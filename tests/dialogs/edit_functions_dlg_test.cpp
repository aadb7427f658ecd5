// "Edit Functions" as the Graph Properties dialog runs it: a copy of the
// graph settings, one function at a time, driven through the modal seam.
#include "dialogs/edit_functions_dlg.h"
#include "dialogs/style_combo_box.h"
#include "graph_dialog_test_support.h"
#include "property_dialog_test_support.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

class EditFunctionsDlgTest : public PropertyDialogTest {
protected:
    // Ten functions with their own texts, styles and colours, none dirty.
    static QvGraphData Graph() {
        QvGraphData data;
        for (int i = 0; i < QvGraphData::kFunctionCount; ++i) {
            QvGraphDataFunction& f = data.functions[i];
            f.caption = QStringLiteral("y=%1x").arg(i + 1);
            f.expression = QStringLiteral("y=%1*x").arg(i + 1);
            f.rangeText.clear();
            f.lineCommand = int(ID_LINE_SOLID2);
            f.m_Color = RGB(0, 0, 10 + i);
            f.m_ShadeColor = RGB(0, 100 + i, 0);
            f.dirty = 0;
        }
        return data;
    }

    // Runs the dialog on `data`; true on OK (and `data` is then the copy).
    static bool Run(QvGraphData& data, const std::function<void(CEditFunctionsDlg&)>& drive) {
        SetModalDialogHandler(
            [&](CDialog& dialog) { drive(dynamic_cast<CEditFunctionsDlg&>(dialog)); });
        const bool ok = RunEditFunctionsDialog(data);
        SetModalDialogHandler({});
        return ok;
    }

    static void UpOnce(CEditFunctionsDlg& d) {
        d.m_spin->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
};

TEST_F(EditFunctionsDlgTest, SpinAndNumberBoxChooseTheFunction) {
    MessageRecorder recorder;
    QvGraphData data = Graph();
    EXPECT_FALSE(Run(data, [&](CEditFunctionsDlg& d) {
        EXPECT_EQ(d.m_spin->value(), 10);
        EXPECT_EQ(d.m_editNumber->text(), u"1");
        EXPECT_EQ(d.m_editFunction->text(), u"y=1x");

        UpOnce(d);
        EXPECT_EQ(d.m_nFunction, 2);
        EXPECT_EQ(d.m_editNumber->text(), u"2");
        EXPECT_EQ(d.m_editFunction->text(), u"y=2x");
        EXPECT_EQ(d.m_comboLineStyle->GetSelectedData(), DWORD(ID_LINE_SOLID2));

        d.m_spin->setValue(1); // dragged to the top
        EXPECT_EQ(d.m_editFunction->text(), u"y=10x");
        UpOnce(d);
        EXPECT_EQ(d.m_nFunction, 10);
        EXPECT_EQ(d.m_spin->value(), 1);

        // Typed numbers switch too; a "1" on its way to "12" shows function 1.
        d.m_editNumber->clear();
        QTest::keyClicks(d.m_editNumber, QStringLiteral("7"));
        EXPECT_EQ(d.m_editFunction->text(), u"y=7x");
        EXPECT_EQ(d.m_spin->value(), 4);
        EXPECT_TRUE(recorder.messages.empty());

        d.m_editNumber->end(false);
        QTest::keyClicks(d.m_editNumber, QStringLiteral("2")); // "72"
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text, u"Please enter an integer between 1 and 10.");
        EXPECT_EQ(d.m_nFunction, 7);
        EXPECT_EQ(d.m_editFunction->text(), u"y=7x");

        // OK reads the box again and stays open.
        d.OnOK();
        EXPECT_EQ(recorder.messages.size(), 2u);
        EXPECT_EQ(d.ModalResult(), -1);
        d.m_editNumber->setText(QStringLiteral("12"));
        d.OnChangeNumber();
        EXPECT_EQ(recorder.messages.size(), 3u);
        EXPECT_EQ(d.m_editFunction->text(), u"y=7x");
        d.OnCancel();
    }));
}

TEST_F(EditFunctionsDlgTest, EachFunctionKeepsItsOwnTextsStylesAndColours) {
    QvGraphData data = Graph();
    ScriptedColours colours(QColor(255, 0, 0));
    EXPECT_TRUE(Run(data, [&](CEditFunctionsDlg& d) {
        d.ShowFunction(3);
        d.m_editFunction->setText(QStringLiteral("y = 2x^2"));
        d.m_editDomain->setText(QStringLiteral("-1<x<4"));
        d.m_comboLineStyle->SelectByData(ID_LINE_DASH);
        d.m_buttonShadeColor->click(); // red shading
        d.m_checkMarkFlag->click();

        UpOnce(d); // 4 and back
        EXPECT_EQ(d.m_editFunction->text(), u"y=4x");
        EXPECT_EQ(d.m_comboLineStyle->GetSelectedData(), DWORD(ID_LINE_SOLID2));
        d.m_spin->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(d.m_editFunction->text(), u"y = 2x^2");
        EXPECT_EQ(d.m_editDomain->text(), u"-1<x<4");
        EXPECT_EQ(d.m_comboLineStyle->GetSelectedData(), DWORD(ID_LINE_DASH));
        EXPECT_TRUE(d.m_checkMarkFlag->isChecked());

        // Function 5: only its line colour changes.
        d.ShowFunction(5);
        EXPECT_EQ(d.m_shadeColor, RGB(0, 104, 0));
        colours.answer = QColor(0, 200, 0);
        d.m_buttonLineColor->click();
        EXPECT_EQ(colours.opened, QColor(0, 0, 14)); // opened on function 5's colour
        d.OnOK();
    }));
    const QvGraphDataFunction& third = data.functions[2];
    EXPECT_EQ(third.caption, u"y = 2x^2");
    EXPECT_EQ(third.expression, u"y=2*x^2");
    EXPECT_EQ(third.rangeText, u"-1<x<4");
    EXPECT_EQ(third.lineCommand, int(ID_LINE_DASH));
    EXPECT_EQ(third.m_ShadeColor, RGB(255, 0, 0));
    EXPECT_EQ(third.m_Color, RGB(0, 0, 12));
    EXPECT_EQ(third.markFlag, 1);
    const QvGraphDataFunction& fifth = data.functions[4];
    EXPECT_EQ(fifth.m_Color, RGB(0, 200, 0));
    EXPECT_EQ(fifth.lineCommand, int(ID_LINE_SOLID2));
    EXPECT_EQ(fifth.m_ShadeColor, RGB(0, 104, 0));
    EXPECT_EQ(fifth.markFlag, 0);
    // Shown and stored: 1 (at opening), 3, 4 and 5 come back to be compiled again.
    for (int i = 0; i < QvGraphData::kFunctionCount; ++i)
        EXPECT_EQ(data.functions[i].dirty, i == 0 || (i >= 2 && i <= 4) ? 1 : 0) << i;
    EXPECT_EQ(data.functions[3].caption, u"y=4x");
    EXPECT_EQ(data.functions[0].lineCommand, int(ID_LINE_SOLID2));
}

TEST_F(EditFunctionsDlgTest, CancelGivesNothingBack) {
    QvGraphData data = Graph();
    EXPECT_FALSE(Run(data, [](CEditFunctionsDlg& d) {
        d.m_editFunction->setText(QStringLiteral("y=x^3"));
        d.OnCancel();
    }));
    EXPECT_EQ(data.functions[0].caption, u"y=1x");
    EXPECT_EQ(data.functions[0].dirty, 0);
}

TEST_F(EditFunctionsDlgTest, SetAsDefaultWritesTheShownFunctionsStyle) {
    QvGraphData data = Graph();
    ScriptedColours colours(QColor(9, 8, 7));
    std::map<QString, QString> before;
    Run(data, [&](CEditFunctionsDlg& d) {
        d.ShowFunction(4);
        // Every written value differs from its default; shading and the
        // derivative switch are no defaults.
        for (QCheckBox* box : {d.m_checkVAsym, d.m_checkHAsym, d.m_checkRangeArrows,
                               d.m_checkShowLow, d.m_checkShowHigh, d.m_checkMarkFlag})
            box->setChecked(box != d.m_checkHAsym ? false : true);
        d.m_checkMarkFlag->setChecked(true);
        d.m_comboLineStyle->SelectByData(ID_LINE_DASH);
        d.m_buttonLineColor->click();
        d.m_shadeColor = RGB(1, 1, 1);
        d.m_buttonShadeColor->click();
        before = ProfileEntries(); // the colour dialog's custom colours are in
        d.OnSetAsDefault();
        EXPECT_EQ(d.ModalResult(), -1); // still open
        d.OnCancel();
    });
    EXPECT_EQ(ChangedEntries(before, ProfileEntries()),
              QStringList({"Graph/HAsym3", "Graph/Pen3", "Graph/RangeArrows3", "Graph/ShowHigh3",
                           "Graph/ShowLow3", "Graph/VAsym3", "Graph/m_Color3"}));
    const QvFunctionStyle& style = TheSettings().m_GraphDefaults.FunctionStyle[3];
    EXPECT_EQ(style.Pen.GetValue(), int(ID_LINE_DASH));
    EXPECT_EQ(style.m_Color.GetValue(), RGB(9, 8, 7));
    EXPECT_EQ(style.HAsym.GetValue(), 1);
    EXPECT_EQ(style.VAsym.GetValue(), 0);
}

TEST_F(EditFunctionsDlgTest, ATextTheGraphCannotHoldIsRefusedOnOK) {
    MessageRecorder recorder;
    QvGraphData data = Graph();
    const QString tooLong = QStringLiteral("y=x") + QStringLiteral("+x").repeated(60);
    EXPECT_TRUE(Run(data, [&](CEditFunctionsDlg& d) {
        d.ShowFunction(6);
        d.m_editFunction->setText(tooLong);
        d.ShowFunction(2);
        d.OnOK();
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text,
                  u"Function 6 is too long for the graph. Please shorten it.");
        EXPECT_EQ(d.ModalResult(), -1);
        EXPECT_EQ(d.m_nFunction, 6); // shown again, text and all
        EXPECT_EQ(d.m_editFunction->text(), tooLong);

        d.m_editFunction->setText(QStringLiteral("y=x"));
        d.m_editDomain->setText(QStringLiteral("x<") + QStringLiteral("1+").repeated(60) + "1");
        d.OnOK();
        ASSERT_EQ(recorder.messages.size(), 2u);
        EXPECT_EQ(recorder.messages[1].text,
                  u"The domain of function 6 is too long for the graph. Please shorten it.");
        d.m_editDomain->setText(QStringLiteral("x<1"));
        d.OnOK();
    }));
    EXPECT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(data.functions[5].caption, u"y=x");
    EXPECT_EQ(data.functions[5].rangeText, u"x<1");
}

TEST_F(EditFunctionsDlgTest, PreviewsShowTheTypedFunctionAndDomain) {
    QvGraphData data = Graph();
    data.functions[0].caption = QStringLiteral("y=sqrt(x^2+1)/2");
    data.functions[0].rangeText = QStringLiteral("-2<=x<3");
    Run(data, [](CEditFunctionsDlg& d) {
        const QImage picture = Picture(d, QStringLiteral("edit_functions"));
        EXPECT_GT(InkIn(picture, d.m_previewFunction, &d), 60);
        EXPECT_GT(InkIn(picture, d.m_previewDomain, &d), 30);
        d.m_editDomain->clear();
        EXPECT_EQ(InkIn(d.grab().toImage(), d.m_previewDomain, &d), 0);
        d.OnCancel();
    });
}

} // namespace
