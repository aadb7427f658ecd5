#include "shell/file_type_registration.h"

#include "platform/file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

bool WriteWhole(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return CommitSaveFile(file);
}

QByteArray Resource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program in an Exec line: quoted, with the characters that stay
// special inside quotes escaped, then escaped again as a desktop string.
QString ExecQuoted(const QString& program) {
    QString quoted;
    for (QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void RunIfInstalled(const QString& tool, const QString& folder) {
    QString path = QStandardPaths::findExecutable(tool);
    if (!path.isEmpty())
        QProcess::execute(path, {folder});
}

} // namespace

bool RegisterShellFileTypes(const QString& programPath) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return false;
    const QString type = QString::fromLatin1(kDrawingMimeType);
    const QString typeIcon = QString(type).replace(QLatin1Char('/'), QLatin1Char('-'));

    const QByteArray mime =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info "
                       "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"%1\">\n"
                       "    <comment>Lumbrel V2 Diagram</comment>\n"
                       "    <icon name=\"%2\"/>\n"
                       "    <glob pattern=\"*.kw2\"/>\n"
                       "  </mime-type>\n"
                       "</mime-info>\n")
            .arg(type, typeIcon)
            .toUtf8();
    const QByteArray desktop = QStringLiteral("[Desktop Entry]\n"
                                              "Type=Application\n"
                                              "Name=Lumbrel V2\n"
                                              "Comment=Lumbrel V2 Diagram\n"
                                              "Exec=%1 %f\n"
                                              "Icon=lumbrel2\n"
                                              "Terminal=false\n"
                                              "MimeType=%2;\n"
                                              "Categories=Graphics;Education;\n")
                                   .arg(ExecQuoted(programPath), type)
                                   .toUtf8();
    const QByteArray icon = Resource(QStringLiteral(":/app/lumbrel2.svg"));

    bool ok =
        WriteWhole(data + QStringLiteral("/mime/packages/lumbrel-kw2.xml"), mime) &&
        WriteWhole(data + QStringLiteral("/applications/lumbrel2.desktop"), desktop) &&
        WriteWhole(data + QStringLiteral("/icons/hicolor/scalable/apps/lumbrel2.svg"), icon) &&
        WriteWhole(data + QStringLiteral("/icons/hicolor/scalable/mimetypes/") + typeIcon +
                       QStringLiteral(".svg"),
                   icon);
    if (!ok)
        return false;
    RunIfInstalled(QStringLiteral("update-mime-database"), data + QStringLiteral("/mime"));
    RunIfInstalled(QStringLiteral("update-desktop-database"),
                   data + QStringLiteral("/applications"));
    return true;
}
