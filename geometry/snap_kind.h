#pragma once
// Snap kinds: the label, priority, cut-off level and per-mode switches of
// every kind of snap target, the test every primitive
// makes before it offers a point or guide shape of a kind, and
// the one place the geometry reads the mathematical-drawing mode from.
#include "platform/object.h"
#include "platform/win_types.h"

#include <QString>

#include <vector>

// ------------------------------------------------ mathematical-drawing mode
//
// The mode is the settings store's "MADLevel" (0 none, 1 grid points only,
// 2 cut-off levels, 3 unlimited), read at every use.  The geometry does not
// know the settings store: it calls QvGetMADLevel, which asks the reader
// installed by the store, or, while none is installed, returns a value of
// its own (2, the setting's default) that tests set with QvSetMADLevel.
using QvMADLevelReader = int (*)();

int QvGetMADLevel();
// Installs the reader QvGetMADLevel asks; nullptr goes back to the built-in
// value.  Returns the reader installed before.
QvMADLevelReader QvSetMADLevelReader(QvMADLevelReader reader);
// Sets the built-in value, used while no reader is installed.
void QvSetMADLevel(int level);

// ------------------------------------------------------------ snap kinds

// Kind numbers the kernel and the document use.
namespace QvSnap {
enum Kind : int {
    GridPoint = 0,
    EndOfLine = 1,
    MidPoint = 2,
    Quarter = 3,
    Third = 4,
    ParallelToLine = 5,
    PerpendicularToLine = 6,
    PointOnFigure = 7,
    Intersection = 8,
    AngleBisector = 9,
    IntersectionOfShapes = 10,
    GridPointOnFigure = 11,
    IntersectionOfFigureAnd = 12,
    GridPointOn = 13,
    PointOnShape = 14,
    Centre = 15,
    Tangent = 16,
    LineThroughCentre = 17,
    TangentToBothCircles = 18,
    RectVertex = 19,
    RectMidPoint = 20,
    Point = 21,
    PolygonVertex = 22,
    PolygonMidPoint = 23,
    EllipseCentre = 24,
    EndOfAxis = 25,
    Focus = 26,
    CentreOfCurvature = 27,
    EndOfArc = 28,
    MidPointOfArc = 29,
    MidPointOfChord = 30,
    AngleMark = 31,
    PointOnGraphPaper = 32,
};
constexpr int FilledKinds = 33; // kinds 0 to 32 are filled in
constexpr int TableSize = 100;  // records the table holds
constexpr int NoCutOff = 1000000;
} // namespace QvSnap

class QvSnapKind : public CObject {
public:
    QString name;                   // the label of every record of the kind
    double priority = 0.0;          // copied into every record of the kind
    LONG range = 20;                // cut-off level
    BYTE enabled[4] = {0, 0, 1, 1}; // one per mathematical-drawing mode 0-3

    // The enabled byte of the current mode.  A mode outside 0-3 (a
    // hand-edited profile) is held to the nearest end instead of reading past
    // the four bytes.
    BYTE IsEnabled() const;
    // 1000000 when the current mode is 3 or more, else the kind's range.
    LONG GetRange() const;
};

class QvSnapTable : public CObject {
public:
    // Fills kinds 0 to 32 with their names, priorities and ranges.
    QvSnapTable();

    const QvSnapKind& operator[](int kind) const { return m_kinds[size_t(kind)]; }
    int GetSize() const { return int(m_kinds.size()); }

private:
    std::vector<QvSnapKind> m_kinds;
};

// The program's one snap-kind table, built on first use and shared by
// every caller.
const QvSnapTable& QvGetSnapTable();
// The same table by name, the one the geometry and the snap search share.
extern const QvSnapTable& SnapTable;

// The snap-kind test: kind k is offered only when it is
// enabled in the current mode and level <= its range.
bool QvSnapKindPasses(int kind, int level);
