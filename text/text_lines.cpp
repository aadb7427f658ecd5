#include "text/text_lines.h"

#include "platform/dc.h"
#include "text/font_select.h"

#include <cmath>
#include <utility>

int QvTextEscapement(QvGRRect frame) {
    const double dx = frame.corner[1].x - frame.corner[0].x;
    const double dy = -(frame.corner[1].y - frame.corner[0].y);
    if (dx == 0.0)
        return dy > 0 ? 900 : 2700;
    return int(std::floor(std::atan2(dy, dx) * 572.96 + 0.5));
}

namespace {
// The width of `count` characters of `text` from `start`.
double PrefixWidth(CDC* dc, const QString& text, int start, int count) {
    return count <= 0 ? 0.0 : dc->GetTextExtent(text.mid(start, count)).cx;
}
} // namespace

// The scan of the prefixes is done by galloping and then halving, so a
// line costs time in its own length, not in the length of the rest.
int QvNextTextLine(CDC* dc, QString& text, int start, double width) {
    const int n = int(text.size()) - start;
    // The first count of characters whose width reaches the box, or n.
    int reach = n;
    if (n > 0) {
        if (width <= 0) {
            reach = 0;
        } else {
            int below = 0; // a count known to stay inside
            int step = 1;
            for (;;) {
                const int probe = std::min(below + step, n - 1);
                if (probe <= below)
                    break;
                if (PrefixWidth(dc, text, start, probe) >= width) {
                    int above = probe;
                    while (above - below > 1) {
                        const int mid = below + (above - below) / 2;
                        if (PrefixWidth(dc, text, start, mid) >= width)
                            above = mid;
                        else
                            below = mid;
                    }
                    reach = above;
                    break;
                }
                below = probe;
                step *= 2;
            }
        }
    }
    const QStringView s = QStringView(text).mid(start);
    int i = reach;
    bool atReturn = false;
    if (const qsizetype r = s.left(reach).indexOf(QChar('\r')); r >= 0) {
        i = int(r);
        atReturn = true;
    }
    const int blank = int(s.left(i).lastIndexOf(QChar(' ')));
    const bool early = i < n;
    // A word wider than the box is cut before the character that reached
    // the width, keeping the line inside the box.
    if (early && !atReturn && blank < 0 && i > 2)
        i -= 2;
    if (atReturn) {
        text = s.left(i).toString();
        return start + i + 2;
    }
    if (early && blank >= 0)
        i = blank;
    text = s.left(i + 1).toString();
    return start + i + 1;
}

int QvDrawTextLines(CDC* dc, const QString& text, QvGRRect frame, int alignment, QvLogFont font) {
    QvPoint* c = frame.corner;
    const double width = (c[1] - c[0]).Length();
    // Mirrored boxes are relabelled so that the text reads forward and down.
    if (dc->GetMapMode() == MM_HIMETRIC) {
        if (c[1].x < c[0].x && c[3].y < c[0].y) {
            std::swap(c[0], c[1]);
            std::swap(c[2], c[3]);
        }
        if (c[1].x > c[0].x && c[3].y > c[0].y) {
            std::swap(c[0], c[3]);
            std::swap(c[1], c[2]);
        }
    } else {
        if (c[1].x < c[0].x && c[3].y > c[0].y) {
            std::swap(c[0], c[1]);
            std::swap(c[2], c[3]);
        }
        if (c[1].x > c[0].x && c[3].y < c[0].y) {
            std::swap(c[0], c[3]);
            std::swap(c[1], c[2]);
        }
    }
    QvVector down = c[3] - c[0];
    down.Normalize();
    const int escapement = QvTextEscapement(frame);

    // Every line is as high as the font.
    QvFontSelect measure;
    measure.SetFont(font);
    measure.Select(dc);
    TEXTMETRIC metrics{};
    dc->GetTextMetrics(&metrics);
    const double lineHeight = metrics.tmHeight;
    measure.Restore(dc);
    // Lines that would start below the box are not laid out.
    const double height = (c[3] - c[0]).Length();

    font.m_logFont.lfEscapement = escapement;
    font.m_logFont.lfOrientation = escapement;
    QvFontSelect turned;
    turned.SetFont(font);
    turned.Select(dc);
    QvPoint anchor = c[0];
    dc->SetTextAlign(UINT(alignment));
    if (alignment == int(TA_RIGHT))
        anchor = c[1];
    else if (alignment == int(TA_CENTER))
        anchor = c[0] + (c[1] - c[0]) * 0.5;
    int pos = 0;
    double offset = 0.0;
    while (pos >= 0 && pos < text.size() && (offset == 0.0 || offset < height)) {
        QString line = text;
        pos = QvNextTextLine(dc, line, pos, width);
        const QvPoint at = anchor + down * offset;
        dc->TextOut(int(at.x), int(at.y), line);
        offset += lineHeight;
    }
    turned.Restore(dc);
    return 0;
}
