#pragma once
// A user's hands on the main window: palette buttons and drags on the page.
#include "document/lumbrel2_view.h"
#include "shell/command_actions.h"
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
inline void DragOnPage(Lumbrel2View* view, QvPoint from, QvPoint to) {
    QWidget* canvas = view->Canvas();
    auto pixel = [&](QvPoint p) {
        return view->LogicalToCanvas(CRect(int(p.x), int(p.y), int(p.x), int(p.y))).topLeft();
    };
    QPoint a = pixel(from), b = pixel(to);
    view->ScrollArea()->ensureVisible(a.x(), a.y());
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, a);
    for (int i = 1; i <= 4; ++i) {
        QPoint p = a + (b - a) * i / 4;
        QMouseEvent move(QEvent::MouseMove, p, canvas->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
    }
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, b);
}

// A click at a logical point of the page.
inline void ClickOnPage(Lumbrel2View* view, QvPoint at) {
    QPoint p = view->LogicalToCanvas(CRect(int(at.x), int(at.y), int(at.x), int(at.y))).topLeft();
    view->ScrollArea()->ensureVisible(p.x(), p.y());
    QTest::mouseClick(view->Canvas(), Qt::LeftButton, Qt::NoModifier, p);
}
