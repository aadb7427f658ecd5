#include "platform/shared_icon_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

#include <optional>

namespace {

// Made by Qt for widgets that seldom show them: a toolbar's or menu bar's
// overflow button, and a document window's default icon and system menu.
bool ShownSeldom(QStyle::StandardPixmap icon) {
    switch (icon) {
    case QStyle::SP_ToolBarHorizontalExtensionButton:
    case QStyle::SP_ToolBarVerticalExtensionButton:
    case QStyle::SP_TitleBarMenuButton:
    case QStyle::SP_TitleBarNormalButton:
    case QStyle::SP_TitleBarMinButton:
    case QStyle::SP_TitleBarMaxButton:
    case QStyle::SP_TitleBarCloseButton:
        return true;
    default:
        return false;
    }
}

// The style's own icon, made when first drawn or measured.  Reading the
// first of Qt's image files loads every image-format plugin, which the
// first screen otherwise never needs.
class DeferredStandardIconEngine : public QIconEngine {
public:
    DeferredStandardIconEngine(const QStyle* style, QStyle::StandardPixmap icon,
                               Qt::LayoutDirection direction)
        : m_style(style), m_icon(icon), m_direction(direction) {}
    DeferredStandardIconEngine(const DeferredStandardIconEngine&) = default;

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Made().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Made().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Made().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Made().availableSizes(mode, state);
    }
    QString iconName() override { return Made().name(); }
    bool isNull() override { return Made().isNull(); }
    QString key() const override { return QStringLiteral("lumbrel_standard"); }
    QIconEngine* clone() const override { return new DeferredStandardIconEngine(*this); }

private:
    QIcon& Made() {
        if (!m_made) {
            QStyleOption option;
            option.direction = m_direction;
            // The style may have gone (the application changed it): then
            // the application's own makes it.
            const QStyle* style = m_style ? m_style.data() : QApplication::style();
            m_made = style ? style->standardIcon(m_icon, &option) : QIcon();
        }
        return *m_made;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_icon;
    Qt::LayoutDirection m_direction;
    std::optional<QIcon> m_made;
};

} // namespace

QIcon CSharedIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                     const QWidget* widget) const {
    // A standard icon differs only by direction (the arrows turn round),
    // the option's or else the application's.
    const Qt::LayoutDirection direction =
        option ? option->direction : QGuiApplication::layoutDirection();
    const int key = int(icon) * 2 + (direction == Qt::RightToLeft ? 1 : 0);
    auto found = m_icons.constFind(key);
    if (found != m_icons.constEnd())
        return *found;
    QIcon made = ShownSeldom(icon) && baseStyle()
                     ? QIcon(new DeferredStandardIconEngine(baseStyle(), icon, direction))
                     : QProxyStyle::standardIcon(icon, option, widget);
    m_icons.insert(key, made);
    return made;
}
