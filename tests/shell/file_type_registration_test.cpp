#include "common/full_disk.h"
#include "shell/file_type_registration.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

std::map<QString, QByteArray> FilesUnder(const QString& root) {
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files[file.fileName()] = file.readAll();
    }
    return files;
}

TEST(FileTypeRegistration, AFullDiskLeavesTheOldRegistration) {
    QTemporaryDir data;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    ASSERT_TRUE(RegisterShellFileTypes(QStringLiteral("/opt/old/lumbrel2")));
    const auto before = FilesUnder(data.path());
    bool registered = true;
    {
        FileSizeLimit full(100);
        registered = RegisterShellFileTypes(QStringLiteral("/opt/new/lumbrel2"));
    }
    qputenv("XDG_DATA_HOME", oldData);
    if (oldData.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(registered);
    // Every file as it was, and no temporary beside them.
    EXPECT_TRUE(FilesUnder(data.path()) == before);
}

} // namespace
