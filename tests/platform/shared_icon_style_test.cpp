#include "common/test_support.h"
#include "platform/shared_icon_style.h"

#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <gtest/gtest.h>

// A standard icon asked for again is the one made the first time, and looks
// as the style's own; arrows still turn round right to left.
TEST(SharedIconStyleTest, SharesIconsAndKeepsDirection) {
    QStyle* plain = QStyleFactory::create(QStringLiteral("Fusion"));
    CSharedIconStyle shared(QStyleFactory::create(QStringLiteral("Fusion")));
    QStyleOption left, right;
    right.direction = Qt::RightToLeft;
    for (QStyle::StandardPixmap sp : {QStyle::SP_ArrowBack, QStyle::SP_TitleBarCloseButton,
                                      QStyle::SP_ToolBarHorizontalExtensionButton}) {
        SCOPED_TRACE(int(sp));
        for (const QStyleOption* option : {&left, &right}) {
            const QIcon first = shared.standardIcon(sp, option);
            EXPECT_EQ(shared.standardIcon(sp, option).cacheKey(), first.cacheKey());
            EXPECT_EQ(first.pixmap(16).toImage(), plain->standardIcon(sp, option).pixmap(16).toImage());
        }
        // Without an option, the application's direction counts.
        EXPECT_EQ(shared.standardIcon(sp).cacheKey(), shared.standardIcon(sp, &left).cacheKey());
    }
    EXPECT_NE(shared.standardIcon(QStyle::SP_ArrowBack, &left).pixmap(16).toImage(),
              shared.standardIcon(QStyle::SP_ArrowBack, &right).pixmap(16).toImage());
    delete plain;
}

namespace {

// Fusion, counting the standard icons it is asked to make.
class CountingStyle : public QProxyStyle {
public:
    CountingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        ++made;
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    mutable int made = 0;
};

} // namespace

// The icons of overflow buttons and system menus, made by every toolbar and
// document window, are made by the style only when first drawn or
// measured, and then look as the style's own, in both directions.
TEST(SharedIconStyleTest, SeldomShownIconsAreMadeWhenFirstUsed) {
    QStyle* plain = QStyleFactory::create(QStringLiteral("Fusion"));
    auto* counting = new CountingStyle;
    CSharedIconStyle shared(counting);
    QStyleOption left, right;
    right.direction = Qt::RightToLeft;
    for (QStyle::StandardPixmap sp :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_TitleBarMenuButton, QStyle::SP_TitleBarCloseButton}) {
        for (const QStyleOption* option : {&left, &right}) {
            SCOPED_TRACE(testing::Message() << int(sp) << " " << int(option->direction));
            const int before = counting->made;
            const QIcon icon = shared.standardIcon(sp, option);
            EXPECT_EQ(counting->made, before);
            const QIcon own = plain->standardIcon(sp, option);
            for (int side : {12, 16, 32}) {
                EXPECT_EQ(icon.actualSize(QSize(side, side)), own.actualSize(QSize(side, side)));
                EXPECT_EQ(icon.pixmap(side).toImage(), own.pixmap(side).toImage());
                EXPECT_EQ(icon.pixmap(side, QIcon::Disabled).toImage(),
                          own.pixmap(side, QIcon::Disabled).toImage());
            }
            EXPECT_EQ(icon.availableSizes(), own.availableSizes());
            EXPECT_FALSE(icon.isNull());
            EXPECT_EQ(counting->made, before + 1);
        }
    }
    // An icon asked for often is made at once, as before.
    const int before = counting->made;
    shared.standardIcon(QStyle::SP_ArrowBack);
    EXPECT_EQ(counting->made, before + 1);
    delete plain;
}
