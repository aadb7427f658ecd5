#pragma once
// A user's hands on the main window: palette buttons and drags on the page.
#include "document/lumbrel2_doc.h"
#include "document/lumbrel2_view.h"
#include "framework/child_frame.h"
#include "platform/command_router.h"
#include "shell/command_actions.h"
#include "shell/lumbrel2_app.h"
#include "shell/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

// The palette button of a command, clicked as a user would.
inline void PickTool(CMainFrame* frame, UINT id) {
    QAction* action = CommandAction(id);
    ASSERT_NE(action, nullptr);
    for (QToolButton* button : frame->findChildren<QToolButton*>()) {
        if (button->defaultAction() == action && button->isVisible()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    action->trigger(); // a tool that has no visible button
}

// Press, move in steps and release on the page, at logical points.
inline void DragOnPage(Lumbrel2View* view, QvPoint from, QvPoint to,
                       Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QWidget* canvas = view->Canvas();
    auto pixel = [&](QvPoint p) {
        return view->LogicalToCanvas(CRect(int(p.x), int(p.y), int(p.x), int(p.y))).topLeft();
    };
    QPoint a = pixel(from), b = pixel(to);
    view->ScrollArea()->ensureVisible(a.x(), a.y());
    QTest::mousePress(canvas, Qt::LeftButton, keys, a);
    for (int i = 1; i <= 4; ++i) {
        QPoint p = a + (b - a) * i / 4;
        QMouseEvent move(QEvent::MouseMove, p, canvas->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                         keys);
        QApplication::sendEvent(canvas, &move);
    }
    QTest::mouseRelease(canvas, Qt::LeftButton, keys, b);
}

// A click at a logical point of the page.
inline void ClickOnPage(Lumbrel2View* view, QvPoint at) {
    QPoint p = view->LogicalToCanvas(CRect(int(at.x), int(at.y), int(at.x), int(at.y))).topLeft();
    view->ScrollArea()->ensureVisible(p.x(), p.y());
    QTest::mouseClick(view->Canvas(), Qt::LeftButton, Qt::NoModifier, p);
}

// The file dialogs answer with a set name.
class AnsweringApp : public Lumbrel2App {
public:
    QString saveAnswer;
    QString openAnswer;
    int saveQuestions = 0;

    QString PromptSaveFileName(const QString&) override {
        ++saveQuestions;
        return saveAnswer;
    }

protected:
    QString PromptOpenFileName(const QString&) override { return openAnswer; }
};

inline Lumbrel2Doc* ActiveDoc(Lumbrel2App& app) {
    CChildFrame* child = app.GetMainFrame()->GetActiveChild();
    CView* view = child ? child->GetActiveView() : nullptr;
    return view ? dynamic_cast<Lumbrel2Doc*>(view->GetDocument()) : nullptr;
}

inline Lumbrel2View* ActiveView(Lumbrel2App& app) {
    Lumbrel2Doc* doc = ActiveDoc(app);
    return doc ? dynamic_cast<Lumbrel2View*>(doc->Views().front()) : nullptr;
}

// Whether a command's menu item is enabled once brought up to date.
inline bool Enabled(UINT id) {
    QAction* action = CommandAction(id);
    if (!action)
        return false;
    TheApp()->Router().UpdateAction(action);
    return action->isEnabled();
}

// Runs a command as its menu item does, after the menu was brought up to
// date; false when the item was disabled.
inline bool Choose(UINT id) {
    if (!Enabled(id))
        return false;
    CommandAction(id)->trigger();
    return true;
}
