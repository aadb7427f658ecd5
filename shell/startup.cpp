#include "shell/startup.h"

#include "platform/command_table.h"
#include "platform/lazy_icon.h"
#include "platform/shared_icon_style.h"

#include <QApplication>
#include <QStyleFactory>

void InitApplication(QApplication& app) {
    app.setOrganizationName(QStringLiteral("Varnholt Software"));
    app.setApplicationName(LoadResourceString(0xE000));
    // The style chosen for the desktop (or on the command line), sharing
    // the standard icons it makes.
    // A style that cannot be made again by its name stays as it is.
    if (QStyle* chosen = QStyleFactory::create(app.style()->name()))
        app.setStyle(new CSharedIconStyle(chosen));
    // Every window's icon unless it has its own; the maximised drawing's
    // icon in the menu bar starts from it, not from the style's.
    QApplication::setWindowIcon(LazySvgIcon(QStringLiteral(":/app/lumbrel2.svg")));
}

QString RawCommandLine(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}
