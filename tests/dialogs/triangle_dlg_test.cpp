// The Triangle Properties dialog on a triangle of a drawing: which boxes
// are open, what the solver says, OK only for a solved triangle, Reset,
// Spin Coords, and Enter in a box.
#include "dialogs/triangle_dlg.h"
#include "figures/fig_triangle.h"
#include "property_dialog_test_support.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <array>

using namespace QvTri;

namespace {

const char kTooFew[] = "Not enough information to define a triangle.  You require 3 pieces of "
                       "information to define a triangle";

// What the boxes show and which are open, by QvTri::Measure.
struct Boxes {
    std::array<QString, Count> texts;
    std::array<bool, Count> open;
};

Boxes Read(const CTriangleDlg& dlg) {
    Boxes b;
    for (int i = 0; i < Count; ++i) {
        b.texts[i] = dlg.m_edit[i]->text();
        b.open[i] = dlg.m_edit[i]->isEnabled();
    }
    return b;
}

// Types into a box and leaves it, as a user moving on does.
void Type(CTriangleDlg& dlg, int measure, const QString& text) {
    CEnterEdit* edit = dlg.m_edit[measure];
    edit->setText(text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
}

QString Message(const CTriangleDlg& dlg) {
    return dlg.m_message->toPlainText();
}

// Counts the Down keys that reach a box.
class DownCounter : public QObject {
public:
    int downs = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down)
            ++downs;
        return false;
    }
};

class TriangleDialogTest : public PropertyDialogTest {
protected:
    // A right angle at A: c = AB = 40 mm, b = AC = 30 mm, a = BC = 50 mm.
    void SetUp() override {
        PropertyDialogTest::SetUp();
        triangle = AddByClicks<QvFigTriangle>(
            QvFigTriangle::ToolId,
            {QvPoint(10000, 10000), QvPoint(14000, 10000), QvPoint(10000, 13000)});
    }
    bool Open(std::function<void(CTriangleDlg&)> drive) {
        return RightClick<CTriangleDlg>(QvPoint(12000, 10000), drive);
    }

    QvFigTriangle* triangle = nullptr;
};

TEST_F(TriangleDialogTest, OpensOnTheClickedSidesAndOpensAllBoxesWhenOneIsCleared) {
    const int levels = Levels();
    ASSERT_TRUE(Open([](CTriangleDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Triangle Properties"));
        Boxes b = Read(dlg);
        EXPECT_EQ(b.texts, (std::array<QString, Count>{"90", "36.87", "53.13", "50", "30", "40",
                                                       "24", "40", "30", "600", "120"}));
        EXPECT_EQ(b.open, (std::array<bool, Count>{false, false, false, true, true, true, false,
                                                   false, false, false, false}));
        EXPECT_TRUE(dlg.m_buttonOK->isEnabled());
        EXPECT_EQ(Message(dlg), QStringLiteral("Unique triangle found (Three sides)"));

        Type(dlg, SideC, QStringLiteral("0"));
        b = Read(dlg);
        EXPECT_EQ(b.texts, (std::array<QString, Count>{"0", "0", "0", "50", "30", "0", "0", "0",
                                                       "0", "0", "0"}));
        for (bool open : b.open)
            EXPECT_TRUE(open);
        EXPECT_FALSE(dlg.m_buttonOK->isEnabled());
        EXPECT_EQ(Message(dlg), QString::fromLatin1(kTooFew));
        dlg.accept(); // not a triangle: stays open
        EXPECT_EQ(dlg.ModalResult(), -1);
        dlg.reject();
    }));
    EXPECT_EQ(Levels(), levels);
    EXPECT_DOUBLE_EQ(triangle->Solver().solved[SideC], 40);
}

TEST_F(TriangleDialogTest, WhatTheSolverSaysOfTheGivenValues) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, const char*>> typed; // after Reset
        const char* message;
        bool ok;
        std::vector<std::pair<int, const char*>> shown;
    };
    const Case cases[] = {
        {"three angles",
         {{AngleA, "60"}, {AngleB, "60"}, {AngleC, "60"}},
         "Three angles do not define a triangle.",
         false,
         {{AngleA, "60"}}},
        {"two sides and a non-included angle that fits twice",
         {{AngleA, "30"}, {SideA, "6"}, {SideB, "10"}},
         "Ambigous case.  Two triangles fit your data",
         false,
         {{SideA, "6"}}},
        {"a fraction", {{SideA, "1/2"}}, kTooFew, false, {{SideA, "0.5"}, {SideB, "0"}}},
        {"a fraction in a triangle",
         {{SideA, "1/2"}, {SideB, "1/2"}, {SideC, "1/2"}},
         "Unique triangle found (Three sides)",
         true,
         {{SideA, "0.5"}, {AngleA, "60"}, {Perimeter, "1.5"}}},
        {"two sides and the included angle",
         {{SideB, "3"}, {SideC, "4"}, {AngleA, "90"}},
         "Unique triangle found (Two sides and included angle)",
         true,
         {{SideA, "5"}, {Area, "6"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Open([&](CTriangleDlg& dlg) {
            dlg.m_buttonReset->click();
            Boxes b = Read(dlg);
            for (int i = 0; i < Count; ++i) {
                EXPECT_EQ(b.texts[i], QStringLiteral("0"));
                EXPECT_TRUE(b.open[i]);
            }
            EXPECT_FALSE(dlg.m_buttonOK->isEnabled());
            for (auto [measure, text] : c.typed)
                Type(dlg, measure, QString::fromLatin1(text));
            EXPECT_EQ(Message(dlg), QString::fromLatin1(c.message));
            EXPECT_EQ(dlg.m_buttonOK->isEnabled(), c.ok);
            for (auto [measure, text] : c.shown)
                EXPECT_EQ(dlg.m_edit[measure]->text(), QString::fromLatin1(text));
            // Once three are given only they stay open.
            if (c.typed.size() == 3) {
                for (int i = 0; i < Count; ++i) {
                    bool typed = false;
                    for (auto [measure, text] : c.typed)
                        typed = typed || measure == i;
                    EXPECT_EQ(dlg.m_edit[i]->isEnabled(), typed);
                }
            }
            dlg.reject();
        }));
    }
}

TEST_F(TriangleDialogTest, SpinThreeTimesBringsEveryNameBack) {
    ASSERT_TRUE(Open([](CTriangleDlg& dlg) {
        const Boxes first = Read(dlg);
        dlg.m_buttonSpin->click();
        const Boxes once = Read(dlg);
        // A takes B's angle, side and altitude.
        EXPECT_EQ(once.texts[AngleA], first.texts[AngleB]);
        EXPECT_EQ(once.texts[SideC], first.texts[SideA]);
        EXPECT_EQ(once.texts[HeightB], first.texts[HeightC]);
        EXPECT_EQ(once.texts[Area], first.texts[Area]);
        EXPECT_EQ(once.open[SideA], true);
        EXPECT_EQ(once.open[AngleA], false);
        dlg.m_buttonSpin->click();
        dlg.m_buttonSpin->click();
        const Boxes back = Read(dlg);
        EXPECT_EQ(back.texts, first.texts);
        EXPECT_EQ(back.open, first.open);
        EXPECT_DOUBLE_EQ(dlg.m_solver.given[SideA], 50);
        dlg.reject();
    }));
}

// A box the user left alone gives its value back unrounded, so OK
// without a change keeps the triangle as it was measured.
TEST_F(TriangleDialogTest, UntouchedBoxesKeepTheirValuesUnrounded) {
    doc->DeleteContents();
    triangle = AddByClicks<QvFigTriangle>(
        QvFigTriangle::ToolId,
        {QvPoint(10000, 10000), QvPoint(14000, 10000), QvPoint(10001, 13003)});
    const double sideA = triangle->Solver().solved[SideA];
    ASSERT_TRUE(Open([](CTriangleDlg& dlg) {
        Type(dlg, SideB, dlg.m_edit[SideB]->text()); // left as it was
        dlg.accept();
    }));
    EXPECT_DOUBLE_EQ(triangle->Solver().given[SideA], sideA);
    EXPECT_DOUBLE_EQ(triangle->Solver().given[SideB], std::sqrt(1.0 + 3003.0 * 3003.0) / 100);
}

TEST_F(TriangleDialogTest, EnterMovesToTheNextBoxAsDownAndNeverCloses) {
    ASSERT_TRUE(Open([](CTriangleDlg& dlg) {
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        CEnterEdit* a = dlg.m_edit[SideA];
        a->setFocus();
        ASSERT_TRUE(a->hasFocus());
        DownCounter counter;
        a->installEventFilter(&counter);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            a->setFocus();
            QTest::keyClick(a, key);
            QApplication::processEvents();
            EXPECT_TRUE(dlg.m_edit[SideB]->hasFocus());
        }
        EXPECT_EQ(counter.downs, 2);
        EXPECT_EQ(a->text(), QStringLiteral("50"));
        EXPECT_EQ(dlg.ModalResult(), -1);
        EXPECT_TRUE(dlg.isVisible());
        // Down skips the closed boxes: from c round to a.
        dlg.m_edit[SideC]->setFocus();
        QTest::keyClick(dlg.m_edit[SideC], Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_TRUE(a->hasFocus());
        a->removeEventFilter(&counter);
        dlg.reject();
    }));
}

} // namespace
