#include "shell/startup.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InitApplication(app);
    auto window = CreateMainWindow();
    window->show();
    return app.exec();
}
