#pragma once
// Read and Write of a default group from one list of its settings in stored
// order (each group defines Visit(group, f) before using the macro).
#include "settings/setting_values.h"

#define LUMBREL_GROUP_IO(Group)                                                                    \
    BOOL Group::Read(CWinApp* app, CFile* file) {                                                  \
        Visit(*this, [&](auto& s) { s.Read(app, file); });                                         \
        return TRUE;                                                                               \
    }                                                                                              \
    BOOL Group::Write(CWinApp* app, CFile* file, BOOL defaults) {                                  \
        Visit(*this, [&](auto& s) { s.Write(app, file, defaults); });                              \
        return TRUE;                                                                               \
    }
