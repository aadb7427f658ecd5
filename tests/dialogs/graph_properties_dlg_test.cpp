// "Graph Properties" driven through the modal seam: the function box, the
// origin bars, new ticks for a typed maximum, Auto Scale, the tools and
// fonts, and Set as Default.
#include "dialogs/calc_dialogs.h"
#include "dialogs/edit_functions_dlg.h"
#include "dialogs/font_color_dlg.h"
#include "dialogs/graph_axes_dlg.h"
#include "dialogs/graph_properties_dlg.h"
#include "graph_dialog_test_support.h"
#include "graphs/fig_graph.h"
#include "property_dialog_test_support.h"
#include "settings/step_tables.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

class GraphPropertiesDlgTest : public PropertyDialogTest {
protected:
    // Both axes from -10 to 10 in steps of 1 (major 2), the origin in the
    // middle; two functions.
    static QvGraphData Graph() {
        QvGraphData d;
        d.xMaxShowS = d.yMaxShowS = QStringLiteral("10");
        d.xMinShowS = d.yMinShowS = QStringLiteral("-10");
        d.xMajorS = d.yMajorS = QStringLiteral("2");
        d.xMinorS = d.yMinorS = QStringLiteral("1");
        d.AutoScale = 0;
        d.AngleType = 0;
        d.forceMarks = 0;
        for (QvGraphDataFunction& f : d.functions) {
            f.caption.clear();
            f.expression.clear();
            f.dirty = 0;
        }
        d.functions[0].caption = d.functions[0].expression = QStringLiteral("Y=X");
        d.functions[1].caption = QStringLiteral("Y=X^2");
        d.functions[1].expression = QStringLiteral("Y=X^2");
        return d;
    }

    // Runs the dialog on `data` with `drive` as the user; other dialogs it
    // opens go to `other`.  Returns how it ended.
    static int Run(QvGraphData& data, const std::function<void(CGraphPropertiesDlg&)>& drive,
                   const std::function<void(CDialog&)>& other = {}) {
        SetModalDialogHandler([&](CDialog& dialog) {
            if (auto* d = dynamic_cast<CGraphPropertiesDlg*>(&dialog))
                drive(*d);
            else if (other)
                other(dialog);
        });
        const int end = RunGraphPropertiesDialog(data);
        SetModalDialogHandler({});
        return end;
    }

    // The user types `text` into the box in place of what it held and leaves it.
    static void TypeMax(QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(edit, &out);
    }
};

TEST_F(GraphPropertiesDlgTest, TheBoxSplitsIntoTheTenFunctions) {
    // Fewer than ten lines, exactly as the box holds them.
    auto two = SplitFunctionBox(QStringLiteral("Y=X^2\r\nY=2X"));
    EXPECT_EQ(two[0], u"Y=X^2");
    EXPECT_EQ(two[1], u"Y=2X");
    for (int i = 2; i < 10; ++i)
        EXPECT_TRUE(two[size_t(i)].isEmpty()) << i;

    // Twelve lines: the tenth function keeps lines 10 to 12, breaks and all.
    QStringList lines;
    for (int i = 1; i <= 12; ++i)
        lines << QStringLiteral("Y=%1X").arg(i);
    auto twelve = SplitFunctionBox(lines.join(kCrLf));
    EXPECT_EQ(twelve[8], u"Y=9X");
    EXPECT_EQ(twelve[9], QStringLiteral("Y=10X\r\nY=11X\r\nY=12X"));

    // Through the dialog: what the user types reaches the ten functions.
    QvGraphData data = Graph();
    EXPECT_EQ(Run(data,
                  [&](CGraphPropertiesDlg& d) {
                      EXPECT_EQ(d.m_editFunctions->toPlainText(),
                                QStringLiteral("Y=X\nY=X^2\n\n\n\n\n\n\n\n"));
                      d.m_editFunctions->setPlainText(QStringLiteral("Y=X^2\nY=2X"));
                      d.OnOK();
                  }),
              IDOK);
    EXPECT_EQ(data.functions[0].caption, u"Y=X^2");
    EXPECT_EQ(data.functions[1].caption, u"Y=2X");
    EXPECT_EQ(data.functions[1].expression, u"Y=2*X");
    for (int i = 2; i < 10; ++i)
        EXPECT_TRUE(data.functions[i].caption.isEmpty()) << i;
    for (const QvGraphDataFunction& f : data.functions)
        EXPECT_EQ(f.dirty, 1);

    EXPECT_EQ(Run(data,
                  [&](CGraphPropertiesDlg& d) {
                      d.m_editFunctions->setPlainText(lines.join(u'\n'));
                      d.OnOK();
                  }),
              IDOK);
    EXPECT_EQ(data.functions[9].caption, QStringLiteral("Y=10X\r\nY=11X\r\nY=12X"));
    // Opened again, the box shows all twelve lines.
    Run(data, [&](CGraphPropertiesDlg& d) {
        EXPECT_EQ(d.m_editFunctions->toPlainText(), lines.join(u'\n'));
        d.OnCancel();
    });
}

TEST_F(GraphPropertiesDlgTest, TheCaretLineIsShownTypesetAtOnce) {
    QvGraphData data = Graph();
    data.functions[2].caption = QStringLiteral("Y=SQRT(X)/(X^2+1)");
    Run(data, [&](CGraphPropertiesDlg& d) {
        EXPECT_EQ(d.CurrentFunction(), 0);
        const int first =
            InkIn(Picture(d, QStringLiteral("graph_properties")), d.m_previewFunction, &d);
        EXPECT_GT(first, 20);
        // The caret moves to the third line; nothing is typed.
        QTextCursor cursor(d.m_editFunctions->document()->findBlockByNumber(2));
        d.m_editFunctions->setTextCursor(cursor);
        EXPECT_EQ(d.CurrentFunction(), 2);
        const int third =
            InkIn(Picture(d, QStringLiteral("graph_properties_line3")), d.m_previewFunction, &d);
        EXPECT_GT(third, first + 20);
        // An empty line shows nothing.
        d.m_editFunctions->setTextCursor(
            QTextCursor(d.m_editFunctions->document()->findBlockByNumber(5)));
        EXPECT_EQ(
            InkIn(Picture(d, QStringLiteral("graph_properties_empty")), d.m_previewFunction, &d),
            0);
        d.OnCancel();
    });
}

TEST_F(GraphPropertiesDlgTest, ATypedMaximumChoosesStepsAndKeepsTheOrigin) {
    struct Case {
        const char* max;
        const char* major;
        const char* minor;
        const char* min;
    } cases[] = {
        // Origin in the middle: the range is 20, the target 20/12; 2 is the
        // first 1-2-5 step above it from the third entry on.
        {"10", "2", "0.5", "-10"},
        {"2pi", "pi/2", "pi/4", "-2pi"}, // radians: target pi/3 is no step above itself
        {"360", "90", "45", "-360"},     // degrees: target 60
        {"7", "2", "0.5", "-7"},
    };
    for (const Case& c : cases) {
        QvGraphData data = Graph();
        EXPECT_EQ(Run(data,
                      [&](CGraphPropertiesDlg& d) {
                          EXPECT_DOUBLE_EQ(d.m_xOriginFraction, 0.5);
                          TypeMax(d.m_editXMax, QString::fromLatin1(c.max));
                          d.OnOK();
                      }),
                  IDOK);
        EXPECT_EQ(data.xMaxShowS, QString::fromLatin1(c.max));
        EXPECT_EQ(data.xMajorS, QString::fromLatin1(c.major)) << c.max;
        EXPECT_EQ(data.xMinorS, QString::fromLatin1(c.minor)) << c.max;
        EXPECT_EQ(data.xMinShowS, QString::fromLatin1(c.min)) << c.max;
        EXPECT_EQ(data.yMajorS, u"2"); // the other axis as it was
    }
    EXPECT_NE(std::find(RadianStepTexts, RadianStepTexts + kAngleStepCount, u"pi/2"),
              RadianStepTexts + kAngleStepCount);
    EXPECT_NE(std::find(DegreeStepTexts, DegreeStepTexts + kAngleStepCount, u"90"),
              DegreeStepTexts + kAngleStepCount);

    // The origin a quarter in from the right: the range is four times the maximum.
    QvGraphData data = Graph();
    data.yMaxShowS = QStringLiteral("5");
    data.yMinShowS = QStringLiteral("-15");
    Run(data, [&](CGraphPropertiesDlg& d) {
        EXPECT_DOUBLE_EQ(d.m_yOriginFraction, 0.25);
        TypeMax(d.m_editYMax, QStringLiteral("3"));
        d.OnOK();
    });
    // Minimum 3 - 3/0.25 = -9; target 12/12 = 1, which is no step above itself.
    EXPECT_EQ(data.yMajorS, u"2");
    EXPECT_EQ(data.yMinorS, u"0.5");
    EXPECT_EQ(data.yMinShowS, u"-9");
}

TEST_F(GraphPropertiesDlgTest, EnterInTheMaximumBoxChoosesStepsToo) {
    QvGraphData data = Graph();
    EXPECT_EQ(Run(data,
                  [&](CGraphPropertiesDlg& d) {
                      d.m_editYMax->clear();
                      QTest::keyClicks(d.m_editYMax, QStringLiteral("360"));
                      d.OnOK(); // as the default button does on Enter
                  }),
              IDOK);
    EXPECT_EQ(data.yMaxShowS, u"360");
    EXPECT_EQ(data.yMajorS, u"90");
    EXPECT_EQ(data.yMinShowS, u"-360");
}

TEST_F(GraphPropertiesDlgTest, LeavingTheMaximumUntouchedOrZeroKeepsTheSteps) {
    QvGraphData data = Graph();
    data.xMajorS = QStringLiteral("3"); // set by hand in Edit Axes
    Run(data, [&](CGraphPropertiesDlg& d) {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(d.m_editXMax, &out);
        TypeMax(d.m_editYMax, QStringLiteral("0"));
        d.OnOK();
    });
    EXPECT_EQ(data.xMajorS, u"3");
    EXPECT_EQ(data.xMinShowS, u"-10");
    EXPECT_EQ(data.yMaxShowS, u"0");
    EXPECT_EQ(data.yMajorS, u"2");
    EXPECT_EQ(data.yMinShowS, u"-10");
}

TEST_F(GraphPropertiesDlgTest, TheBarsShiftTheRangeByWholeMinorSteps) {
    QvGraphData data = Graph();
    data.xMaxShowS = QStringLiteral("pi");
    data.xMinShowS = QStringLiteral("-pi");
    data.xMinorS = QStringLiteral("pi/6");
    data.xMajorS = QStringLiteral("pi/2");
    Run(data, [&](CGraphPropertiesDlg& d) {
        EXPECT_EQ(d.m_barX->maximum(), 12);
        EXPECT_EQ(d.m_barX->value(), 6);
        EXPECT_EQ(d.m_nMarkerX, 62 + 113 / 2);
        d.m_barX->triggerAction(QAbstractSlider::SliderSingleStepAdd); // one step right
        EXPECT_EQ(d.m_graphData.xMaxShowS, u"5pi/6");
        EXPECT_EQ(d.m_graphData.xMinShowS, u"-7pi/6");
        EXPECT_EQ(d.m_editXMax->text(), u"5pi/6");
        EXPECT_EQ(d.m_nMarkerX, 62 + 113 * 7 / 12);
        EXPECT_DOUBLE_EQ(d.m_xOriginFraction, 5.0 / 12);
        d.m_barX->triggerAction(QAbstractSlider::SliderPageStepSub); // and back
        EXPECT_EQ(d.m_graphData.xMaxShowS, u"pi");
        EXPECT_EQ(d.m_graphData.xMinShowS, u"-pi");
        d.m_barX->setValue(0); // dragged to the left end: the origin at the left
        EXPECT_EQ(d.m_graphData.xMaxShowS, u"2pi");
        EXPECT_EQ(d.m_graphData.xMinShowS, u"0");
        EXPECT_EQ(d.m_nMarkerX, 62);

        // The y bar: down moves the origin down and the range up.
        d.m_barY->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(d.m_graphData.yMaxShowS, u"11");
        EXPECT_EQ(d.m_graphData.yMinShowS, u"-9");
        EXPECT_EQ(d.m_nMarkerY, 207 + 103 * 11 / 20);
        for (const QvGraphDataFunction& f : d.m_graphData.functions)
            EXPECT_EQ(f.dirty, 1);
        d.OnOK();
    });
    EXPECT_EQ(data.xMaxShowS, u"2pi");
    EXPECT_EQ(data.yMinShowS, u"-9");
}

TEST_F(GraphPropertiesDlgTest, ARangeWithoutStepsTurnsTheBarOff) {
    struct Case {
        const char *max, *min, *minor;
    } cases[] = {
        {"5", "5", "1"},        // no range
        {"5", "4.5", "1"},      // less than a step
        {"-10", "10", "1"},     // reversed
        {"ten", "-10", "1"},    // no number
        {"10", "-10", "0.001"}, // 20,000 steps
    };
    for (const Case& c : cases) {
        QvGraphData data = Graph();
        data.xMaxShowS = QString::fromLatin1(c.max);
        data.xMinShowS = QString::fromLatin1(c.min);
        data.xMinorS = QString::fromLatin1(c.minor);
        Run(data, [&](CGraphPropertiesDlg& d) {
            EXPECT_FALSE(d.m_barX->isEnabled()) << c.max << " " << c.min;
            EXPECT_EQ(d.m_barX->maximum(), 0);
            EXPECT_EQ(d.m_nMarkerX, 62 + 113 / 2);
            EXPECT_DOUBLE_EQ(d.m_xOriginFraction, 0.5);
            EXPECT_TRUE(d.m_barY->isEnabled());
            d.OnOK();
        });
        EXPECT_EQ(data.xMaxShowS, QString::fromLatin1(c.max));
        EXPECT_EQ(data.xMinShowS, QString::fromLatin1(c.min));
    }
    // An origin off the range keeps the marker at the square's edge.
    EXPECT_EQ(OriginBarFor("20", "10", "2", "1", true).thumb, 0);
    EXPECT_DOUBLE_EQ(OriginBarFor("20", "10", "2", "1", true).position, 0.0);
    EXPECT_EQ(OriginBarFor("20", "10", "2", "1", false).thumb, 10);
    // A zero minor step: the major one; both zero: 10.
    EXPECT_EQ(OriginBarFor("10", "-10", "4", "0", true).steps, 5);
    EXPECT_EQ(OriginBarFor("100", "-100", "0", "0", true).steps, 20);
}

TEST_F(GraphPropertiesDlgTest, AutoScaleDisablesTheRangeControls) {
    QvGraphData data = Graph();
    data.AutoScale = 1;
    Run(data, [&](CGraphPropertiesDlg& d) {
        const QList<QWidget*> range = {d.m_editXMax, d.m_editYMax, d.m_barX, d.m_barY,
                                       d.m_buttonAxes};
        for (QWidget* w : range)
            EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
        EXPECT_TRUE(d.m_editXNotate->isEnabled());
        d.m_checkAutoScale->click();
        for (QWidget* w : range)
            EXPECT_TRUE(w->isEnabled()) << w->metaObject()->className();
        d.OnOK();
    });
    EXPECT_EQ(data.AutoScale, 0);
}

TEST_F(GraphPropertiesDlgTest, CalculationsNeedAFunctionOfX) {
    MessageRecorder recorder;
    QvGraphData data = Graph();
    for (QvGraphDataFunction& f : data.functions)
        f.caption.clear();
    Run(data, [&](CGraphPropertiesDlg& d) {
        d.m_editFunctions->setPlainText(QStringLiteral("X=Y^2\nX=2"));
        d.OnCommand(CGraphPropertiesDlg::CmdIntegral);
        d.OnCommand(CGraphPropertiesDlg::CmdCalcDerivative);
        EXPECT_EQ(d.ModalResult(), -1); // still open
        d.OnCancel();
    });
    ASSERT_EQ(recorder.messages.size(), 2u);
    for (const RecordedMessage& m : recorder.messages) {
        EXPECT_EQ(m.text, u"No Suitable Functions");
        EXPECT_EQ(m.caption, u"ERROR - Calculate Derivative");
    }
}

TEST_F(GraphPropertiesDlgTest, ToolsEndTheDialogWithTheirCodes) {
    // Integral: the chosen function and limits come back with code 7.
    QvGraphData data = Graph();
    EXPECT_EQ(Run(
                  data,
                  [&](CGraphPropertiesDlg& d) {
                      d.m_editFunctions->setPlainText(QStringLiteral("X=Y^2\nY=X^2-4\nY>X"));
                      d.OnCommand(CGraphPropertiesDlg::CmdIntegral);
                  },
                  [](CDialog& dialog) {
                      auto& integral = dynamic_cast<CCalcIntegralDlg&>(dialog);
                      EXPECT_EQ(integral.m_editFrom->text(), u"0");
                      EXPECT_EQ(integral.m_editTo->text(), u"1");
                      integral.m_editTo->setText(QStringLiteral("2"));
                      integral.OnOK();
                  }),
              CGraphPropertiesDlg::kEndIntegral);
    EXPECT_EQ(data.integral.functionA, 1);
    EXPECT_EQ(data.integral.functionB, -1);
    EXPECT_EQ(data.integral.lowerText, u"0");
    EXPECT_EQ(data.integral.upperText, u"2");
    EXPECT_EQ(data.integral.showResult, 1);
    EXPECT_FALSE(data.integral.labelText.isEmpty());
    EXPECT_EQ(data.functions[2].caption, u"Y>X"); // what was typed comes too

    // Derivative: code 6 with the point.
    data = Graph();
    EXPECT_EQ(
        Run(
            data,
            [&](CGraphPropertiesDlg& d) { d.OnCommand(CGraphPropertiesDlg::CmdCalcDerivative); },
            [](CDialog& dialog) {
                auto& derivative = dynamic_cast<CCalcDerivativeDlg&>(dialog);
                derivative.m_editPoint->setText(QStringLiteral("3"));
                derivative.OnOK();
            }),
        CGraphPropertiesDlg::kEndDerivative);
    EXPECT_EQ(data.derivative.xText, u"3");
    EXPECT_EQ(data.derivative.function, 0);
    EXPECT_EQ(data.derivative.showResult, 1);

    // A cancelled calculation leaves the dialog open.
    data = Graph();
    EXPECT_EQ(Run(
                  data,
                  [&](CGraphPropertiesDlg& d) {
                      d.OnCommand(CGraphPropertiesDlg::CmdIntegral);
                      EXPECT_EQ(d.ModalResult(), -1);
                      d.OnCommand(CGraphPropertiesDlg::CmdCleanGraph);
                  },
                  [](CDialog& dialog) { dialog.reject(); }),
              CGraphPropertiesDlg::kEndClean);
    EXPECT_EQ(data.integral.showResult, 0);
}

TEST_F(GraphPropertiesDlgTest, ShowAllDerivativesIsCheckedWhenReopened) {
    QvGraphData data = Graph();
    auto checked = [](CGraphPropertiesDlg& d) {
        std::unique_ptr<QMenu> menu(d.BuildToolsMenu());
        const QList<QAction*> actions = menu->actions();
        EXPECT_EQ(actions[0]->text(), u"Show All Derivatives");
        return actions[0]->isChecked();
    };
    // Chosen from the pop-up at the button, as the user does.
    EXPECT_EQ(Run(data,
                  [&](CGraphPropertiesDlg& d) {
                      EXPECT_FALSE(checked(d));
                      QPoint at;
                      QTimer::singleShot(0, [&] {
                          auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                          ASSERT_TRUE(menu);
                          at = menu->pos();
                          menu->setActiveAction(menu->actions()[0]);
                          QTest::keyClick(menu, Qt::Key_Return);
                      });
                      d.move(0, 0); // room for the menu on the right
                      d.show();
                      d.m_buttonTools->click();
                      d.hide();
                      const QPoint corner =
                          d.m_buttonTools->mapToGlobal(d.m_buttonTools->rect().topRight());
                      EXPECT_LE((at - corner).manhattanLength(), 2);
                  }),
              IDOK);
    EXPECT_EQ(data.forceMarks, 1);
    Run(data, [&](CGraphPropertiesDlg& d) {
        EXPECT_TRUE(checked(d));
        d.OnCommand(CGraphPropertiesDlg::CmdShowAllDerivatives);
    });
    EXPECT_EQ(data.forceMarks, 0);
}

TEST_F(GraphPropertiesDlgTest, AFunctionTooLongKeepsTheDialogOpenOnIt) {
    MessageRecorder recorder;
    QvGraphData data = Graph();
    const QString tooLong = QStringLiteral("Y=X") + QStringLiteral("+X").repeated(60);
    Run(data, [&](CGraphPropertiesDlg& d) {
        d.m_editFunctions->setPlainText(QStringLiteral("Y=X\n\n\n") + tooLong);
        d.m_editFunctions->moveCursor(QTextCursor::Start);
        d.OnOK();
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text,
                  u"Function 4 is too long for the graph. Please shorten it.");
        EXPECT_EQ(d.ModalResult(), -1);
        EXPECT_EQ(d.CurrentFunction(), 3);
        EXPECT_TRUE(d.m_editFunctions->toPlainText().endsWith(tooLong));
        d.OnCancel();
    });
    EXPECT_EQ(data.functions[3].caption, u"");
}

TEST_F(GraphPropertiesDlgTest, SubDialogsWorkOnTheWorkingCopy) {
    QvGraphData data = Graph();
    ScriptedColours colours(QColor(0, 0, 200));
    Run(
        data,
        [&](CGraphPropertiesDlg& d) {
            d.m_buttonFunctions->click();
            EXPECT_EQ(d.m_editFunctions->toPlainText().section(u'\n', 0, 0), u"Y=3X");
            d.m_buttonAxes->click();
            EXPECT_EQ(d.m_editXMax->text(), u"4");
            EXPECT_EQ(d.m_barX->maximum(), 8);
            d.m_buttonGrid->click();
            d.OnOK();
        },
        [](CDialog& dialog) {
            if (auto* f = dynamic_cast<CEditFunctionsDlg*>(&dialog)) {
                f->m_editFunction->setText(QStringLiteral("Y=3X"));
                f->OnOK();
            } else if (auto* axes = dynamic_cast<CEditAxesDlg*>(&dialog)) {
                axes->m_editXMax->setText(QStringLiteral("4"));
                axes->m_editXMin->setText(QStringLiteral("-4"));
                axes->OnOK();
            } else if (auto* grid = dynamic_cast<CGraphGridDlg*>(&dialog)) {
                grid->m_buttonColour[CGraphGridDlg::XMajor]->click();
                grid->OnOK();
            }
        });
    EXPECT_EQ(data.functions[0].caption, u"Y=3X");
    EXPECT_EQ(data.functions[0].expression, u"Y=3*X");
    EXPECT_EQ(data.xMaxShowS, u"4");
    EXPECT_EQ(data.xMinShowS, u"-4");
    EXPECT_EQ(data.xGridMajorColor, RGB(0, 0, 200));
}

TEST_F(GraphPropertiesDlgTest, SetAsDefaultWritesTheEightGraphSettings) {
    QvGraphData data = Graph();
    int fonts = 0;
    const auto before = ProfileEntries();
    Run(
        data,
        [&](CGraphPropertiesDlg& d) {
            d.m_checkAutoScale->click();
            d.m_comboAngle->setCurrentIndex(2);
            d.m_checkShowGrid->click();
            d.m_editXNotate->setText(QStringLiteral("t"));
            d.m_editYNotate->setText(QStringLiteral("s"));
            d.m_editXMax->setText(QStringLiteral("50")); // no default
            d.OnCommand(CGraphPropertiesDlg::CmdScaleFont);
            d.OnCommand(CGraphPropertiesDlg::CmdAxisFont);
            d.OnCommand(CGraphPropertiesDlg::CmdReportFont);
            d.m_buttonSetAsDefault->click();
            EXPECT_EQ(d.ModalResult(), -1);
            d.OnCancel();
        },
        [&](CDialog& dialog) {
            auto& chooser = dynamic_cast<CFontColorDlg&>(dialog);
            // 12, 13 and 14 points for Scale, Axis and Report.
            QFont font(QStringLiteral("Liberation Serif"));
            font.setPointSize(12 + fonts++);
            chooser.m_fontChooser->setCurrentFont(font);
            chooser.SetPickedColour(RGB(0, 0, 255));
            chooser.accept();
        });
    EXPECT_EQ(
        ChangedEntries(before, ProfileEntries()),
        QStringList({"Graph/AngleType", "Graph/AutoScale", "Graph/AxisFont", "Graph/NotateFont",
                     "Graph/ReportFont", "Graph/ShowGrid", "Graph/xNotate", "Graph/yNotate"}));
    const QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    EXPECT_EQ(g.AxisFont.GetValue().m_drawHeight, 423); // "Scale Font": 12 points
    EXPECT_EQ(g.NotateFont.GetValue().m_drawHeight, 458);
    EXPECT_EQ(g.ReportFont.GetValue().m_drawHeight, 493);
    EXPECT_EQ(g.AxisFont.GetValue().m_color, RGB(0, 0, 255));
    EXPECT_EQ(g.AngleType.GetValue(), 2);
    EXPECT_EQ(g.xNotate.GetValue(), u"t");
    // Cancelled: the graph keeps its own.
    EXPECT_EQ(data.AngleType, 0);
    EXPECT_EQ(data.xMaxShowS, u"10");
}

TEST_F(GraphPropertiesDlgTest, OpenedFromTheGraphEachEndChangesItOnce) {
    auto* graph =
        AddByClicks<QvFigGraph>(ID_DRAW_GRAPH, {QvPoint(1000, 21000), QvPoint(15000, 7000)});
    ASSERT_TRUE(graph);
    QvGraphData& record = graph->GraphData()->m_data;
    record = Graph();
    record.integral = {QStringLiteral("0"), QStringLiteral("1"), 0, -1, 1, QStringLiteral("A")};
    const int levels = Levels();

    // "Show All Derivatives" ends as OK does: the graph takes the flag and
    // what was typed, and the old integral goes.
    ASSERT_TRUE(RightClick<CGraphPropertiesDlg>(QvPoint(8000, 14000), [](CGraphPropertiesDlg& d) {
        d.m_editFunctions->setPlainText(QStringLiteral("Y=X^3"));
        d.OnCommand(CGraphPropertiesDlg::CmdShowAllDerivatives);
    }));
    EXPECT_EQ(record.forceMarks, 1);
    EXPECT_EQ(record.functions[0].caption, u"Y=X^3");
    EXPECT_EQ(record.integral.functionA, -1);
    EXPECT_EQ(Levels(), levels + 1);

    // Cancel changes nothing and records nothing.
    ASSERT_TRUE(RightClick<CGraphPropertiesDlg>(QvPoint(8000, 14000), [](CGraphPropertiesDlg& d) {
        std::unique_ptr<QMenu> menu(d.BuildToolsMenu());
        EXPECT_TRUE(menu->actions()[0]->isChecked());
        d.m_editFunctions->setPlainText(QStringLiteral("Y=1"));
        d.OnCancel();
    }));
    EXPECT_EQ(record.functions[0].caption, u"Y=X^3");
    EXPECT_EQ(Levels(), levels + 1);

    // "Clean Graph" takes only the cleaning.
    record.derivative = {QStringLiteral("1"), 0, 1, QStringLiteral("d")};
    ASSERT_TRUE(RightClick<CGraphPropertiesDlg>(QvPoint(8000, 14000), [](CGraphPropertiesDlg& d) {
        d.m_editFunctions->setPlainText(QStringLiteral("Y=2"));
        d.OnCommand(CGraphPropertiesDlg::CmdCleanGraph);
    }));
    EXPECT_EQ(record.derivative.function, -1);
    EXPECT_EQ(record.functions[0].caption, u"Y=X^3");
    EXPECT_EQ(Levels(), levels + 2);
}

} // namespace
