#pragma once
// One QAction per command of the resources, wired to a command router, and
// the menu bar and toolbars built from them.
#include "platform/win_types.h"

#include <QList>

#include <map>

class CCommandRouter;
class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QToolBar;
class QWidget;

class CCommandActions {
public:
    // Makes every action now; they live as children of `parent`.
    CCommandActions(CCommandRouter& router, QObject* parent);
    ~CCommandActions();
    CCommandActions(const CCommandActions&) = delete;
    CCommandActions& operator=(const CCommandActions&) = delete;

    // The action of a command; null for an id the resources do not name.
    QAction* Action(UINT id) const;
    const std::map<UINT, QAction*>& Actions() const { return m_actions; }

    // The menu tree, each menu brought up to date before it opens.
    QMenuBar* BuildMenuBar(QWidget* parent) const;
    // One toolbar from its resource, named "ToolBar<id>" so that saved
    // layouts find it again; null for an unknown id.
    QToolBar* BuildToolBar(UINT resourceId, QWidget* parent) const;
    // Gives `bar` the buttons of its resource; false for an unknown id.
    bool FillToolBar(QToolBar* bar, UINT resourceId) const;
    // The actions whose keys must work without their menu being open:
    // add them to the main window.
    QList<QAction*> AcceleratorActions() const;

    CCommandRouter& Router() const { return m_router; }

private:
    QAction* MakeAction(UINT id, QObject* parent);

    CCommandRouter& m_router;
    std::map<UINT, QAction*> m_actions;
};

// The action of a command in the program's action set; null when there is
// no such set yet or it does not name `id`.
QAction* CommandAction(UINT id);
