#include "platform/lazy_icon.h"

#include <QIconEngine>
#include <QPainter>

#include <algorithm>

namespace {

class LazySvgIconEngine : public QIconEngine {
public:
    explicit LazySvgIconEngine(QString path) : m_path(std::move(path)) {}
    LazySvgIconEngine(const LazySvgIconEngine&) = default;

    // Drawing and pixmaps go to the real icon, made now if it is not yet.
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Loaded().pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Loaded().availableSizes(mode, state);
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
    const QIcon& Loaded() {
        if (m_icon.isNull())
            m_icon = QIcon(m_path);
        return m_icon;
    }

    QString m_path;
    QIcon m_icon;
};

} // namespace

QIcon LazySvgIcon(const QString& path) {
    return QIcon(new LazySvgIconEngine(path));
}
