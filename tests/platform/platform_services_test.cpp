#include "common/test_support.h"
#include "platform/codepage.h"
#include "platform/crt_random.h"
#include "platform/file.h"
#include "platform/gdi_types.h"
#include "platform/message_box.h"
#include "platform/numbers.h"
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>

TEST(Profile, RoundTripAndFallbacks) {
    TempProfile profile;
    EXPECT_TRUE(WriteProfileInt("System", "MADLevel", 3));
    EXPECT_TRUE(WriteProfileString("System", "GalleryPath", "/home/a, b/Galleries"));
    EXPECT_TRUE(WriteProfileBinary("Toolbars", "State", QByteArray("\x00\x01\xFF", 3)));
    EXPECT_TRUE(WriteProfileString("Text", "Font", "Times New Roman,12"));
    FlushProfile();
    ResetProfile(); // read back from the file, not the cache

    EXPECT_EQ(GetProfileInt("System", "MADLevel", -1), 3);
    EXPECT_EQ(GetProfileString("System", "GalleryPath"), "/home/a, b/Galleries");
    EXPECT_EQ(GetProfileString("Text", "Font"), "Times New Roman,12");
    QByteArray state;
    EXPECT_TRUE(GetProfileBinary("Toolbars", "State", state));
    EXPECT_EQ(state, QByteArray("\x00\x01\xFF", 3));

    EXPECT_EQ(GetProfileInt("System", "Missing", 42), 42);
    EXPECT_EQ(GetProfileString("Nowhere", "Missing", "fallback"), "fallback");
    EXPECT_FALSE(GetProfileBinary("Nowhere", "Missing", state));
    // A text where a number is expected counts as missing.
    WriteProfileString("System", "Broken", "abc");
    EXPECT_EQ(GetProfileInt("System", "Broken", 7), 7);
    // Keys are case-sensitive.
    EXPECT_EQ(GetProfileInt("System", "madlevel", 9), 9);
    EXPECT_EQ(QFileInfo(ProfilePath()).absoluteFilePath(),
              QFileInfo(profile.path).absoluteFilePath());
}

TEST(Profile, HandWrittenCommaValueReadsWhole) {
    TempProfile profile;
    ResetProfile();
    QFile f(profile.path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Text]\nFont=Arial,-12,0,400\n");
    f.close();
    EXPECT_EQ(GetProfileString("Text", "Font"), "Arial,-12,0,400");
}

TEST(Profile, TestsNeverUseTheUserProfile) {
    QString userIni =
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Varnholt Software", "Lumbrel200")
            .fileName();
    EXPECT_NE(QFileInfo(ProfilePath()).absoluteFilePath(), QFileInfo(userIni).absoluteFilePath());
}

namespace {
// A comma-decimal locale, built once per build tree and kept there: building
// it takes longer than the rest of the tests together.  Empty where this
// system has no localedef or no German locale source (Debian package
// 'locales'), or with `problem` set where building it failed.
QString CommaLocaleDir(QString* problem) {
    const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
    if (localedef.isEmpty() || !QFileInfo::exists(QStringLiteral("/usr/share/i18n/locales/de_DE")))
        return {};
    const QString dir = QStringLiteral(LUMBREL_BINARY_DIR "/test_locales");
    const QString target = dir + QStringLiteral("/de_DE.UTF-8");
    if (QFileInfo::exists(target + QStringLiteral("/LC_NUMERIC")))
        return dir;
    // Built aside and renamed into place, so that a broken run leaves nothing
    // half-built for the next one to trust.
    QDir().mkpath(dir);
    QTemporaryDir scratch(dir + QStringLiteral("/build-XXXXXX"));
    const QString built = scratch.path() + QStringLiteral("/de_DE.UTF-8");
    if (QProcess::execute(localedef, {"-i", "de_DE", "-f", "UTF-8", built}) != 0) {
        *problem = QStringLiteral("localedef failed");
        return {};
    }
    if (!QDir().rename(built, target) &&
        !QFileInfo::exists(target + QStringLiteral("/LC_NUMERIC"))) {
        *problem = QStringLiteral("could not keep the built locale in ") + dir;
        return {};
    }
    return dir;
}
} // namespace

TEST(Numbers, IgnoreTheUserLocale) {
    QString problem;
    const QString localeDir = CommaLocaleDir(&problem);
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    if (localeDir.isEmpty())
        GTEST_SKIP() << "no localedef or de_DE locale source (Debian package 'locales')";
    QByteArray oldLocPath = qgetenv("LOCPATH");
    qputenv("LOCPATH", localeDir.toLocal8Bit());
    ASSERT_NE(setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    char check[32];
    snprintf(check, sizeof check, "%f", 0.5);
    EXPECT_STREQ(check, "0,500000"); // the locale really is active

    EXPECT_EQ(FormatC("%f", 0.5), "0.500000");
    EXPECT_EQ(FormatC("(%.2f,%.2f)", 1.0, -2.345), "(1.00,-2.35)");
    EXPECT_EQ(AtofC("0.5"), 0.5);
    EXPECT_EQ(AtofC(QStringLiteral("  -1.25e2xyz")), -125.0);
    EXPECT_EQ(AtofC("abc"), 0.0);
    EXPECT_EQ(AtoiC("42 rest"), 42);

    setlocale(LC_NUMERIC, "C");
    if (oldLocPath.isNull())
        qunsetenv("LOCPATH");
    else
        qputenv("LOCPATH", oldLocPath);
}

TEST(Numbers, LongFormat) {
    QString s = FormatC("%s", std::string(500, 'a').c_str());
    EXPECT_EQ(s.size(), 500);
}

TEST(CrtRandom, MatchesTheExpectedSequence) {
    CrtSrand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int e : expected)
        EXPECT_EQ(CrtRand(), e);
    CrtSrand(12345);
    for (int i = 0; i < 10000; ++i) {
        int v = CrtRand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, CRT_RAND_MAX);
    }
}

TEST(Codepage, Windows1252RoundTrip) {
    QByteArray all(256, 0);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    QString text = FromWindows1252(all);
    EXPECT_EQ(text[0x80], QChar(0x20AC));
    EXPECT_EQ(text[0x96], QChar(0x2013));
    EXPECT_EQ(text[0xE9], QChar(0xE9));
    QByteArray back;
    EXPECT_TRUE(ToWindows1252(text, back));
    EXPECT_EQ(back, all);
    EXPECT_FALSE(IsWindows1252(QString::fromUtf8("α")));
    EXPECT_FALSE(ToWindows1252(QString::fromUtf8("aαb"), back));
    EXPECT_EQ(back, QByteArray("a?b"));
}

TEST(File, ReadWriteSeekRemove) {
    QTemporaryDir dir;
    QString oldCwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        CFile f;
        ASSERT_TRUE(f.Open("bare.bin", CFile::modeCreate | CFile::modeWrite));
        f.Write("abcdef", 6);
    }
    EXPECT_TRUE(CFile::Exists(dir.path() + "/bare.bin"));
    {
        CFile f("bare.bin", CFile::modeRead);
        EXPECT_EQ(f.GetLength(), 6);
        f.Seek(2, CFile::begin);
        char buf[8] = {};
        EXPECT_EQ(f.Read(buf, 8), 4u);
        EXPECT_STREQ(buf, "cdef");
        EXPECT_THROW(f.Seek(-10, CFile::current), CFileException);
    }
    CFileException error;
    CFile missing;
    EXPECT_FALSE(missing.Open("missing.bin", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    CFile::Remove("bare.bin");
    EXPECT_FALSE(CFile::Exists("bare.bin"));
    EXPECT_THROW(CFile::Remove("bare.bin"), CFileException);
    QDir::setCurrent(oldCwd);
}

TEST(MessageBox, RecorderCapturesTextAndAnswers) {
    MessageRecorder recorder(IDNO);
    EXPECT_EQ(ShowMessageBox("Save changes?", "Lumbrel V2", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(AfxMessageBox("Cannot open the Clipboard"), IDNO);
    MessageBeep();
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].type, MB_YESNOCANCEL);
    EXPECT_EQ(recorder.messages[1].caption, "Lumbrel V2");
    EXPECT_EQ(recorder.messages[1].text, "Cannot open the Clipboard");
    EXPECT_EQ(recorder.beeps, 1);
}

TEST(GdiTypes, RectSemantics) {
    CRect r(10, 40, 0, 20); // as a y-up mapping gives it
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(0, 20, 10, 40));
    EXPECT_TRUE(r.PtInRect(CPoint(0, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 20))); // right edge is outside
    CRect i;
    EXPECT_FALSE(i.IntersectRect(r, CRect(10, 20, 30, 40)));
    EXPECT_TRUE(i.IsRectNull());
    CRect u;
    EXPECT_TRUE(u.UnionRect(r, CRect()));
    EXPECT_EQ(u, r);
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}
