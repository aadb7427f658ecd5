#include "common/full_disk.h"
#include "common/test_support.h"
#include "platform/command_ids.h"
#include "setting_tables.h"

#include "platform/file.h"
#include "platform/numbers.h"
#include "platform/profile.h"
#include "settings/settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
const QString kDefaultFontText = QStringLiteral("-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,Arial");

QString DefaultText(const SettingRow& row) {
    return row.kind == 'F' ? kDefaultFontText : QString::fromLatin1(row.value);
}

// A value different from the default, as the profile holds it.
QString ChangedText(const SettingRow& row) {
    const QString key = QString::fromLatin1(row.key);
    switch (row.kind) {
    case 'I':
        return key == QLatin1String("MADLevel") ? QStringLiteral("1")
                                                : QString::number(atoi(row.value) + 7);
    case 'C':
        return QString::number(int(strtoul(row.value, nullptr, 10) ^ 0x102030u));
    case 'B':
        return QString::number(1 - atoi(row.value));
    case 'D':
        return FormatC("%f", AtofC(row.value) + 1.25);
    case 'S':
        return QStringLiteral("Text, for \"%1\" \u00e9").arg(key);
    default:
        return QStringLiteral("-20,0,0,0,700,1,0,0,0,7,48,2,2,255,423,Times New Roman");
    }
}

void ForEachRow(const std::function<void(const SettingGroup&, const SettingRow&)>& f) {
    for (const SettingGroup& group : StoredGroups())
        for (const SettingRow& row : group.rows)
            f(group, row);
}

QByteArray DefBytes(const std::function<QString(const SettingRow&)>& text) {
    QByteArray bytes;
    ForEachRow([&](const SettingGroup&, const SettingRow& row) {
        QString t = text(row);
        if (row.kind == 'I' || row.kind == 'C' || row.kind == 'B') {
            qint32 v = qint32(t.toLongLong());
            bytes.append(reinterpret_cast<const char*>(&v), 4);
        } else {
            bytes.append(t.toLatin1()).append('\xFF');
        }
    });
    return bytes;
}

QString ProfileText(const SettingGroup& group, const SettingRow& row) {
    return GetProfileString(QString::fromLatin1(group.section), QString::fromLatin1(row.key),
                            QStringLiteral("<missing>"));
}

// Each test runs in a fresh profile and a fresh current folder, where the
// definition file is written and looked for.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldDir = QDir::currentPath();
        ASSERT_TRUE(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
    }
    void TearDown() override { QDir::setCurrent(m_oldDir); }
    QString DefPath() const { return m_dir.filePath(QStringLiteral("Lumbrel2.def")); }
    QByteArray ReadDefFile() const {
        QFile f(DefPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void WriteDefBytes(const QByteArray& bytes) const {
        QFile f(DefPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    std::unique_ptr<TempProfile> m_profile = std::make_unique<TempProfile>();
    QTemporaryDir m_dir;
    QString m_oldDir;
};
} // namespace

TEST_F(SettingsStore, EmptyProfileGivesEveryDefaultUnderItsKey) {
    auto store = std::make_unique<QvSettings>();
    store->Load();
    EXPECT_EQ(store->m_MADLevel.GetValue(), 2);
    EXPECT_EQ(store->m_SmoothlineDefaults.VLen.GetValue(), 750);
    store->Save(FALSE);
    int rows = 0;
    for (const SettingGroup& group : StoredGroups()) {
        SCOPED_TRACE(group.name);
        for (const SettingRow& row : group.rows) {
            EXPECT_EQ(ProfileText(group, row), DefaultText(row)) << row.key;
            ++rows;
        }
    }
    // Nothing else reaches the profile: no "VLen", no decimal point or separator.
    EXPECT_EQ(ProfileSettings().allKeys().size(), rows);
}

TEST_F(SettingsStore, DefinitionFileOfFreshStoreIsTheFixedLayout) {
    auto store = std::make_unique<QvSettings>();
    store->Load();
    ASSERT_TRUE(store->WriteDefFile());
    QByteArray expected = DefBytes(DefaultText);
    QByteArray actual = ReadDefFile();
    EXPECT_EQ(actual.size(), expected.size());
    EXPECT_TRUE(actual == expected);
    // Spot checks against hand-written bytes: "CurLineType" 32805 third, and
    // the file ends with the number line's last colour and an empty path.
    EXPECT_EQ(actual.mid(8, 4), QByteArray::fromHex("25800000"));
    EXPECT_EQ(actual.right(5), QByteArray::fromHex("c3c3c300ff"));
}

TEST_F(SettingsStore, DefinitionFileRoundTripRestoresEverySetting) {
    ForEachRow([](const SettingGroup& group, const SettingRow& row) {
        WriteProfileString(QString::fromLatin1(group.section), QString::fromLatin1(row.key),
                           ChangedText(row));
    });
    auto source = std::make_unique<QvSettings>();
    source->Load();
    ASSERT_TRUE(source->WriteDefFile());
    EXPECT_TRUE(ReadDefFile() == DefBytes(ChangedText));

    // Another installation: an empty profile and the file in its folder.
    m_profile.reset();
    m_profile = std::make_unique<TempProfile>();
    auto target = std::make_unique<QvSettings>();
    target->Load();
    EXPECT_FALSE(QFile::exists(DefPath())) << "an imported file is deleted";
    EXPECT_EQ(target->m_CircleDefaults.Centre.GetValue(), 7);
    EXPECT_EQ(target->m_EllipseDefaults.Centre.GetValue(), 7);
    EXPECT_EQ(target->m_StatDefaults.xMajor.GetValue(), 9);
    EXPECT_DOUBLE_EQ(target->m_StatDefaults.xmajor.GetValue(), 3.25);
    EXPECT_EQ(target->m_SmoothlineDefaults.VLen.GetValue(), 750);
    // The import was saved: the profile now holds every imported value.
    for (const SettingGroup& group : StoredGroups()) {
        SCOPED_TRACE(group.name);
        for (const SettingRow& row : group.rows)
            EXPECT_EQ(ProfileText(group, row), ChangedText(row)) << row.key;
    }
}

TEST_F(SettingsStore, CircleAndEllipseDefaultsKeepTheirOwnValues) {
    auto store = std::make_unique<QvSettings>();
    store->Load();
    store->m_CircleDefaults.Centre.SetValue(4);
    store->m_EllipseDefaults.Centre.SetValue(6);
    store->Save(FALSE);
    auto restarted = std::make_unique<QvSettings>();
    restarted->Load();
    EXPECT_EQ(restarted->m_CircleDefaults.Centre.GetValue(), 4);
    EXPECT_EQ(restarted->m_EllipseDefaults.Centre.GetValue(), 6);
}

TEST_F(SettingsStore, BadDefinitionFilesAreRefusedWhole) {
    auto writer = std::make_unique<QvSettings>();
    writer->Load();
    writer->m_GalleryPath.SetValue(QStringLiteral("MARKER"));
    ASSERT_TRUE(writer->WriteDefFile());
    const QByteArray good = ReadDefFile();
    QByteArray longPath = good;
    longPath.replace("MARKER", QByteArray(500, 'a'));
    QByteArray badNumber = good;
    badNumber.replace(QByteArray("0.500000\xFF"), QByteArray("half\xFF")); // "Mid Pos"
    QByteArray badFont = good;
    badFont.replace(kDefaultFontText.toLatin1() + '\xFF', QByteArray("Arial\xFF"));
    QByteArray noClose = good;
    noClose.chop(1); // the last text never ends
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"cut inside the first number", good.left(2)},
        {"cut halfway", good.left(good.size() / 2)},
        {"last 0xFF missing", noClose},
        {"500-byte path", longPath},
        {"double that is no number", badNumber},
        {"font that is no font", badFont},
        {"bytes after the last setting", good + QByteArray("xyz")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_profile.reset();
        m_profile = std::make_unique<TempProfile>();
        QFile::remove(DefPath());
        auto store = std::make_unique<QvSettings>();
        store->Load();
        store->m_LineDefaults.Start.SetValue(99);
        WriteDefBytes(c.bytes);
        MessageRecorder recorder;
        EXPECT_FALSE(store->ImportDefFile());
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Definition File"));
        EXPECT_TRUE(QFile::exists(DefPath()));
        EXPECT_EQ(store->m_LineDefaults.Start.GetValue(), 99);
        EXPECT_EQ(store->m_CurLineType.GetValue(), ID_LINE_HAIRLINE);
        EXPECT_TRUE(store->m_GalleryPath.GetValue().isEmpty());
        EXPECT_TRUE(ProfileSettings().allKeys().isEmpty()) << "nothing was saved";
    }
}

TEST_F(SettingsStore, SaveDefaultsResetsEverythingButTheDefaultFolder) {
    auto store = std::make_unique<QvSettings>();
    store->Load();
    store->m_CurLineColor.SetValue(0x0000FF);
    store->m_StatDefaults.Title.SetValue(QStringLiteral("Heights"));
    store->m_GraphDefaults.FunctionStyle[3].Pen.SetValue(ID_LINE_DOT);
    store->m_GalleryPath.SetValue(QStringLiteral("/home/u/gallery"));
    store->m_DefaultPath.SetValue(QStringLiteral("/home/u/drawings"));
    store->Save(FALSE);
    store->Save(TRUE);
    // Writing the defaults leaves the values in memory alone ...
    EXPECT_EQ(store->m_CurLineColor.GetValue(), 0x0000FFu);
    store->ReadFromRegistry();
    // ... and reading them back resets every stored setting.
    EXPECT_EQ(store->m_CurLineColor.GetValue(), 0u);
    EXPECT_TRUE(store->m_StatDefaults.Title.GetValue().isEmpty());
    EXPECT_EQ(store->m_GraphDefaults.FunctionStyle[3].Pen.GetValue(), ID_LINE_SOLID1);
    EXPECT_TRUE(store->m_GalleryPath.GetValue().isEmpty());
    EXPECT_EQ(store->m_DefaultPath.GetValue(), QStringLiteral("/home/u/drawings"));
    ForEachRow([](const SettingGroup& group, const SettingRow& row) {
        if (QLatin1String(row.key) != QLatin1String("DefaultPath")) {
            EXPECT_EQ(ProfileText(group, row), DefaultText(row)) << group.name << row.key;
        }
    });
}

TEST_F(SettingsStore, MADLevelFromProfileIsClamped) {
    struct Case {
        const char* stored;
        int level;
    } cases[] = {{"7", 3}, {"-1", 0}, {"3", 3}, {"0", 0}, {"2147483647", 3}};
    for (const Case& c : cases) {
        WriteProfileString(QStringLiteral("System"), QStringLiteral("MADLevel"),
                           QString::fromLatin1(c.stored));
        auto store = std::make_unique<QvSettings>();
        store->Load();
        EXPECT_EQ(store->m_MADLevel.GetValue(), c.level) << c.stored;
        EXPECT_EQ(store->MADLevel(), c.level) << c.stored;
    }
}

TEST_F(SettingsStore, EquationDecimalPointComesFromTheLocaleAndIsNeverStored) {
    auto old = SetDecimalPointSource([] { return ','; });
    auto store = std::make_unique<QvSettings>();
    store->Load();
    EXPECT_EQ(store->m_EquationDefaults.DecimalPoint.GetValue(), ',');
    EXPECT_EQ(store->m_EquationDefaults.Separator.GetValue(), ';');
    store->Save(FALSE);
    SetDecimalPointSource([] { return '.'; });
    store->ReadFromRegistry();
    EXPECT_EQ(store->m_EquationDefaults.DecimalPoint.GetValue(), '.');
    EXPECT_EQ(store->m_EquationDefaults.Separator.GetValue(), ',');
    EXPECT_FALSE(ProfileSettings().contains(QStringLiteral("Equation/DecimalPoint")));
    SetDecimalPointSource(old);
}

TEST_F(SettingsStore, WritingTheDefinitionFileReportsWhereOrWhyNot) {
    auto store = std::make_unique<QvSettings>();
    store->Load();
    {
        MessageRecorder recorder;
        store->WriteDefFileAndReport();
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Definition File"));
        EXPECT_TRUE(recorder.messages[0].text.contains(QDir::currentPath()));
        EXPECT_TRUE(QFile::exists(DefPath()));
    }
    const QByteArray before = ReadDefFile();
    // A path the file could not carry back: the old file stays as it was.
    store->m_GalleryPath.SetValue(QStringLiteral("/") + QString(400, 'p'));
    {
        MessageRecorder recorder;
        EXPECT_FALSE(store->WriteDefFile());
        store->WriteDefFileAndReport();
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_TRUE(recorder.messages[0].text.contains(QStringLiteral("could not be written")));
    }
    EXPECT_TRUE(ReadDefFile() == before);
    // Nor does a disk that fills up at the last write.
    store->m_GalleryPath.SetValue(QStringLiteral("/galleries"));
    {
        FileSizeLimit full(rlim_t(before.size() - 1));
        EXPECT_FALSE(store->WriteDefFile());
    }
    EXPECT_TRUE(ReadDefFile() == before);
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{QStringLiteral("Lumbrel2.def")});
}
