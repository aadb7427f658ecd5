#include "settings/settings.h"

#include "geometry/snap_kind.h"

#include "platform/command_ids.h"
#include "platform/file.h"
#include "platform/message_box.h"
#include "platform/profile.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <memory>

namespace {
const QString kSystem = QStringLiteral("System");

// A definition file holds a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxDefFileSize = 1 << 20;
} // namespace

QvSettings::QvSettings() : m_EllipseDefaults(QStringLiteral("EllipseCentre")) {
    m_SmoothlineDefaults.Init(QStringLiteral("Smoothline"));
    m_BezierDefaults.Init(QStringLiteral("Bezier"));
    m_GalleryPath.Init(kSystem, QStringLiteral("GalleryPath"), QString());
    m_DefaultPath.Init(kSystem, QStringLiteral("DefaultPath"), QString());
}

void QvSettings::InitTopLevel() {
    m_CurLineColor.Init(kSystem, QStringLiteral("CurLineColor"), 0);
    m_CurFillColor.Init(kSystem, QStringLiteral("CurFillColor"), 0);
    m_CurLineType.Init(kSystem, QStringLiteral("CurLineType"), ID_LINE_HAIRLINE);
    m_CurFillType.Init(kSystem, QStringLiteral("CurFillType"), ID_FILL_NONE);
    m_MADLevel.Init(kSystem, QStringLiteral("MADLevel"), 2);
    m_RoundRectRadius.Init(QStringLiteral("RoundRect"), QStringLiteral("Radius"), 3000);
    m_VennFont.Init(QStringLiteral("Venn"), QStringLiteral("Font"), QvLogFont());
    m_CustomColors.Init();
}

void QvSettings::Load() {
    InitTopLevel();
    ImportDefFile();
    // Missing entries keep what the import just gave them.
    ReadFromRegistry();
    // From now on the geometry's snap checks follow the stored level.
    QvSetMADLevelReader([] { return TheSettings().MADLevel(); });
}

void QvSettings::Save(BOOL defaults) {
    Write(nullptr, nullptr, defaults);
    FlushProfile();
}

void QvSettings::ReadFromRegistry() {
    Read(nullptr, nullptr);
}

BOOL QvSettings::Write(CWinApp* app, CFile* file, BOOL defaults) {
    m_CurLineColor.Write(app, file, defaults);
    m_CurFillColor.Write(app, file, defaults);
    m_CurLineType.Write(app, file, defaults);
    m_CurFillType.Write(app, file, defaults);
    m_MADLevel.Write(app, file, defaults);
    m_LineDefaults.Write(app, file, defaults);
    m_CircleDefaults.Write(app, file, defaults);
    m_EllipseDefaults.Write(app, file, defaults);
    m_PointDefaults.Write(app, file, defaults);
    m_SmoothlineDefaults.Write(app, file, defaults);
    m_BezierDefaults.Write(app, file, defaults);
    m_RoundRectRadius.Write(app, file, defaults);
    m_ArcDefaults.Write(app, file, defaults);
    m_AngleDefaults.Write(app, file, defaults);
    m_TextDefaults.Write(app, file, defaults);
    m_EquationDefaults.Write(app, file, defaults);
    m_CustomColors.Write(app, file, defaults);
    m_GraphDefaults.Write(app, file, defaults);
    m_GridPointsDefaults.Write(app, file, defaults);
    m_VennFont.Write(app, file, defaults);
    m_NormDistDefaults.Write(app, file, defaults);
    m_StatDefaults.Write(app, file, defaults);
    m_GalleryPath.Write(app, file, defaults);
    m_GridDotDefaults.Write(app, file, defaults);
    m_NumberLineDefaults.Write(app, file, defaults);
    // Resetting every option keeps the user's default folder.
    m_DefaultPath.Write(app, file, FALSE);
    return TRUE;
}

BOOL QvSettings::Read(CWinApp* app, CFile* file) {
    m_CurLineColor.Read(app, file);
    m_CurFillColor.Read(app, file);
    m_CurLineType.Read(app, file);
    m_CurFillType.Read(app, file);
    m_MADLevel.Read(app, file);
    ClampMADLevel();
    m_LineDefaults.Read(app, file);
    m_CircleDefaults.Read(app, file);
    m_EllipseDefaults.Read(app, file);
    m_PointDefaults.Read(app, file);
    m_SmoothlineDefaults.Read(app, file);
    m_BezierDefaults.Read(app, file);
    m_RoundRectRadius.Read(app, file);
    m_ArcDefaults.Read(app, file);
    m_AngleDefaults.Read(app, file);
    m_TextDefaults.Read(app, file);
    m_EquationDefaults.Read(app, file);
    m_CustomColors.Read(app, file);
    m_GraphDefaults.Read(app, file);
    m_GridPointsDefaults.Read(app, file);
    m_VennFont.Read(app, file);
    m_NormDistDefaults.Read(app, file);
    m_StatDefaults.Read(app, file);
    m_GalleryPath.Read(app, file);
    m_GridDotDefaults.Read(app, file);
    m_NumberLineDefaults.Read(app, file);
    m_DefaultPath.Read(app, file);
    return TRUE;
}

int QvSettings::MADLevel() const {
    return std::clamp(m_MADLevel.GetValue(), 0, 3);
}

// The level indexes four enabled bytes per snap kind: a hand-edited profile
// must not take it outside them.
void QvSettings::ClampMADLevel() {
    m_MADLevel.SetValue(MADLevel());
}

QString QvSettings::DefFilePath() {
    return QDir::current().absoluteFilePath(DefFileName());
}

bool QvSettings::WriteDefFile() {
    // Written beside the real file and renamed over it, so that a failure
    // never leaves half a definition file to be imported at the next start.
    QSaveFile saveFile(DefFilePath());
    if (!saveFile.open(QIODevice::WriteOnly))
        return false;
    try {
        CFile file(&saveFile);
        Write(nullptr, &file, FALSE);
    } catch (const CFileException&) {
        saveFile.cancelWriting();
        return false;
    }
    return CommitSaveFile(saveFile);
}

void QvSettings::WriteDefFileAndReport() {
    const QString folder = QDir::toNativeSeparators(QDir::currentPath());
    if (WriteDefFile()) {
        ShowMessageBox(
            QStringLiteral("The definition file %1 has been written to the folder\n%2\n\n"
                           "Place a copy in the folder another copy of Lumbrel is "
                           "started from, and it will set that copy up with these "
                           "options.")
                .arg(DefFileName(), folder),
            QStringLiteral("Definition File"), MB_OK | MB_ICONINFORMATION);
    } else {
        ShowMessageBox(
            QStringLiteral("The definition file %1 could not be written to the folder\n%2")
                .arg(DefFileName(), folder),
            QStringLiteral("Definition File"), MB_OK | MB_ICONEXCLAMATION);
    }
}

bool QvSettings::ImportDefFile() {
    const QString path = DefFilePath();
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return false; // no definition file: nothing to import
    QString problem;
    // Read into a scratch store first, so that a bad file changes nothing.
    auto scratch = std::make_unique<QvSettings>();
    scratch->InitTopLevel();
    try {
        if (file.GetLength() > kMaxDefFileSize)
            throw CFileException(CFileException::invalidFile, path,
                                 QStringLiteral("it is far too large"));
        scratch->Read(nullptr, &file);
        char extra;
        if (file.Read(&extra, 1) != 0)
            throw CFileException(CFileException::invalidFile, path,
                                 QStringLiteral("it goes on after the last setting"));
    } catch (const CFileException& e) {
        problem = e.m_detail;
    }
    file.Close();
    if (!problem.isEmpty()) {
        ShowMessageBox(QStringLiteral("The definition file\n%1\nis not one this version of "
                                      "Lumbrel wrote (%2), so its settings were not imported. "
                                      "The file has been left where it is.")
                           .arg(QDir::toNativeSeparators(path), problem),
                       QStringLiteral("Definition File"), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }

    // Only the stored settings come over; what this session computed stays.
    QvSettings kept = *this;
    *this = *scratch;
    m_bCloseDown = kept.m_bCloseDown;
    m_nShownLineColor = kept.m_nShownLineColor;
    m_nShownFillColor = kept.m_nShownFillColor;
    m_nShownLineStyle = kept.m_nShownLineStyle;
    m_nShownFillStyle = kept.m_nShownFillStyle;
    m_nGripSize = kept.m_nGripSize;

    Save(FALSE);
    QFile::remove(path);
    return true;
}

QvSettings& TheSettings() {
    static QvSettings settings;
    return settings;
}
