// Gallery files and the gallery list: the bytes written, older versions
// and forms read, writes that leave nothing half done, and damaged files
// that are reported once and never crash or get written over.
#include "common/test_support.h"
#include "gallery_test_support.h"
#include "platform/message_box.h"

#include <QDir>
#include <QTemporaryDir>

#include <cmath>

namespace {

class GalleryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // Tests may put in a reader of their own; the program's comes back.
    void TearDown() override { QvGallery::SetOlderRecordReader(programReader); }

    QString Path(const QString& name) const { return dir.filePath(name); }
    QStringList GalleryFiles() const {
        return QDir(dir.path()).entryList({QStringLiteral("*.gal")}, QDir::Files, QDir::Name);
    }
    // A fresh look at a file, as another drawing would have.
    static std::vector<double> Ratios(QvGallery& g) {
        std::vector<double> ratios;
        for (int i = 0; i < g.GetFigureCount(); ++i)
            ratios.push_back(g.GetFigureAt(i)->GetAspectRatio());
        return ratios;
    }
    static QStringList Descriptions(QvGallery& g) {
        QStringList texts;
        for (int i = 0; i < g.GetFigureCount(); ++i)
            texts << g.GetDescription(i);
        return texts;
    }

    QTemporaryDir dir;
    const QvGallery::OlderRecordReader programReader = QvGallery::SetOlderRecordReader(nullptr);
};

TEST_F(GalleryTest, NewGalleryIsExactlyTheseBytes) {
    QvGalleryList list;
    list.Scan(dir.path());
    EXPECT_EQ(list.GetFolder(), dir.path() + "/");
    ASSERT_EQ(list.CreateGallery(QStringLiteral("Shapes")), 0);
    EXPECT_EQ(ReadBytes(Path("Shapes.gal")),
              Hex("0B") + "ZKW2Gallery" + Hex("02 00 06") + "Shapes" + Hex("00 00 00 00 00"));
    EXPECT_EQ(list.GetGalleryTitle(0), "Shapes");
    // Just written, so it can be written again.
    EXPECT_TRUE(list.IsWritable(0));
}

TEST_F(GalleryTest, FolderEndsInExactlyOneSeparator) {
    QvGalleryList list;
    for (auto [given, kept] : {std::pair{"/srv/g", "/srv/g/"}, std::pair{"/srv/g/", "/srv/g/"},
                               std::pair{"/srv/g//", "/srv/g/"}}) {
        list.SetFolder(QString::fromLatin1(given));
        EXPECT_EQ(list.GetFolder(), QString::fromLatin1(kept)) << given;
    }
    list.Scan(QString());
    EXPECT_EQ(list.GetFolder(), QvGalleryList::DefaultFolder() + "/");
    EXPECT_TRUE(list.GetFolder().endsWith("/Galleries/"));
}

TEST_F(GalleryTest, OlderVersionsLoadAndSaveAsVersionTwo) {
    auto first = MakeGalleryFigure(0.5), second = MakeGalleryFigure(2.0);
    auto fileOfVersion = [&](WORD version) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        ar << QString::fromLatin1(QvGallery::Magic) << version;
        if (version >= 1) {
            std::vector<QvFigGallery*> figures{first.get(), second.get()};
            ar << QStringLiteral("Old");
            SerializeObjectList<QvFigGallery>(ar, figures);
        }
        if (version >= 2) {
            ar << QStringLiteral("About") << WORD(2) << QStringLiteral("a") << QStringLiteral("b");
        }
        return bytes;
    };

    WriteBytes(Path("v1.gal"), fileOfVersion(1));
    QvGallery v1;
    v1.Load(Path("v1.gal"));
    EXPECT_EQ(v1.GetTitle(), "Old");
    EXPECT_EQ(Ratios(v1), (std::vector<double>{0.5, 2.0}));
    EXPECT_EQ(Descriptions(v1), (QStringList{"", ""}));
    EXPECT_EQ(Store(v1.GetFigureAt(1)), Store(second.get()));
    v1.SetDescription(QStringLiteral("tall"), 1);
    ASSERT_TRUE(v1.Save());
    EXPECT_EQ(ReadBytes(Path("v1.gal")).mid(12, 2), Hex("02 00"));
    QvGallery again;
    again.Load(Path("v1.gal"));
    EXPECT_EQ(Ratios(again), (std::vector<double>{0.5, 2.0}));
    EXPECT_EQ(Descriptions(again), (QStringList{"", "tall"}));

    // Version 0 holds nothing after the version; a later one reads as 2.
    WriteBytes(Path("v0.gal"), fileOfVersion(0));
    QvGallery v0;
    v0.Load(Path("v0.gal"));
    EXPECT_EQ(v0.GetFigureCount(), 0);
    EXPECT_EQ(v0.GetTitle(), "");
    WriteBytes(Path("v3.gal"), fileOfVersion(3));
    QvGallery v3;
    v3.Load(Path("v3.gal"));
    EXPECT_EQ(Descriptions(v3), (QStringList{"a", "b"}));
    EXPECT_EQ(v3.GetGalleryDescription(), "About");
}

// Older galleries: a 50-byte title, a 16-bit count and records.  The
// stand-in reader takes one byte per record: 'C' a container, 'P' a plain
// figure, 'N' a record that makes nothing.
QvFigure* ReadStandInRecord(QIODevice& file, QvLegacyLosses&) {
    char kind = 0;
    if (!file.getChar(&kind))
        throw CArchiveException(CArchiveException::endOfFile);
    switch (kind) {
    case 'C':
        return MakeGalleryFigure(1.0).release();
    case 'P':
        return QvFigure::CreateForTool(QvFigLine::ToolId).release();
    case 'N':
        return nullptr;
    default:
        throw CArchiveException(CArchiveException::badClass);
    }
}

QByteArray OlderGallery(const QByteArray& records) {
    QByteArray title("Old shapes\0left over", 20);
    title.resize(QvGallery::OlderTitleBytes, '\0');
    const short count = short(records.size());
    return title + QByteArray(reinterpret_cast<const char*>(&count), 2) + records;
}

TEST_F(GalleryTest, OlderFormKeepsOnlyItsContainers) {
    QvGallery::SetOlderRecordReader(ReadStandInRecord);
    WriteBytes(Path("old.gal"), OlderGallery("CPCNPC"));
    QvGalleryList list;
    list.Scan(dir.path());
    EXPECT_EQ(list.GetGalleryTitle(0), "Old shapes");
    QvGallery& old = *list.GetGallery(0);
    EXPECT_EQ(old.GetFigureCount(), 3);
    EXPECT_EQ(Descriptions(old), (QStringList{"", "", ""}));

    // The first save writes the current form.
    ASSERT_TRUE(list.SetGalleryDescription(QStringLiteral("converted"), 0));
    EXPECT_TRUE(ReadBytes(Path("old.gal")).startsWith(Hex("0B") + "ZKW2Gallery" + Hex("02 00")));
    QvGallery::SetOlderRecordReader(nullptr);
    QvGallery current;
    current.Load(Path("old.gal"));
    EXPECT_EQ(current.GetTitle(), "Old shapes");
    EXPECT_EQ(current.GetFigureCount(), 3);
    EXPECT_EQ(current.GetGalleryDescription(), "converted");
}

TEST_F(GalleryTest, OlderFormWithoutAReaderIsReportedAndKept) {
    const QByteArray bytes = OlderGallery("CC");
    WriteBytes(Path("old.gal"), bytes);
    QvGalleryList list;
    list.Scan(dir.path());
    MessageRecorder recorder;
    EXPECT_EQ(list.GetFigureCount(0), 0);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, QvGallery::OlderFormatMessage(Path("old.gal")));
    EXPECT_FALSE(list.IsWritable(0));
    EXPECT_FALSE(list.GetGallery(0)->AddFigure(MakeGalleryFigure(1.0).release()));
    EXPECT_EQ(ReadBytes(Path("old.gal")), bytes);
}

TEST_F(GalleryTest, RemovingOneOfThreeLeavesTheOtherTwo) {
    WriteGallery(Path("three.gal"), QStringLiteral("Three"), 3);
    QvGalleryList list;
    list.Scan(dir.path());
    ASSERT_EQ(list.GetFigureCount(0), 3);
    list.Select(0, 1);
    ASSERT_TRUE(list.DeleteSelectedFigure());
    EXPECT_EQ(list.GetSelectedGallery(), -1);
    EXPECT_EQ(list.GetSelectedFigure(), -1);

    QvGallery back;
    back.Load(Path("three.gal"));
    EXPECT_EQ(Ratios(back), (std::vector<double>{0.5, 0.75}));
    EXPECT_EQ(Descriptions(back), (QStringList{"0", "2"}));
}

TEST_F(GalleryTest, MovesWriteOnlyWhenTheyMoveAndTheSelectionFollows) {
    WriteGallery(Path("three.gal"), QStringLiteral("Three"), 3);
    QvGalleryList list;
    list.Scan(dir.path());
    ASSERT_EQ(list.GetFigureCount(0), 3);
    // Without the file, any write would show as a new one.
    ASSERT_TRUE(QFile::remove(Path("three.gal")));
    list.Select(0, 0);
    EXPECT_TRUE(list.MoveSelectedFigureUp(0, 0));
    EXPECT_TRUE(list.MoveSelectedFigureDown(0, 2));
    EXPECT_FALSE(QFile::exists(Path("three.gal")));
    EXPECT_EQ(list.GetSelectedFigure(), 0);

    ASSERT_TRUE(list.MoveSelectedFigureDown(0, 0));
    EXPECT_EQ(list.GetSelectedFigure(), 1);
    QvGallery back;
    back.Load(Path("three.gal"));
    EXPECT_EQ(Ratios(back), (std::vector<double>{0.625, 0.5, 0.75}));
    EXPECT_EQ(Descriptions(back), (QStringList{"1", "0", "2"}));
}

TEST_F(GalleryTest, RetitlingKeepsTheFileNameAndTheFigures) {
    WriteGallery(Path("Shapes.gal"), QStringLiteral("Shapes"), 3);
    {
        // Not loaded yet: the rewrite still carries every figure.
        QvGalleryList list;
        list.Scan(dir.path());
        ASSERT_TRUE(list.RetitleGallery(0, QStringLiteral("Circles")));
    }
    EXPECT_EQ(GalleryFiles(), QStringList{"Shapes.gal"});
    QvGalleryList rescanned;
    rescanned.Scan(dir.path());
    EXPECT_EQ(rescanned.GetGalleryTitle(0), "Circles");
    EXPECT_EQ(rescanned.GetFigureCount(0), 3);
}

TEST_F(GalleryTest, CreatingNeverWritesOverAnotherFileOrOutsideTheFolder) {
    WriteGallery(Path("Shapes.gal"), QStringLiteral("Shapes"), 2);
    const QByteArray before = ReadBytes(Path("Shapes.gal"));
    QvGalleryList list;
    list.Scan(dir.path());
    EXPECT_TRUE(list.GalleryExists(QStringLiteral("shapes")));
    EXPECT_FALSE(list.GalleryExists(QStringLiteral("Trees")));
    ASSERT_EQ(list.CreateGallery(QStringLiteral("Shapes")), 1);
    EXPECT_EQ(list.GetGallery(1)->GetPath(), Path("Shapes (2).gal"));
    EXPECT_EQ(ReadBytes(Path("Shapes.gal")), before);

    const std::pair<const char*, const char*> names[] = {
        {"a/b", "a_b.gal"},         {"../up", "___up.gal"},   {"", "Gallery.gal"},
        {".hidden", "_hidden.gal"}, {"a\\b\tc", "a_b_c.gal"}, {"  Trees ", "Trees.gal"},
    };
    for (auto [title, file] : names) {
        EXPECT_EQ(QvGalleryList::FileNameFor(QString::fromLatin1(title)), file) << title;
        int g = list.CreateGallery(QString::fromLatin1(title));
        ASSERT_GE(g, 0) << title;
        EXPECT_EQ(QFileInfo(list.GetGallery(g)->GetPath()).absolutePath(), dir.path()) << title;
        EXPECT_EQ(list.GetGalleryTitle(g), QString::fromLatin1(title));
    }
    const QString longTitle(300, QChar(0x00E9)); // two bytes each in a file name
    int g = list.CreateGallery(longTitle);
    ASSERT_GE(g, 0);
    EXPECT_LE(QFileInfo(list.GetGallery(g)->GetPath()).fileName().toUtf8().size(), 255);
}

TEST_F(GalleryTest, ListFindsGalleriesAndHandsOutCopies) {
    WriteGallery(Path("b.GAL"), QStringLiteral("Bee"), 2);
    WriteGallery(Path("a.gal"), QStringLiteral("Ant"), 1);
    WriteBytes(Path("c.txt"), "not a gallery");
    QvGalleryList list;
    list.Scan(dir.path());
    ASSERT_EQ(list.GetGalleryCount(), 2);
    EXPECT_EQ(list.GetGalleryTitle(0), "Ant");
    EXPECT_EQ(list.GetGalleryTitle(1), "Bee");
    EXPECT_EQ(list.GetGalleryTitle(2), "");

    // Nothing is read until asked for.
    EXPECT_EQ(list.GetFigure(1, 0), nullptr);
    EXPECT_EQ(list.GetFigureCount(1), 2);
    QvFigGallery* stored = list.GetFigure(1, 1);
    ASSERT_TRUE(stored);

    for (auto [g, f] : {std::pair{2, 0}, std::pair{1, 2}, std::pair{-1, 0}, std::pair{1, -1}})
        list.Select(g, f);
    EXPECT_FALSE(list.HasSelectedFigure());
    EXPECT_EQ(list.CreateSelectedFigure(), nullptr);
    list.Select(1, 1);
    auto copy = list.CreateSelectedFigure();
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), stored);
    EXPECT_EQ(copy->GetAspectRatio(), 0.625);
    EXPECT_EQ(copy->GetClickCount(), 0);
    EXPECT_EQ(Store(copy.get()), Store(stored));
    EXPECT_EQ(list.GetSelectedFigureDescription(), "1");
}

TEST_F(GalleryTest, AFailedWriteSaysSoAndKeepsTheChangeInMemory) {
    WriteGallery(Path("Shapes.gal"), QStringLiteral("Shapes"), 2);
    const QByteArray before = ReadBytes(Path("Shapes.gal"));
    QvGalleryList list;
    list.Scan(dir.path());
    ASSERT_EQ(list.GetFigureCount(0), 2);
    Unwritable lock(dir.path());
    if (!lock.ok)
        GTEST_SKIP() << "no way to make a folder unwritable here";
    EXPECT_FALSE(list.AddFigureToGallery(MakeGalleryFigure(3.0).release(), 0));
    EXPECT_EQ(list.GetFigureCount(0), 3);
    EXPECT_EQ(ReadBytes(Path("Shapes.gal")), before);
    EXPECT_EQ(GalleryFiles(), QStringList{"Shapes.gal"});
}

// Every way a file can end early is a damaged gallery: said once, nothing
// kept, nothing written over.
TEST_F(GalleryTest, EveryTruncationIsReportedOnceAndNeverWrittenOver) {
    WriteGallery(Path("whole.gal"), QStringLiteral("Whole"), 2);
    {
        QvGallery whole;
        whole.Load(Path("whole.gal"));
        whole.SetGalleryDescription(QStringLiteral("Two figures"));
        ASSERT_TRUE(whole.Save());
    }
    const QByteArray bytes = ReadBytes(Path("whole.gal"));
    QTemporaryDir cutDir;
    const QString cut = cutDir.filePath(QStringLiteral("cut.gal"));
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        const QByteArray part = bytes.left(length);
        WriteBytes(cut, part);
        QvGalleryList list;
        list.Scan(cutDir.path());
        MessageRecorder recorder;
        EXPECT_EQ(list.GetFigureCount(0), 0) << length;
        EXPECT_EQ(list.GetFigureCount(0), 0) << length;
        ASSERT_EQ(recorder.messages.size(), 1u) << length;
        EXPECT_TRUE(recorder.messages[0].text.startsWith(cut)) << length;
        EXPECT_FALSE(list.IsWritable(0));
        EXPECT_FALSE(list.SetGalleryDescription(QStringLiteral("x"), 0));
        EXPECT_EQ(ReadBytes(cut), part) << length;
    }
}

// Damaged bytes in the gallery's own fields (the header with the figure
// count, and the descriptions after the figures) load or are refused,
// never anything in between.  The figure records are the archive's.
TEST_F(GalleryTest, DamagedGalleryFieldsNeverCrash) {
    WriteGallery(Path("whole.gal"), QStringLiteral("Whole"), 2);
    const QByteArray bytes = ReadBytes(Path("whole.gal"));
    // Magic, version, "Whole", count; then no description, two of "0", "1".
    const qsizetype header = 12 + 2 + 6 + 2, tail = 1 + 2 + 2 * 2;
    ASSERT_TRUE(bytes.endsWith(Hex("00 02 00 01") + "0" + Hex("01") + "1"));
    QTemporaryDir badDir;
    const QString bad = badDir.filePath(QStringLiteral("bad.gal"));
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        if (at == header)
            at = bytes.size() - tail;
        for (char value : {'\xFF', '\x00', '\x7F'}) {
            QByteArray damaged = bytes;
            damaged[at] = value;
            WriteBytes(bad, damaged);
            QvGalleryList list;
            list.Scan(badDir.path());
            MessageRecorder recorder;
            const int count = list.GetFigureCount(0);
            if (recorder.messages.empty()) {
                for (int i = 0; i < count; ++i)
                    EXPECT_TRUE(list.CreateFigure(0, i)) << at;
            } else {
                EXPECT_EQ(count, 0) << at;
            }
        }
    }
}

// A member point off any page would overflow drawing's integer conversions:
// such a gallery is refused as a drawing would be.
TEST_F(GalleryTest, CoordinatesFarFromThePageAreRefused) {
    for (double far : {1e300, std::nan(""), 2147483647.0}) {
        QvGallery gallery;
        gallery.SetPath(Path("far.gal"));
        gallery.MarkLoaded();
        auto figure = MakeGalleryFigure(0.5);
        figure->Members()[0]->DefiningPoints()[1] = QvPoint(far, 900);
        gallery.AddFigure(figure.release());
        ASSERT_TRUE(gallery.WriteWithTitle(QStringLiteral("Far")));
        const QByteArray written = ReadBytes(Path("far.gal"));

        QvGallery read;
        MessageRecorder recorder;
        read.Load(Path("far.gal"));
        EXPECT_EQ(read.GetFigureCount(), 0) << far;
        EXPECT_EQ(recorder.messages.size(), 1u) << far;
        EXPECT_EQ(ReadBytes(Path("far.gal")), written) << far;
    }
}

} // namespace
