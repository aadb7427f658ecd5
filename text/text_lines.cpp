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

int QvNextTextLine(CDC* dc, QString& text, int start, double width) {
    const QString s = text.mid(start);
    const int n = int(s.size());
    int i = 0;
    int blank = -1;
    bool atReturn = false;
    for (; i < n; ++i) {
        if (dc->GetTextExtent(s.left(i)).cx >= width)
            break;
        if (s[i] == QChar('\r')) {
            atReturn = true;
            break;
        }
        if (s[i] == QChar(' '))
            blank = i;
    }
    const bool early = i < n;
    // A word wider than the box is cut before the character that reached
    // the width, keeping the line inside the box.
    if (early && !atReturn && blank < 0 && i > 2)
        i -= 2;
    if (atReturn) {
        text = s.left(i);
        return start + i + 2;
    }
    if (early && blank >= 0)
        i = blank;
    text = s.left(i + 1);
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

    QvFontSelect measure;
    measure.SetFont(font);
    measure.Select(dc);
    const double lineHeight = dc->GetTextExtent(text).cy;
    measure.Restore(dc);

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
    while (pos >= 0 && pos < text.size()) {
        QString line = text;
        pos = QvNextTextLine(dc, line, pos, width);
        const QvPoint at = anchor + down * offset;
        dc->TextOut(int(at.x), int(at.y), line);
        offset += lineHeight;
    }
    turned.Restore(dc);
    return 0;
}
