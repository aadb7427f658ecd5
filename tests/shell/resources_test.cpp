// The program's resources: string table, menus, accelerators, toolbars and
// icons, and the actions, menu bar and toolbars built from them.
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "platform/command_table.h"
#include "platform/lazy_icon.h"
#include "platform/svg_icon_pixels.h"
#include "shell/command_actions.h"

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace {

// Every id a menu item or toolbar button sends.
std::set<UINT> UsedIds() {
    std::set<UINT> ids;
    for (const MenuItemResource& item : MenuResources())
        if (item.id)
            ids.insert(item.id);
    for (const ToolBarResource& bar : ToolBarResources())
        for (UINT id : bar.buttons)
            if (id)
                ids.insert(id);
    for (const AcceleratorResource& accel : AcceleratorResources())
        ids.insert(accel.id);
    return ids;
}

// The icons compiled in from the qrc, as "icons/name.svg".
QStringList QrcFiles() {
    QStringList files;
    for (const QString& name : QDir(QStringLiteral(":/icons")).entryList(QDir::Files))
        files << QStringLiteral("icons/") + name;
    return files;
}

TEST(ResourcesTest, EveryUsedIdHasAPromptAndEveryButtonAnIcon) {
    for (UINT id : UsedIds()) {
        EXPECT_NE(FindCommandResource(id), nullptr) << id;
        EXPECT_FALSE(CommandPrompt(id).isEmpty()) << id;
    }
    for (const ToolBarResource& bar : ToolBarResources())
        for (UINT id : bar.buttons)
            if (id) {
                EXPECT_FALSE(CommandTooltip(id).isEmpty()) << id;
                EXPECT_FALSE(CommandIconPath(id).isEmpty()) << id;
            }
}

TEST(ResourcesTest, NoIdOrTextServesTwoCommands) {
    std::set<UINT> ids;
    for (const CommandResource& command : CommandResources())
        EXPECT_TRUE(ids.insert(command.id).second) << "string table names twice: " << command.id;

    std::map<QString, UINT> menuIdByPath;
    std::map<UINT, QString> menuPathById;
    for (const MenuItemResource& item : MenuResources()) {
        if (!item.id)
            continue;
        QString path = QString::fromUtf8(item.path).section(QLatin1Char('\t'), 0, 0);
        EXPECT_TRUE(menuIdByPath.emplace(path, item.id).second) << path.toStdString();
        EXPECT_TRUE(menuPathById.emplace(item.id, path).second)
            << "id in two menu places: " << item.id;
    }

    std::map<QKeySequence, UINT> idByKey;
    for (const AcceleratorResource& accel : AcceleratorResources()) {
        QKeySequence key(QString::fromLatin1(accel.key), QKeySequence::PortableText);
        // A name Qt does not know would leave the key dead.
        EXPECT_EQ(key.toString(QKeySequence::PortableText), QString::fromLatin1(accel.key));
        auto [it, fresh] = idByKey.emplace(key, accel.id);
        EXPECT_TRUE(fresh || it->second == accel.id) << "key bound twice: " << accel.key;
    }

    std::set<UINT> bars;
    std::set<QString> icons;
    for (const ToolBarResource& bar : ToolBarResources())
        EXPECT_TRUE(bars.insert(bar.id).second) << bar.id;
    for (const CommandResource& command : CommandResources())
        if (*command.icon) {
            EXPECT_TRUE(icons.insert(QString::fromUtf8(command.icon)).second)
                << "icon shared by two commands: " << command.icon;
        }
}

TEST(ResourcesTest, MenuKeysMatchTheAcceleratorTable) {
    for (const MenuItemResource& item : MenuResources()) {
        QString path = QString::fromUtf8(item.path);
        if (!path.contains(QLatin1Char('\t')))
            continue;
        QKeySequence shown(path.section(QLatin1Char('\t'), 1), QKeySequence::PortableText);
        QKeySequence first;
        for (const AcceleratorResource& accel : AcceleratorResources())
            if (accel.id == item.id) {
                first = QKeySequence(QString::fromLatin1(accel.key), QKeySequence::PortableText);
                break;
            }
        EXPECT_EQ(shown, first) << item.path;
    }
}

TEST(ResourcesTest, TenToolbarsInCreationOrderWithTheirTitles) {
    const std::vector<std::pair<UINT, const char*>> expected = {
        {IDR_MAINFRAME, "Standard"},        {IDR_PALETTE, "Draw Tools"},
        {IDR_LINE_STYLE_BAR, "Line Style"}, {IDR_FILL_STYLE_BAR, "Fill Style"},
        {IDR_LEVEL_BAR, "Drawing Level"},   {IDR_LAYOUT_BAR, "Layout"},
        {IDR_ROTATE_BAR, "Rotate"},         {IDR_REFLECT_BAR, "Reflect"},
        {IDR_WEB_BAR, "Web Graphics"},      {IDR_GROUP_BAR, "Group"}};
    ASSERT_EQ(ToolBarResources().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ToolBarResources()[i].id, expected[i].first);
        EXPECT_STREQ(ToolBarResources()[i].title, expected[i].second);
    }
    // The style bars' combo boxes take the place of these buttons.
    auto has = [](UINT bar, UINT id) {
        const auto& buttons = FindToolBarResource(bar)->buttons;
        return std::find(buttons.begin(), buttons.end(), id) != buttons.end();
    };
    EXPECT_TRUE(has(IDR_LINE_STYLE_BAR, ID_LINE_STYLE_COMBO));
    EXPECT_TRUE(has(IDR_FILL_STYLE_BAR, ID_FILL_STYLE_COMBO));
    EXPECT_FALSE(has(IDR_PALETTE, ID_DRAW_ELLIPSE_4P));
}

TEST(ResourcesTest, StringTableTexts) {
    struct Case {
        UINT id;
        const char* text;
    };
    const Case cases[] = {
        {ID_DRAW_LINE, "Draw a line\nDraw a line"},
        {ID_LINE_DOT, "Dotted Line\nDotted Line"}, // what the line-style combo lists
        {ID_FILL_NONE, "No fill\nNo fill"},
        {ID_LEVEL_NONE,
         "No grid or mathematical drawing used.\nNo grid or mathematical drawing used."},
        {0xE000, "Lumbrel200"},
        {34000, "No Arrowhead"},
        {34022, "Asterisk"},
        {1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadResourceString(c.id), QString::fromUtf8(c.text)) << c.id;
    EXPECT_EQ(LoadResourceString(ID_INDICATOR_STATUS_TEXT), QString(110, QLatin1Char('*')));
}

TEST(ResourcesTest, EveryIconIsAValidSvgThatDrawsAtToolbarSizes) {
    QStringList files = QrcFiles();
    ASSERT_FALSE(files.isEmpty());
    std::set<QString> listed(files.begin(), files.end());
    for (const CommandResource& command : CommandResources())
        if (*command.icon) {
            EXPECT_TRUE(listed.count(QStringLiteral("icons/%1.svg").arg(command.icon)))
                << command.icon;
        }
    for (const QString& file : files) {
        QSvgRenderer svg(QStringLiteral(":/") + file);
        ASSERT_TRUE(svg.isValid()) << file.toStdString();
        for (int size : {16, 24, 48}) { // 48: 24 at 200%
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            svg.render(&painter);
            painter.end();
            int inked = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    inked += qAlpha(image.pixel(x, y)) > 128;
            // Line art: visible, but not a solid block.
            EXPECT_GT(inked, size * size / 20) << file.toStdString() << " at " << size;
            EXPECT_LT(inked, size * size * 9 / 10) << file.toStdString() << " at " << size;
        }
    }
}

// The icons made at start-up are read only when drawn; they must look and
// measure as Qt's own icons of the same files, in every mode and at sizes
// that are not the drawing's own, square or not.
TEST(ResourcesTest, IconsReadWhenDrawnMatchQtsOwn) {
    QStringList files = QrcFiles() << QStringLiteral("app/lumbrel2.svg");
    for (const QString& file : files) {
        const QString path = QStringLiteral(":/") + file;
        const QIcon own(path), lazy = LazySvgIcon(path);
        EXPECT_FALSE(lazy.isNull());
        for (QSize size : {QSize(16, 16), QSize(24, 24), QSize(48, 48), QSize(40, 22), QSize(13, 30)})
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
                SCOPED_TRACE(file.toStdString() + " " + std::to_string(size.width()) + "x" +
                             std::to_string(size.height()) + " mode " + std::to_string(int(mode)));
                EXPECT_EQ(lazy.actualSize(size, mode), own.actualSize(size, mode));
                EXPECT_EQ(lazy.pixmap(size, mode).toImage(), own.pixmap(size, mode).toImage());
                QImage a(size + QSize(6, 6), QImage::Format_ARGB32_Premultiplied), b(a.size(), a.format());
                a.fill(Qt::white);
                b.fill(Qt::white);
                QPainter pa(&a), pb(&b);
                lazy.paint(&pa, QRect(QPoint(3, 3), size), Qt::AlignCenter, mode);
                own.paint(&pb, QRect(QPoint(3, 3), size), Qt::AlignCenter, mode);
                pa.end();
                pb.end();
                EXPECT_EQ(a, b);
            }
    }
}

// The first window draws its icons from pixels made when the program was
// built; every icon of the resources has them at the sizes of a screen of
// ordinary resolution, the same as drawing the file now (a build that did
// not draw an icon again after it changed fails here).
TEST(ResourcesTest, EveryIconIsDrawnAtBuildTimeAsTheFileDrawsIt) {
    QStringList files = QrcFiles() << QStringLiteral("app/lumbrel2.svg");
    for (const QString& file : files) {
        const QString path = QStringLiteral(":/") + file;
        QSvgRenderer svg(path);
        for (int side : kBakedSvgIconSides) {
            const QImage baked = BakedSvgIcon(path, side);
            ASSERT_FALSE(baked.isNull()) << file.toStdString() << " at " << side;
            EXPECT_EQ(baked, RenderSvgIcon(svg, side)) << file.toStdString() << " at " << side;
        }
        EXPECT_TRUE(BakedSvgIcon(path, 20).isNull());
    }
    EXPECT_TRUE(BakedSvgIcon(QStringLiteral(":/icons/no_such_icon.svg"), 24).isNull());
}

class CopyOnly : public CCmdTarget {
    DECLARE_COMMAND_MAP()
public:
    void OnEditCopy() { ++copies; }
    int copies = 0;
};
BEGIN_COMMAND_MAP(CopyOnly, CCmdTarget)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
END_COMMAND_MAP()

class CommandActionsTest : public ::testing::Test {
protected:
    CCommandRouter router;
    QObject owner;
    CCommandActions actions{router, &owner};
};

TEST_F(CommandActionsTest, MenuBarFollowsTheMenuTree) {
    std::unique_ptr<QMenuBar> bar(actions.BuildMenuBar(nullptr));
    QStringList titles;
    for (QAction* top : bar->actions())
        titles << top->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "F&ormat", "&Tools", "&Window", "&Help"}));

    // Tools>Preferences>Equations>Decimal Point ...
    QMenu* tools = bar->actions()[3]->menu();
    QMenu* preferences = nullptr;
    for (QAction* a : tools->actions())
        if (a->text() == u"&Preferences")
            preferences = a->menu();
    ASSERT_NE(preferences, nullptr);
    QMenu* equations = preferences->actions()[0]->menu();
    ASSERT_NE(equations, nullptr);
    EXPECT_EQ(equations->actions()[0], CommandAction(ID_PREF_DECIMAL_POINT));
    EXPECT_EQ(CommandAction(ID_PREF_DECIMAL_POINT)->text(), u"&Decimal Point ...");

    QAction* del = CommandAction(ID_EDIT_DELETE);
    ASSERT_NE(del, nullptr);
    EXPECT_EQ(del->text(), u"&Delete");
    EXPECT_EQ(del->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(CommandAction(ID_EDIT_COPY)->shortcuts().size(), 2);
    EXPECT_EQ(CommandAction(ID_DRAW_LINE)->statusTip(), u"Draw a line");
    EXPECT_EQ(CommandAction(12345), nullptr);

    // Opening Edit asks the chain; choosing Copy reaches its handler.
    CopyOnly target;
    router.SetChain([&target] { return CCommandRouter::Chain{&target}; });
    QMenu* edit = bar->actions()[1]->menu();
    emit edit->aboutToShow();
    EXPECT_TRUE(CommandAction(ID_EDIT_COPY)->isEnabled());
    EXPECT_FALSE(CommandAction(ID_EDIT_UNDO)->isEnabled());
    CommandAction(ID_EDIT_COPY)->trigger();
    EXPECT_EQ(target.copies, 1);
}

TEST_F(CommandActionsTest, ToolbarsCarryTheirButtonsAndUnhandledCommandsAreOff) {
    std::unique_ptr<QToolBar> palette(actions.BuildToolBar(IDR_PALETTE, nullptr));
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->windowTitle(), u"Draw Tools");
    EXPECT_EQ(palette->objectName(), u"ToolBar132");
    const auto& buttons = FindToolBarResource(IDR_PALETTE)->buttons;
    ASSERT_EQ(palette->actions().size(), qsizetype(buttons.size()));
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(CommandIdOf(palette->actions()[int(i)]), buttons[i]);
        EXPECT_FALSE(palette->actions()[int(i)]->icon().isNull());
    }
    EXPECT_EQ(actions.BuildToolBar(999, nullptr), nullptr);

    // Nothing handles anything yet: every command shows disabled.
    router.IdleUpdate();
    for (QAction* action : palette->actions())
        EXPECT_FALSE(action->isEnabled());
    EXPECT_FALSE(CommandAction(ID_EDIT_UNDO)->isEnabled());
    EXPECT_TRUE(actions.AcceleratorActions().contains(CommandAction(ID_NUDGE_LEFT)));
}

} // namespace
