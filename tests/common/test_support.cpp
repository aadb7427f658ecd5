#include "common/test_support.h"

#include "platform/message_box.h"
#include "platform/profile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUuid>

#include <memory>

MessageRecorder::MessageRecorder(int a) : answer(a) {
    m_savedBox =
        SetMessageBoxHandler([this](const QString& text, const QString& caption, UINT type) {
            messages.push_back({text, caption, type});
            return answer;
        });
    m_savedBeep = SetBeepHandler([this] { ++beeps; });
}

MessageRecorder::~MessageRecorder() {
    SetMessageBoxHandler(m_savedBox);
    SetBeepHandler(m_savedBeep);
}

TempProfile::TempProfile() {
    m_oldEnv = qgetenv("LUMBREL_PROFILE");
    path = QDir::tempPath() + QStringLiteral("/lumbrel-test-profile-") +
           QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".ini");
    qputenv("LUMBREL_PROFILE", path.toLocal8Bit());
    ResetProfile();
}

TempProfile::~TempProfile() {
    ResetProfile();
    QFile::remove(path);
    qputenv("LUMBREL_PROFILE", m_oldEnv);
    ResetProfile();
}

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}
