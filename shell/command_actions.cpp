#include "shell/command_actions.h"

#include "platform/command_router.h"
#include "platform/command_table.h"
#include "platform/lazy_icon.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

CCommandActions* g_actions = nullptr;

// A menu item's own text, without the key shown after the tab.
QString ItemText(const QString& segment) {
    return segment.section(QLatin1Char('\t'), 0, 0);
}

// The texts carry no underlined letters of their own, so each menu's
// items get theirs here, the desktop's way: the first letter of a word
// that no item above has taken, else any free letter.  An '&' of the text
// is shown as itself.
void AddMnemonics(const QList<QAction*>& items) {
    QString taken;
    for (QAction* item : items) {
        if (item->isSeparator())
            continue;
        const QString text = item->text();
        auto isFree = [&](qsizetype i) {
            return text[i].isLetterOrNumber() && !taken.contains(text[i].toLower());
        };
        qsizetype letter = -1;
        for (qsizetype i = 0; i < text.size() && letter < 0; ++i)
            if ((i == 0 || text[i - 1] == QLatin1Char(' ')) && isFree(i))
                letter = i;
        for (qsizetype i = 0; i < text.size() && letter < 0; ++i)
            if (isFree(i))
                letter = i;
        QString shown;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (i == letter)
                shown += QLatin1Char('&');
            shown += text[i] == QLatin1Char('&') ? QStringLiteral("&&") : QString(text[i]);
        }
        if (letter >= 0)
            taken += text[letter].toLower();
        item->setText(shown);
        if (item->menu())
            AddMnemonics(item->menu()->actions());
    }
}

} // namespace

CCommandActions::CCommandActions(CCommandRouter& router, QObject* parent) : m_router(router) {
    for (const CommandResource& command : CommandResources())
        MakeAction(command.id, parent);
    g_actions = this;
}

CCommandActions::~CCommandActions() {
    if (g_actions == this)
        g_actions = nullptr;
}

QAction* CCommandActions::MakeAction(UINT id, QObject* parent) {
    auto* action = new QAction(parent);
    action->setText(CommandTooltip(id).isEmpty() ? CommandPrompt(id) : CommandTooltip(id));
    action->setToolTip(CommandTooltip(id));
    action->setStatusTip(CommandPrompt(id));
    QString icon = CommandIconPath(id);
    if (!icon.isEmpty())
        action->setIcon(LazySvgIcon(icon));
    QList<QKeySequence> keys;
    for (const AcceleratorResource& accel : AcceleratorResources())
        if (accel.id == id)
            keys.append(QKeySequence(QString::fromLatin1(accel.key), QKeySequence::PortableText));
    if (!keys.isEmpty())
        action->setShortcuts(keys);
    // Actions start enabled; each menu's opening and the idle pass give them
    // their real state.
    m_router.ConnectAction(action, id);
    m_actions.emplace(id, action);
    return action;
}

QAction* CCommandActions::Action(UINT id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QMenuBar* CCommandActions::BuildMenuBar(QWidget* parent) const {
    auto* bar = new QMenuBar(parent);
    // Menus by their path so far ("Tools>Preferences").
    std::map<QString, QMenu*> menus;
    for (const MenuItemResource& item : MenuResources()) {
        QStringList parts = QString::fromUtf8(item.path).split(QLatin1Char('>'));
        QString path;
        QMenu* menu = nullptr;
        for (int i = 0; i + 1 < parts.size(); ++i) {
            path += (i ? QStringLiteral(">") : QString()) + parts[i];
            auto it = menus.find(path);
            if (it == menus.end()) {
                QMenu* sub = menu ? menu->addMenu(parts[i]) : bar->addMenu(parts[i]);
                m_router.WatchMenu(sub);
                it = menus.emplace(path, sub).first;
            }
            menu = it->second;
        }
        if (!menu)
            continue;
        if (item.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = Action(item.id);
        if (!action)
            continue;
        // The menu's wording wins over the tooltip's.
        action->setText(ItemText(parts.last()));
        menu->addAction(action);
    }
    AddMnemonics(bar->actions());
    return bar;
}

QToolBar* CCommandActions::BuildToolBar(UINT resourceId, QWidget* parent) const {
    const ToolBarResource* resource = FindToolBarResource(resourceId);
    if (!resource)
        return nullptr;
    auto* bar = new QToolBar(QString::fromUtf8(resource->title), parent);
    FillToolBar(bar, resourceId);
    return bar;
}

bool CCommandActions::FillToolBar(QToolBar* bar, UINT resourceId) const {
    const ToolBarResource* resource = FindToolBarResource(resourceId);
    if (!resource)
        return false;
    bar->setObjectName(QStringLiteral("ToolBar%1").arg(resourceId));
    for (UINT id : resource->buttons) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        if (QAction* action = Action(id))
            bar->addAction(action);
    }
    return true;
}

QList<QAction*> CCommandActions::AcceleratorActions() const {
    QList<QAction*> actions;
    for (const auto& [id, action] : m_actions)
        if (!action->shortcuts().isEmpty())
            actions.append(action);
    return actions;
}

QAction* CommandAction(UINT id) {
    return g_actions ? g_actions->Action(id) : nullptr;
}
