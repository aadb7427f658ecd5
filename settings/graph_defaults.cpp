#include "settings/graph_defaults.h"

#include "platform/command_ids.h"
#include "platform/gdi_types.h"
#include "settings/group_io.h"

namespace {
const QString kGraph = QStringLiteral("Graph");
const QString kNumberLine = QStringLiteral("NumberLine");
} // namespace

// --- function styles -------------------------------------------------------------

void QvFunctionStyle::SetKeys(QString suffix) {
    VAsym.Init(kGraph, QStringLiteral("VAsym") + suffix, 0, 1);
    HAsym.Init(kGraph, QStringLiteral("HAsym") + suffix, 0, 0);
    RangeArrows.Init(kGraph, QStringLiteral("RangeArrows") + suffix, 0, 1);
    ShowLow.Init(kGraph, QStringLiteral("ShowLow") + suffix, 0, 1);
    ShowHigh.Init(kGraph, QStringLiteral("ShowHigh") + suffix, 0, 1);
    m_Color.Init(kGraph, QStringLiteral("m_Color") + suffix, 0, RGB(200, 200, 200));
    m_ShadeColor.Init(kGraph, QStringLiteral("m_ShadeColor") + suffix, 0, RGB(200, 200, 200));
    m_ShadeType.Init(kGraph, QStringLiteral("m_ShadeType") + suffix, 0, 0);
    m_HatchType.Init(kGraph, QStringLiteral("m_HatchType") + suffix, 0, 0);
    Pen.Init(kGraph, QStringLiteral("Pen") + suffix, 0, ID_LINE_SOLID1);
}

template <class F> static void Visit(QvFunctionStyle& g, F f) {
    f(g.VAsym), f(g.HAsym), f(g.RangeArrows), f(g.ShowLow), f(g.ShowHigh), f(g.m_Color);
    f(g.m_ShadeColor), f(g.m_ShadeType), f(g.m_HatchType), f(g.Pen);
}
LUMBREL_GROUP_IO(QvFunctionStyle)

// --- Graph -------------------------------------------------------------------------

QvGraphDefaults::QvGraphDefaults() {
    xMaxShowS.Init(kGraph, QStringLiteral("xMaxShowS"), 0, QStringLiteral("10"));
    yMaxShowS.Init(kGraph, QStringLiteral("yMaxShowS"), 0, QStringLiteral("10"));
    xMinShowS.Init(kGraph, QStringLiteral("xMinShowS"), 0, QStringLiteral("-10"));
    yMinShowS.Init(kGraph, QStringLiteral("yMinShowS"), 0, QStringLiteral("-10"));
    xMajorS.Init(kGraph, QStringLiteral("xMajorS"), 0, QStringLiteral("2"));
    yMajorS.Init(kGraph, QStringLiteral("yMajorS"), 0, QStringLiteral("2"));
    xMinorS.Init(kGraph, QStringLiteral("xMinorS"), 0, QStringLiteral("0.5"));
    yMinorS.Init(kGraph, QStringLiteral("yMinorS"), 0, QStringLiteral("0.5"));
    const COLORREF grey = RGB(200, 200, 200);
    xGridMajorColor.Init(kGraph, QStringLiteral("xGridMajorColor"), 0, grey);
    xGridMinorColor.Init(kGraph, QStringLiteral("xGridMinorColor"), 0, grey);
    yGridMajorColor.Init(kGraph, QStringLiteral("yGridMajorColor"), 0, grey);
    yGridMinorColor.Init(kGraph, QStringLiteral("yGridMinorColor"), 0, grey);
    xGridMajorPen.Init(kGraph, QStringLiteral("xGridMajorPen"), 0, ID_LINE_SOLID1);
    xGridMinorPen.Init(kGraph, QStringLiteral("xGridMinorPen"), 0, ID_LINE_SOLID1);
    yGridMajorPen.Init(kGraph, QStringLiteral("yGridMajorPen"), 0, ID_LINE_SOLID1);
    yGridMinorPen.Init(kGraph, QStringLiteral("yGridMinorPen"), 0, ID_LINE_SOLID1);
    AngleType.Init(kGraph, QStringLiteral("AngleType"), 0, 0);
    xNotate.Init(kGraph, QStringLiteral("xNotate"), 0, QStringLiteral("x"));
    yNotate.Init(kGraph, QStringLiteral("yNotate"), 0, QStringLiteral("y"));
    ShowGrid.Init(kGraph, QStringLiteral("ShowGrid"), 0, 0);
    AutoScale.Init(kGraph, QStringLiteral("AutoScale"), 0, 0);
    AxisFont.Init(kGraph, QStringLiteral("AxisFont"), 0, QvLogFont());
    NotateFont.Init(kGraph, QStringLiteral("NotateFont"), 0, QvLogFont());
    ReportFont.Init(kGraph, QStringLiteral("ReportFont"), 0, QvLogFont());

    struct SlotLook {
        COLORREF color, shade;
        int hatch;
    };
    static const SlotLook looks[kFunctionCount] = {
        {RGB(0, 0, 255), RGB(210, 210, 255), 2},     {RGB(255, 0, 0), RGB(255, 220, 210), 3},
        {RGB(255, 0, 255), RGB(230, 180, 230), 1},   {RGB(0, 255, 255), RGB(180, 220, 230), 0},
        {RGB(127, 127, 127), RGB(240, 240, 240), 5}, {RGB(0, 255, 0), RGB(240, 170, 240), 4},
        {RGB(127, 0, 0), RGB(127, 170, 170), 2},     {RGB(0, 127, 0), RGB(170, 127, 170), 3},
        {RGB(165, 203, 247), RGB(145, 170, 230), 1}, {RGB(195, 195, 195), RGB(100, 100, 100), 0},
    };
    for (int i = 0; i < kFunctionCount; ++i) {
        QvFunctionStyle& style = FunctionStyle[i];
        style.SetKeys(QString::number(i));
        style.m_Color.Init(kGraph, style.m_Color.GetKey(), 0, looks[i].color);
        style.m_ShadeColor.Init(kGraph, style.m_ShadeColor.GetKey(), 0, looks[i].shade);
        style.m_HatchType.Init(kGraph, style.m_HatchType.GetKey(), 0, looks[i].hatch);
    }

    xLine.Init(kGraph, QStringLiteral("xLine"), 0, ID_LINE_SOLID1);
    yLine.Init(kGraph, QStringLiteral("yLine"), 0, ID_LINE_SOLID1);
    xColor.Init(kGraph, QStringLiteral("xColor"), 0, 0);
    yColor.Init(kGraph, QStringLiteral("yColor"), 0, 0);
    ShowOrigin.Init(kGraph, QStringLiteral("ShowOrigin"), 1, 0);
    ShowNegativeArrows.Init(kGraph, QStringLiteral("ShowNegativeArrows"), 1, 1);
    ShowPositiveArrows.Init(kGraph, QStringLiteral("ShowPositiveArrows"), 1, 1);
    ShadeAbove.Init(kGraph, QStringLiteral("ShadeAbove"), 1, 1);
}

template <class F> static void Visit(QvGraphDefaults& g, F f) {
    f(g.xMaxShowS), f(g.yMaxShowS), f(g.xMinShowS), f(g.yMinShowS);
    f(g.xMajorS), f(g.yMajorS), f(g.xMinorS), f(g.yMinorS);
    f(g.xGridMajorColor), f(g.xGridMinorColor), f(g.yGridMajorColor), f(g.yGridMinorColor);
    f(g.xGridMajorPen), f(g.xGridMinorPen), f(g.yGridMajorPen), f(g.yGridMinorPen);
    f(g.AngleType), f(g.xNotate), f(g.yNotate), f(g.ShowGrid), f(g.AutoScale);
    f(g.AxisFont), f(g.NotateFont), f(g.ReportFont);
    f(g.xLine), f(g.yLine), f(g.xColor), f(g.yColor);
    f(g.ShowOrigin), f(g.ShowNegativeArrows), f(g.ShadeAbove);
    for (QvFunctionStyle& style : g.FunctionStyle)
        f(style);
    f(g.ShowPositiveArrows);
}
LUMBREL_GROUP_IO(QvGraphDefaults)

// --- NumberLine ----------------------------------------------------------------------

QvNumberLineDefaults::QvNumberLineDefaults() {
    xMaxShowS.Init(kNumberLine, QStringLiteral("xMaxShowS"), 0, QStringLiteral("5"));
    xMinShowS.Init(kNumberLine, QStringLiteral("xMinShowS"), 0, QStringLiteral("-5"));
    xMajorS.Init(kNumberLine, QStringLiteral("xMajorS"), 0, QStringLiteral("1"));
    xMinorS.Init(kNumberLine, QStringLiteral("xMinorS"), 0, QStringLiteral("0.5"));
    AxisFont.Init(kNumberLine, QStringLiteral("AxisFont"), 0, QvLogFont());
    static const COLORREF colors[kGraphColorCount] = {0xFF0000, 0x0000FF, 0xFF00FF, 0xFFFF00,
                                                      0x7F7F7F, 0x00FF00, 0x00007F, 0x007F00,
                                                      0xF7CBA5, 0xC3C3C3};
    // These ten had no key of their own; a key each keeps them apart in the
    // profile, and their starting values serve as defaults.
    for (int i = 0; i < kGraphColorCount; ++i)
        GraphColor[i].Init(kNumberLine, QStringLiteral("GraphColor%1").arg(i), 0, colors[i]);
    xColor.Init(kNumberLine, QStringLiteral("xColor"), 0, 0);
    xLine.Init(kNumberLine, QStringLiteral("xLine"), 0, ID_LINE_SOLID1);
}

template <class F> static void Visit(QvNumberLineDefaults& g, F f) {
    f(g.xMaxShowS), f(g.xMinShowS), f(g.xMajorS), f(g.xMinorS), f(g.AxisFont), f(g.xLine);
    f(g.xColor);
    for (QvSettingColor& c : g.GraphColor)
        f(c);
}
LUMBREL_GROUP_IO(QvNumberLineDefaults)
