#include "figures/legacy_losses.h"

#include "figures/figure.h"

#include <QStringList>

QString QvLegacyLosses::Describe() const {
    QStringList lines;
    if (polygons == 1)
        lines << QStringLiteral("1 polygon had more than %1 points: only its first %1 were kept.")
                     .arg(QvFigure::MaxStoredPoints);
    else if (polygons > 1)
        lines << QStringLiteral(
                     "%1 polygons had more than %2 points: only their first %2 were kept.")
                     .arg(polygons)
                     .arg(QvFigure::MaxStoredPoints);
    return lines.join(QLatin1Char('\n'));
}
