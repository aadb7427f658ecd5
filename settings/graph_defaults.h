#pragma once
// Section "Graph": what every new function graph starts with, and the two
// arrow flags that graph drawing reads each time.
#include "platform/object.h"
#include "settings/setting_values.h"

// The saved look of one function slot; keys are the stems followed by the
// slot's digit ("m_Color3").
class QvFunctionStyle : public CObject {
public:
    void SetKeys(QString suffix);
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingBool VAsym, HAsym, RangeArrows, ShowLow, ShowHigh;
    QvSettingColor m_Color, m_ShadeColor;
    QvSettingInt m_ShadeType, m_HatchType, Pen;
};

class QvGraphDefaults : public CObject {
public:
    static constexpr int kFunctionCount = 10;
    QvGraphDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingString xMaxShowS, yMaxShowS, xMinShowS, yMinShowS, xMajorS, yMajorS, xMinorS, yMinorS;
    QvSettingColor xGridMajorColor, xGridMinorColor, yGridMajorColor, yGridMinorColor;
    QvSettingInt xGridMajorPen, xGridMinorPen, yGridMajorPen, yGridMinorPen;
    QvSettingInt AngleType;
    QvSettingString xNotate, yNotate;
    QvSettingBool ShowGrid, AutoScale;
    QvSettingFont AxisFont, NotateFont, ReportFont;
    QvFunctionStyle FunctionStyle[kFunctionCount];
    QvSettingColor xColor, yColor;
    QvSettingInt xLine, yLine;
    QvSettingBool ShowOrigin, ShowNegativeArrows, ShadeAbove, ShowPositiveArrows;
};

// Section "NumberLine": what every new number line starts with.
class QvNumberLineDefaults : public CObject {
public:
    static constexpr int kGraphColorCount = 10;
    QvNumberLineDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingString xMaxShowS, xMinShowS, xMajorS, xMinorS;
    QvSettingFont AxisFont;
    // The interval colours, in the profile as "GraphColor0" to "GraphColor9".
    QvSettingColor GraphColor[kGraphColorCount];
    QvSettingColor xColor;
    QvSettingInt xLine;
};
