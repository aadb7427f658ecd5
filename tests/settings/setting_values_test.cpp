#include "common/test_support.h"

#include "platform/file.h"
#include "platform/profile.h"
#include "settings/setting_values.h"
#include "settings/step_tables.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QString kSection = QStringLiteral("Test");

class SettingValues : public ::testing::Test {
protected:
    QString FilePath() const { return m_dir.filePath(QStringLiteral("values.def")); }
    QByteArray FileBytes() const {
        QFile f(FilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void SetFileBytes(const QByteArray& bytes) const {
        QFile f(FilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    TempProfile m_profile;
    QTemporaryDir m_dir;
};
} // namespace

TEST_F(SettingValues, MissingOrUnreadableEntryKeepsTheCurrentValue) {
    QvSettingInt i;
    i.Init(kSection, QStringLiteral("Int"), 5);
    i.SetValue(9);
    QvSettingString s;
    s.Init(kSection, QStringLiteral("Str"), QStringLiteral("a"));
    s.SetValue(QStringLiteral("b"));
    QvSettingFont f;
    f.Init(kSection, QStringLiteral("Font"), QvLogFont());
    QvLogFont bold;
    bold.m_logFont.lfWeight = 700;
    f.SetValue(bold);
    QvSettingDouble d;
    d.Init(kSection, QStringLiteral("Dbl"), 1.0);
    d.SetValue(2.5);

    // Missing: every kind keeps what it holds, not its default.
    i.Read(nullptr, nullptr);
    s.Read(nullptr, nullptr);
    f.Read(nullptr, nullptr);
    d.Read(nullptr, nullptr);
    EXPECT_EQ(i.GetValue(), 9);
    EXPECT_EQ(s.GetValue(), QStringLiteral("b"));
    EXPECT_EQ(f.GetValue().m_logFont.lfWeight, 700);
    EXPECT_DOUBLE_EQ(d.GetValue(), 2.5);

    // Text where a number belongs: the int keeps its value, the double reads 0.
    WriteProfileString(kSection, QStringLiteral("Int"), QStringLiteral("abc"));
    WriteProfileString(kSection, QStringLiteral("Dbl"), QStringLiteral("abc"));
    i.Read(nullptr, nullptr);
    d.Read(nullptr, nullptr);
    EXPECT_EQ(i.GetValue(), 9);
    EXPECT_DOUBLE_EQ(d.GetValue(), 0.0);
}

TEST_F(SettingValues, BoolReadsTrueOnlyForOne) {
    const int stored[] = {0, 1, 2, -1, 256};
    for (int n : stored) {
        QvSettingBool b;
        b.Init(kSection, QStringLiteral("Flag"), 1);
        WriteProfileInt(kSection, QStringLiteral("Flag"), n);
        b.Read(nullptr, nullptr);
        EXPECT_EQ(b.GetValue(), n == 1 ? 1 : 0) << n;

        SetFileBytes(QByteArray(reinterpret_cast<const char*>(&n), 4));
        CFile file(FilePath(), CFile::modeRead);
        b.SetValue(1);
        b.Read(nullptr, &file);
        EXPECT_EQ(b.GetValue(), n == 1 ? 1 : 0) << n;
    }
}

TEST_F(SettingValues, DoublesAreStoredWithSixDecimalsInTheCLocale) {
    struct Case {
        double value;
        const char* text;
        double back;
    } cases[] = {
        {0.5, "0.500000", 0.5}, {0.0000004, "0.000000", 0.0}, {-10.0, "-10.000000", -10.0}};
    for (const Case& c : cases) {
        QvSettingDouble d;
        d.Init(kSection, QStringLiteral("Dbl"), 0.0);
        d.SetValue(c.value);
        d.Write(nullptr, nullptr, FALSE);
        EXPECT_EQ(GetProfileString(kSection, QStringLiteral("Dbl")), QLatin1String(c.text));
        d.SetValue(99.0);
        d.Read(nullptr, nullptr);
        EXPECT_DOUBLE_EQ(d.GetValue(), c.back);
    }
}

TEST_F(SettingValues, DefinitionStringsAreBoundedAndClosedByFF) {
    {
        CFile file(FilePath(), CFile::modeCreate | CFile::modeWrite);
        WriteDefString(&file, QString());
        WriteDefString(&file, QStringLiteral("\u00ff-\u2013")); // 'ÿ' would close the text early
        QvSettingInt i;
        i.Init(kSection, QStringLiteral("Int"), -2);
        i.Write(nullptr, &file, TRUE);
        EXPECT_THROW(WriteDefString(&file, QString(kMaxDefString + 1, 'x')), CFileException);
    }
    EXPECT_EQ(FileBytes(), QByteArray::fromHex("ff 3f2d96ff feffffff"));

    struct Case {
        const char* name;
        QByteArray bytes;
    } bad[] = {{"end of file", QByteArray("abc")},
               {"too long", QByteArray(kMaxDefString + 1, 'x') + '\xFF'}};
    for (const Case& c : bad) {
        SetFileBytes(c.bytes);
        CFile file(FilePath(), CFile::modeRead);
        EXPECT_THROW(ReadDefString(&file), CFileException) << c.name;
    }
    SetFileBytes(QByteArray(kMaxDefString, 'y') + '\xFF');
    CFile file(FilePath(), CFile::modeRead);
    EXPECT_EQ(ReadDefString(&file), QString(kMaxDefString, 'y'));
}

TEST_F(SettingValues, ShortNumberInFileThrowsAndKeepsTheValue) {
    SetFileBytes(QByteArray("\x01\x02", 2));
    CFile file(FilePath(), CFile::modeRead);
    QvSettingColor c;
    c.Init(kSection, QStringLiteral("Col"), 0x123456);
    EXPECT_THROW(c.Read(nullptr, &file), CFileException);
    EXPECT_EQ(c.GetValue(), 0x123456u);
}

TEST(StepTables, SearchPicksMajorAndMinorSteps) {
    struct Case {
        double range;
        std::span<const QString> table;
        const char* major;
        const char* minor;
    } cases[] = {
        {10, AxisStepTexts, "1", "0.2"},
        {12, AxisStepTexts, "2", "0.5"}, // a target equal to an entry passes over it
        {0, AxisStepTexts, "0.005", "0.001"},
        {-5, AxisStepTexts, "0.005", "0.001"},
        {360, DegreeStepTexts, "45", "15"},
        {6, RadianStepTexts, "pi/6", "pi/18"},
        {10, RadianStepTexts, "pi/3", "pi/6"},
        {1e40, AxisStepTexts, "100000000000000000000000000", "5000000"},
        {1e40, DegreeStepTexts, "100000000000000000000000000", "360"},
    };
    for (const Case& c : cases) {
        QvStepChoice steps = QvFindSteps(c.range, c.table);
        EXPECT_EQ(steps.major, QLatin1String(c.major)) << c.range;
        EXPECT_EQ(steps.minor, QLatin1String(c.minor)) << c.range;
    }
}

TEST(StepTables, FieldChoosesTheTable) {
    EXPECT_EQ(QvStepTableFor(QStringLiteral("2pi"), 6.28).data(), RadianStepTexts);
    EXPECT_EQ(QvStepTableFor(QStringLiteral("360"), 360).data(), DegreeStepTexts);
    EXPECT_EQ(QvStepTableFor(QStringLiteral("1080"), 1080).data(), DegreeStepTexts);
    EXPECT_EQ(QvStepTableFor(QStringLiteral("100"), 100).data(), AxisStepTexts);
}
