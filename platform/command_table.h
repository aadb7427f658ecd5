#pragma once
// The program's resources as data: the string table (each command's status
// bar prompt and tooltip, plus the few plain strings), the menu tree, the
// accelerator table and the toolbars' button lists.
#include "platform/win_types.h"

#include <QString>

#include <vector>

// One command: its prompt (status bar, combo box lists), its tooltip and the
// icon of its toolbar button (empty when it has none).
struct CommandResource {
    UINT id;
    const char* prompt;
    const char* tooltip;
    const char* icon;
};

// A menu item as its path from the menu bar, with "\t" and the key shown
// after its text: {"Edit>Delete\tDel", 32775}.  Id 0 with a path ending in
// ">-" is a separator.
struct MenuItemResource {
    const char* path;
    UINT id;
};

// One key of the accelerator table, in QKeySequence's portable text.
struct AcceleratorResource {
    UINT id;
    const char* key;
};

// A toolbar: its resource id (also its control id), title and buttons in
// order; 0 is a separator.
struct ToolBarResource {
    UINT id;
    const char* title;
    std::vector<UINT> buttons;
};

const std::vector<CommandResource>& CommandResources();
const CommandResource* FindCommandResource(UINT id);
const std::vector<MenuItemResource>& MenuResources();
const std::vector<AcceleratorResource>& AcceleratorResources();
// The ten bars, in the order the main frame creates them.
const std::vector<ToolBarResource>& ToolBarResources();
const ToolBarResource* FindToolBarResource(UINT id);

// The string-table entry of `id`: "prompt\ntooltip" for a command, the
// plain text for other strings; empty when there is none.
QString LoadResourceString(UINT id);
QString CommandPrompt(UINT id);
QString CommandTooltip(UINT id);
// The qrc path of a command's toolbar icon, empty when it has none.
QString CommandIconPath(UINT id);
