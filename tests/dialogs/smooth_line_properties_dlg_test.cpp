// The Smooth Line Properties dialog on smooth lines and Bezier curves of a
// drawing: what it shows, what OK, Cancel and Set as Default write, and the
// widths it refuses.
#include "dialogs/smooth_line_properties_dlg.h"
#include "figures/fig_bezier.h"
#include "property_dialog_test_support.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

namespace {

enum Kind { Smooth, Bezier };

void ExpectSameCurve(const QvEditDataSmoothLine& a, const QvEditDataSmoothLine& b) {
    EXPECT_EQ(a.m_startMark, b.m_startMark);
    EXPECT_EQ(a.m_midMark, b.m_midMark);
    EXPECT_EQ(a.m_endMark, b.m_endMark);
    EXPECT_EQ(a.m_startSize, b.m_startSize);
    EXPECT_EQ(a.m_midSize, b.m_midSize);
    EXPECT_EQ(a.m_endSize, b.m_endSize);
    EXPECT_EQ(a.m_midPos, b.m_midPos);
    EXPECT_EQ(a.m_closed, b.m_closed);
    EXPECT_EQ(a.m_lineType, b.m_lineType);
    EXPECT_EQ(a.m_offset, b.m_offset);
    EXPECT_EQ(a.m_spacing, b.m_spacing);
}

class CurveDialogTest : public PropertyDialogTest {
protected:
    // A curve along y = 10000 from x = 5000 to 15000, its record `r`.
    QvFigCurveBase* AddCurve(Kind kind, const QvEditDataSmoothLine& r) {
        QvFigCurveBase* curve;
        if (kind == Bezier) {
            curve = AddByClicks<QvFigBezier>(QvFigBezier::ToolId,
                                             {QvPoint(5000, 10000), QvPoint(15000, 10000),
                                              QvPoint(8000, 10000), QvPoint(12000, 10000)});
        } else {
            std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigSmoothLine::ToolId);
            curve = static_cast<QvFigCurveBase*>(made.get());
            // The view's trace: press, moves, release.
            curve->TrackCreatePoint(QvPoint(5000, 10000), {});
            curve->CreateClick();
            for (int x = 6000; x <= 15000; x += 1000) {
                curve->CreateClick();
                curve->TrackCreatePoint(QvPoint(x, 10000), {});
            }
            doc->AddFigure(made.release());
        }
        curve->CurveData()->CopyFrom(r);
        return curve;
    }
    static QvEditDataSmoothLine Sample() {
        QvEditDataSmoothLine r;
        r.m_startMark = 13;
        r.m_startSize = 12;
        r.m_endMark = 24;
        r.m_endSize = 16;
        r.m_midMark = 10;
        r.m_midSize = 12;
        r.m_midPos = 29 / 50.0; // as the dialog writes it
        r.m_lineType = QvEditDataSmoothLine::Double;
        r.m_offset = 125;
        return r;
    }
    bool Open(std::function<void(CSmoothLinePropertiesDlg&)> drive) {
        return RightClick<CSmoothLinePropertiesDlg>(QvPoint(10000, 10000), drive);
    }
};

TEST_F(CurveDialogTest, ShowsTheRecordWritesOkAsOneLevelAndRefusesWideLines) {
    struct Case {
        const char* what;
        Kind kind;
        std::function<void(QvEditDataSmoothLine&)> setup;
        std::function<void(CSmoothLinePropertiesDlg&)> drive;
        std::function<void(QvEditDataSmoothLine&)> expect; // on the set-up record
        int levels;
        const char* message; // shown while the dialog was open, or null
    };
    const Case cases[] = {
        {"shown as stored; OK without a change changes nothing", Smooth,
         [](QvEditDataSmoothLine&) {},
         [](CSmoothLinePropertiesDlg& dlg) {
             EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Smooth Line Properties"));
             EXPECT_TRUE(dlg.m_checkClosed->isEnabled());
             EXPECT_FALSE(dlg.m_checkClosed->isChecked());
             EXPECT_EQ(dlg.m_groupArrowHeads->m_combo[EndStart]->GetSelectedData(), 13u);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_combo[EndMiddle]->GetSelectedData(), 10u);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_combo[EndStop]->GetSelectedData(), 24u);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_spin[EndStart]->value(), 6);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_spin[EndStop]->value(), 8);
             EXPECT_EQ(dlg.m_groupArrowHeads->m_sliderPosition->value(), 29);
             EXPECT_TRUE(dlg.m_radioLineType[1]->isChecked());
             EXPECT_EQ(dlg.m_editWidth->text(), QStringLiteral("2.5"));
             dlg.accept();
         },
         [](QvEditDataSmoothLine&) {}, 0, nullptr},
        {"OK writes exactly the changes", Smooth, [](QvEditDataSmoothLine&) {},
         [](CSmoothLinePropertiesDlg& dlg) {
             dlg.m_groupArrowHeads->m_combo[EndStart]->SelectByData(23);
             dlg.m_groupArrowHeads->m_spin[EndMiddle]->setValue(3);
             dlg.m_groupArrowHeads->m_sliderPosition->setValue(10);
             dlg.m_checkClosed->click();
             dlg.m_radioLineType[2]->click();
             dlg.m_editWidth->setText(QStringLiteral("20"));
             dlg.accept();
         },
         [](QvEditDataSmoothLine& r) {
             r.m_startMark = 23;
             r.m_midSize = 6;
             r.m_midPos = 0.2;
             r.m_closed = 1;
             r.m_lineType = QvEditDataSmoothLine::Triple;
             r.m_offset = 1000;
         },
         1, nullptr},
        {"Cancel writes nothing", Smooth, [](QvEditDataSmoothLine&) {},
         [](CSmoothLinePropertiesDlg& dlg) {
             dlg.m_groupArrowHeads->m_combo[EndStop]->SelectByData(10);
             dlg.m_checkClosed->click();
             dlg.m_editWidth->setText(QStringLiteral("3"));
             dlg.reject();
         },
         [](QvEditDataSmoothLine&) {}, 0, nullptr},
        {"21 mm is refused and the dialog stays; a typed 7.5 is taken", Smooth,
         [](QvEditDataSmoothLine&) {},
         [](CSmoothLinePropertiesDlg& dlg) {
             dlg.m_editWidth->setText(QStringLiteral("21"));
             dlg.accept();
             EXPECT_EQ(dlg.ModalResult(), -1);
             EXPECT_TRUE(dlg.m_editWidth->hasFocus() || !dlg.isVisible());
             dlg.m_editWidth->clear();
             QTest::keyClicks(dlg.m_editWidth, QStringLiteral("7.5"));
             EXPECT_EQ(dlg.m_editWidth->text(), QStringLiteral("7.5"));
             dlg.accept();
         },
         [](QvEditDataSmoothLine& r) { r.m_offset = 375; }, 1,
         "Please enter a number between 0 and 20."},
        // 29 / 50.0 reads 0.58, a hair under 29 fiftieths.
        {"a width the dialog showed comes back whole", Smooth,
         [](QvEditDataSmoothLine& r) { r.m_offset = 29; },
         [](CSmoothLinePropertiesDlg& dlg) {
             EXPECT_EQ(dlg.m_editWidth->text(), QStringLiteral("0.58"));
             dlg.accept();
         },
         [](QvEditDataSmoothLine&) {}, 0, nullptr},
        {"an odd size comes back even", Smooth, [](QvEditDataSmoothLine& r) { r.m_startSize = 13; },
         [](CSmoothLinePropertiesDlg& dlg) {
             EXPECT_EQ(dlg.m_groupArrowHeads->m_spin[EndStart]->value(), 6);
             dlg.accept();
         },
         [](QvEditDataSmoothLine& r) { r.m_startSize = 12; }, 1, nullptr},
        // The curve lists offer no slashes; a file may hold them, and a line
        // type no button stands for.
        {"values without a control are kept", Smooth,
         [](QvEditDataSmoothLine& r) {
             r.m_startMark = 20;
             r.m_lineType = 5;
         },
         [](CSmoothLinePropertiesDlg& dlg) {
             EXPECT_EQ(dlg.m_groupArrowHeads->m_combo[EndStart]->currentIndex(), -1);
             for (QAbstractButton* b : dlg.m_radioLineType)
                 EXPECT_FALSE(b->isChecked());
             dlg.accept();
         },
         [](QvEditDataSmoothLine&) {}, 0, nullptr},
        {"a Bezier curve: its caption, and no closing", Bezier, [](QvEditDataSmoothLine&) {},
         [](CSmoothLinePropertiesDlg& dlg) {
             EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Bezier Curve Properties"));
             EXPECT_FALSE(dlg.m_checkClosed->isEnabled());
             dlg.m_radioLineType[0]->click();
             dlg.accept();
         },
         [](QvEditDataSmoothLine& r) { r.m_lineType = QvEditDataSmoothLine::Single; }, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc->DeleteContents();
        QvEditDataSmoothLine before = Sample();
        c.setup(before);
        QvFigCurveBase* curve = AddCurve(c.kind, before);
        const int levels = Levels();
        MessageRecorder recorder;
        ASSERT_TRUE(Open(c.drive));
        if (c.message) {
            ASSERT_EQ(recorder.messages.size(), 1u);
            EXPECT_EQ(recorder.messages[0].text, QString::fromLatin1(c.message));
        } else {
            EXPECT_TRUE(recorder.messages.empty());
        }
        QvEditDataSmoothLine after;
        after.CopyFrom(before);
        c.expect(after);
        ExpectSameCurve(*curve->CurveData(), after);
        EXPECT_EQ(Levels(), levels + c.levels);
        if (c.levels == 0)
            continue;
        doc->OnEditUndo();
        ExpectSameCurve(*curve->CurveData(), before);
        doc->OnEditRedo();
        ExpectSameCurve(*curve->CurveData(), after);
    }
}

TEST_F(CurveDialogTest, ListsNoSlashesAndNoDoubleLine) {
    AddCurve(Smooth, Sample());
    ASSERT_TRUE(Open([](CSmoothLinePropertiesDlg& dlg) {
        const QStringList expected = {"No Arrowhead",
                                      "Lines Arrowhead",
                                      "Triangle Arrowhead",
                                      "Chevron Arrowhead",
                                      "Sector Arrowhead",
                                      "Bar",
                                      "Filled Circle",
                                      "White Circle",
                                      "Open Circle",
                                      "Double Triangle Arrowhead",
                                      "Double Chevron Arrowhead"};
        for (int end = EndStart; end <= EndStop; ++end)
            EXPECT_EQ(ItemTexts(dlg.m_groupArrowHeads->m_combo[end]), expected);
        dlg.reject();
    }));
}

TEST_F(CurveDialogTest, SetAsDefaultWritesTheKindsGroupAndNothingOnARefusal) {
    struct Case {
        Kind kind;
        std::function<void(CSmoothLinePropertiesDlg&)> drive;
        QStringList changed;
    };
    const Case cases[] = {
        {Smooth,
         [](CSmoothLinePropertiesDlg& dlg) {
             CArrowHeadGroup& ends = *dlg.m_groupArrowHeads;
             ends.m_combo[EndStart]->SelectByData(11);
             ends.m_combo[EndMiddle]->SelectByData(14);
             ends.m_combo[EndStop]->SelectByData(17);
             ends.m_spin[EndStart]->setValue(4);
             ends.m_spin[EndMiddle]->setValue(9);
             ends.m_spin[EndStop]->setValue(3);
             ends.m_sliderPosition->setValue(40);
             dlg.m_checkClosed->click();
             dlg.m_radioLineType[2]->click();
             dlg.m_editWidth->setText(QStringLiteral("20"));
         },
         {"Smoothline/Closed", "Smoothline/Line Type", "Smoothline/Mid", "Smoothline/Mid Pos",
          "Smoothline/Mid Size", "Smoothline/Start", "Smoothline/Start Size", "Smoothline/Stop",
          "Smoothline/Stop Size", "Smoothline/Width"}},
        {Smooth, [](CSmoothLinePropertiesDlg& dlg) { dlg.m_editWidth->setText("21"); }, {}},
        // The box is greyed, yet its state (the curve's: open) is written.
        {Bezier,
         [](CSmoothLinePropertiesDlg& dlg) {
             dlg.m_groupArrowHeads->m_combo[EndStop]->SelectByData(12);
             dlg.m_groupArrowHeads->m_spin[EndStop]->setValue(9);
         },
         {"Bezier/Closed", "Bezier/Line Type", "Bezier/Mid Pos", "Bezier/Start", "Bezier/Stop",
          "Bezier/Stop Size", "Bezier/Width"}},
    };
    for (const Case& c : cases) {
        doc->DeleteContents();
        QvEditDataSmoothLine record = Sample();
        QvFigCurveBase* curve = AddCurve(c.kind, record);
        TheSettings().m_BezierDefaults.Closed.SetValue(1); // to see it written
        TheSettings().Save(FALSE);
        const auto before = ProfileEntries();
        MessageRecorder recorder;
        ASSERT_TRUE(Open([&](CSmoothLinePropertiesDlg& dlg) {
            c.drive(dlg);
            dlg.m_buttonSetAsDefault->click();
            EXPECT_EQ(dlg.ModalResult(), -1);
            dlg.reject();
        }));
        EXPECT_EQ(ChangedEntries(before, ProfileEntries()), c.changed);
        EXPECT_EQ(recorder.messages.size(), c.changed.isEmpty() ? 1u : 0u);
        ExpectSameCurve(*curve->CurveData(), record);
    }
    // New curves start with their kind's defaults.
    QvFigSmoothLine smooth;
    const QvEditDataSmoothLine& s = *smooth.CurveData();
    EXPECT_EQ(s.m_startMark, 11);
    EXPECT_EQ(s.m_startSize, 8);
    EXPECT_EQ(s.m_midMark, 14);
    EXPECT_EQ(s.m_midSize, 18);
    EXPECT_EQ(s.m_endMark, 17);
    EXPECT_EQ(s.m_endSize, 6);
    EXPECT_EQ(s.m_midPos, 0.8);
    EXPECT_EQ(s.m_lineType, QvEditDataSmoothLine::Triple);
    EXPECT_EQ(s.m_offset, 1000);
    EXPECT_TRUE(TheSettings().m_SmoothlineDefaults.Closed.GetValue());
    QvFigBezier bezier;
    EXPECT_EQ(bezier.CurveData()->m_endMark, 12);
    EXPECT_EQ(bezier.CurveData()->m_endSize, 18);
    EXPECT_EQ(bezier.CurveData()->m_offset, 125);
    EXPECT_FALSE(TheSettings().m_BezierDefaults.Closed.GetValue());
}

} // namespace
