#include "shell/startup.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <gtest/gtest.h>

TEST(Startup, ShowsMainWindowAndQuitsCleanly) {
    auto window = CreateMainWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Lumbrel V2"));
    window->show();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = window->isVisible();
        window->close();
        QApplication::quit();
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(shown);
}
