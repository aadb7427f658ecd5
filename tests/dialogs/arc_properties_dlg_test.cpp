// The Arc Properties dialog on arcs of a drawing: what it shows, Major and
// Minor, the half turn, the angles it refuses, the three-point arc's fixed
// ends, and Set as Default.
#include "dialogs/arc_properties_dlg.h"
#include "dialogs/style_combo_box.h"
#include "figures/fig_arc.h"
#include "property_dialog_test_support.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include <cmath>

namespace {

// A quarter of the circle about (10000, 10000) of radius 2000, from 0 to 90
// degrees counter-clockwise; (11414, 11414) lies on it.
const QvPoint kCentre(10000, 10000);
const QvPoint kOnArc(11414, 11414);

QvPoint AnglesOf(const QvFigArcBase& arc) {
    QvGRArc copy;
    copy = arc.Arc();
    return copy.GetStartAndCentralAngle();
}

class ArcDialogTest : public PropertyDialogTest {
protected:
    QvFigArcBase* AddQuarter() {
        return AddByClicks<QvFigArcBase>(QvFigArcC2P::ToolId,
                                         {kCentre, QvPoint(12000, 10000), QvPoint(10000, 12000)});
    }
    // Through (12000, 10000), (8000, 10000) and a point at 60 degrees: the
    // upper half of the same kind of circle, apex up.
    QvFigArcBase* AddThreePoint() {
        return AddByClicks<QvFigArcBase>(
            QvFigArc3P::ToolId, {QvPoint(12000, 10000), QvPoint(8000, 10000),
                                 QvPoint(10000 + 1000, 10000 + 2000 * std::sin(QV_PI / 3))});
    }
    bool Open(std::function<void(CArcPropertiesDlg&)> drive, QvPoint at = kOnArc) {
        return RightClick<CArcPropertiesDlg>(at, drive);
    }
};

TEST_F(ArcDialogTest, ShowsTheArcAndWritesOkAsOneLevel) {
    QvFigArcBase* arc = AddQuarter();
    QvEditDataArc& r = *arc->ArcData();
    r.m_startArrow = 13;
    r.m_stopArrow = 20; // not offered: kept
    r.m_startSize = 14;
    r.m_midPos = 0.5;
    r.m_markType = 6;
    r.m_closeType = QvArcClosing::Sector;
    const int levels = Levels();
    ASSERT_TRUE(Open([](CArcPropertiesDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Arc Properties"));
        CArrowHeadGroup& ends = *dlg.m_groupArrowHeads;
        EXPECT_EQ(ends.m_combo[EndStart]->GetSelectedData(), 13u);
        EXPECT_EQ(ends.m_combo[EndStop]->currentIndex(), -1);
        EXPECT_EQ(ends.m_spin[EndStart]->value(), 7);
        EXPECT_EQ(ends.m_sliderPosition->value(), 25);
        EXPECT_EQ(ItemTexts(ends.m_combo[EndMiddle]).size(), 11);
        EXPECT_EQ(ItemTexts(dlg.m_comboCentreMark),
                  QStringList({"No point", "Circle mark", "'+' mark", "Dot", "'X' mark",
                               "Diamond Mark", "Asterisk", "Square mark"}));
        EXPECT_EQ(dlg.m_comboCentreMark->GetSelectedData(), 6u);
        EXPECT_TRUE(dlg.m_radioCloseType[1]->isChecked());
        EXPECT_EQ(dlg.m_editRotation->text(), QStringLiteral("0"));
        EXPECT_EQ(dlg.m_editCentralAngle->text(), QStringLiteral("90"));
        EXPECT_TRUE(dlg.m_radioMajor[1]->isChecked()); // Minor
        EXPECT_TRUE(dlg.m_radioMajor[0]->isEnabled());
        EXPECT_TRUE(dlg.m_editRotation->isEnabled());
        ends.m_sliderPosition->setValue(50);
        ends.m_spin[EndMiddle]->setValue(3);
        dlg.m_comboCentreMark->SelectByData(0);
        dlg.m_radioCloseType[2]->click();
        dlg.accept();
    }));
    EXPECT_EQ(r.m_midPos, 1.0);
    EXPECT_EQ(r.m_midSize, 6);
    EXPECT_EQ(r.m_markType, 0);
    EXPECT_EQ(r.m_closeType, QvArcClosing::Segment);
    EXPECT_EQ(r.m_stopArrow, 20);
    EXPECT_EQ(r.m_startSize, 14);
    EXPECT_EQ(AnglesOf(*arc), QvPoint(0, 90));
    EXPECT_EQ(Levels(), levels + 1);
    doc->OnEditUndo();
    EXPECT_EQ(r.m_midPos, 0.5);
    EXPECT_EQ(r.m_closeType, QvArcClosing::Sector);

    // Cancel, and OK without a change, record nothing.
    const int undone = Levels();
    for (bool ok : {false, true}) {
        ASSERT_TRUE(Open([ok](CArcPropertiesDlg& dlg) {
            if (!ok) {
                dlg.m_radioMajor[0]->click();
                dlg.m_radioCloseType[0]->click();
            }
            ok ? dlg.accept() : dlg.reject();
        }));
        EXPECT_EQ(r.m_closeType, QvArcClosing::Sector);
        EXPECT_EQ(AnglesOf(*arc), QvPoint(0, 90));
        EXPECT_EQ(Levels(), undone);
    }
}

TEST_F(ArcDialogTest, MajorAndMinorShowTheOtherSideAndOkMovesTheArc) {
    struct Case {
        const char* what;
        const char* central;     // typed first, or null
        const char* rotation;    // typed first, or null
        std::vector<int> clicks; // 0 Major, 1 Minor
        const char* shown;       // the central angle after the clicks
        QvPoint angles;          // of the arc after OK
        int major;               // its record's flag
    };
    const Case cases[] = {
        {"Major gives the complement", nullptr, nullptr, {0}, "270", QvPoint(0, 270), 1},
        {"120, Major, Minor", "120", nullptr, {0, 1}, "120", QvPoint(0, 120), 0},
        {"120, Major", "120", nullptr, {0}, "240", QvPoint(0, 240), 1},
        {"Minor on a minor arc changes nothing", nullptr, nullptr, {1}, "90", QvPoint(0, 90), 0},
        {"a rotation alone", nullptr, "30", {}, "90", QvPoint(30, 90), 0},
        // A half turn is nudged to the side asked for.
        {"a half turn, Major", "180", nullptr, {0}, "180", QvPoint(0, 180), 1},
        {"a half turn, Minor", "180", nullptr, {1}, "180", QvPoint(0, 180), 0},
        {"a half turn, Major then Minor", "180", nullptr, {0, 1}, "180", QvPoint(0, 180), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc->DeleteContents();
        QvFigArcBase* arc = AddQuarter();
        const QvPointArray before = arc->DefiningPoints();
        const int levels = Levels();
        ASSERT_TRUE(Open([&](CArcPropertiesDlg& dlg) {
            if (c.central)
                dlg.m_editCentralAngle->setText(QString::fromLatin1(c.central));
            if (c.rotation)
                dlg.m_editRotation->setText(QString::fromLatin1(c.rotation));
            for (int i : c.clicks)
                dlg.m_radioMajor[i]->click();
            EXPECT_EQ(dlg.m_editCentralAngle->text(), QString::fromLatin1(c.shown));
            dlg.accept();
        }));
        const QvPoint angles = AnglesOf(*arc);
        EXPECT_NEAR(angles.x, c.angles.x, 1e-9);
        EXPECT_NEAR(angles.y, c.angles.y, 1e-9);
        EXPECT_EQ(arc->ArcData()->m_major, c.major);
        if (Levels() == levels)
            continue;
        doc->OnEditUndo();
        EXPECT_EQ(arc->DefiningPoints()[1], before[1]);
        EXPECT_EQ(arc->DefiningPoints()[2], before[2]);
        EXPECT_EQ(arc->ArcData()->m_major, 0);
    }
}

TEST_F(ArcDialogTest, RefusesAnglesOutOfRangeAndStaysOpen) {
    struct Case {
        const char* central;
        const char* rotation;
        const char* message;
    };
    const Case cases[] = {
        {"361", "0", "Please enter a number between 0 and 360."},
        {"-1", "0", "Please enter a number between 0 and 360."},
        {"90", "180.5", "Please enter a number between -180 and 180."},
        {"ninety", "0", "Please enter a number."},
    };
    QvFigArcBase* arc = AddQuarter();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.central);
        const auto profileBefore = ProfileEntries();
        MessageRecorder recorder;
        ASSERT_TRUE(Open([&](CArcPropertiesDlg& dlg) {
            dlg.m_editCentralAngle->setText(QString::fromLatin1(c.central));
            dlg.m_editRotation->setText(QString::fromLatin1(c.rotation));
            dlg.m_buttonSetAsDefault->click();
            dlg.accept();
            EXPECT_EQ(dlg.ModalResult(), -1);
            dlg.m_radioMajor[0]->click(); // exchanges too: refused again
            dlg.reject();
        }));
        ASSERT_EQ(recorder.messages.size(), 3u);
        for (const auto& m : recorder.messages)
            EXPECT_EQ(m.text, QString::fromLatin1(c.message));
        EXPECT_EQ(ChangedEntries(profileBefore, ProfileEntries()), QStringList());
        EXPECT_EQ(AnglesOf(*arc), QvPoint(0, 90));
    }
}

TEST_F(ArcDialogTest, ThreePointArcKeepsItsEndsAndBendsToANewAngle) {
    QvFigArcBase* arc = AddThreePoint();
    const QvPointArray before = arc->DefiningPoints();
    EXPECT_NEAR(AnglesOf(*arc).y, 180, 1e-9);
    ASSERT_TRUE(Open(
        [](CArcPropertiesDlg& dlg) {
            EXPECT_FALSE(dlg.m_radioMajor[0]->isEnabled());
            EXPECT_FALSE(dlg.m_radioMajor[1]->isEnabled());
            EXPECT_FALSE(dlg.m_editRotation->isEnabled());
            EXPECT_TRUE(dlg.m_editCentralAngle->isEnabled());
            dlg.m_editRotation->setText(QStringLiteral("45")); // ignored
            dlg.m_editCentralAngle->setText(QStringLiteral("240"));
            dlg.accept();
        },
        QvPoint(10000, 12000)));
    EXPECT_EQ(arc->DefiningPoints()[0], before[0]);
    EXPECT_EQ(arc->DefiningPoints()[1], before[1]);
    EXPECT_NEAR(AnglesOf(*arc).y, 240, 1e-6);
    EXPECT_GT(arc->DefiningPoints()[2].y, 10000); // still bulging up
    EXPECT_EQ(arc->ArcData()->m_major, 1);
}

TEST_F(ArcDialogTest, SetAsDefaultWritesTheArcGroupButNoAngles) {
    QvFigArcBase* arc = AddQuarter();
    arc->ArcData()->m_major = 7; // neither button checked; the long way round
    arc->BuildFromPoints();
    const QvPoint onMajor(8000, 10000);
    // The arc holds the defaults but Major: only that entry is written.
    TheSettings().m_ArcDefaults.Major.SetValue(1);
    TheSettings().Save(FALSE);
    const auto mid = ProfileEntries();
    ASSERT_TRUE(Open(
        [](CArcPropertiesDlg& dlg) {
            dlg.m_buttonSetAsDefault->click();
            dlg.reject();
        },
        onMajor));
    EXPECT_EQ(ChangedEntries(mid, ProfileEntries()), QStringList({"Arc/Major"}));
    const auto before = ProfileEntries();
    ASSERT_TRUE(Open(
        [](CArcPropertiesDlg& dlg) {
            EXPECT_FALSE(dlg.m_radioMajor[0]->isChecked());
            EXPECT_FALSE(dlg.m_radioMajor[1]->isChecked());
            CArrowHeadGroup& ends = *dlg.m_groupArrowHeads;
            ends.m_combo[EndStart]->SelectByData(12);
            ends.m_combo[EndMiddle]->SelectByData(23);
            ends.m_combo[EndStop]->SelectByData(16);
            ends.m_spin[EndStart]->setValue(7);
            ends.m_spin[EndMiddle]->setValue(2);
            ends.m_spin[EndStop]->setValue(9);
            ends.m_sliderPosition->setValue(10);
            dlg.m_comboCentreMark->SelectByData(8);
            dlg.m_radioCloseType[1]->click();
            dlg.m_editCentralAngle->setText(QStringLiteral("100"));
            dlg.m_buttonSetAsDefault->click();
            EXPECT_EQ(dlg.ModalResult(), -1);
            dlg.reject();
        },
        onMajor));
    EXPECT_EQ(ChangedEntries(before, ProfileEntries()),
              QStringList({"Arc/Centre", "Arc/Close Type", "Arc/Mid", "Arc/Mid Size", "Arc/MidPos",
                           "Arc/Start", "Arc/Start Size", "Arc/Stop", "Arc/Stop Size"}));
    EXPECT_EQ(arc->ArcData()->m_closeType, QvArcClosing::Arc); // cancelled
    EXPECT_EQ(AnglesOf(*arc), QvPoint(90, 270));

    QvFigArcC2P made;
    const QvEditDataArc& r = *made.ArcData();
    EXPECT_EQ(r.m_startArrow, 12);
    EXPECT_EQ(r.m_midArrow, 23);
    EXPECT_EQ(r.m_stopArrow, 16);
    EXPECT_EQ(r.m_startSize, 14);
    EXPECT_EQ(r.m_midSize, 4);
    EXPECT_EQ(r.m_stopSize, 18);
    EXPECT_EQ(r.m_midPos, 0.2);
    EXPECT_EQ(r.m_markType, 8);
    EXPECT_EQ(r.m_closeType, QvArcClosing::Sector);
    EXPECT_EQ(r.m_major, 0);
}

} // namespace
