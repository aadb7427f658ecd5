#pragma once
// The program's one settings object: the current drawing style, the
// mathematical-drawing level, every figure kind's defaults, the custom
// colours and the gallery and default folders, kept in the profile and
// carried between installations by the definition file "Lumbrel2.def".
#include "platform/object.h"
#include "settings/figure_defaults.h"
#include "settings/graph_defaults.h"
#include "settings/setting_values.h"
#include "settings/stat_defaults.h"

#include <QString>

class QvSettings : public CObject {
public:
    QvSettings();

    // Start-up: top-level keys and defaults, the definition file if one is
    // there, then the profile.
    void Load();
    void Save(BOOL defaults);
    void ReadFromRegistry();
    // Every stored setting in the fixed order that is also the definition
    // file's layout; the profile when file is null.
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);
    BOOL Read(CWinApp* app, CFile* file);

    // Writes "Lumbrel2.def" in the current folder, whole or not at all.
    // Returns false when it could not be written.
    bool WriteDefFile();
    // Writes the definition file and tells the user where it went, or that
    // it could not be written.
    void WriteDefFileAndReport();
    // Imports "Lumbrel2.def" from the current folder, saves the profile and
    // deletes the file.  A file that ends early or holds a value no setting
    // can take is refused whole: nothing changes, the file stays, and the
    // user is told once.  Returns true when a file was imported.
    bool ImportDefFile();
    static QString DefFileName() { return QStringLiteral("Lumbrel2.def"); }
    // Where the definition file is written and looked for.
    static QString DefFilePath();

    // The snapping level, always 0 to 3.
    int MADLevel() const;

    // Not stored.
    BOOL m_bCloseDown = FALSE;
    int m_nShownLineColor = 0;
    int m_nShownFillColor = 0;
    int m_nShownLineStyle = 0;
    int m_nShownFillStyle = 0;
    // The grip size in device pixels, computed once by the drawing code; -1
    // until then.  The point marks keep their own sizes (geometry/marker.h).
    int m_nGripSize = -1;

    QvSettingColor m_CurLineColor;
    QvSettingColor m_CurFillColor;
    QvSettingInt m_CurLineType;
    QvSettingInt m_CurFillType;
    QvSettingInt m_MADLevel;
    QvLineDefaults m_LineDefaults;
    QvCircleDefaults m_CircleDefaults;
    QvCircleDefaults m_EllipseDefaults;
    QvPointDefaults m_PointDefaults;
    QvLineEndDefaults m_SmoothlineDefaults;
    QvLineEndDefaults m_BezierDefaults;
    QvArcDefaults m_ArcDefaults;
    QvAngleDefaults m_AngleDefaults;
    QvTextDefaults m_TextDefaults;
    QvEquationDefaults m_EquationDefaults;
    QvGridPointsDefaults m_GridPointsDefaults;
    QvNormDistDefaults m_NormDistDefaults;
    QvSettingInt m_RoundRectRadius;
    QvCustomColorSettings m_CustomColors;
    QvGraphDefaults m_GraphDefaults;
    QvSettingFont m_VennFont;
    QvStatDefaults m_StatDefaults;
    QvGridDotDefaults m_GridDotDefaults;
    QvNumberLineDefaults m_NumberLineDefaults;
    QvSettingString m_GalleryPath;
    QvSettingString m_DefaultPath;

private:
    // Load's first step: sections, keys and defaults of the top-level settings.
    void InitTopLevel();
    void ClampMADLevel();
};

// The one settings object, built on first use (before any profile access).
QvSettings& TheSettings();
