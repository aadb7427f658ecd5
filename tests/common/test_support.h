#pragma once
// Shared test helpers: recorded message boxes and beeps, temporary profile.
#include "platform/message_box.h"
#include "platform/win_types.h"

#include <QString>
#include <QStringList>

#include <vector>

struct RecordedMessage {
    QString text;
    QString caption;
    UINT type;
};

// Records message boxes and beeps while alive and answers each box with
// `answer`.  Restores the previous handlers when destroyed.
class MessageRecorder {
public:
    explicit MessageRecorder(int answer = 1 /* IDOK */);
    ~MessageRecorder();
    std::vector<RecordedMessage> messages;
    int beeps = 0;
    int answer;

private:
    MessageBoxHandler m_savedBox;
    BeepHandler m_savedBeep;
};

// Points the profile at a fresh empty file for the lifetime of the object.
class TempProfile {
public:
    TempProfile();
    ~TempProfile();
    QString path;

private:
    QByteArray m_oldEnv;
};

// A byte array from a string of hex pairs ("04 5A 4B").
QByteArray Hex(const char* text);
