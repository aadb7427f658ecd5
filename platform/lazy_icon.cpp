#include "platform/lazy_icon.h"

#include "platform/svg_icon_pixels.h"

#include <QApplication>
#include <QIconEngine>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <memory>

namespace {

// Draws the file itself, as Qt's SVG icon engine would, but without loading
// that engine's plugin and reading the file a second time only to see that
// it is valid: the file is read once, when the icon is first drawn.
class LazySvgIconEngine : public QIconEngine {
public:
    explicit LazySvgIconEngine(QString path) : m_path(std::move(path)) {}
    LazySvgIconEngine(const LazySvgIconEngine&) = default;

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        QSize size = rect.size();
        if (painter->device())
            size *= painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(size, mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const QSize side = actualSize(size, mode, QIcon::Off);
        if (side.isEmpty())
            return {};
        const QString key = QStringLiteral("lumbrel_svg_%1_%2_%3")
                                .arg(m_path)
                                .arg(side.width())
                                .arg(int(mode));
        QPixmap pm;
        if (QPixmapCache::find(key, &pm))
            return pm;
        // Drawn at build time, or else from the file now.
        QImage image = BakedSvgIcon(m_path, side.width());
        if (image.isNull()) {
            if (!Renderer().isValid())
                return {};
            image = RenderSvgIcon(Renderer(), side.width());
        }
        pm = QPixmap::fromImage(image);
        // Greyed and highlighted icons as the style makes them.
        if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QStyleOption option(0);
            option.palette = QGuiApplication::palette();
            const QPixmap made = QApplication::style()->generatedIconPixmap(mode, pm, &option);
            if (!made.isNull())
                pm = made;
        }
        QPixmapCache::insert(key, pm);
        return pm;
    }
    // A square drawing fills the largest square of the box.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return side > 0 ? QSize(side, side) : QSize();
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("svg"); }
    QIconEngine* clone() const override { return new LazySvgIconEngine(*this); }

private:
    QSvgRenderer& Renderer() {
        if (!m_renderer)
            m_renderer = std::make_shared<QSvgRenderer>(m_path);
        return *m_renderer;
    }

    QString m_path;
    // Shared by the copies of the icon.
    std::shared_ptr<QSvgRenderer> m_renderer;
};

} // namespace

QIcon LazySvgIcon(const QString& path) {
    return QIcon(new LazySvgIconEngine(path));
}
