#pragma once
// The binary archive that drawing and gallery files are written in: the
// class library's format, byte for byte, over any QIODevice.
//
// Scalars are little-endian.  Strings carry a length prefix (a byte; 0xFF then
// a WORD; 0xFFFF then a DWORD) and Windows-1252 bytes, or the Unicode form
// (0xFF 0xFFFE, then the length in UTF-16 units) for text Windows-1252 cannot
// hold.  Objects are tagged: 0 null, 0xFFFF a new class (schema, name),
// 0x8000|n a class seen before, n an object seen before, 0x7FFF an escape to
// a 32-bit tag.  Any malformed input throws CArchiveException.
#include "platform/object.h"
#include "platform/win_types.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <exception>
#include <memory>
#include <type_traits>
#include <vector>

class QIODevice;

class CArchiveException : public std::exception {
public:
    enum Cause {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
    };
    explicit CArchiveException(Cause cause, QString detail = {});
    Cause m_cause;
    QString m_detail;
    const char* what() const noexcept override { return m_what.constData(); }

private:
    QByteArray m_what;
};

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(QIODevice* device, Mode mode);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive();

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }
    QIODevice* GetFile() const { return m_device; }
    void Flush() {}
    void Close() {}

    // Raw blocks.  Read returns the bytes read, which may be fewer at the end.
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    // Reads exactly count bytes or throws endOfFile.
    void ReadExact(void* buffer, UINT count);

    CArchive& operator<<(BYTE v) { return WriteLE(v); }
    CArchive& operator<<(char v) { return WriteLE(v); }
    CArchive& operator<<(signed char v) { return WriteLE(v); }
    CArchive& operator<<(bool v) { return WriteLE(BYTE(v ? 1 : 0)); }
    CArchive& operator<<(WORD v) { return WriteLE(v); }
    CArchive& operator<<(short v) { return WriteLE(v); }
    CArchive& operator<<(LONG v) { return WriteLE(v); }
    CArchive& operator<<(DWORD v) { return WriteLE(v); }
    CArchive& operator<<(LONGLONG v) { return WriteLE(v); }
    CArchive& operator<<(ULONGLONG v) { return WriteLE(v); }
    CArchive& operator<<(float v) { return WriteLE(v); }
    CArchive& operator<<(double v) { return WriteLE(v); }
    CArchive& operator<<(const QString& s);
    CArchive& operator<<(const char* s) { return *this << QString::fromLatin1(s); }

    CArchive& operator>>(BYTE& v) { return ReadLE(v); }
    CArchive& operator>>(char& v) { return ReadLE(v); }
    CArchive& operator>>(signed char& v) { return ReadLE(v); }
    CArchive& operator>>(bool& v);
    CArchive& operator>>(WORD& v) { return ReadLE(v); }
    CArchive& operator>>(short& v) { return ReadLE(v); }
    CArchive& operator>>(LONG& v) { return ReadLE(v); }
    CArchive& operator>>(DWORD& v) { return ReadLE(v); }
    CArchive& operator>>(LONGLONG& v) { return ReadLE(v); }
    CArchive& operator>>(ULONGLONG& v) { return ReadLE(v); }
    CArchive& operator>>(float& v) { return ReadLE(v); }
    CArchive& operator>>(double& v) { return ReadLE(v); }
    CArchive& operator>>(QString& s);

    // Objects.  Both reads check that the object is of the requested class
    // (or derived from it); pass nullptr to accept any.
    //
    // ReadOwnedObject reads an object the caller takes as its own, as a
    // list takes its elements: a new object, or one that a reference read
    // earlier and nothing owns yet.  Null, an object still being read (a
    // group inside itself) and an object already owned are refused, so
    // every object read has at most one owner and ownership has no cycles.
    //
    // ReadObject reads a reference: an object read before, null, or a new
    // object.  A new object read outside any object belongs to the caller;
    // one read inside another object's data (a reference that comes before
    // the list holding its figure) is held by the archive until an owned
    // read takes it, and deleted with the archive if none does.
    void WriteObject(const CObject* object);
    CObject* ReadObject(const CRuntimeClass* requested);
    CObject* ReadOwnedObject(const CRuntimeClass* requested);

    // True when some object read inside another is still waiting for an
    // owned read: a reference to an object no list holds.
    bool HasUnownedObjects() const;

    // An object read from this archive that its reader then drops (a
    // member a figure replaces after reading).  The archive keeps it, and
    // what was read inside it, until the archive goes, so that nothing read
    // before is left pointing at freed memory; a later reference to any of
    // it is refused.
    void DropObject(std::unique_ptr<CObject> object);

    // Objects nested deeper than this (a group in a group in ...) are
    // refused, so that a crafted file cannot exhaust the stack.
    static constexpr int MaxObjectDepth = 512;
    // Storing: how deep the objects written so far were nested (more than
    // MaxObjectDepth when a write was refused for it).
    int DeepestStored() const { return m_deepest; }

    // The schema stored for the class of the object being read.
    UINT GetObjectSchema() const { return m_objectSchema; }

    // Element counts of object lists: a WORD, or 0xFFFF then a DWORD.
    void WriteCount(DWORD count);
    DWORD ReadCount();

    // Bytes left to read, or -1 when the device cannot tell.
    qint64 BytesLeft() const;

    // Raises endOfFile unless at least n more bytes can follow.
    void CheckAvailable(qint64 n) const;

    // The string length escapes, for records that store counts that way.
    void WriteStringLength(quint64 length, bool unicode);
    quint64 ReadStringLength(bool& unicode);

private:
    template <class T> CArchive& WriteLE(T v) {
        static_assert(std::is_trivially_copyable_v<T>);
        CheckStoring();
        Write(&v, sizeof v); // x86 and ARM Linux are little-endian
        return *this;
    }
    template <class T> CArchive& ReadLE(T& v) {
        CheckLoading();
        ReadExact(&v, sizeof v);
        return *this;
    }
    void CheckStoring() const;
    void CheckLoading() const;
    void WriteClass(const CRuntimeClass* cls);
    // Returns the class of a new object, or nullptr with objectTag set when
    // the tag refers to an object read before.
    CRuntimeClass* ReadClass(UINT& schema, DWORD& objectTag);
    CObject* ReadObject(const CRuntimeClass* requested, bool owned);

    QIODevice* m_device;
    Mode m_mode;
    UINT m_objectSchema = UINT(-1);

    // Storing: objects and classes written so far, by map index.
    QHash<const void*, DWORD> m_storeMap;
    // Loading: index -> class or object (index 0 is the null entry).
    struct LoadEntry {
        CRuntimeClass* cls = nullptr;
        CObject* object = nullptr;
        bool owned = false;     // taken by an owned read
        bool complete = false;  // its Serialize has returned
        bool readAhead = false; // read by reference inside another object
        bool dropped = false;   // given back by its reader (DropObject)
        size_t end = 0;         // one past the last entry read inside it
    };
    // Deletes the objects from `first` on that wait for an owned read.
    void DeleteUnowned(size_t first);
    std::vector<LoadEntry> m_loadArray;
    std::vector<std::unique_ptr<CObject>> m_dropped;
    QHash<const CRuntimeClass*, UINT> m_classSchemas;
    DWORD m_mapCount = 1;
    int m_depth = 0;
    int m_deepest = 0;
};

static_assert(sizeof(float) == 4 && sizeof(double) == 8);

// Pointer forms: ar << pFigure; ar >> pFigure (checks the class).
template <class T, std::enable_if_t<std::is_base_of_v<CObject, T>, int> = 0>
CArchive& operator<<(CArchive& ar, const T* object) {
    ar.WriteObject(object);
    return ar;
}
template <class T, std::enable_if_t<std::is_base_of_v<CObject, T>, int> = 0>
CArchive& operator>>(CArchive& ar, T*& object) {
    object = static_cast<T*>(ar.ReadObject(RUNTIME_CLASS(T)));
    return ar;
}

// An object list as the class library writes it: the count, then each
// element as an object.  The list owns its elements (see ReadOwnedObject);
// on a failed load the elements read so far are deleted and the list is
// left as it was.
template <class T, class Container> void SerializeObjectList(CArchive& ar, Container& list) {
    if (ar.IsStoring()) {
        ar.WriteCount(DWORD(list.size()));
        for (const T* item : list)
            ar.WriteObject(item);
        return;
    }
    DWORD count = ar.ReadCount();
    // Every element takes at least a two-byte tag.
    ar.CheckAvailable(qint64(count) * 2);
    std::vector<std::unique_ptr<T>> read;
    for (DWORD i = 0; i < count; ++i) {
        std::unique_ptr<T> item(static_cast<T*>(ar.ReadOwnedObject(RUNTIME_CLASS(T))));
        read.push_back(std::move(item));
    }
    for (std::unique_ptr<T>& item : read)
        list.push_back(item.release());
}
