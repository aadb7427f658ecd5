#include "platform/archive.h"

#include "platform/codepage.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace {
constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFEu;
constexpr WORD kMaxClassName = 64;

const char* CauseText(CArchiveException::Cause cause) {
    switch (cause) {
    case CArchiveException::none:
        return "no error";
    case CArchiveException::genericException:
        return "archive error";
    case CArchiveException::readOnly:
        return "write to an archive opened for loading";
    case CArchiveException::endOfFile:
        return "unexpected end of file";
    case CArchiveException::writeOnly:
        return "read from an archive opened for storing";
    case CArchiveException::badIndex:
        return "bad object index";
    case CArchiveException::badClass:
        return "unknown or unexpected class";
    case CArchiveException::badSchema:
        return "unsupported schema";
    }
    return "archive error";
}
} // namespace

CArchiveException::CArchiveException(Cause cause, QString detail)
    : m_cause(cause), m_detail(std::move(detail)) {
    m_what = CauseText(cause);
    if (!m_detail.isEmpty())
        m_what += ": " + m_detail.toUtf8();
}

CArchive::CArchive(QIODevice* device, Mode mode) : m_device(device), m_mode(mode) {
    m_loadArray.push_back({}); // index 0 is the null object
}

CArchive::~CArchive() {
    DeleteUnowned(0);
    m_dropped.clear();
}

void CArchive::DropObject(std::unique_ptr<CObject> object) {
    if (!object)
        return;
    auto it = std::find_if(m_loadArray.begin(), m_loadArray.end(),
                           [&](const LoadEntry& entry) { return entry.object == object.get(); });
    if (it != m_loadArray.end()) {
        const size_t first = size_t(it - m_loadArray.begin());
        const size_t end = std::max(it->end, first + 1);
        // What still waits for an owner is not part of the dropped object.
        for (size_t i = first; i < end && i < m_loadArray.size(); ++i)
            if (m_loadArray[i].object && !(m_loadArray[i].readAhead && !m_loadArray[i].owned))
                m_loadArray[i].dropped = true;
    }
    m_dropped.push_back(std::move(object));
}

void CArchive::DeleteUnowned(size_t first) {
    for (size_t i = first; i < m_loadArray.size(); ++i) {
        LoadEntry& entry = m_loadArray[i];
        if (entry.object && entry.readAhead && !entry.owned)
            delete entry.object;
        entry.object = nullptr;
    }
}

bool CArchive::HasUnownedObjects() const {
    return std::any_of(m_loadArray.begin(), m_loadArray.end(), [](const LoadEntry& entry) {
        return entry.object && entry.readAhead && !entry.owned;
    });
}

void CArchive::CheckStoring() const {
    if (m_mode != store)
        throw CArchiveException(CArchiveException::readOnly);
}

void CArchive::CheckLoading() const {
    if (m_mode != load)
        throw CArchiveException(CArchiveException::writeOnly);
}

UINT CArchive::Read(void* buffer, UINT count) {
    CheckLoading();
    if (count == 0)
        return 0;
    qint64 got = m_device->read(static_cast<char*>(buffer), count);
    if (got < 0)
        throw CArchiveException(CArchiveException::genericException, m_device->errorString());
    return UINT(got);
}

void CArchive::ReadExact(void* buffer, UINT count) {
    if (Read(buffer, count) != count)
        throw CArchiveException(CArchiveException::endOfFile);
}

void CArchive::Write(const void* buffer, UINT count) {
    CheckStoring();
    if (count == 0)
        return;
    if (m_device->write(static_cast<const char*>(buffer), count) != qint64(count))
        throw CArchiveException(CArchiveException::genericException,
                                QStringLiteral("write failed: ") + m_device->errorString());
}

qint64 CArchive::BytesLeft() const {
    if (m_device->isSequential())
        return -1;
    return m_device->size() - m_device->pos();
}

void CArchive::CheckAvailable(qint64 n) const {
    // Asking a file for its size costs a system call; nothing always fits.
    if (n <= 0)
        return;
    qint64 left = BytesLeft();
    if (left >= 0 && n > left)
        throw CArchiveException(CArchiveException::endOfFile);
}

CArchive& CArchive::operator>>(bool& v) {
    BYTE b = 0;
    *this >> b;
    v = b != 0;
    return *this;
}

void CArchive::WriteStringLength(quint64 length, bool unicode) {
    if (unicode) {
        *this << BYTE(0xFF) << WORD(0xFFFE);
    }
    if (length < 0xFF) {
        *this << BYTE(length);
        return;
    }
    *this << BYTE(0xFF);
    if (length < 0xFFFE) {
        *this << WORD(length);
        return;
    }
    *this << WORD(0xFFFF);
    if (length < 0xFFFFFFFFu) {
        *this << DWORD(length);
        return;
    }
    *this << DWORD(0xFFFFFFFFu) << ULONGLONG(length);
}

quint64 CArchive::ReadStringLength(bool& unicode) {
    unicode = false;
    BYTE b = 0;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w = 0;
    *this >> w;
    if (w == 0xFFFE) {
        unicode = true;
        *this >> b;
        if (b < 0xFF)
            return b;
        *this >> w;
    }
    if (w < 0xFFFE)
        return w;
    DWORD d = 0;
    *this >> d;
    if (d < 0xFFFFFFFFu)
        return d;
    ULONGLONG q = 0;
    *this >> q;
    return q;
}

CArchive& CArchive::operator<<(const QString& s) {
    QByteArray bytes;
    if (ToWindows1252(s, bytes)) {
        WriteStringLength(quint64(bytes.size()), false);
        Write(bytes.constData(), UINT(bytes.size()));
    } else {
        WriteStringLength(quint64(s.size()), true);
        QByteArray utf16(s.size() * 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < s.size(); ++i) {
            char16_t c = s[i].unicode();
            utf16[2 * i] = char(c & 0xFF);
            utf16[2 * i + 1] = char(c >> 8);
        }
        Write(utf16.constData(), UINT(utf16.size()));
    }
    return *this;
}

CArchive& CArchive::operator>>(QString& s) {
    bool unicode = false;
    quint64 length = ReadStringLength(unicode);
    quint64 bytes = unicode ? length * 2 : length;
    if (length > quint64(0x3FFFFFFF))
        throw CArchiveException(CArchiveException::endOfFile, QStringLiteral("string too long"));
    CheckAvailable(qint64(bytes));
    // Read in pieces so that a lying length on a stream cannot allocate much
    // more than the stream really holds.
    QByteArray data;
    constexpr quint64 kChunk = 1 << 20;
    while (quint64(data.size()) < bytes) {
        quint64 piece = std::min(kChunk, bytes - quint64(data.size()));
        qsizetype old = data.size();
        data.resize(old + qsizetype(piece));
        ReadExact(data.data() + old, UINT(piece));
    }
    if (!unicode) {
        s = FromWindows1252(data);
    } else {
        s.resize(qsizetype(length));
        for (quint64 i = 0; i < length; ++i) {
            auto lo = static_cast<unsigned char>(data[qsizetype(2 * i)]);
            auto hi = static_cast<unsigned char>(data[qsizetype(2 * i + 1)]);
            s[qsizetype(i)] = QChar(char16_t(lo | (hi << 8)));
        }
    }
    return *this;
}

void CArchive::WriteCount(DWORD count) {
    if (count < 0xFFFF) {
        *this << WORD(count);
    } else {
        *this << WORD(0xFFFF) << count;
    }
}

DWORD CArchive::ReadCount() {
    WORD w = 0;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    DWORD d = 0;
    *this >> d;
    return d;
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
    if (!cls->IsSerializable())
        throw CArchiveException(
            CArchiveException::badClass,
            QStringLiteral("class %1 cannot be stored").arg(QLatin1String(cls->m_lpszClassName)));
    auto it = m_storeMap.constFind(cls);
    if (it != m_storeMap.constEnd()) {
        DWORD index = *it;
        if (index < kBigObjectTag) {
            *this << WORD(kClassTag | index);
        } else {
            *this << kBigObjectTag << DWORD(kBigClassTag | index);
        }
        return;
    }
    *this << kNewClassTag;
    WORD length = WORD(std::strlen(cls->m_lpszClassName));
    *this << cls->StoredSchema() << length;
    Write(cls->m_lpszClassName, length);
    if (m_mapCount >= kMaxMapCount)
        throw CArchiveException(CArchiveException::genericException,
                                QStringLiteral("too many objects"));
    m_storeMap.insert(cls, m_mapCount++);
}

void CArchive::WriteObject(const CObject* object) {
    CheckStoring();
    if (!object) {
        *this << kNullTag;
        return;
    }
    auto it = m_storeMap.constFind(object);
    if (it != m_storeMap.constEnd()) {
        DWORD index = *it;
        if (index < kBigObjectTag) {
            *this << WORD(index);
        } else {
            *this << kBigObjectTag << index;
        }
        return;
    }
    // Nothing is written that reading would refuse.
    m_deepest = std::max(m_deepest, m_depth + 1);
    if (m_depth >= MaxObjectDepth)
        throw CArchiveException(
            CArchiveException::genericException,
            QStringLiteral("objects nested more than %1 deep").arg(MaxObjectDepth));
    WriteClass(object->GetRuntimeClass());
    if (m_mapCount >= kMaxMapCount)
        throw CArchiveException(CArchiveException::genericException,
                                QStringLiteral("too many objects"));
    m_storeMap.insert(object, m_mapCount++);
    // Storing does not change the object; Serialize serves both directions.
    ++m_depth;
    try {
        const_cast<CObject*>(object)->Serialize(*this);
    } catch (...) {
        --m_depth;
        throw;
    }
    --m_depth;
}

CRuntimeClass* CArchive::ReadClass(UINT& schema, DWORD& objectTag) {
    WORD tag = 0;
    *this >> tag;
    DWORD fullTag = 0;
    if (tag == kBigObjectTag) {
        *this >> fullTag;
    } else {
        fullTag = (DWORD(tag & kClassTag) << 16) | DWORD(tag & ~kClassTag);
    }

    if (tag == kNewClassTag) {
        WORD storedSchema = 0;
        WORD length = 0;
        *this >> storedSchema >> length;
        if (length == 0 || length >= kMaxClassName)
            throw CArchiveException(CArchiveException::badClass,
                                    QStringLiteral("bad class name length %1").arg(length));
        char name[kMaxClassName] = {};
        ReadExact(name, length);
        CRuntimeClass* cls = CRuntimeClass::FromName(name);
        if (!cls || !cls->IsSerializable())
            throw CArchiveException(CArchiveException::badClass,
                                    QStringLiteral("unknown class %1").arg(QLatin1String(name)));
        if (!(cls->m_wSchema & VERSIONABLE_SCHEMA) && storedSchema != cls->StoredSchema())
            throw CArchiveException(
                CArchiveException::badSchema,
                QStringLiteral("%1 schema %2").arg(QLatin1String(name)).arg(storedSchema));
        if (m_mapCount >= kMaxMapCount)
            throw CArchiveException(CArchiveException::badIndex);
        m_loadArray.push_back({cls, nullptr});
        m_classSchemas.insert(cls, storedSchema);
        ++m_mapCount;
        schema = storedSchema;
        return cls;
    }
    if (fullTag & kBigClassTag) {
        DWORD index = fullTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].cls)
            throw CArchiveException(CArchiveException::badIndex,
                                    QStringLiteral("class index %1").arg(index));
        CRuntimeClass* cls = m_loadArray[index].cls;
        schema = m_classSchemas.value(cls, cls->StoredSchema());
        return cls;
    }
    objectTag = fullTag;
    return nullptr;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requested) {
    return ReadObject(requested, false);
}

CObject* CArchive::ReadOwnedObject(const CRuntimeClass* requested) {
    return ReadObject(requested, true);
}

CObject* CArchive::ReadObject(const CRuntimeClass* requested, bool owned) {
    CheckLoading();
    UINT schema = 0;
    DWORD objectTag = 0;
    CRuntimeClass* cls = ReadClass(schema, objectTag);
    if (!cls) {
        if (objectTag == 0 && !owned)
            return nullptr;
        if (objectTag == 0 || objectTag >= m_loadArray.size() || m_loadArray[objectTag].cls)
            throw CArchiveException(CArchiveException::badIndex,
                                    QStringLiteral("object index %1").arg(objectTag));
        LoadEntry& entry = m_loadArray[objectTag];
        if (!entry.object) // an object whose own reading failed
            throw CArchiveException(CArchiveException::badIndex,
                                    QStringLiteral("object index %1").arg(objectTag));
        if (entry.dropped)
            throw CArchiveException(
                CArchiveException::badIndex,
                QStringLiteral("object %1 was dropped by its reader").arg(objectTag));
        if (requested && !entry.object->IsKindOf(requested))
            throw CArchiveException(CArchiveException::badClass,
                                    QStringLiteral("object %1 is not a %2")
                                        .arg(objectTag)
                                        .arg(QLatin1String(requested->m_lpszClassName)));
        if (owned) {
            if (entry.owned || !entry.complete)
                throw CArchiveException(
                    CArchiveException::badIndex,
                    QStringLiteral("object %1 would have two owners").arg(objectTag));
            entry.owned = true;
        }
        return entry.object;
    }
    if (requested && !cls->IsDerivedFrom(requested))
        throw CArchiveException(CArchiveException::badClass,
                                QStringLiteral("%1 is not a %2")
                                    .arg(QLatin1String(cls->m_lpszClassName),
                                         QLatin1String(requested->m_lpszClassName)));
    if (m_depth >= MaxObjectDepth)
        throw CArchiveException(
            CArchiveException::badIndex,
            QStringLiteral("objects nested more than %1 deep").arg(MaxObjectDepth));
    std::unique_ptr<CObject> object(cls->CreateObject());
    if (!object)
        throw CArchiveException(CArchiveException::badClass);
    if (m_mapCount >= kMaxMapCount)
        throw CArchiveException(CArchiveException::badIndex);
    size_t index = m_loadArray.size();
    m_loadArray.push_back({nullptr, object.get(), owned, false, !owned && m_depth > 0});
    ++m_mapCount;

    UINT outerSchema = m_objectSchema;
    m_objectSchema = schema;
    ++m_depth;
    try {
        object->Serialize(*this);
    } catch (...) {
        // This object and everything read inside it are gone: what no
        // owner took is deleted here, and later tags must reach none of it.
        m_loadArray[index].object = nullptr;
        DeleteUnowned(index + 1);
        m_objectSchema = outerSchema;
        --m_depth;
        throw;
    }
    m_objectSchema = outerSchema;
    --m_depth;
    m_loadArray[index].complete = true;
    m_loadArray[index].end = m_loadArray.size();
    return object.release();
}
