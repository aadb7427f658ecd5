#pragma once
// The program's one font description: a LOGFONT, the text colour and the
// drawing height used whenever the device context is not MM_TEXT.
#include "platform/gdi_types.h"
#include "platform/object.h"
#include "platform/win_types.h"

#include <QString>

class CArchive;

class QvLogFont : public CObject {
    DECLARE_SERIAL(QvLogFont)
public:
    QvLogFont();
    QvLogFont(const QvLogFont& other);
    QvLogFont& operator=(const QvLogFont& other) { return Assign(other); }
    ~QvLogFont() override = default;

    // Whole copy, so that owners copying through the record never copy half.
    virtual QvLogFont& Assign(const QvLogFont& other);
    void Set(const LOGFONT& logFont, COLORREF color, int drawHeight);

    // 52 bytes in place: height, weight, italic, underline, strike-out,
    // character set, 32-byte face, colour, drawing height.
    void Serialize(CArchive& ar) override;
    // The 72-byte block that records embed: four bytes of no meaning (zero
    // when written), the LOGFONT in its Windows layout, the colour and the
    // drawing height.
    void WriteBlock(CArchive& ar) const;
    void ReadBlock(CArchive& ar);

    // "%i,...,%i,%s": the thirteen LOGFONT numbers, colour, drawing height,
    // face name.
    QString ToText() const;
    // Reads the text form leniently, as the profile is read: every token
    // atoi-style, the rest after the fifteenth comma is the face name.
    void FromText(const QString& text);
    // True when text is exactly a text form (fifteen integers and a face
    // that fits); used where a malformed value must be refused.
    static bool IsValidText(const QString& text);

    // The drawing height (0.01 mm) of a size in tenths of a point, as the
    // font chooser sets it: 120 (12 pt) gives 423.
    static int DrawHeightForPointSize(int tenthsOfPoint) {
        return int(tenthsOfPoint * 3.52777777777777);
    }

    QString FaceName() const;
    void SetFaceName(const QString& face);

    bool operator==(const QvLogFont& o) const {
        return m_logFont == o.m_logFont && m_color == o.m_color && m_drawHeight == o.m_drawHeight;
    }

    LOGFONT m_logFont;
    COLORREF m_color = 0;
    int m_drawHeight = 400;
};
