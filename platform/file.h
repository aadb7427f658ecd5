#pragma once
// A file opened by path for raw reading and writing.  Bare names are taken
// relative to the current folder.  Failures throw CFileException, except
// Open, which reports them.
#include "platform/win_types.h"

#include <QFile>
#include <QString>

class QSaveFile;

#include <exception>

class CFileException : public std::exception {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };
    CFileException(Cause cause = none, QString fileName = {}, QString detail = {});
    Cause m_cause;
    QString m_strFileName;
    QString m_detail;
    const char* what() const noexcept override { return m_what.constData(); }

private:
    QByteArray m_what;
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const QString& path, UINT flags); // throws
    // Reads and writes an open file that the caller keeps, such as a
    // QSaveFile; Open and Close do not apply to it.
    explicit CFile(QFileDevice* device) : m_device(device) {}
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() = default;

    bool Open(const QString& path, UINT flags, CFileException* error = nullptr);
    void Close() { m_file.close(); }
    bool IsOpen() const { return m_device->isOpen(); }

    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    qint64 Seek(qint64 offset, SeekPosition from);
    void SeekToBegin() { Seek(0, begin); }
    qint64 SeekToEnd() { return Seek(0, end); }
    qint64 GetPosition() const { return m_device->pos(); }
    qint64 GetLength() const { return m_device->size(); }
    void Flush();
    QString GetFilePath() const { return m_device->fileName(); }
    QIODevice* Device() { return m_device; }

    static void Remove(const QString& path); // throws
    static bool Exists(const QString& path);

private:
    QFile m_file;
    QFileDevice* m_device = &m_file;
};

// Puts a fully written QSaveFile in place of the old file.  The last
// buffered bytes are flushed and synced first, because commit() does not
// see a failed final write (a full disk); on any error the old file stays,
// the temporary goes and `error` says why.
bool CommitSaveFile(QSaveFile& file, QString* error = nullptr);
