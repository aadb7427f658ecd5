#include "common/test_support.h"
#include "platform/shared_icon_style.h"

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
