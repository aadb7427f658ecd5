// Draws the program's SVG icons at the sizes of kBakedSvgIconSides and
// writes them as a C++ source of constant pixel data, which the platform
// library compiles in (platform/svg_icon_pixels.h).
//
//     icon_baker OUT.cpp RESOURCE_DIR FILE.svg...
//
// Each file's resource path is ":/" and its path under RESOURCE_DIR, as the
// .qrc files of resources/ name them.
#include "platform/svg_icon_pixels.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    // The icons are drawn as the program draws them, inside an application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: icon_baker OUT.cpp RESOURCE_DIR FILE.svg...\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[2]));
    struct Icon {
        QByteArray path;
        QString file;
    };
    std::vector<Icon> icons;
    for (int i = 3; i < argc; ++i) {
        const QString file = QString::fromLocal8Bit(argv[i]);
        icons.push_back({":/" + root.relativeFilePath(file).toUtf8(), file});
    }
    std::sort(icons.begin(), icons.end(),
              [](const Icon& a, const Icon& b) { return a.path < b.path; });

    QByteArray out = "// Written by icon_baker from the icons of resources/; do not edit.\n"
                     "#include \"platform/svg_icon_pixels.h\"\n\nnamespace {\n";
    QByteArray table;
    int count = 0;
    for (const Icon& icon : icons) {
        QSvgRenderer renderer(icon.file);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "icon_baker: %s is not a drawing\n", qPrintable(icon.file));
            return 1;
        }
        for (int side : kBakedSvgIconSides) {
            const QImage image = RenderSvgIcon(renderer, side);
            const QByteArray name = "k" + QByteArray::number(count);
            out += "alignas(4) const unsigned char " + name + "[] = {";
            const uchar* bits = image.constBits();
            const qsizetype bytes = qsizetype(side) * side * 4;
            for (qsizetype b = 0; b < bytes; ++b) {
                if (b % 24 == 0)
                    out += "\n";
                out += QByteArray::number(bits[b]) + ',';
            }
            out += "};\n";
            table +=
                "    {\"" + icon.path + "\", " + QByteArray::number(side) + ", " + name + "},\n";
            ++count;
        }
    }
    out += "} // namespace\n\nextern const BakedSvgIconEntry kBakedSvgIcons[] = {\n" + table +
           "};\nextern const int kBakedSvgIconCount = " + QByteArray::number(count) + ";\n";

    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        std::fprintf(stderr, "icon_baker: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
