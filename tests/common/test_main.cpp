// Entry point of every test program: an offscreen application, a throw-away
// profile so that no test touches the user's, and message boxes that never
// block.
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/string_hashing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QUuid>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    UsePlainStringHashing();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QString profile = QDir::tempPath() + QStringLiteral("/lumbrel-test-") +
                      QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".ini");
    qputenv("LUMBREL_PROFILE", profile.toLocal8Bit());

    QApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("Varnholt Software"));
    app.setApplicationName(QStringLiteral("Lumbrel200"));
    // A test that forgets to record a message box must not hang on it.
    SetMessageBoxHandler([](const QString& text, const QString&, UINT) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return IDCANCEL;
    });
    SetBeepHandler([] {});

    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    ResetProfile();
    QFile::remove(profile);
    return result;
}
