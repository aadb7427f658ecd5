#include "platform/shared_icon_style.h"

#include <QGuiApplication>
#include <QStyleOption>

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
    QIcon made = QProxyStyle::standardIcon(icon, option, widget);
    m_icons.insert(key, made);
    return made;
}
