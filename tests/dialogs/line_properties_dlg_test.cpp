// The Line Properties dialog on a line of a drawing: what it shows, what OK,
// Cancel and Set as Default write, and its sample line.
#include "dialogs/font_color_dlg.h"
#include "dialogs/line_properties_dlg.h"
#include "figures/fig_line.h"
#include "property_dialog_test_support.h"

#include <QAbstractButton>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace {

void ExpectSameLine(const QvEditDataLine& a, const QvEditDataLine& b) {
    EXPECT_EQ(a.m_startArrow, b.m_startArrow);
    EXPECT_EQ(a.m_midArrow, b.m_midArrow);
    EXPECT_EQ(a.m_endArrow, b.m_endArrow);
    EXPECT_EQ(a.m_startSize, b.m_startSize);
    EXPECT_EQ(a.m_midSize, b.m_midSize);
    EXPECT_EQ(a.m_endSize, b.m_endSize);
    EXPECT_EQ(a.m_midPos, b.m_midPos);
    EXPECT_EQ(a.m_labelPos, b.m_labelPos);
    EXPECT_EQ(a.m_label, b.m_label);
    EXPECT_EQ(a.m_labelSide, b.m_labelSide);
    EXPECT_EQ(a.m_labelKind, b.m_labelKind);
    EXPECT_TRUE(a.m_font == b.m_font);
}

class LineDialogTest : public PropertyDialogTest {
protected:
    // A line across the page at y = 10000, its record `r`.
    QvFigLine* AddLine(const QvEditDataLine& r) {
        std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigLine::ToolId);
        auto* line = static_cast<QvFigLine*>(made.get());
        line->TrackCreatePoint(QvPoint(5000, 10000), {});
        line->CreateClick();
        line->TrackCreatePoint(QvPoint(15000, 10000), {});
        line->CreateClick();
        line->LineData()->CopyFrom(r);
        doc->AddFigure(made.release());
        return line;
    }
    static QvEditDataLine Sample() {
        QvEditDataLine r;
        r.m_startArrow = 12;
        r.m_startSize = 12;
        r.m_endArrow = 22;
        r.m_endSize = 14;
        r.m_midArrow = 19;
        r.m_midSize = 16;
        r.m_midPos = 0.5;
        r.m_labelPos = 29 / 50.0; // as the dialog writes it
        r.m_label = QStringLiteral("AB");
        r.m_labelSide = QvEditDataLine::SideBelow;
        r.m_labelKind = QvEditDataLine::Equation;
        return r;
    }
    bool Open(std::function<void(CLinePropertiesDlg&)> drive) {
        return RightClick<CLinePropertiesDlg>(QvPoint(10000, 10000), drive);
    }
};

TEST_F(LineDialogTest, ShowsTheRecordWritesOkAsOneLevelAndCancelNothing) {
    struct Case {
        const char* what;
        std::function<void(QvEditDataLine&)> setup;
        std::function<void(CLinePropertiesDlg&)> drive;
        std::function<void(QvEditDataLine&)> expect; // on the set-up record
        int levels;
    };
    const Case cases[] = {
        {"shown as stored; OK without a change changes nothing", [](QvEditDataLine&) {},
         [](CLinePropertiesDlg& dlg) {
             EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Line Properties"));
             EXPECT_EQ(dlg.m_groupArrowHeads->m_combo[EndStart]->GetSelectedData(), 12u);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_combo[EndMiddle]->GetSelectedData(), 19u);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_combo[EndStop]->GetSelectedData(), 22u);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_spin[EndStart]->value(), 6);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_spin[EndMiddle]->value(), 8);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_spin[EndStop]->value(), 7);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_sliderPosition->value(), 25);
             EXPECT_EQ(dlg.m_sliderLabelPos->value(), 29);
             EXPECT_EQ(dlg.m_editLabel->text(), QStringLiteral("AB"));
             EXPECT_TRUE(dlg.m_radioSide[1]->isChecked()); // Below
             EXPECT_FALSE(dlg.m_radioSide[0]->isChecked());
             EXPECT_TRUE(dlg.m_radioKind[1]->isChecked()); // Equation
             dlg.accept();
         },
         [](QvEditDataLine&) {}, 0},
        {"OK writes exactly the changes", [](QvEditDataLine&) {},
         [](CLinePropertiesDlg& dlg) {
             dlg.m_groupArrowHeads->m_combo[EndStart]->SelectByData(13);
             dlg.m_groupArrowHeads->m_spin[EndStart]->setValue(7);
             dlg.m_groupArrowHeads->m_spin[EndStop]->setValue(10);
             dlg.m_groupArrowHeads->m_sliderPosition->setValue(26);
             dlg.m_editLabel->setText(QStringLiteral("CD"));
             dlg.m_sliderLabelPos->setValue(10);
             dlg.m_radioSide[0]->click();
             dlg.m_radioKind[0]->click();
             dlg.accept();
         },
         [](QvEditDataLine& r) {
             r.m_startArrow = 13;
             r.m_startSize = 14;
             r.m_endSize = 20;
             r.m_midPos = 0.52;
             r.m_label = QStringLiteral("CD");
             r.m_labelPos = 0.2;
             r.m_labelSide = QvEditDataLine::SideAbove;
             r.m_labelKind = QvEditDataLine::PlainText;
         },
         1},
        {"Cancel writes nothing", [](QvEditDataLine&) {},
         [](CLinePropertiesDlg& dlg) {
             dlg.m_groupArrowHeads->m_combo[EndStop]->SelectByData(10);
             dlg.m_groupArrowHeads->m_spin[EndMiddle]->setValue(1);
             dlg.m_editLabel->setText(QStringLiteral("gone"));
             dlg.m_radioSide[0]->click();
             dlg.reject();
         },
         [](QvEditDataLine&) {}, 0},
        {"an odd size comes back even", [](QvEditDataLine& r) { r.m_endSize = 13; },
         [](CLinePropertiesDlg& dlg) {
             EXPECT_EQ(dlg.m_groupArrowHeads->m_spin[EndStop]->value(), 6);
             dlg.accept();
         },
         [](QvEditDataLine& r) { r.m_endSize = 12; }, 1},
        // A chemical equation, a side that is neither and a code of no mark
        // have no control: OK must not lose them.
        {"values without a control are kept",
         [](QvEditDataLine& r) {
             r.m_labelKind = QvEditDataLine::ChemEquation;
             r.m_labelSide = 5;
             r.m_startArrow = 25;
         },
         [](CLinePropertiesDlg& dlg) {
             EXPECT_FALSE(dlg.m_radioKind[0]->isChecked() || dlg.m_radioKind[1]->isChecked());
             EXPECT_FALSE(dlg.m_radioSide[0]->isChecked() || dlg.m_radioSide[1]->isChecked());
             EXPECT_EQ(dlg.m_groupArrowHeads->m_combo[EndStart]->currentIndex(), -1);
             dlg.accept();
         },
         [](QvEditDataLine&) {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc->DeleteContents();
        QvEditDataLine before = Sample();
        c.setup(before);
        QvFigLine* line = AddLine(before);
        const int levels = Levels();
        ASSERT_TRUE(Open(c.drive));
        QvEditDataLine after;
        after.CopyFrom(before);
        c.expect(after);
        ExpectSameLine(*line->LineData(), after);
        EXPECT_EQ(Levels(), levels + c.levels);
        if (c.levels == 0)
            continue;
        doc->OnEditUndo();
        ExpectSameLine(*line->LineData(), before);
        doc->OnEditRedo();
        ExpectSameLine(*line->LineData(), after);
    }
}

TEST_F(LineDialogTest, ListsEveryLineEndWithTheDoubleLineAmongTheHeads) {
    AddLine(Sample());
    ASSERT_TRUE(Open([](CLinePropertiesDlg& dlg) {
        const QStringList expected = {"No Arrowhead",
                                      "Lines Arrowhead",
                                      "Triangle Arrowhead",
                                      "Chevron Arrowhead",
                                      "Sector Arrowhead",
                                      "Bar",
                                      "Filled Circle",
                                      "White Circle",
                                      "Open Circle",
                                      "Double Line Arrowhead",
                                      "Slash",
                                      "Double Slash",
                                      "Triple Slash",
                                      "Double Triangle Arrowhead",
                                      "Double Chevron Arrowhead"};
        for (int end = EndStart; end <= EndStop; ++end) {
            EXPECT_EQ(ItemTexts(dlg.m_groupArrowHeads->m_combo[end]), expected);
            EXPECT_EQ(dlg.m_groupArrowHeads->m_combo[end]->m_nEndKind, end);
        }
        dlg.reject();
    }));
}

TEST_F(LineDialogTest, SetAsDefaultWritesTheLineDefaultsButNotTheKind) {
    QvFigLine* line = AddLine(Sample());
    line->LineData()->m_labelSide = QvEditDataLine::SideAbove;
    const auto before = ProfileEntries();
    const int levels = Levels();
    SetModalDialogHandler([](CDialog& dialog) {
        if (auto* font = dynamic_cast<CFontColorDlg*>(&dialog)) {
            QFont serif(QStringLiteral("Liberation Serif"));
            serif.setPointSize(14);
            font->m_fontChooser->setCurrentFont(serif);
            font->SetPickedColour(RGB(0, 0, 255));
            font->accept();
            return;
        }
        auto& dlg = dynamic_cast<CLinePropertiesDlg&>(dialog);
        CArrowHeadGroup& ends = *dlg.m_groupArrowHeads;
        ends.m_combo[EndStart]->SelectByData(13);
        ends.m_combo[EndMiddle]->SelectByData(23);
        ends.m_combo[EndStop]->SelectByData(16);
        for (int end = EndStart; end <= EndStop; ++end)
            ends.m_spin[end]->setValue(5);
        ends.m_sliderPosition->setValue(30);
        dlg.m_editLabel->setText(QStringLiteral("L"));
        dlg.m_sliderLabelPos->setValue(40);
        dlg.m_radioSide[1]->click(); // Below
        dlg.m_radioKind[0]->click(); // Normal: not a default
        dlg.m_buttonFont->click();
        dlg.m_buttonSetAsDefault->click();
        EXPECT_EQ(dlg.ModalResult(), -1); // still open
        dlg.reject();
    });
    view->OnRButtonUp(Qt::NoModifier, CPoint(10000, 10000));
    SetModalDialogHandler({});

    EXPECT_EQ(ChangedEntries(before, ProfileEntries()),
              QStringList({"Line/Font", "Line/Info", "Line/Info Pos", "Line/Mid", "Line/Mid Pos",
                           "Line/Mid Size", "Line/Start", "Line/Start Size", "Line/Stop",
                           "Line/Stop Size", "Line/VPos"}));
    // Cancelled: the line keeps what it had.
    EXPECT_EQ(line->LineData()->m_startArrow, 12);
    EXPECT_EQ(line->LineData()->m_labelSide, QvEditDataLine::SideAbove);
    EXPECT_EQ(Levels(), levels);

    // New arrow lines start with the defaults.
    QvFigLine made;
    made.ApplyArrowDefaults();
    const QvEditDataLine& r = *made.LineData();
    EXPECT_EQ(r.m_startArrow, 13);
    EXPECT_EQ(r.m_midArrow, 23);
    EXPECT_EQ(r.m_endArrow, 16);
    EXPECT_EQ(r.m_startSize, 10);
    EXPECT_EQ(r.m_midSize, 10);
    EXPECT_EQ(r.m_endSize, 10);
    EXPECT_EQ(r.m_midPos, 0.6);
    EXPECT_EQ(r.m_label, QStringLiteral("L"));
    EXPECT_EQ(r.m_labelPos, 0.8);
    EXPECT_EQ(r.m_labelSide, QvEditDataLine::SideBelow);
    EXPECT_EQ(r.m_font.FaceName(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(r.m_font.m_drawHeight, 493); // 14 points
    EXPECT_EQ(r.m_font.m_color, RGB(0, 0, 255));
    EXPECT_EQ(r.m_labelKind, QvEditDataLine::PlainText); // "Info Type" as it was
}

// The sample follows the controls before OK.
TEST_F(LineDialogTest, TheSampleLineShowsTheControls) {
    AddLine(Sample());
    ASSERT_TRUE(Open([](CLinePropertiesDlg& dlg) {
        dlg.m_editLabel->clear();
        for (int end = EndStart; end <= EndStop; ++end)
            dlg.m_groupArrowHeads->m_combo[end]->SelectByData(10);
        const QImage bare = dlg.m_preview->grab().toImage();
        // The line runs across the middle of the band.
        EXPECT_LT(qGray(bare.pixel(200, 50)), 100);
        EXPECT_GT(qGray(bare.pixel(200, 30)), 200);
        // A triangle at the end fills in around its tip.
        dlg.m_groupArrowHeads->m_combo[EndStop]->SelectByData(12);
        const QImage headed = dlg.m_preview->grab().toImage();
        EXPECT_LT(qGray(headed.pixel(396, 48)), 160);
        EXPECT_GT(qGray(bare.pixel(396, 48)), 200);
        // A label shows above the line.
        dlg.m_radioKind[0]->click();
        dlg.m_radioSide[0]->click();
        dlg.m_editLabel->setText(QStringLiteral("MMMM"));
        const QImage labelled = dlg.m_preview->grab().toImage();
        int dark = 0;
        for (int y = 20; y < 48; ++y)
            for (int x = 150; x < 280; ++x)
                dark += qGray(labelled.pixel(x, y)) < 128;
        EXPECT_GT(dark, 20);
        dlg.reject();
    }));
}

} // namespace
