#include "diagrams/venn_records.h"

#include "platform/archive.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

IMPLEMENT_SERIAL(QvEditDataVenn2, QvEditData, 1)
IMPLEMENT_SERIAL(QvEditDataVenn3, QvEditData, 1)

namespace {
void SerializeVenn(CArchive& ar, short& version, BYTE* shade, int shades, QString* text, int texts,
                   QvLogFont& font) {
    version = 1;
    if (ar.IsStoring()) {
        ar << WORD(version);
        ar.Write(shade, UINT(shades));
        for (int i = 0; i < texts; ++i)
            ar << text[i];
        font.Serialize(ar);
        return;
    }
    WORD stored = 0;
    ar >> stored;
    if (short(stored) < 1)
        return;
    ar.ReadExact(shade, UINT(shades));
    for (int i = 0; i < texts; ++i)
        ar >> text[i];
    font.Serialize(ar);
}

template <class R> void CopyVenn(R& dst, const QvEditData& src) {
    dst.CopyCommon(src);
    const auto* venn = dynamic_cast<const R*>(&src);
    if (!venn)
        return;
    std::copy(std::begin(venn->m_shade), std::end(venn->m_shade), dst.m_shade);
    std::copy(std::begin(venn->m_text), std::end(venn->m_text), dst.m_text);
    dst.m_font.Assign(venn->m_font);
}
} // namespace

void QvEditDataVenn2::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    SerializeVenn(ar, m_version, m_shade, ShadeCount, m_text, TextCount, m_font);
}

QvEditData& QvEditDataVenn2::CopyFrom(const QvEditData& src) {
    CopyVenn(*this, src);
    return *this;
}

void QvEditDataVenn3::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    SerializeVenn(ar, m_version, m_shade, ShadeCount, m_text, TextCount, m_font);
}

QvEditData& QvEditDataVenn3::CopyFrom(const QvEditData& src) {
    CopyVenn(*this, src);
    return *this;
}

// ---------------------------------------------------------------- outlines

int VennArcY(int x, int cx, int cy, int r, bool positive) {
    const double dx = double(x) - cx;
    // Callers stay within the circle; a point just beyond it gives the end.
    const double h = std::sqrt(std::max(0.0, double(r) * r - dx * dx));
    return int(std::floor(cy + (positive ? h : -h) + 0.5));
}

namespace {
constexpr int kRadius = 250;
constexpr int kStep = 5;

struct Centre {
    int x, y;
};

// A run along one half of a circle from x0 to x1 in steps of 5, both ends
// included; circle -1 is the single fixed point (x0, x1).
struct Run {
    int circle;
    bool positive;
    int x0, x1;
};

constexpr Run Fixed(int x, int y) {
    return {-1, false, x, y};
}
constexpr Run Plus(int c, int x0, int x1) {
    return {c, true, x0, x1};
}
constexpr Run Minus(int c, int x0, int x1) {
    return {c, false, x0, x1};
}

int Build(const Centre* centres, std::initializer_list<Run> runs, CPoint* points) {
    int n = 0;
    for (const Run& run : runs) {
        if (run.circle < 0) {
            points[n++] = CPoint(run.x0, run.x1);
            continue;
        }
        const Centre c = centres[run.circle];
        const int dir = run.x1 >= run.x0 ? kStep : -kStep;
        for (int x = run.x0;; x += dir) {
            const bool last = dir > 0 ? x >= run.x1 : x <= run.x1;
            const int at = last ? run.x1 : x;
            points[n++] = CPoint(at, VennArcY(at, c.x, c.y, kRadius, run.positive));
            if (last)
                break;
        }
    }
    return n;
}

constexpr int A = 0, B = 1, C = 2;
constexpr Centre kTwo[] = {{350, 500}, {650, 500}};
constexpr Centre kThree[] = {{350, 370}, {650, 370}, {500, 630}};
} // namespace

int Venn2RegionOutline(int region, CPoint* points) {
    const Centre* c = kTwo;
    switch (region) {
    case 0: // A only
        return Build(c,
                     {Plus(A, 100, 500), Plus(B, 500, 400), Minus(B, 400, 500), Minus(A, 500, 100)},
                     points);
    case 1: // B only
        return Build(c,
                     {Plus(B, 500, 900), Minus(B, 900, 500), Minus(A, 500, 600), Plus(A, 600, 500)},
                     points);
    case 2: // A and B
        return Build(c,
                     {Plus(A, 500, 600), Minus(A, 600, 500), Minus(B, 500, 400), Plus(B, 400, 500)},
                     points);
    case 3: // outside, smaller-y part
        return Build(c,
                     {Minus(A, 100, 500), Minus(B, 500, 900), Fixed(1000, 500), Fixed(1000, 150),
                      Fixed(0, 150), Fixed(0, 500), Fixed(100, 500)},
                     points);
    case 4: // outside, larger-y part
        return Build(c,
                     {Plus(A, 100, 500), Plus(B, 500, 900), Fixed(1000, 500), Fixed(1000, 850),
                      Fixed(0, 850), Fixed(0, 500), Fixed(100, 500)},
                     points);
    default:
        return 0;
    }
}

// The crossings of the three circles lie at the whole x 252, 402, 598 and
// 748; a one-point run there takes the half the crossing lies on.
int Venn3RegionOutline(int region, CPoint* points) {
    const Centre* c = kThree;
    switch (region) {
    case 0: // A only
        return Build(c,
                     {Minus(A, 100, 500), Minus(B, 500, 400), Plus(B, 400, 400), Minus(C, 402, 252),
                      Plus(A, 252, 102)},
                     points);
    case 1: // B only
        return Build(c,
                     {Minus(B, 900, 500), Minus(A, 500, 600), Plus(A, 600, 600), Minus(C, 598, 748),
                      Plus(B, 748, 898)},
                     points);
    case 2: // C only
        return Build(c,
                     {Plus(B, 500, 745), Minus(C, 748, 748), Plus(C, 750, 250), Minus(C, 250, 250),
                      Plus(A, 252, 497)},
                     points);
    case 3: // A and B only
        return Build(c,
                     {Minus(A, 500, 600), Plus(A, 600, 600), Minus(C, 598, 403), Plus(B, 402, 402),
                      Minus(B, 402, 497)},
                     points);
    case 4: // B and C only
        return Build(c, {Minus(C, 598, 748), Plus(B, 748, 503), Plus(A, 500, 595)}, points);
    case 5: // A and C only
        return Build(c, {Minus(C, 252, 402), Plus(B, 402, 497), Plus(A, 500, 255)}, points);
    case 6: // all three
        return Build(c, {Minus(C, 402, 597), Plus(A, 598, 503), Plus(B, 500, 405)}, points);
    case 7: // outside, smaller-y part
        return Build(c,
                     {Minus(A, 100, 500), Minus(B, 500, 900), Fixed(1000, 370), Fixed(1000, 0),
                      Fixed(0, 0), Fixed(0, 370), Fixed(100, 370)},
                     points);
    case 8: // outside, larger-y part
        // B's run stops at 898; its end at 900 closes the outline, or a
        // sliver between B and the universe's side would stay unshaded.
        return Build(c,
                     {Plus(A, 100, 250), Minus(C, 252, 252), Plus(C, 250, 750), Minus(C, 750, 750),
                      Plus(B, 748, 898), Fixed(900, 370), Fixed(1000, 370), Fixed(1000, 1000),
                      Fixed(0, 1000), Fixed(0, 370), Fixed(100, 370)},
                     points);
    default:
        return 0;
    }
}
