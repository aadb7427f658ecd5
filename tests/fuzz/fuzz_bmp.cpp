// Bitmap files as the picture commands open them: read, and when read,
// written and read back to the same bytes.
#include "fuzz_support.h"

#include "platform/dc.h"
#include "platform/dib_section.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    static QTemporaryDir dir;
    static const QString input = dir.filePath(QStringLiteral("input.bmp"));
    static const QString output = dir.filePath(QStringLiteral("output.bmp"));
    {
        QFile file(input);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    QvDIBSection dib;
    if (!dib.Load(input))
        return 0;
    FUZZ_CHECK(dib.Save(output));
    QFile written(output);
    FUZZ_CHECK(written.open(QIODevice::ReadOnly));
    const QByteArray saved = written.readAll();
    written.close();
    QvDIBSection back;
    FUZZ_CHECK(back.Load(output));
    FUZZ_CHECK(back.Save(output));
    FUZZ_CHECK(written.open(QIODevice::ReadOnly));
    FUZZ_CHECK(written.readAll() == saved);
    return 0;
}
