#pragma once
// What every benchmark of the drawing starts from: a throw-away profile, so
// that no run touches the user's, loaded as the program loads it at start-up,
// so that new figures take the real default line and fill rather than ids
// that were never set.
#include "platform/message_box.h"
#include "platform/string_hashing.h"
#include "settings/settings.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QUuid>

class BenchProfile {
public:
    // Before the application object: the profile's place is read from the
    // environment.
    BenchProfile() {
        UsePlainStringHashing();
        m_path = QDir::tempPath() + QStringLiteral("/lumbrel-bench-") +
                 QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".ini");
        qputenv("LUMBREL_PROFILE", m_path.toLocal8Bit());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ~BenchProfile() { QFile::remove(m_path); }
    BenchProfile(const BenchProfile&) = delete;
    BenchProfile& operator=(const BenchProfile&) = delete;

    // After the application object: the defaults, and no message box that
    // could wait for a person.
    static void LoadDefaults() {
        SetMessageBoxHandler([](const QString&, const QString&, UINT) { return IDCANCEL; });
        TheSettings().Load();
    }

private:
    QString m_path;
};
