#pragma once
// What the two Venn diagrams share: their attribute records (the texts
// written into the regions, which regions are shaded, the label font) and
// the outlines of their regions.
//
// Every member of a diagram is given in a 1000 x 1000 frame; y grows away
// from the frame's first side, which the properties dialogs show at the
// top.  All circles have radius 250.  Two sets: A at (350, 500), B at
// (650, 500).  Three sets: A at (350, 370), B at (650, 370), C at
// (500, 630).
#include "figures/edit_data.h"
#include "platform/gdi_types.h"
#include "text/log_font.h"

#include <QString>

class QvEditDataVenn2 : public QvEditData {
    DECLARE_SERIAL(QvEditDataVenn2)
public:
    static constexpr int ShadeCount = 4;
    static constexpr int TextCount = 7;
    // Shade: 0 A only, 1 B only, 2 A and B, 3 outside both.
    // Text: 0 A and B, 1 A only, 2 B only, 3 outside, 4 universe label,
    // 5 name of A, 6 name of B.

    short m_version = 1;
    BYTE m_shade[ShadeCount] = {};
    QString m_text[TextCount];
    QvLogFont m_font;

    // After the common fields: the word 1, the shade bytes, the texts and
    // the font.  A record stored below version 1 keeps a new record's
    // shades, texts and font.
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

class QvEditDataVenn3 : public QvEditData {
    DECLARE_SERIAL(QvEditDataVenn3)
public:
    static constexpr int ShadeCount = 8;
    static constexpr int TextCount = 15;
    // Shade: 0 A only, 1 B only, 2 C only, 3 A and B only, 4 A and C only,
    // 5 B and C only, 6 all three, 7 outside all.
    // Text: 0-2 main texts of A and B, A and C, B and C only; 3-5 the texts
    // in their tip lunes; 6-8 A, B, C only; 9 outside; 10 all three;
    // 11 universe label; 12-14 names of A, B, C.

    short m_version = 1;
    BYTE m_shade[ShadeCount] = {};
    QString m_text[TextCount];
    QvLogFont m_font;

    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

// The y of the circle about (cx, cy) of radius r at x, on its larger-y
// half when `positive`, else on its smaller-y half, rounded half up.
int VennArcY(int x, int cx, int cy, int r, bool positive);

// The regions' outlines as closed integer polygons, written to `points`
// from index 0; the number written is returned.  No outline has more than
// MaxVennOutline points.
constexpr int MaxVennOutline = 204;
// Two sets: 0 A only, 1 B only, 2 A and B, 3 outside on the smaller-y
// side of y = 500, 4 outside on the larger-y side.
constexpr int Venn2RegionCount = 5;
int Venn2RegionOutline(int region, CPoint* points);
// Three sets: 0 A only, 1 B only, 2 C only, 3 A and B only, 4 B and C
// only, 5 A and C only, 6 all three, 7 outside on the smaller-y side of
// y = 370, 8 outside on the larger-y side.
constexpr int Venn3RegionCount = 9;
int Venn3RegionOutline(int region, CPoint* points);
