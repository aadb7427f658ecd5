#include "app/document_template.h"
#include "platform/string_hashing.h"
#include "shell/lumbrel2_app.h"
#include "shell/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    UsePlainStringHashing();
    QApplication qtApp(argc, argv);
    InitApplication(qtApp);
    Lumbrel2App app;
    app.SetDocTemplate(MakeDrawingTemplate());
    if (!app.InitInstance(RawCommandLine(QApplication::arguments())))
        return 0;
    return QApplication::exec();
}
