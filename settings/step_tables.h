#pragma once
// The step texts from which automatic axis scaling picks a major and a minor
// step.  Each table ends in a closing entry (10^26) larger than any target.
#include <QString>

#include <span>

inline constexpr int kAxisStepCount = 32;
inline constexpr int kAngleStepCount = 10;
extern const QString AxisStepTexts[kAxisStepCount];    // 1-2-5 steps
extern const QString DegreeStepTexts[kAngleStepCount]; // angle steps in degrees
extern const QString RadianStepTexts[kAngleStepCount]; // multiples of pi

struct QvStepChoice {
    QString major;
    QString minor;
};

// The first entry from index 2 on whose value exceeds range / 12 is the
// major step, the entry two below it the minor step.  The search stops at
// the closing entry.
QvStepChoice QvFindSteps(double range, std::span<const QString> table);

// The table an axis range field's text calls for: radians when it holds
// "pi", degrees when its value is a whole-turn-like angle, else 1-2-5.
std::span<const QString> QvStepTableFor(const QString& fieldText, double fieldValue);
