#pragma once
// Saves that fail at their last write, as saves on a full disk do.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

// While it lives, no file this process writes may grow past `bytes`: the
// write that would fails (EFBIG), as a write to a full disk fails (ENOSPC).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

// A 64 KB tmpfs, where the process may mount one (as root).
class SmallTmpfs {
public:
    SmallTmpfs() {
        m_mounted = m_dir.isValid() && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(),
                                               "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallTmpfs() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool IsMounted() const { return m_mounted; }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Takes every free byte; true when the disk is full after it.
    bool Fill() {
        QFile filler(Path(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(512, 'f');
        while (filler.write(block) == block.size()) {
        }
        // Down to the last bytes of a block.
        while (filler.write("f", 1) == 1) {
        }
        return true;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
