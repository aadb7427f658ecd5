#pragma once
// Command targets: objects that answer command ids through a per-class table
// of handlers, the way the program's documents, views and frames expect.
#include "platform/object.h"
#include "platform/win_types.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

// What an update handler may change on the menu items and buttons of one
// command.  The router passes one per command it asks about.
class CCmdUI {
public:
    explicit CCmdUI(UINT id = 0) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate (shown as checked).
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(const QString& text);

    UINT m_nID;
    // What the handlers asked for; a base object only records it.
    bool m_bEnabled = true;
    // Set by Enable: an update handler that never calls it leaves the
    // decision to whether some target handles the command.
    bool m_bEnableChanged = false;
    int m_nCheck = -1; // -1: never set
    bool m_bRadio = false;
    bool m_bTextSet = false;
    QString m_strText;
};

class CCmdTarget;

// One row of a handler table: an id range and what to call for it.
struct CommandEntry {
    enum class Kind { Command, Update };
    UINT first;
    UINT last;
    Kind kind;
    std::function<void(CCmdTarget*, UINT, CCmdUI*)> call;

    template <class T> static CommandEntry Command(UINT id, void (T::*fn)()) {
        return {id, id, Kind::Command,
                [fn](CCmdTarget* t, UINT, CCmdUI*) { (static_cast<T*>(t)->*fn)(); }};
    }
    template <class T>
    static CommandEntry CommandRange(UINT first, UINT last, void (T::*fn)(UINT)) {
        return {first, last, Kind::Command,
                [fn](CCmdTarget* t, UINT id, CCmdUI*) { (static_cast<T*>(t)->*fn)(id); }};
    }
    template <class T> static CommandEntry Update(UINT id, void (T::*fn)(CCmdUI*)) {
        return {id, id, Kind::Update,
                [fn](CCmdTarget* t, UINT, CCmdUI* ui) { (static_cast<T*>(t)->*fn)(ui); }};
    }
    template <class T>
    static CommandEntry UpdateRange(UINT first, UINT last, void (T::*fn)(CCmdUI*)) {
        return {first, last, Kind::Update,
                [fn](CCmdTarget* t, UINT, CCmdUI* ui) { (static_cast<T*>(t)->*fn)(ui); }};
    }
};

// A class's own handlers plus a link to its base class's table; a derived
// class's row wins over its base's.
struct CommandMap {
    const CommandMap* base;
    std::vector<CommandEntry> entries;

    const CommandEntry* Find(UINT id, CommandEntry::Kind kind) const;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Runs the command handler for `id`; false when this target has none.
    virtual bool OnCmdMsg(UINT id);
    // Runs the update handler for `ui.m_nID`; false when there is none.
    virtual bool OnUpdateCmdMsg(CCmdUI& ui);
    virtual bool HasCommandHandler(UINT id) const;

protected:
    static const CommandMap* GetThisCommandMap();
    virtual const CommandMap* GetCommandMap() const { return GetThisCommandMap(); }
};

// Handler tables, written in the class and its source file:
//   class Lumbrel2Doc : public CCmdTarget { DECLARE_COMMAND_MAP() ... };
//   BEGIN_COMMAND_MAP(Lumbrel2Doc, CCmdTarget)
//       ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
//       ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
//   END_COMMAND_MAP()
#define DECLARE_COMMAND_MAP()                                                                      \
protected:                                                                                         \
    static const CommandMap* GetThisCommandMap();                                                  \
    const CommandMap* GetCommandMap() const override {                                             \
        return GetThisCommandMap();                                                                \
    }

#define BEGIN_COMMAND_MAP(cls, baseCls)                                                            \
    const CommandMap* cls::GetThisCommandMap() {                                                   \
        using ThisCmdClass = cls;                                                                  \
        static const CommandMap map {                                                              \
            baseCls::GetThisCommandMap(), {

#define ON_COMMAND(id, fn) CommandEntry::Command<ThisCmdClass>(id, &ThisCmdClass::fn),
#define ON_COMMAND_RANGE(first, last, fn)                                                          \
    CommandEntry::CommandRange<ThisCmdClass>(first, last, &ThisCmdClass::fn),
#define ON_UPDATE_COMMAND_UI(id, fn) CommandEntry::Update<ThisCmdClass>(id, &ThisCmdClass::fn),
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn)                                                \
    CommandEntry::UpdateRange<ThisCmdClass>(first, last, &ThisCmdClass::fn),

#define END_COMMAND_MAP()                                                                          \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    return &map;                                                                                   \
    }
