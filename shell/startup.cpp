#include "shell/startup.h"

#include "platform/command_table.h"

#include <QApplication>

void InitApplication(QApplication& app) {
    app.setOrganizationName(QStringLiteral("Varnholt Software"));
    app.setApplicationName(LoadResourceString(0xE000));
}

QString RawCommandLine(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}
