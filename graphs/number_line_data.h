#pragma once
// What a number line stores about itself: the settings of the whole line
// (range and step texts, switches, axis pen and font) and, ten times, one
// interval (the inequality as typed, its colour, and the window and
// rectangles the engine hands it).  The number line figure holds one
// QvNumberLineData and its engine another.
#include "platform/command_ids.h"
#include "platform/gdi_types.h"
#include "platform/object.h"
#include "platform/win_types.h"
#include "text/log_font.h"

#include <QString>

#include <cstdint>

class QvGraphDataNumberLineFunction : public CObject {
    DECLARE_SERIAL(QvGraphDataNumberLineFunction)
public:
    static constexpr WORD kVersion = 1;

    QvGraphDataNumberLineFunction() = default;
    // A copy takes everything but the frame rectangle, which belongs to
    // whoever holds the copy.
    QvGraphDataNumberLineFunction(const QvGraphDataNumberLineFunction& other);
    QvGraphDataNumberLineFunction& operator=(const QvGraphDataNumberLineFunction& other) {
        return Copy(other);
    }
    virtual QvGraphDataNumberLineFunction& Copy(const QvGraphDataNumberLineFunction& other);

    // Version 1: four doubles, four corners, two texts, colour and line
    // command.  Loading any version leaves m_Changed set; it is never stored.
    void Serialize(CArchive& ar) override;

    WORD version = 0;
    double m_xMax = 0.0;
    double reservedE = 0.0; // kept and stored
    double m_xMin = 0.0;
    double reservedF = 0.0; // kept and stored
    CRect m_PlotRect;       // first corner, opposite corner; the axis is its vertical middle
    CRect m_FrameRect;
    QString m_Expression; // the inequality as typed; empty: not in use
    QString secondText;   // kept and stored
    COLORREF m_Color = 0;
    int32_t m_LineCommand = int32_t(ID_LINE_SOLID1); // kept and stored
    int32_t m_Changed = 0;
};

class QvNumberLineData : public CObject {
    DECLARE_SERIAL(QvNumberLineData)
public:
    static constexpr WORD kVersion = 1;
    static constexpr int kIntervalCount = 10;

    // From the current "NumberLine" defaults, with the two copied switches
    // from the "Graph" ones; every interval changed, in its own colour.
    QvNumberLineData();
    QvNumberLineData(const QvNumberLineData& other);
    QvNumberLineData& operator=(const QvNumberLineData& other) { return Copy(other); }
    // Every field but the version; the intervals through their own Copy.
    virtual QvNumberLineData& Copy(const QvNumberLineData& other);

    // Version 1.  A stored version below 1 leaves the record as it is.
    void Serialize(CArchive& ar) override;

    WORD version = 0;
    double m_xMaxPad = 0.0, m_xMinPad = 0.0; // the padded ends the engine drew last
    CRect m_PlotRect;                        // the axis area the engine drew last
    CRect m_FrameRect;
    QString m_xMaxShow, m_xMinShow, m_xMajor, m_xMinor;
    // Written as 0, so that the same line always saves to the same bytes.
    int32_t reservedA = 0;
    int32_t m_ShowAxis = 1;
    int32_t m_ShowTicks = 1;
    int32_t m_ShowScale = 1;
    int32_t reservedB = 1; // kept and stored
    int32_t reservedC = 0; // kept and stored
    COLORREF m_AxisColor = 0;
    int32_t m_AxisLine = int32_t(ID_LINE_SOLID1);
    BYTE m_ShowOriginCopy = 0;     // kept and stored; drawing reads the current defaults
    BYTE m_ShowNegArrowsCopy = 0;  // kept and stored; drawing reads the current defaults
    int32_t reservedD = 1;         // kept and stored
    QvLogFont m_AxisFont;
    QvGraphDataNumberLineFunction m_Graphs[kIntervalCount];
};
