#pragma once
// Gallery figures and gallery files for the store, browser and end-to-end
// tests.
#include "diagrams/gallery_list.h"
#include "figures/fig_circle.h"
#include "figures/fig_gallery.h"
#include "figures/fig_line.h"
#include "figures/figure_test_support.h"
#include "geometry/gr_rect.h"
#include "platform/archive.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

// A line from (100, 100) to (900, 900) and a circle about (500, 500), in
// the frame's thousandths; the ratio tells the figures apart.
inline std::unique_ptr<QvFigGallery> MakeGalleryFigure(double ratio) {
    auto g = std::make_unique<QvFigGallery>();
    std::unique_ptr<QvFigure> line = QvFigure::CreateForTool(QvFigLine::ToolId);
    std::unique_ptr<QvFigure> circle = QvFigure::CreateForTool(QvFigCircleCR::ToolId);
    for (auto [f, a, b] : {std::tuple{line.get(), QvPoint(100, 100), QvPoint(900, 900)},
                           std::tuple{circle.get(), QvPoint(500, 500), QvPoint(800, 500)}}) {
        f->TrackCreatePoint(a, {});
        f->CreateClick();
        f->TrackCreatePoint(b, {});
        f->CreateClick();
        f->SetClickCount(0); // as read from a file
        f->SetGroupNesting(1);
    }
    g->MemberList().Add(std::move(line));
    g->MemberList().Add(std::move(circle));
    const QvPoint corners[4] = {{0, 0}, {2000, 0}, {2000, 2000 * ratio}, {0, 2000 * ratio}};
    for (int i = 0; i < 4; ++i)
        g->DefiningPoints()[i] = corners[i];
    g->SetAspectRatio(ratio);
    g->MapToFrame(NullFrame);
    g->BuildFromPoints();
    return g;
}

// Writes a gallery of figures with the ratios given, each described by
// its index ("0", "1", ...).
inline void WriteGallery(const QString& path, const QString& title, int count,
                         double firstRatio = 0.5) {
    QvGallery gallery;
    gallery.SetPath(path);
    gallery.MarkLoaded();
    for (int i = 0; i < count; ++i) {
        gallery.AddFigure(MakeGalleryFigure(firstRatio + 0.125 * i).release());
        gallery.SetDescription(QString::number(i), i);
    }
    ASSERT_TRUE(gallery.WriteWithTitle(title));
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Makes a file or folder unwritable for as long as it lives, also for
// root (through the immutable attribute); `ok` is false where neither
// works.
class Unwritable {
public:
    explicit Unwritable(const QString& path) : m_path(path) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        if (!CanWrite()) {
            ok = true;
            return;
        }
        m_immutable =
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
        ok = m_immutable && !CanWrite();
    }
    ~Unwritable() {
        if (m_immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool ok = false;

private:
    bool CanWrite() const {
        QFile probe(QFileInfo(m_path).isDir() ? m_path + QStringLiteral("/.probe") : m_path);
        bool can = probe.open(QIODevice::WriteOnly | QIODevice::Append);
        if (can && QFileInfo(m_path).isDir())
            probe.remove();
        return can;
    }
    QString m_path;
    bool m_immutable = false;
};
