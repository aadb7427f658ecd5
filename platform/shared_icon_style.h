#pragma once

// The application's style, handing out each standard icon it has made once
// again instead of reading its image files anew: every toolbar, menu bar
// and window of the first screen asks for the same few.  The icons of the
// toolbars' overflow buttons and of a window's system menu, made by every
// toolbar, menu bar and document window but seldom shown, read their files
// when first drawn.

#include <QProxyStyle>

class CSharedIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    mutable QHash<int, QIcon> m_icons;
};
