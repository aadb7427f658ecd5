#include "graphs/graph_data_function.h"

#include "graphs/archive_point.h"
#include "platform/archive.h"
#include "settings/figure_defaults.h"

IMPLEMENT_SERIAL(QvGraphDataFunction, CObject, 0)

QvGraphDataFunction::QvGraphDataFunction() : decimalChar(SystemDecimalPoint()) {}

QvGraphDataFunction::QvGraphDataFunction(const QvGraphDataFunction& other) : QvGraphDataFunction() {
    Copy(other);
}

QvGraphDataFunction& QvGraphDataFunction::Copy(const QvGraphDataFunction& other) {
    if (this == &other)
        return *this;
    const CPoint frameTL = frameTopLeft, frameBR = frameBottomRight;
    const char point = decimalChar;
    version = other.version;
    xMax = other.xMax;
    yMax = other.yMax;
    xMin = other.xMin;
    yMin = other.yMin;
    plotTopLeft = other.plotTopLeft;
    plotBottomRight = other.plotBottomRight;
    caption = other.caption;
    expression = other.expression;
    rangeText = other.rangeText;
    VAsym = other.VAsym;
    HAsym = other.HAsym;
    RangeArrows = other.RangeArrows;
    ShowLow = other.ShowLow;
    ShowHigh = other.ShowHigh;
    m_Color = other.m_Color;
    m_ShadeColor = other.m_ShadeColor;
    m_ShadeType = other.m_ShadeType;
    m_HatchType = other.m_HatchType;
    lineCommand = other.lineCommand;
    dirty = other.dirty;
    markFlag = other.markFlag;
    shadeAbove = other.shadeAbove;
    kind = other.kind;
    selectedPoint = other.selectedPoint;
    frameTopLeft = frameTL;
    frameBottomRight = frameBR;
    decimalChar = point;
    return *this;
}

void QvGraphDataFunction::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        version = kVersion;
        ar << version << xMax << yMax << xMin << yMin;
        for (const CPoint* p : {&plotTopLeft, &plotBottomRight, &frameTopLeft, &frameBottomRight})
            StorePoint(ar, *p);
        ar << caption << expression << rangeText;
        ar << LONG(VAsym) << LONG(HAsym) << LONG(RangeArrows) << LONG(ShowLow) << LONG(ShowHigh)
           << DWORD(m_Color) << DWORD(m_ShadeColor) << LONG(m_ShadeType) << LONG(m_HatchType);
        ar << LONG(lineCommand) << LONG(markFlag) << LONG(shadeAbove) << LONG(kind)
           << LONG(selectedPoint);
        return;
    }
    WORD stored = 0;
    ar >> stored;
    version = kVersion;
    // Whatever was read, the program is made again from the texts.
    dirty = 1;
    if (short(stored) < 1)
        return;
    ar >> xMax >> yMax >> xMin >> yMin;
    for (CPoint* p : {&plotTopLeft, &plotBottomRight, &frameTopLeft, &frameBottomRight})
        LoadPoint(ar, *p);
    ar >> caption >> expression >> rangeText;
    ar >> VAsym >> HAsym >> RangeArrows >> ShowLow >> ShowHigh >> m_Color >> m_ShadeColor >>
        m_ShadeType >> m_HatchType;
    ar >> lineCommand >> markFlag >> shadeAbove >> kind >> selectedPoint;
}
