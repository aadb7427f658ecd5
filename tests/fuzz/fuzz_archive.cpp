// The archive's primitives on any bytes.  The input is the stream itself:
// before each value one byte says what to read next.  Every value read
// must write back as the bytes it was read from, or as a form that reads
// back to the same value.
#include "fuzz_support.h"

#include "platform/archive.h"

#include <QBuffer>

#include <cmath>
#include <memory>
#include <vector>

namespace {

template <class T> QByteArray Stored(const T& value) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    ar << value;
    return bytes;
}

template <class T> T ReadBack(const QByteArray& stored) {
    QByteArray bytes = stored;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    T value{};
    ar >> value;
    FUZZ_CHECK(buffer.atEnd());
    return value;
}

// The tag ahead names an object read before (or null), not a new one.
bool BackReferenceAhead(CArchive& ar) {
    const QByteArray head = ar.GetFile()->peek(6);
    if (head.size() < 2)
        return false;
    const WORD tag = WORD(BYTE(head[0]) | (BYTE(head[1]) << 8));
    if (tag == 0x7FFF)
        return head.size() == 6 && !(BYTE(head[5]) & 0x80);
    return tag != 0xFFFF && !(tag & 0x8000);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    std::vector<std::unique_ptr<CObject>> owned;
    try {
        while (!buffer.atEnd()) {
            BYTE op = 0;
            ar >> op;
            switch (op % 8) {
            case 0: {
                const qint64 at = buffer.pos();
                QString s;
                ar >> s;
                const QByteArray read = bytes.mid(at, buffer.pos() - at);
                const QByteArray written = Stored(s);
                // The shortest form is written; any form reads back alike.
                FUZZ_CHECK(written.size() <= read.size());
                FUZZ_CHECK(ReadBack<QString>(written) == s);
                break;
            }
            case 1: {
                DWORD n = ar.ReadCount();
                QByteArray written;
                QBuffer out(&written);
                out.open(QIODevice::WriteOnly);
                CArchive store(&out, CArchive::store);
                store.WriteCount(n);
                QBuffer in(&written);
                in.open(QIODevice::ReadOnly);
                CArchive load(&in, CArchive::load);
                FUZZ_CHECK(load.ReadCount() == n);
                break;
            }
            case 2: {
                double d = 0;
                ar >> d;
                const double back = ReadBack<double>(Stored(d));
                FUZZ_CHECK(std::memcmp(&d, &back, sizeof d) == 0);
                break;
            }
            case 3: {
                bool unicode = false;
                quint64 length = ar.ReadStringLength(unicode);
                QByteArray written;
                QBuffer out(&written);
                out.open(QIODevice::WriteOnly);
                CArchive store(&out, CArchive::store);
                store.WriteStringLength(length, unicode);
                QBuffer in(&written);
                in.open(QIODevice::ReadOnly);
                CArchive load(&in, CArchive::load);
                bool unicodeBack = false;
                FUZZ_CHECK(load.ReadStringLength(unicodeBack) == length);
                FUZZ_CHECK(unicodeBack == unicode);
                break;
            }
            case 4:
            case 5: {
                // Any object: a new one is ours, a back-reference is not.
                if (BackReferenceAhead(ar))
                    ar.ReadObject(nullptr);
                else
                    owned.emplace_back(ar.ReadOwnedObject(nullptr));
                break;
            }
            case 6: {
                std::vector<CObject*> list;
                SerializeObjectList<CObject>(ar, list);
                for (CObject* object : list)
                    owned.emplace_back(object);
                break;
            }
            default: {
                BYTE block[16];
                ar.Read(block, op % 17);
                break;
            }
            }
        }
    } catch (const CArchiveException&) {
    }
    // Whatever was read can be written.
    for (const auto& object : owned) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        CArchive store(&buffer, CArchive::store);
        try {
            store.WriteObject(object.get());
        } catch (const CArchiveException&) {
        }
    }
    return 0;
}
