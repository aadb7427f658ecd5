#pragma once
// Writes a device-independent bitmap as a PNG through libpng: checks the
// DIB against the bytes it was given, turns its rows into PNG rows (16-,
// 24- and 32-bit colour into 8-bit RGB, palettes and grey as they are) and
// hands them to the library top row first.
#include "platform/win_types.h"

#include <QString>

#include <cstddef>

class QIODevice;

struct PngText {
    int compression = -1; // -1 plain tEXt
    const char* key = nullptr;
    const char* text = nullptr;
};

struct PngColor16 {
    WORD red = 0;
    WORD green = 0;
    WORD blue = 0;
};

struct PngWriteRequest {
    static constexpr int Grey = 0;
    static constexpr int Rgb = 2;
    static constexpr int Palette = 3;

    // The info header (40 or 108 bytes) with the bit-field masks or the
    // colour table after it, and how many bytes of it may be read.
    const BYTE* header = nullptr;
    size_t headerBytes = 0;
    // The rows, bottom-up unless the height is negative.
    const BYTE* bits = nullptr;
    size_t bitsBytes = 0;
    int colorType = Rgb;
    int interlace = 0;   // non-zero: Adam7
    double gamma = -1.0; // written only when positive
    int textCount = 0;
    const PngText* texts = nullptr;
    int writeTime = 0; // non-zero: a tIME chunk with the time now
    // Transparency: alpha values for palette entries, their number (0 to
    // 256), and a transparent colour.
    const BYTE* alpha = nullptr;
    int transparentCount = 0;
    const PngColor16* transparentColor = nullptr;
    // Told of each row as the library finishes it.
    void (*rowCallback)(unsigned row, int pass) = nullptr;
};

// Writes the PNG into `file`; false, with the reason in `message` when
// given, when the DIB does not fit the request, memory runs out or the
// library or the file fails.  A refused DIB writes nothing.
BOOL WriteDibAsPng(const PngWriteRequest& request, QIODevice* file, QString* message = nullptr);
