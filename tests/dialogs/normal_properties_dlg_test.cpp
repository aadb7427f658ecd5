// The Normal Distribution Properties dialog on a curve of the drawing: what
// it shows, bounds typed in standard deviations, a low bound above the high
// one, and Set as Default.
#include "diagrams/fig_norm.h"
#include "dialogs/normal_properties_dlg.h"
#include "dialogs/style_combo_box.h"
#include "property_dialog_test_support.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

class NormalDialogTest : public PropertyDialogTest {
protected:
    void SetUp() override {
        PropertyDialogTest::SetUp();
        // A curve 100 mm wide from x 1000; the bounds at -1 and 1 sd.
        curve =
            AddByClicks<QvFigNorm>(QvFigNorm::ToolId, {QvPoint(1000, 6000), QvPoint(11000, 1000)});
        ASSERT_TRUE(curve);
    }
    double Grip(int n) const { return curve->DefiningPoints()[n].x; }

    const QvPoint inside{6000, 2000};
    QvFigNorm* curve = nullptr;
};

TEST_F(NormalDialogTest, ShowsTheCurveAndTypedBoundsMoveTheGrips) {
    const int levels = Levels();
    ASSERT_TRUE(RightClick<CNormalPropertiesDlg>(inside, [](CNormalPropertiesDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Normal Distribution Properties"));
        EXPECT_EQ(ItemTexts(dlg.m_comboArrow),
                  (QStringList{"No Arrowhead", "Lines Arrowhead", "Triangle Arrowhead",
                               "Chevron Arrowhead", "Sector Arrowhead", "Double Triangle Arrowhead",
                               "Double Chevron Arrowhead"}));
        EXPECT_EQ(dlg.m_comboArrow->currentText(), QStringLiteral("Triangle Arrowhead"));
        // The record's size 12 shows as 6, within 1 to 20.
        EXPECT_EQ(dlg.m_spinSize->value(), 6);
        EXPECT_EQ(dlg.m_spinSize->minimum(), 1);
        EXPECT_EQ(dlg.m_spinSize->maximum(), 20);
        EXPECT_EQ(dlg.m_editLow->text().toDouble(), -1.0);
        EXPECT_EQ(dlg.m_editHigh->text().toDouble(), 1.0);
        EXPECT_TRUE(dlg.m_radioShading[1]->isChecked());
        EXPECT_TRUE(dlg.m_checkBaseline->isChecked());
        EXPECT_FALSE(dlg.m_checkAxis->isChecked());

        dlg.m_editLow->setText(QStringLiteral("-1.96"));
        dlg.m_editHigh->setText(QStringLiteral("1.96"));
        dlg.m_spinSize->setValue(20);
        dlg.m_radioShading[2]->setChecked(true);
        dlg.m_checkAxis->setChecked(true);
        dlg.accept();
    }));
    EXPECT_NEAR(Grip(4), 1000 + 2.04 / 8 * 10000, 1e-6);
    EXPECT_NEAR(Grip(5), 1000 + 5.96 / 8 * 10000, 1e-6);
    const QvEditDataNorm& d = *curve->NormData();
    EXPECT_EQ(d.m_nArrowSize, 40);
    EXPECT_EQ(d.m_bInverse, 1);
    EXPECT_EQ(d.m_byAxis, 1);
    EXPECT_EQ(Levels(), levels + 1);
    doc->OnEditUndo();
    EXPECT_EQ(Grip(4), 4750);
    EXPECT_EQ(curve->NormData()->m_nArrowSize, 12);
}

TEST_F(NormalDialogTest, RefusesALowBoundAboveTheHighOne) {
    MessageRecorder recorder;
    ASSERT_TRUE(RightClick<CNormalPropertiesDlg>(inside, [](CNormalPropertiesDlg& dlg) {
        dlg.m_editLow->setText(QStringLiteral("2"));
        dlg.m_editHigh->setText(QStringLiteral("1"));
        dlg.accept();
        EXPECT_EQ(dlg.ModalResult(), -1);
        dlg.reject();
    }));
    EXPECT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(Grip(4), 4750);
    EXPECT_EQ(Grip(5), 7250);
}

TEST_F(NormalDialogTest, SetAsDefaultStoresTheOptionsNotTheBounds) {
    const auto before = ProfileEntries();
    ASSERT_TRUE(RightClick<CNormalPropertiesDlg>(inside, [](CNormalPropertiesDlg& dlg) {
        dlg.m_radioShading[0]->setChecked(true);
        dlg.m_editLow->setText(QStringLiteral("-3"));
        dlg.m_buttonSetAsDefault->click();
        EXPECT_EQ(dlg.ModalResult(), -1); // it stays open
        dlg.reject();
    }));
    // Size 6 unchanged keeps 12; no shading clears Shade, Inverse stays off.
    EXPECT_EQ(ChangedEntries(before, ProfileEntries()), QStringList{"NormDist/Shade"});
    const QvNormDistDefaults& d = TheSettings().m_NormDistDefaults;
    EXPECT_FALSE(d.Shade.GetValue());
    EXPECT_FALSE(d.Inverse.GetValue());
    EXPECT_EQ(d.Arrow_Size.GetValue(), 12);
    // The curve itself is as it was; a new one starts unshaded at -1 and 1.
    EXPECT_EQ(curve->NormData()->m_bShade, 1);
    auto* next =
        AddByClicks<QvFigNorm>(QvFigNorm::ToolId, {QvPoint(1000, 16000), QvPoint(11000, 11000)});
    EXPECT_EQ(next->NormData()->m_bShade, 0);
    EXPECT_EQ(next->DefiningPoints()[4].x, 4750);
}

} // namespace
