#include "fuzz_support.h"

#include "platform/message_box.h"

#include <QApplication>
#include <QDir>
#include <QUuid>

#include <cstdio>
#include <cstdlib>

void FuzzSetUp() {
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static const QByteArray profile =
        (QDir::tempPath() + QStringLiteral("/lumbrel-fuzz-") +
         QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".ini"))
            .toLocal8Bit();
    qputenv("LUMBREL_PROFILE", profile);
    // Nothing should write it, but a run never leaves one behind.
    std::atexit([] { std::remove(profile.constData()); });
    static int argc = 1;
    static char name[] = "lumbrel-fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives as long as the process
    SetMessageBoxHandler([](const QString&, const QString&, UINT) { return IDOK; });
    SetBeepHandler([] {});
}

void FuzzCheckFailed(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}
