#pragma once
// What a drawing or gallery of the older format held that this version
// could not keep as it was.  The reader counts; whoever opened the file
// tells the user once it is open.
#include <QString>

struct QvLegacyLosses {
    int polygons = 0; // polygons cut to their first 255 points

    bool IsEmpty() const { return polygons == 0; }
    QvLegacyLosses& operator+=(const QvLegacyLosses& more) {
        polygons += more.polygons;
        return *this;
    }
    // One line per kind of loss; empty when nothing was lost.
    QString Describe() const;
};
