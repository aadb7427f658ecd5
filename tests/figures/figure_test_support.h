#pragma once
// Helpers for the figure tests: a known drawing style, archives in memory
// and a page drawn in 0.01 mm with the origin at its bottom-left corner.
#include "figures/figure.h"
#include "geometry/drawing_test_support.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "settings/settings.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <memory>

// Known drawing style and defaults for every figure test.
class FigureTest : public ::testing::Test {
protected:
    void SetUp() override {
        QvSettings& s = TheSettings();
        s.m_CurLineColor.SetValue(RGB(10, 20, 30));
        s.m_CurFillColor.SetValue(RGB(40, 50, 60));
        s.m_CurLineType.SetValue(ID_LINE_HAIRLINE); // hairline
        s.m_CurFillType.SetValue(ID_FILL_NONE);     // no fill
        s.m_CircleDefaults.Centre.SetValue(0);
    }
};

inline QByteArray Store(const CObject* object) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    ar.WriteObject(object);
    return bytes;
}

template <class T> std::unique_ptr<T> Load(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    CObject* object = ar.ReadObject(RUNTIME_CLASS(T));
    return std::unique_ptr<T>(static_cast<T*>(object));
}

template <class T> std::unique_ptr<T> Make(int toolId) {
    std::unique_ptr<QvFigure> figure = QvFigure::CreateForTool(toolId);
    if (!dynamic_cast<T*>(figure.get()))
        return nullptr;
    return std::unique_ptr<T>(static_cast<T*>(figure.release()));
}

// Feeds creation clicks as the view does: the point, then the click.
// Returns the answer of the last click.
inline bool Click(QvFigure& f, QvPoint p, QvKeys keys = {}) {
    f.TrackCreatePoint(p, keys);
    return f.CreateClick();
}

// A page of w x h pixels at 96 dpi drawn in MM_HIMETRIC, y up from the
// bottom-left corner.
struct HimetricPage {
    QImage image;
    QRgb paper;
    explicit HimetricPage(int w = 400, int h = 200, QRgb fill = kPaper)
        : image(Page(96, w, h, fill)), paper(fill) {}

    template <class Fn> void Draw(Fn fn) {
        CDC dc(&image);
        Prepare(dc, MM_HIMETRIC);
        dc.SetViewportOrg(0, image.height());
        fn(dc);
    }
    // The pixel of a model point.
    QPoint Pixel(double x, double y) const {
        double perUnit = 96.0 / 2540.0;
        return QPoint(int(std::lround(x * perUnit)),
                      image.height() - int(std::lround(y * perUnit)));
    }
    // Non-paper pixels inside r.
    int InkIn(const QRect& r) const {
        int n = 0;
        for (int y = std::max(0, r.top()); y <= std::min(image.height() - 1, r.bottom()); ++y)
            for (int x = std::max(0, r.left()); x <= std::min(image.width() - 1, r.right()); ++x)
                if (image.pixel(x, y) != paper)
                    ++n;
        return n;
    }
};

// Bounds of the pixels that differ between two pages of one size.
inline QRect DiffBounds(const QImage& a, const QImage& b) {
    QRect bounds;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// What drawing more on a page added: fn(x, y, ink) for every pixel where
// `after` differs from `before`, `ink` telling whether `before` had ink
// there (so the new drawing lies over the old).
template <class Fn>
void ForEachAdded(const HimetricPage& before, const HimetricPage& after, Fn fn) {
    for (int y = 0; y < after.image.height(); ++y)
        for (int x = 0; x < after.image.width(); ++x)
            if (after.image.pixel(x, y) != before.image.pixel(x, y))
                fn(x, y, before.image.pixel(x, y) != before.paper);
}

inline void DrawNormal(QvFigure& f, CDC& dc) {
    f.DrawMapped(&dc, QvDrawMode::Normal, QvGRRect(), CRect());
}

inline void ExpectPoint(const QvPoint& actual, double x, double y, double tol = 1e-6) {
    EXPECT_NEAR(actual.x, x, tol);
    EXPECT_NEAR(actual.y, y, tol);
}
