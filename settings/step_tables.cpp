#include "settings/step_tables.h"

#include "text/number_text.h"

namespace {
const QString kClosing = QStringLiteral("100000000000000000000000000");
}

const QString AxisStepTexts[kAxisStepCount] = {
    QStringLiteral("0.001"),    QStringLiteral("0.002"),
    QStringLiteral("0.005"),    QStringLiteral("0.01"),
    QStringLiteral("0.02"),     QStringLiteral("0.05"),
    QStringLiteral("0.1"),      QStringLiteral("0.2"),
    QStringLiteral("0.5"),      QStringLiteral("1"),
    QStringLiteral("2"),        QStringLiteral("5"),
    QStringLiteral("10"),       QStringLiteral("20"),
    QStringLiteral("50"),       QStringLiteral("100"),
    QStringLiteral("200"),      QStringLiteral("500"),
    QStringLiteral("1000"),     QStringLiteral("2000"),
    QStringLiteral("5000"),     QStringLiteral("10000"),
    QStringLiteral("20000"),    QStringLiteral("50000"),
    QStringLiteral("100000"),   QStringLiteral("200000"),
    QStringLiteral("500000"),   QStringLiteral("1000000"),
    QStringLiteral("2000000"),  QStringLiteral("5000000"),
    QStringLiteral("10000000"), kClosing};

const QString DegreeStepTexts[kAngleStepCount] = {QStringLiteral("10"),  QStringLiteral("15"),
                                                  QStringLiteral("30"),  QStringLiteral("45"),
                                                  QStringLiteral("60"),  QStringLiteral("90"),
                                                  QStringLiteral("180"), QStringLiteral("360"),
                                                  QStringLiteral("720"), kClosing};

const QString RadianStepTexts[kAngleStepCount] = {QStringLiteral("pi/18"), QStringLiteral("pi/12"),
                                                  QStringLiteral("pi/6"),  QStringLiteral("pi/4"),
                                                  QStringLiteral("pi/3"),  QStringLiteral("pi/2"),
                                                  QStringLiteral("pi"),    QStringLiteral("2pi"),
                                                  QStringLiteral("4pi"),   kClosing};

QvStepChoice QvFindSteps(double range, std::span<const QString> table) {
    const double target = range / 12.0;
    size_t index = 2;
    // A target beyond the closing entry would walk off the table.
    while (index + 1 < table.size() && QvTextToDouble(table[index]) <= target)
        ++index;
    return {table[index], table[index - 2]};
}

std::span<const QString> QvStepTableFor(const QString& fieldText, double fieldValue) {
    if (fieldText.contains(QLatin1String("pi")))
        return RadianStepTexts;
    for (double angle : {90.0, 135.0, 180.0, 270.0, 360.0, 450.0, 540.0, 720.0, 1080.0}) {
        if (fieldValue == angle)
            return DegreeStepTexts;
    }
    return AxisStepTexts;
}
