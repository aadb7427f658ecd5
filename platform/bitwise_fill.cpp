#include "platform/bitwise_fill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Corners further out than this are left to Qt, which clips them first.
constexpr double kLimit = 32768;

struct Edge {
    int top, bottom;  // first and last row whose centre it crosses
    int64_t x, slope; // 16.16: the crossing at row `top`, and per row
    int dir;          // +1 downwards, -1 upwards
};

struct Crossing {
    int64_t x;
    int dir;
    bool operator<(const Crossing& o) const { return x < o.x; }
};

// std::llround without the library call, for the corners' 26.6 values
// (checked to be small first): halves away from zero.
inline int64_t RoundToFixed(double v) {
    const int64_t i = int64_t(v);
    const double rest = v - double(i);
    // Without branches: which way a corner rounds is anyone's guess.
    return i + int64_t(rest >= 0.5) - int64_t(rest <= -0.5);
}

// Pixel whose centre is the first after a 16.16 crossing.
inline int FirstPixelAfter(int64_t x) {
    return int((x - 32768) >> 16) + 1;
}

template <BitwiseOp op> void Combine(uint32_t* p, int n, uint32_t c) {
    for (int i = 0; i < n; ++i) {
        if constexpr (op == BitwiseOp::And)
            p[i] = (p[i] & c) | 0xFF000000u;
        else if constexpr (op == BitwiseOp::NotXor)
            p[i] = ~(p[i] ^ c) | 0xFF000000u;
        else if constexpr (op == BitwiseOp::Xor)
            p[i] = (p[i] ^ c) | 0xFF000000u;
        else
            p[i] = ~p[i] | 0xFF000000u;
    }
}

void CombineSpan(uint32_t* row, int from, int to, BitwiseOp op, uint32_t c) {
    const int n = to - from;
    switch (op) {
    case BitwiseOp::And:
        Combine<BitwiseOp::And>(row + from, n, c);
        break;
    case BitwiseOp::NotXor:
        Combine<BitwiseOp::NotXor>(row + from, n, c);
        break;
    case BitwiseOp::Xor:
        Combine<BitwiseOp::Xor>(row + from, n, c);
        break;
    case BitwiseOp::Not:
        Combine<BitwiseOp::Not>(row + from, n, c);
        break;
    }
}

// Walks the rows of `rings` inside `clip` and calls `span(row, from, to)`
// for each run of pixels inside, `to` past the last.  False when a corner
// lies too far off the page.  The scratch lists are kept between calls.
template <class Span>
bool ScanPolygons(const QRect& clip, const QPolygonF* rings, int count, bool winding,
                  Span span) {
    for (int r = 0; r < count; ++r) {
        const QPolygonF& ring = rings[r];
        for (const QPointF& p : ring)
            if (!(std::fabs(p.x()) <= kLimit && std::fabs(p.y()) <= kLimit))
                return false;
    }
    if (clip.isEmpty())
        return true;
    thread_local std::vector<Edge> edges;
    thread_local std::vector<const Edge*> active;
    thread_local std::vector<Crossing> xs;
    edges.clear();
    active.clear();
    for (int r = 0; r < count; ++r) {
        const QPolygonF& ring = rings[r];
        const int n = int(ring.size());
        for (int i = 0; i < n; ++i) {
            const QPointF& a = ring[i];
            const QPointF& b = ring[i + 1 < n ? i + 1 : 0];
            // 26.6 fixed point.
            int64_t ax = RoundToFixed(a.x() * 64), ay = RoundToFixed(a.y() * 64);
            int64_t bx = RoundToFixed(b.x() * 64), by = RoundToFixed(b.y() * 64);
            if (ay == by)
                continue;
            int dir = 1;
            if (ay > by) {
                std::swap(ax, bx);
                std::swap(ay, by);
                dir = -1;
            }
            const int top = int((ay + 32) >> 6), bottom = int((by - 32) >> 6);
            if (top > bottom || bottom < clip.top() || top > clip.bottom())
                continue;
            const int64_t slope = ((bx - ax) * 65536) / (by - ay);
            const int64_t down = (int64_t(top) << 16) + 32768 - (ay << 10);
            edges.push_back({top, bottom, (ax << 10) + ((slope * down) >> 16), slope, dir});
        }
    }
    if (edges.empty())
        return true;
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.top < b.top; });

    const int left = clip.left(), right = clip.right() + 1;
    int first = std::max(clip.top(), edges.front().top);
    size_t next = 0;
    for (int y = first; y <= clip.bottom(); ++y) {
        while (next < edges.size() && edges[next].top <= y)
            active.push_back(&edges[next++]);
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [y](const Edge* e) { return e->bottom < y; }),
                     active.end());
        if (active.empty()) {
            if (next == edges.size())
                break;
            continue;
        }
        // Crossings in order along the row; rows of shapes cross few edges,
        // so each is put in its place by hand.
        xs.resize(active.size());
        size_t n = 0;
        for (const Edge* e : active) {
            const Crossing c{e->x + e->slope * (y - e->top), e->dir};
            size_t k = n++;
            for (; k > 0 && c < xs[k - 1]; --k)
                xs[k] = xs[k - 1];
            xs[k] = c;
        }
        int wind = 0;
        for (size_t k = 0; k + 1 < n; ++k) {
            wind += winding ? xs[k].dir : 1;
            if (winding ? wind == 0 : (wind & 1) == 0)
                continue;
            const int from = std::max(FirstPixelAfter(xs[k].x), left);
            const int to = std::min(FirstPixelAfter(xs[k + 1].x), right);
            if (from < to)
                span(y, from, to);
        }
    }
    return true;
}

} // namespace

bool BitwiseFillPolygons(uchar* bits, qsizetype bytesPerLine, const QRect& clip,
                         const QPolygonF* rings, int count, bool winding, BitwiseOp op,
                         QRgb colour) {
    const uint32_t c = colour | 0xFF000000u;
    return ScanPolygons(clip, rings, count, winding, [&](int y, int from, int to) {
        CombineSpan(reinterpret_cast<uint32_t*>(bits + y * bytesPerLine), from, to, op, c);
    });
}

bool TileFillPolygons(uchar* bits, qsizetype bytesPerLine, const QRect& clip,
                      const QPolygonF* rings, int count, bool winding, const QRgb tile[64]) {
    return ScanPolygons(clip, rings, count, winding, [&](int y, int from, int to) {
        auto* row = reinterpret_cast<uint32_t*>(bits + y * bytesPerLine);
        const QRgb* pattern = tile + (y & 7) * 8;
        // Column by column of the pattern: empty ones cost nothing.
        for (int k = 0; k < 8 && from + k < to; ++k) {
            const QRgb t = pattern[(from + k) & 7];
            if (t == 0)
                continue;
            for (int x = from + k; x < to; x += 8)
                row[x] = t;
        }
    });
}
