#include "platform/profile.h"

#include <QSettings>
#include <QStringList>

#include <memory>

namespace {
std::unique_ptr<QSettings>& Instance() {
    static std::unique_ptr<QSettings> settings;
    return settings;
}

QString Key(const QString& section, const QString& entry) {
    return section + '/' + entry;
}

// A value QSettings read as a list (a comma outside quotes) is one string to us.
QString AsString(const QVariant& v) {
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(',');
    return v.toString();
}
} // namespace

QSettings& ProfileSettings() {
    auto& s = Instance();
    if (!s) {
        QByteArray path = qgetenv("LUMBREL_PROFILE");
        if (!path.isEmpty()) {
            s = std::make_unique<QSettings>(QString::fromLocal8Bit(path), QSettings::IniFormat);
        } else {
            s = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Varnholt Software"),
                                            QStringLiteral("Lumbrel200"));
        }
    }
    return *s;
}

int GetProfileInt(const QString& section, const QString& entry, int fallback) {
    QVariant v = ProfileSettings().value(Key(section, entry));
    if (!v.isValid())
        return fallback;
    bool ok = false;
    int value = AsString(v).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool WriteProfileInt(const QString& section, const QString& entry, int value) {
    ProfileSettings().setValue(Key(section, entry), QString::number(value));
    return ProfileSettings().status() == QSettings::NoError;
}

QString GetProfileString(const QString& section, const QString& entry, const QString& fallback) {
    QVariant v = ProfileSettings().value(Key(section, entry));
    if (!v.isValid())
        return fallback;
    return AsString(v);
}

bool WriteProfileString(const QString& section, const QString& entry, const QString& value) {
    ProfileSettings().setValue(Key(section, entry), value);
    return ProfileSettings().status() == QSettings::NoError;
}

bool GetProfileBinary(const QString& section, const QString& entry, QByteArray& value) {
    QVariant v = ProfileSettings().value(Key(section, entry));
    if (!v.isValid() || v.typeId() != QMetaType::QByteArray)
        return false;
    value = v.toByteArray();
    return true;
}

bool WriteProfileBinary(const QString& section, const QString& entry, const QByteArray& value) {
    ProfileSettings().setValue(Key(section, entry), value);
    return ProfileSettings().status() == QSettings::NoError;
}

void RemoveProfileEntry(const QString& section, const QString& entry) {
    ProfileSettings().remove(entry.isEmpty() ? section : Key(section, entry));
}

QString ProfilePath() {
    return ProfileSettings().fileName();
}

void FlushProfile() {
    if (Instance())
        Instance()->sync();
}

void ResetProfile() {
    FlushProfile();
    Instance().reset();
}
