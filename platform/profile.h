#pragma once
// The user's profile: sections and keys in an INI file in the user's
// configuration folder (organisation "Varnholt Software", application
// "Lumbrel200").  LUMBREL_PROFILE names another file instead; tests set it.
#include "platform/win_types.h"

#include <QByteArray>
#include <QString>

class QSettings;

int GetProfileInt(const QString& section, const QString& entry, int fallback);
bool WriteProfileInt(const QString& section, const QString& entry, int value);
QString GetProfileString(const QString& section, const QString& entry,
                         const QString& fallback = QString());
bool WriteProfileString(const QString& section, const QString& entry, const QString& value);
// Binary values; false when the entry is missing.
bool GetProfileBinary(const QString& section, const QString& entry, QByteArray& value);
bool WriteProfileBinary(const QString& section, const QString& entry, const QByteArray& value);
// Removes one entry, or the whole section when entry is empty.
void RemoveProfileEntry(const QString& section, const QString& entry = QString());

// The file behind the profile.
QString ProfilePath();
// Writes pending changes to disk.
void FlushProfile();
// Drops the open profile, so that the next call opens the file named by
// LUMBREL_PROFILE (or the user's) afresh.
void ResetProfile();
// The settings object itself, for callers that keep Qt state (toolbars).
QSettings& ProfileSettings();
