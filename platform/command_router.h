#pragma once
// Sends command ids along the chain of command targets (active view,
// document, child frame, main frame, application) and asks the same chain
// for the enabled and checked state of menu items and toolbar buttons.
#include "platform/command_target.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <vector>

class QAction;
class QMenu;

// The command id a QAction carries; 0 when it carries none.
UINT CommandIdOf(const QAction* action);
void SetCommandId(QAction* action, UINT id);

// Applies what update handlers ask for to one QAction.
class CActionCmdUI : public CCmdUI {
public:
    explicit CActionCmdUI(QAction* action);
    void Enable(BOOL on = TRUE) override;
    void SetCheck(int check = 1) override;
    void SetRadio(BOOL on = TRUE) override;
    void SetText(const QString& text) override;

private:
    QAction* m_action;
};

class CCommandRouter : public QObject {
    Q_OBJECT
public:
    using Chain = std::vector<CCmdTarget*>;

    explicit CCommandRouter(QObject* parent = nullptr);

    // The chain is asked for afresh on every command, so it follows the
    // active view.  Null targets in it are skipped.
    void SetChain(std::function<Chain()> provider);
    Chain CurrentChain() const;

    // Runs the first handler along the chain; false when none handles `id`.
    bool Execute(UINT id);
    // Runs `id` later from the event loop, as a posted command message.
    void PostCommand(UINT id);

    // The first update handler along the chain decides.  When there is none,
    // or it never calls Enable, the command is enabled exactly when some
    // target along the chain handles it.
    void UpdateCommand(CCmdUI& ui) const;
    bool IsEnabled(UINT id) const;
    void UpdateAction(QAction* action) const;
    void UpdateActions(const QList<QAction*>& actions) const;

    // Makes `action` carry `id` and send it here when triggered.  Connected
    // actions take part in the idle pass.
    void ConnectAction(QAction* action, UINT id);
    // Brings the menu's items up to date each time before it opens.
    void WatchMenu(QMenu* menu);
    // The idle pass: every connected action, so toolbar buttons and
    // accelerators follow the program's state.
    void IdleUpdate();
    void StartIdleUpdates(int intervalMs = 250);
    void StopIdleUpdates();

signals:
    // After each idle pass, for controls that follow the program's state
    // without being actions (the style lists of the toolbars).
    void IdleUpdated();

private:
    void OnActionTriggered(QAction* action);
    void ScheduleIdleUpdate();

    std::function<Chain()> m_chain;
    QList<QPointer<QAction>> m_actions;
    QTimer m_idleTimer;
    bool m_idlePending = false;
};
