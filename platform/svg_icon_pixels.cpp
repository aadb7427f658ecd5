#include "platform/svg_icon_pixels.h"

#include <algorithm>
#include <cstring>

// Written by tools/icon_baker.cpp, sorted by path and then side.
extern const BakedSvgIconEntry kBakedSvgIcons[];
extern const int kBakedSvgIconCount;

QImage BakedSvgIcon(const QString& path, int side) {
    const QByteArray key = path.toUtf8();
    const BakedSvgIconEntry* end = kBakedSvgIcons + kBakedSvgIconCount;
    const BakedSvgIconEntry* found = std::lower_bound(
        kBakedSvgIcons, end, std::make_pair(key.constData(), side),
        [](const BakedSvgIconEntry& entry, const std::pair<const char*, int>& wanted) {
            const int order = std::strcmp(entry.path, wanted.first);
            return order < 0 || (order == 0 && entry.side < wanted.second);
        });
    if (found == end || found->side != side || std::strcmp(found->path, key.constData()) != 0)
        return {};
    return QImage(found->pixels, side, side, side * 4, QImage::Format_ARGB32_Premultiplied);
}
