// Definition files: read into a settings store; what was read writes a
// file that reads back to the same settings.
#include "fuzz_support.h"

#include "platform/file.h"
#include "settings/settings.h"

#include <QFile>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// A file in memory, rewritten for each run.
class MemoryFile {
public:
    MemoryFile() : m_fd(memfd_create("lumbrel-fuzz", 0)) {}
    void Set(const QByteArray& bytes) {
        FUZZ_CHECK(ftruncate(m_fd, 0) == 0);
        FUZZ_CHECK(pwrite(m_fd, bytes.constData(), size_t(bytes.size()), 0) == bytes.size());
    }
    QByteArray Get() const {
        QByteArray bytes(qsizetype(lseek(m_fd, 0, SEEK_END)), Qt::Uninitialized);
        FUZZ_CHECK(pread(m_fd, bytes.data(), size_t(bytes.size()), 0) == bytes.size());
        return bytes;
    }
    // False when the bytes are no definition file.
    bool ReadInto(QvSettings& store) {
        QFile file;
        FUZZ_CHECK(file.open(m_fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle));
        FUZZ_CHECK(file.seek(0));
        CFile def(&file);
        try {
            store.Read(nullptr, &def);
        } catch (const CFileException&) {
            return false;
        }
        return true;
    }
    void WriteFrom(QvSettings& store) {
        Set(QByteArray());
        QFile file;
        FUZZ_CHECK(file.open(m_fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle));
        FUZZ_CHECK(file.seek(0));
        CFile def(&file);
        store.Write(nullptr, &def, FALSE);
        def.Flush();
    }

private:
    int m_fd;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    static QvSettings* store = new QvSettings;
    static MemoryFile* file = new MemoryFile;
    file->Set(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!file->ReadInto(*store))
        return 0;
    try {
        file->WriteFrom(*store);
    } catch (const CFileException&) {
        return 0; // a text the file form cannot carry, refused when written
    }
    const QByteArray written = file->Get();
    FUZZ_CHECK(file->ReadInto(*store));
    file->WriteFrom(*store);
    FUZZ_CHECK(file->Get() == written);
    return 0;
}
