#include "shell/startup.h"

#include "platform/crt_random.h"

#include <QApplication>
#include <QMainWindow>

void InitApplication(QApplication& app) {
    app.setOrganizationName(QStringLiteral("Varnholt Software"));
    app.setApplicationName(QStringLiteral("Lumbrel200"));
    app.setApplicationDisplayName(QStringLiteral("Lumbrel V2"));
    CrtSrandFromTime();
}

std::unique_ptr<QMainWindow> CreateMainWindow() {
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(QStringLiteral("Lumbrel V2"));
    window->resize(1024, 768);
    return window;
}
