#include "platform/command_target.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

void CCmdUI::Enable(BOOL on) {
    m_bEnabled = on != FALSE;
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int check) {
    m_nCheck = check;
    m_bRadio = false;
}

void CCmdUI::SetRadio(BOOL on) {
    m_nCheck = on ? 1 : 0;
    m_bRadio = true;
}

void CCmdUI::SetText(const QString& text) {
    m_strText = text;
    m_bTextSet = true;
}

const CommandEntry* CommandMap::Find(UINT id, CommandEntry::Kind kind) const {
    for (const CommandMap* map = this; map; map = map->base)
        for (const CommandEntry& entry : map->entries)
            if (entry.kind == kind && entry.first <= id && id <= entry.last)
                return &entry;
    return nullptr;
}

const CommandMap* CCmdTarget::GetThisCommandMap() {
    static const CommandMap map{nullptr, {}};
    return &map;
}

bool CCmdTarget::OnCmdMsg(UINT id) {
    const CommandEntry* entry = GetCommandMap()->Find(id, CommandEntry::Kind::Command);
    if (!entry)
        return false;
    entry->call(this, id, nullptr);
    return true;
}

bool CCmdTarget::OnUpdateCmdMsg(CCmdUI& ui) {
    const CommandEntry* entry = GetCommandMap()->Find(ui.m_nID, CommandEntry::Kind::Update);
    if (!entry)
        return false;
    entry->call(this, ui.m_nID, &ui);
    return true;
}

bool CCmdTarget::HasCommandHandler(UINT id) const {
    return GetCommandMap()->Find(id, CommandEntry::Kind::Command) != nullptr;
}
