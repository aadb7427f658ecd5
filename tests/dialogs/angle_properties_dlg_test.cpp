// The Angle Properties dialog on an angle mark of a drawing: the controls
// each mark type shows, the spinner limits, what OK and Cancel write, the
// font, and Set as Default.
#include "dialogs/angle_properties_dlg.h"
#include "dialogs/font_color_dlg.h"
#include "dialogs/style_combo_box.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_line.h"
#include "geometry/gr_rect.h"
#include "property_dialog_test_support.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

class AngleDialogTest : public PropertyDialogTest {
protected:
    void SetUp() override {
        PropertyDialogTest::SetUp();
        QvFigLine* along = AddByClicks<QvFigLine>(QvFigLine::ToolId,
                                                  {QvPoint(10000, 10000), QvPoint(15000, 10000)});
        QvFigLine* up = AddByClicks<QvFigLine>(QvFigLine::ToolId,
                                               {QvPoint(10000, 10000), QvPoint(13000, 14000)});
        std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigAngleMark::ToolId);
        mark = static_cast<QvFigAngleMark*>(made.get());
        QvFigAngleMark::SetSnappedFigure(along);
        mark->TrackCreatePoint(QvPoint(14000, 10000), {});
        mark->CreateClick();
        QvFigAngleMark::SetSnappedFigure(up);
        mark->TrackCreatePoint(QvPoint(12000, 12667), {});
        mark->CreateClick();
        QvFigAngleMark::SetSnappedFigure(nullptr);
        doc->AddFigure(made.release());
        mark->MapToFrame(NullFrame);
        mark->BuildFromPoints();
    }

    // The mark's properties, with `drive` as the user; false when no
    // dialog opened.
    bool Open(std::function<void(CAnglePropertiesDlg&)> drive,
              std::function<void(CFontColorDlg&)> font = {}) {
        bool opened = false;
        SetModalDialogHandler([&](CDialog& dialog) {
            if (auto* d = dynamic_cast<CAnglePropertiesDlg*>(&dialog)) {
                opened = true;
                drive(*d);
            } else if (auto* f = dynamic_cast<CFontColorDlg*>(&dialog); f && font) {
                font(*f);
            }
        });
        mark->EditProperties(CPoint(), CPoint());
        SetModalDialogHandler({});
        return opened;
    }

    QvFigAngleMark* mark = nullptr;
};

// Which per-type controls show: the marker list, the unit radios and
// decimals, the text radios and edit, "Angled".
struct Shown {
    bool marker, units, text, angled;
};

void ExpectShown(const CAnglePropertiesDlg& dlg, Shown s) {
    EXPECT_EQ(!dlg.m_comboMarker->isHidden(), s.marker);
    for (QAbstractButton* b : dlg.m_radioAngleType)
        EXPECT_EQ(!b->isHidden(), s.units);
    EXPECT_EQ(!dlg.m_spinDecimals->isHidden(), s.units);
    EXPECT_EQ(!dlg.m_labelDecimals->isHidden(), s.units);
    for (QAbstractButton* b : dlg.m_radioTextType)
        EXPECT_EQ(!b->isHidden(), s.text);
    EXPECT_EQ(!dlg.m_editText->isHidden(), s.text);
    EXPECT_EQ(!dlg.m_checkAngled->isHidden(), s.angled);
}

const Shown kByType[6] = {{true, false, false, false},  {false, false, false, false},
                          {false, false, false, false}, {false, false, false, false},
                          {false, true, false, true},   {false, false, true, true}};

TEST_F(AngleDialogTest, EachMarkTypeShowsItsControlsOnOpeningAndOnClicking) {
    for (int type = 0; type < 6; ++type) {
        SCOPED_TRACE(type);
        mark->AngleData()->m_markType = type;
        ASSERT_TRUE(Open([type](CAnglePropertiesDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Angle Properties"));
            EXPECT_TRUE(dlg.m_radioMarkType[type]->isChecked());
            ExpectShown(dlg, kByType[type]);
            // Every other type's controls at once on its radio.
            for (int other : {5, 1, 0, 4, 2, 3}) {
                dlg.m_radioMarkType[other]->click();
                ExpectShown(dlg, kByType[other]);
            }
            dlg.reject();
        }));
        EXPECT_EQ(mark->AngleData()->m_markType, type);
    }
}

TEST_F(AngleDialogTest, OkWritesTheRecordAndCancelNothing) {
    QvEditDataAngle& r = *mark->AngleData();
    r.m_markType = QvEditDataAngle::AngleValue;
    r.m_size = 70; // past the spinner: shown at its end
    r.m_decimalPlaces = 2;
    r.m_major = 0;
    r.m_autoPerpendicular = 1;
    r.m_pointType = 6;
    auto change = [](CAnglePropertiesDlg& dlg) {
        dlg.m_radioMarkType[5]->click();
        dlg.m_radioTextType[1]->click();
        dlg.m_editText->setText(QStringLiteral("\\theta"));
        dlg.m_checkAngled->click();
        dlg.m_checkPerpendicular->click();
        dlg.m_radioMajor[0]->click();
        dlg.m_radioAngleType[2]->click();
        dlg.m_spinSize->setValue(0);     // held at 1
        dlg.m_spinDecimals->setValue(9); // held at 4
        dlg.m_comboMarker->SelectByData(8);
    };
    ASSERT_TRUE(Open([&](CAnglePropertiesDlg& dlg) {
        EXPECT_EQ(dlg.m_spinSize->value(), 50);
        EXPECT_EQ(dlg.m_spinSize->minimum(), 1);
        EXPECT_EQ(dlg.m_spinDecimals->value(), 2);
        EXPECT_EQ(dlg.m_spinDecimals->minimum(), 0);
        EXPECT_EQ(dlg.m_spinDecimals->maximum(), 4);
        EXPECT_EQ(dlg.m_comboMarker->count(), 7); // no "No point"
        EXPECT_EQ(dlg.m_comboMarker->GetSelectedData(), 6u);
        EXPECT_TRUE(dlg.m_radioMajor[1]->isChecked());
        EXPECT_TRUE(dlg.m_checkPerpendicular->isChecked());
        change(dlg);
        dlg.reject();
    }));
    EXPECT_EQ(r.m_markType, QvEditDataAngle::AngleValue);
    EXPECT_EQ(r.m_size, 70);
    EXPECT_EQ(r.m_major, 0);
    const double minor = mark->Angle();

    ASSERT_TRUE(Open([&](CAnglePropertiesDlg& dlg) {
        change(dlg);
        dlg.accept();
    }));
    EXPECT_EQ(r.m_markType, QvEditDataAngle::TextLabel);
    EXPECT_EQ(r.m_textType, QvEditDataAngle::Equation);
    EXPECT_EQ(r.m_text, QStringLiteral("\\theta"));
    EXPECT_EQ(r.m_angled, 1);
    EXPECT_EQ(r.m_autoPerpendicular, 0);
    EXPECT_EQ(r.m_major, 1);
    EXPECT_EQ(r.m_angleType, QvEditDataAngle::Grads);
    EXPECT_EQ(r.m_size, 1);
    EXPECT_EQ(r.m_decimalPlaces, 4);
    EXPECT_EQ(r.m_pointType, 8);
    // The mark was rebuilt on its new side.
    EXPECT_NEAR(mark->Angle(), 2 * QV_PI - minor, 1e-6);
}

// A chemical equation label has no radio; the label must not vanish.
TEST_F(AngleDialogTest, AChemicalEquationLabelKeepsItsKind) {
    QvEditDataAngle& r = *mark->AngleData();
    r.m_markType = QvEditDataAngle::TextLabel;
    r.m_textType = QvEditDataAngle::ChemEquation;
    ASSERT_TRUE(Open([](CAnglePropertiesDlg& dlg) {
        for (QAbstractButton* b : dlg.m_radioTextType)
            EXPECT_FALSE(b->isChecked());
        dlg.m_spinSize->setValue(9);
        dlg.accept();
    }));
    EXPECT_EQ(r.m_textType, QvEditDataAngle::ChemEquation);
    EXPECT_EQ(r.m_size, 9);
}

TEST_F(AngleDialogTest, FontOfTwelvePointsIsDrawnAt423) {
    ASSERT_TRUE(Open(
        [](CAnglePropertiesDlg& dlg) {
            dlg.m_buttonFont->click();
            EXPECT_EQ(dlg.m_nDrawHeight, 423);
            dlg.accept();
        },
        [](CFontColorDlg& dlg) {
            QFont font(QStringLiteral("Liberation Serif"));
            font.setPointSize(12);
            dlg.m_fontChooser->setCurrentFont(font);
            dlg.SetPickedColour(RGB(255, 0, 0));
            dlg.accept();
        }));
    EXPECT_EQ(mark->AngleData()->m_font.m_drawHeight, 423);
    EXPECT_EQ(mark->AngleData()->m_font.m_color, RGB(255, 0, 0));
    EXPECT_EQ(mark->AngleData()->m_font.FaceName(), QStringLiteral("Times New Roman"));
}

TEST_F(AngleDialogTest, SetAsDefaultThenCancelChangesOnlyNewMarks) {
    QvEditDataAngle& r = *mark->AngleData();
    r.m_major = 1;
    const auto before = ProfileEntries();
    ASSERT_TRUE(Open(
        [](CAnglePropertiesDlg& dlg) {
            dlg.m_radioMarkType[0]->click();
            dlg.m_comboMarker->SelectByData(5);
            dlg.m_radioAngleType[1]->click();
            dlg.m_radioTextType[1]->click();
            dlg.m_editText->setText(QStringLiteral("x"));
            dlg.m_checkAngled->click();
            dlg.m_checkPerpendicular->click();
            dlg.m_radioMajor[1]->click();
            dlg.m_spinSize->setValue(12);
            dlg.m_spinDecimals->setValue(3);
            dlg.m_buttonFont->click();
            dlg.m_buttonSetAsDefault->click();
            EXPECT_EQ(dlg.ModalResult(), -1); // still open
            dlg.reject();
        },
        [](CFontColorDlg& dlg) {
            QFont font(QStringLiteral("Liberation Mono"));
            font.setPointSize(14);
            dlg.m_fontChooser->setCurrentFont(font);
            dlg.accept();
        }));
    EXPECT_EQ(ChangedEntries(before, ProfileEntries()),
              QStringList({"Angle/AngleType", "Angle/Angled", "Angle/AutoPerp",
                           "Angle/Decimal Places", "Angle/Font", "Angle/MarkType",
                           "Angle/PointType", "Angle/Size", "Angle/Text", "Angle/TextType"}));
    // Cancelled: the mark keeps what it had.
    EXPECT_EQ(r.m_markType, QvEditDataAngle::AngleValue);
    EXPECT_EQ(r.m_major, 1);
    EXPECT_EQ(r.m_size, 6);

    QvFigAngleMark made;
    const QvEditDataAngle& d = *made.AngleData();
    EXPECT_EQ(d.m_markType, QvEditDataAngle::PointMarker);
    EXPECT_EQ(d.m_pointType, 5);
    EXPECT_EQ(d.m_angleType, QvEditDataAngle::Radians);
    EXPECT_EQ(d.m_textType, QvEditDataAngle::Equation);
    EXPECT_EQ(d.m_text, QStringLiteral("x"));
    EXPECT_EQ(d.m_angled, 1);
    EXPECT_EQ(d.m_autoPerpendicular, 0);
    EXPECT_EQ(d.m_major, 0);
    EXPECT_EQ(d.m_size, 12);
    EXPECT_EQ(d.m_decimalPlaces, 3);
    EXPECT_EQ(d.m_font.m_drawHeight, 493);
    EXPECT_EQ(d.m_font.FaceName(), QStringLiteral("Courier New"));

    // Major written true, then false again.
    for (int side : {0, 1}) {
        ASSERT_TRUE(Open([side](CAnglePropertiesDlg& dlg) {
            dlg.m_radioMajor[side]->click();
            dlg.m_buttonSetAsDefault->click();
            dlg.reject();
        }));
        EXPECT_EQ(TheSettings().m_AngleDefaults.Major.GetValue(), side == 0);
    }
    // Neither side chosen writes the minor side, as the arc dialog does.
    TheSettings().m_AngleDefaults.Major.SetValue(true);
    ASSERT_TRUE(Open([](CAnglePropertiesDlg& dlg) {
        for (QAbstractButton* radio : dlg.m_radioMajor) {
            radio->setAutoExclusive(false);
            radio->setChecked(false);
        }
        dlg.m_buttonSetAsDefault->click();
        dlg.reject();
    }));
    EXPECT_FALSE(TheSettings().m_AngleDefaults.Major.GetValue());
}

} // namespace
