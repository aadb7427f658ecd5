#include "platform/command_router.h"

#include <QAction>
#include <QMenu>

namespace {
const char* const kCommandIdProperty = "lumbrelCommandId";
}

UINT CommandIdOf(const QAction* action) {
    if (!action)
        return 0;
    return action->property(kCommandIdProperty).toUInt();
}

void SetCommandId(QAction* action, UINT id) {
    action->setProperty(kCommandIdProperty, id);
}

CActionCmdUI::CActionCmdUI(QAction* action) : CCmdUI(CommandIdOf(action)), m_action(action) {}

void CActionCmdUI::Enable(BOOL on) {
    CCmdUI::Enable(on);
    m_action->setEnabled(on != FALSE);
}

void CActionCmdUI::SetCheck(int check) {
    CCmdUI::SetCheck(check);
    m_action->setCheckable(true);
    m_action->setChecked(check != 0);
}

void CActionCmdUI::SetRadio(BOOL on) {
    CCmdUI::SetRadio(on);
    m_action->setCheckable(true);
    m_action->setChecked(on != FALSE);
}

void CActionCmdUI::SetText(const QString& text) {
    CCmdUI::SetText(text);
    m_action->setText(text);
}

CCommandRouter::CCommandRouter(QObject* parent) : QObject(parent) {
    connect(&m_idleTimer, &QTimer::timeout, this, &CCommandRouter::IdleUpdate);
}

void CCommandRouter::SetChain(std::function<Chain()> provider) {
    m_chain = std::move(provider);
}

CCommandRouter::Chain CCommandRouter::CurrentChain() const {
    Chain chain;
    if (m_chain)
        for (CCmdTarget* target : m_chain())
            if (target)
                chain.push_back(target);
    return chain;
}

bool CCommandRouter::Execute(UINT id) {
    bool handled = false;
    for (CCmdTarget* target : CurrentChain())
        if (target->OnCmdMsg(id)) {
            handled = true;
            break;
        }
    // The command may have changed what the toolbars should show.
    ScheduleIdleUpdate();
    return handled;
}

void CCommandRouter::PostCommand(UINT id) {
    QMetaObject::invokeMethod(
        this, [this, id] { Execute(id); }, Qt::QueuedConnection);
}

void CCommandRouter::UpdateCommand(CCmdUI& ui) const {
    Chain chain = CurrentChain();
    ui.m_bEnableChanged = false;
    for (CCmdTarget* target : chain)
        if (target->OnUpdateCmdMsg(ui))
            break;
    if (ui.m_bEnableChanged)
        return;
    bool handled = false;
    for (CCmdTarget* target : chain)
        if (target->HasCommandHandler(ui.m_nID)) {
            handled = true;
            break;
        }
    ui.Enable(handled ? TRUE : FALSE);
}

bool CCommandRouter::IsEnabled(UINT id) const {
    CCmdUI ui(id);
    UpdateCommand(ui);
    return ui.m_bEnabled;
}

void CCommandRouter::UpdateAction(QAction* action) const {
    UINT id = CommandIdOf(action);
    if (id == 0 || action->isSeparator() || action->menu())
        return;
    CActionCmdUI ui(action);
    UpdateCommand(ui);
}

void CCommandRouter::UpdateActions(const QList<QAction*>& actions) const {
    for (QAction* action : actions)
        UpdateAction(action);
}

void CCommandRouter::ConnectAction(QAction* action, UINT id) {
    SetCommandId(action, id);
    connect(action, &QAction::triggered, this, [this, action] { OnActionTriggered(action); });
    m_actions.append(action);
}

void CCommandRouter::WatchMenu(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateActions(menu->actions()); });
}

void CCommandRouter::IdleUpdate() {
    m_idlePending = false;
    m_actions.removeAll(nullptr);
    for (const QPointer<QAction>& action : m_actions)
        UpdateAction(action);
    emit IdleUpdated();
}

void CCommandRouter::StartIdleUpdates(int intervalMs) {
    m_idleTimer.start(intervalMs);
}

void CCommandRouter::StopIdleUpdates() {
    m_idleTimer.stop();
}

void CCommandRouter::OnActionTriggered(QAction* action) {
    UINT id = CommandIdOf(action);
    // An accelerator may fire before the idle pass has caught up with the
    // program's state: ask again and ignore a command that is off now.
    if (!IsEnabled(id)) {
        UpdateAction(action);
        return;
    }
    Execute(id);
}

void CCommandRouter::ScheduleIdleUpdate() {
    if (m_idlePending)
        return;
    m_idlePending = true;
    QTimer::singleShot(0, this, &CCommandRouter::IdleUpdate);
}
