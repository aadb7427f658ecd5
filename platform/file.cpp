#include "platform/file.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
CFileException::Cause CauseOf(QFileDevice::FileError error) {
    switch (error) {
    case QFileDevice::NoError:
        return CFileException::none;
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
        return CFileException::hardIO;
    case QFileDevice::OpenError:
        return CFileException::fileNotFound;
    case QFileDevice::PermissionsError:
        return CFileException::accessDenied;
    case QFileDevice::PositionError:
        return CFileException::badSeek;
    case QFileDevice::ResizeError:
        return CFileException::diskFull;
    case QFileDevice::RemoveError:
        return CFileException::accessDenied;
    default:
        return CFileException::genericException;
    }
}
} // namespace

CFileException::CFileException(Cause cause, QString fileName, QString detail)
    : m_cause(cause), m_strFileName(std::move(fileName)), m_detail(std::move(detail)) {
    m_what = (m_strFileName + QStringLiteral(": ") + m_detail).toUtf8();
}

CFile::CFile(const QString& path, UINT flags) {
    CFileException error;
    if (!Open(path, flags, &error))
        throw error;
}

bool CFile::Open(const QString& path, UINT flags, CFileException* error) {
    m_file.close();
    m_file.setFileName(path);
    QIODevice::OpenMode mode;
    switch (flags & 0x3) {
    case modeWrite:
        mode = QIODevice::WriteOnly;
        break;
    case modeReadWrite:
        mode = QIODevice::ReadWrite;
        break;
    default:
        mode = QIODevice::ReadOnly;
        break;
    }
    if (flags & modeCreate) {
        if (!(flags & modeNoTruncate))
            mode |= QIODevice::Truncate;
    } else if (mode != QIODevice::ReadOnly && !QFileInfo::exists(path)) {
        if (error)
            *error = CFileException(CFileException::fileNotFound, path,
                                    QStringLiteral("file not found"));
        return false;
    }
    if (!m_file.open(mode)) {
        if (error) {
            CFileException::Cause cause = CauseOf(m_file.error());
            if (!QFileInfo::exists(path) && !(flags & modeCreate))
                cause = CFileException::fileNotFound;
            *error = CFileException(cause, path, m_file.errorString());
        }
        return false;
    }
    return true;
}

UINT CFile::Read(void* buffer, UINT count) {
    qint64 got = m_device->read(static_cast<char*>(buffer), count);
    if (got < 0)
        throw CFileException(CauseOf(m_device->error()), m_device->fileName(),
                             m_device->errorString());
    return UINT(got);
}

void CFile::Write(const void* buffer, UINT count) {
    if (m_device->write(static_cast<const char*>(buffer), count) != qint64(count))
        throw CFileException(CFileException::diskFull, m_device->fileName(),
                             m_device->errorString());
}

qint64 CFile::Seek(qint64 offset, SeekPosition from) {
    qint64 target = offset;
    if (from == current)
        target += m_device->pos();
    else if (from == end)
        target += m_device->size();
    if (target < 0 || !m_device->seek(target))
        throw CFileException(CFileException::badSeek, m_device->fileName(),
                             m_device->errorString());
    return target;
}

void CFile::Flush() {
    if (!m_device->flush())
        throw CFileException(CauseOf(m_device->error()), m_device->fileName(),
                             m_device->errorString());
}

void CFile::Remove(const QString& path) {
    QFile f(path);
    if (!f.remove())
        throw CFileException(QFileInfo::exists(path) ? CFileException::accessDenied
                                                     : CFileException::fileNotFound,
                             path, f.errorString());
}

bool CFile::Exists(const QString& path) {
    return QFileInfo::exists(path);
}

bool CommitSaveFile(QSaveFile& file, QString* error) {
    QString reason;
    if (!file.flush() || file.error() != QFileDevice::NoError)
        reason = file.errorString();
    else if (::fsync(file.handle()) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    if (!reason.isEmpty()) {
        file.cancelWriting();
        file.commit(); // removes the temporary
    } else if (!file.commit()) {
        reason = file.errorString();
    }
    if (error)
        *error = reason;
    return reason.isEmpty();
}
