#include "common/test_support.h"
#include "platform/archive.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A small persistent class that counts its live instances, so that tests can
// see that a failed load deletes everything it made.
class ArcItem : public CObject {
    DECLARE_SERIAL(ArcItem)
public:
    ArcItem() { ++live; }
    explicit ArcItem(LONG v) : value(v) { ++live; }
    ~ArcItem() override { --live; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
    LONG value = 0;
    static int live;
};
int ArcItem::live = 0;
IMPLEMENT_SERIAL(ArcItem, CObject, 1)

class ArcOther : public CObject {
    DECLARE_SERIAL(ArcOther)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << flag;
        else
            ar >> flag;
    }
    BYTE flag = 7;
};
IMPLEMENT_SERIAL(ArcOther, CObject, 1)

// Owns a child object, and reads its stored schema to choose its layout.
class ArcHolder : public CObject {
    DECLARE_SERIAL(ArcHolder)
public:
    ArcHolder() { ++ArcItem::live; }
    ~ArcHolder() override {
        --ArcItem::live;
        delete child;
    }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << WORD(3) << child;
        } else {
            seenSchema = ar.GetObjectSchema();
            WORD w;
            ar >> w;
            child = static_cast<ArcItem*>(ar.ReadOwnedObject(RUNTIME_CLASS(ArcItem)));
            schemaAfterChild = ar.GetObjectSchema();
        }
    }
    ArcItem* child = nullptr;
    UINT seenSchema = 0;
    UINT schemaAfterChild = 0;
};
IMPLEMENT_SERIAL(ArcHolder, CObject, 2 | VERSIONABLE_SCHEMA)

// Refers to an object it does not own, which may be written with it when
// the reference comes first.
class ArcRef : public CObject {
    DECLARE_SERIAL(ArcRef)
public:
    ArcRef() { ++ArcItem::live; }
    ~ArcRef() override { --ArcItem::live; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar.WriteObject(ref);
        else
            ref = ar.ReadObject(nullptr);
    }
    CObject* ref = nullptr;
};
IMPLEMENT_SERIAL(ArcRef, CObject, 1)

QByteArray Store(const std::function<void(CArchive&)>& write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    write(ar);
    return bytes;
}

void Load(const QByteArray& bytes, const std::function<void(CArchive&)>& read) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    read(ar);
}

QString Repeat(int n) {
    return QString(n, QLatin1Char('x'));
}

} // namespace

TEST(Archive, StringLengthEscapes) {
    struct Case {
        int length;
        const char* prefix;
    };
    const Case cases[] = {
        {0, "00"},
        {4, "04"},
        {254, "FE"},
        {255, "FF FF00"},
        {65534, "FF FFFF FEFF0000"},
        {65535, "FF FFFF FFFF0000"},
        {70000, "FF FFFF 70110100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        QString text = Repeat(c.length);
        QByteArray bytes = Store([&](CArchive& ar) { ar << text; });
        QByteArray prefix = Hex(c.prefix);
        ASSERT_EQ(bytes.size(), prefix.size() + c.length);
        EXPECT_EQ(bytes.left(prefix.size()).toHex(), prefix.toHex());
        EXPECT_EQ(bytes.mid(prefix.size()), text.toLatin1());
        QString back;
        Load(bytes, [&](CArchive& ar) { ar >> back; });
        EXPECT_EQ(back, text);
    }
}

TEST(Archive, StringEncodings) {
    struct Case {
        QString text;
        const char* bytes;
    };
    const Case cases[] = {
        {QStringLiteral("ZKW2"), "04 5A4B5732"},
        {QString::fromUtf8("€–"), "02 8096"},
        {QString::fromUtf8("é"), "01 E9"},
        // Not in Windows-1252: the Unicode form keeps it.
        {QString::fromUtf8("α"), "FF FEFF 01 B103"},
        {QString::fromUtf8("a√b"), "FF FEFF 03 6100 1A22 6200"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QByteArray bytes = Store([&](CArchive& ar) { ar << c.text; });
        EXPECT_EQ(bytes.toHex(), Hex(c.bytes).toHex());
        QString back;
        Load(bytes, [&](CArchive& ar) { ar >> back; });
        EXPECT_EQ(back, c.text);
    }
    // A long Unicode string uses the same length escapes after the marker.
    QString longText = QString(300, QChar(0x3B1));
    QByteArray bytes = Store([&](CArchive& ar) { ar << longText; });
    EXPECT_EQ(bytes.left(6).toHex(), Hex("FF FEFF FF 2C01").toHex());
    QString back;
    Load(bytes, [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(back, longText);
}

TEST(Archive, Scalars) {
    QByteArray bytes = Store([](CArchive& ar) {
        ar << BYTE(0xAB) << WORD(0x1234) << LONG(-2) << DWORD(0xDEADBEEF) << 1.0f << -2.5 << true;
    });
    EXPECT_EQ(bytes.toHex(), Hex("AB 3412 FEFFFFFF EFBEADDE 0000803F 00000000000004C0 01").toHex());
    Load(bytes, [](CArchive& ar) {
        BYTE b;
        WORD w;
        LONG l;
        DWORD d;
        float f;
        double g;
        bool t;
        ar >> b >> w >> l >> d >> f >> g >> t;
        EXPECT_EQ(b, 0xAB);
        EXPECT_EQ(w, 0x1234);
        EXPECT_EQ(l, -2);
        EXPECT_EQ(d, 0xDEADBEEFu);
        EXPECT_EQ(f, 1.0f);
        EXPECT_EQ(g, -2.5);
        EXPECT_TRUE(t);
    });
}

TEST(Archive, DocumentHeaderBytes) {
    QByteArray bytes = Store([](CArchive& ar) {
        ar << QStringLiteral("ZKW2") << WORD(1);
        LONG spacing = 500;
        BYTE isometric = 0;
        ar.Write(&spacing, 4);
        ar.Write(&isometric, 1);
    });
    EXPECT_EQ(bytes.toHex(), Hex("04 5A 4B 57 32 01 00 F4 01 00 00 00").toHex());
}

TEST(Archive, ObjectTags) {
    ArcItem a(5), b(6);
    QByteArray bytes =
        Store([&](CArchive& ar) { ar << &a << &b << &a << static_cast<ArcItem*>(nullptr); });
    // New class (schema 1, name), then a class index, then a back-reference
    // to object 2, then null.
    EXPECT_EQ(bytes.toHex(), Hex("FFFF 0100 0700 417263497465 6D 05000000"
                                 "0180 06000000"
                                 "0200"
                                 "0000")
                                 .toHex());
    Load(bytes, [](CArchive& ar) {
        ArcItem *x, *y, *z, *n;
        ar >> x >> y >> z >> n;
        EXPECT_EQ(x->value, 5);
        EXPECT_EQ(y->value, 6);
        EXPECT_EQ(z, x);
        EXPECT_EQ(n, nullptr);
        delete x;
        delete y;
    });
    EXPECT_EQ(ArcItem::live, 2);
}

TEST(Archive, ObjectList) {
    ArcItem a(1), b(2), c(3);
    std::vector<ArcItem*> list{&a, &b, &c};
    QByteArray bytes = Store([&](CArchive& ar) { SerializeObjectList<ArcItem>(ar, list); });
    EXPECT_EQ(bytes.toHex(), Hex("0300 FFFF 0100 0700 4172634974656D 01000000"
                                 "0180 02000000 0180 03000000")
                                 .toHex());
    std::vector<ArcItem*> back;
    Load(bytes, [&](CArchive& ar) { SerializeObjectList<ArcItem>(ar, back); });
    ASSERT_EQ(back.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back[i]->value, i + 1);
        delete back[i];
    }
}

TEST(Archive, CountEscape) {
    QByteArray bytes = Store([](CArchive& ar) {
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(70000);
    });
    EXPECT_EQ(bytes.toHex(), Hex("FEFF FFFF FFFF0000 FFFF 70110100").toHex());
    Load(bytes, [](CArchive& ar) {
        EXPECT_EQ(ar.ReadCount(), 0xFFFEu);
        EXPECT_EQ(ar.ReadCount(), 0xFFFFu);
        EXPECT_EQ(ar.ReadCount(), 70000u);
    });
}

TEST(Archive, BigIndexEscapes) {
    // Past 0x7FFF map entries, object and class tags take the 32-bit escape.
    std::vector<ArcItem> items(40000);
    for (size_t i = 0; i < items.size(); ++i)
        items[i].value = LONG(i);
    ArcOther lateClass, lateClass2;
    QByteArray bytes = Store([&](CArchive& ar) {
        for (ArcItem& item : items)
            ar << &item;
        ar << &lateClass << &lateClass2 << &items.back();
    });
    // ArcItem is index 1, items 2..40001, ArcOther's class 40002, the two
    // ArcOthers 40003 and 40004.
    QByteArray end = bytes.right(2 + 4 + 1 + 2 + 4);
    EXPECT_EQ(end.toHex(), Hex("FF7F 429C0080 07 FF7F 419C0000").toHex());

    Load(bytes, [&](CArchive& ar) {
        std::vector<std::unique_ptr<ArcItem>> read;
        for (size_t i = 0; i < items.size(); ++i) {
            ArcItem* p;
            ar >> p;
            read.emplace_back(p);
        }
        ArcOther *o1, *o2;
        ArcItem* last;
        ar >> o1 >> o2 >> last;
        EXPECT_EQ(last, read.back().get());
        EXPECT_EQ(last->value, 39999);
        EXPECT_NE(o1, o2);
        delete o1;
        delete o2;
    });
}

TEST(Archive, SchemaVisibleToSerialize) {
    ArcHolder holder;
    holder.child = new ArcItem(9);
    QByteArray bytes = Store([&](CArchive& ar) { ar << &holder; });
    Load(bytes, [](CArchive& ar) {
        ArcHolder* h;
        ar >> h;
        EXPECT_EQ(h->seenSchema, 2u);
        EXPECT_EQ(h->schemaAfterChild, 2u); // reading the child does not disturb it
        EXPECT_EQ(h->child->value, 9);
        delete h;
    });
    // A versionable class reads any stored schema.
    QByteArray older = bytes;
    older[2] = 1;
    Load(older, [](CArchive& ar) {
        ArcHolder* h;
        ar >> h;
        EXPECT_EQ(h->seenSchema, 1u);
        delete h;
    });
}

TEST(Archive, MalformedInputThrowsAndLeaksNothing) {
    ArcItem a(1), b(2);
    ArcHolder holder;
    holder.child = new ArcItem(3);
    ArcRef ref; // writes `a` inside itself, ahead of the list's entry
    ref.ref = &a;
    std::vector<CObject*> list{&ref, &a, &holder, &b};
    QByteArray good = Store([&](CArchive& ar) { SerializeObjectList<CObject>(ar, list); });
    int baseline = ArcItem::live;

    auto readList = [](const QByteArray& bytes) {
        std::vector<CObject*> back;
        Load(bytes, [&](CArchive& ar) { SerializeObjectList<CObject>(ar, back); });
        for (CObject* o : back)
            delete o;
    };
    ASSERT_NO_THROW(readList(good));

    // Every truncation of the stream fails cleanly.
    for (int n = 0; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_THROW(readList(good.left(n)), CArchiveException);
        EXPECT_EQ(ArcItem::live, baseline);
    }

    struct Case {
        const char* name;
        const char* bytes;
        CArchiveException::Cause cause;
    };
    const Case cases[] = {
        {"unregistered class", "0100 FFFF 0100 0500 4E6F706579", CArchiveException::badClass},
        {"wrong schema", "0100 FFFF 0200 0700 4172634974656D 01000000",
         CArchiveException::badSchema},
        {"class index never defined", "0100 0580", CArchiveException::badIndex},
        {"object index never defined", "0200 FFFF 0100 0700 4172634974656D 01000000 0900",
         CArchiveException::badIndex},
        {"object tag naming a class", "0200 FFFF 0100 0700 4172634974656D 01000000 0100",
         CArchiveException::badIndex},
        {"class name too long", "0100 FFFF 0100 C800 41", CArchiveException::badClass},
        {"empty class name", "0100 FFFF 0100 0000", CArchiveException::badClass},
        {"absurd list count", "FFFF FFFFFFFF 0000", CArchiveException::endOfFile},
        {"big tag out of range", "0100 FF7F 05000080", CArchiveException::badIndex},
        // A list owns its elements: each once, and never one it is reading.
        {"null list element", "0100 0000", CArchiveException::badIndex},
        {"repeated list element", "0200 FFFF 0100 0700 4172634974656D 01000000 0200",
         CArchiveException::badIndex},
        {"list element read inside an earlier one",
         "0200 FFFF 0200 0900 417263486F6C646572 0300 FFFF 0100 0700 4172634974656D 07000000"
         " 0400",
         CArchiveException::badIndex},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            readList(Hex(c.bytes));
            ADD_FAILURE() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, c.cause) << e.what();
        }
        EXPECT_EQ(ArcItem::live, baseline);
    }
}

TEST(Archive, ObjectsReadAheadWaitForTheirOwner) {
    ArcItem item(4);
    ArcRef ref;
    ref.ref = &item;
    const int baseline = ArcItem::live;
    std::vector<CObject*> both{&ref, &item};
    std::vector<CObject*> refOnly{&ref};
    const QByteArray taken = Store([&](CArchive& ar) { SerializeObjectList<CObject>(ar, both); });
    const QByteArray orphan =
        Store([&](CArchive& ar) { SerializeObjectList<CObject>(ar, refOnly); });
    for (const QByteArray& bytes : {taken, orphan}) {
        std::vector<CObject*> back;
        Load(bytes, [&](CArchive& ar) {
            SerializeObjectList<CObject>(ar, back);
            EXPECT_EQ(ar.HasUnownedObjects(), bytes == orphan);
        });
        ASSERT_EQ(back.size(), bytes == taken ? 2u : 1u);
        if (bytes == taken) {
            EXPECT_EQ(static_cast<ArcRef*>(back[0])->ref, back[1]);
        }
        for (CObject* o : back)
            delete o;
        // The archive deleted the object no list took.
        EXPECT_EQ(ArcItem::live, baseline);
    }
}

TEST(Archive, WrongClassAndAbsurdStringLength) {
    ArcOther other;
    QByteArray bytes = Store([&](CArchive& ar) { ar << &other; });
    Load(bytes, [](CArchive& ar) {
        ArcItem* p = nullptr;
        try {
            ar >> p;
            ADD_FAILURE() << "read an ArcOther as an ArcItem";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::badClass);
        }
    });
    // A string claiming four gigabytes in a tiny stream fails before allocating.
    Load(Hex("FF FFFF FEFFFFFF 41"), [](CArchive& ar) {
        QString s;
        EXPECT_THROW(ar >> s, CArchiveException);
    });
}

TEST(Archive, WrongDirectionThrows) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadWrite);
    CArchive storing(&buffer, CArchive::store);
    WORD w;
    EXPECT_THROW(storing >> w, CArchiveException);
    CArchive loading(&buffer, CArchive::load);
    EXPECT_THROW(loading << WORD(1), CArchiveException);
}
