#pragma once
// Default groups of the figure kinds: one profile section each.  A group
// reads and writes its settings in a fixed order, which is also its layout
// in the definition file.
#include "platform/object.h"
#include "settings/setting_values.h"

#include <functional>

// Section "Line": line and arrow-line figures.
class QvLineDefaults : public CObject {
public:
    QvLineDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt Start, StartSize, Stop, StopSize, Mid, MidSize;
    QvSettingDouble MidPos;
    QvSettingString Info;
    QvSettingFont Font;
    QvSettingDouble InfoPos;
    QvSettingInt VPos, InfoType;
};

// Smoothed lines ("Smoothline") and Bezier curves ("Bezier"); Init gives
// the section.
class QvLineEndDefaults : public CObject {
public:
    void Init(const QString& section);
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt VLen; // never stored: always 750
    QvSettingInt Start, StartSize, Stop, StopSize, Mid, MidSize;
    QvSettingDouble MidPos;
    QvSettingBool Closed;
    QvSettingInt LineType, Width;
};

// Circles and ellipses.  The ellipse group stores its mark under its own key
// so that the two defaults do not overwrite each other in the profile.
class QvCircleDefaults : public CObject {
public:
    explicit QvCircleDefaults(const QString& key = QStringLiteral("Centre"));
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt Centre;
};

class QvPointDefaults : public CObject {
public:
    QvPointDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt Mark;
};

class QvArcDefaults : public CObject {
public:
    QvArcDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt Centre;
    QvSettingInt Start, StartSize, Stop, StopSize, Mid, MidSize;
    QvSettingDouble MidPos;
    QvSettingInt CloseType;
    QvSettingBool Major;
};

class QvAngleDefaults : public CObject {
public:
    QvAngleDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt MarkType, PointType, AngleType, TextType, Size;
    QvSettingBool Major, AutoPerp, Angled;
    QvSettingString Text;
    QvSettingFont Font;
    QvSettingInt DecimalPlaces;
};

class QvTextDefaults : public CObject {
public:
    QvTextDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt Justify;
    QvSettingBool Rotatable;
    QvSettingFont Font;
};

// The decimal point the equation options take from the user's locale.
// Tests replace the source; an empty function restores QLocale::system().
char SystemDecimalPoint();
std::function<char()> SetDecimalPointSource(std::function<char()> source);

// Section "Equation": the typesetting options.  The decimal point and the
// separator are never stored: each read takes them from the locale.
class QvEquationDefaults : public CObject {
public:
    QvEquationDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingChar DecimalPoint, Separator;
    QvSettingInt LowerCase, DisplayVect, DoubleCaps, TabWidth, VerticalSpacing;
    QvSettingBool RaiseDecimal, IgnoreSeparator, FunctionsItalic, FunctionsBold, VariablesItalic,
        VariablesBold, GreekItalic, GreekBold;
    QvSettingBool Letter[26]; // "a" to "z"
    QvSettingBool DotMultiply;
};

// Section "GridPoints": the background grid of new drawings.
class QvGridPointsDefaults : public CObject {
public:
    QvGridPointsDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt Size;
    QvSettingBool Isometric, ShowGrid;
};

class QvNormDistDefaults : public CObject {
public:
    QvNormDistDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt Arrow, Arrow_Size;
    QvSettingBool yAxis, Baseline, Shade, Inverse;
};

// Section "GridDot": graph paper and dot grids.
class QvGridDotDefaults : public CObject {
public:
    QvGridDotDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingInt Style, Coord;
    QvSettingBool xLog, yLog;
    QvSettingDouble MajorSize, MinorSize, MajorAngle, MinorAngle;
    QvSettingInt PointType;
    QvSettingColor xGridMajorColor, xGridMinorColor, yGridMajorColor, yGridMinorColor;
    QvSettingInt xGridMajorPen, xGridMinorPen, yGridMajorPen, yGridMinorPen;
};
