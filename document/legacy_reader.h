#pragma once
// Drawings and galleries of the older format: a raw stream of fixed-layout
// records (16-bit integers, 80-bit reals) without any magic.  Nothing
// writes them any more; this reader is the only code that knows them.
//
// Every record begins with a 76-byte header: the record type, two corners,
// the pen, the brush and four reals; what follows depends on the type.
// Records are read whole or not at all: a short or malformed record throws
// CArchiveException, and the figure made so far goes with it.
#include "figures/legacy_losses.h"
#include "platform/win_types.h"

#include <memory>

class QIODevice;
class QvFigure;

// One little-endian 80-bit extended real as a double, the mantissa cut to
// its top 52 bits.  What a double cannot hold (infinities, NaNs, exponents
// out of its range, denormals) reads as 0.
double ExtendedToDouble(const BYTE* tenBytes);

class QvLegacyReader {
public:
    static constexpr int HeaderBytes = 76;
    // Older files measure in screen pixels.  They are taken at 96 dpi, so
    // that a file opens at the same size on every machine.
    static constexpr double UnitsPerPixel = 2540.0 / 96.0;
    static constexpr int PageHeight = 30000;
    // Containers inside containers deeper than this are refused: no real
    // drawing comes near, and the reading recurses.
    static constexpr int MaxNesting = 64;
    // A smooth line or polygon record takes no more points than this.
    static constexpr int MaxRecordPoints = 1000;

    // Reads one record, with the records nested in it, from the device's
    // position.  With `convertCoordinates` the corners are screen pixels,
    // turned into page units; otherwise (members of a container) they are
    // kept as stored.  Containers of types 1000, 1003 and 1004 become
    // gallery figures with `containersAsGallery`.  Null for a record that
    // makes no figure.
    std::unique_ptr<QvFigure> ReadFigure(QIODevice& file, bool convertCoordinates,
                                         bool containersAsGallery);

    // What the records read so far held that could not be kept.
    const QvLegacyLosses& Losses() const { return m_losses; }

private:
    QvLegacyLosses m_losses;
    int m_depth = 0;
};
