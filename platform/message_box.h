#pragma once
// Message boxes and beeps.  Tests replace both handlers to record what the
// program says instead of blocking on a dialog.
#include "platform/win_types.h"

#include <QString>

#include <functional>

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFMASK = 0xF00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The program's name as message boxes show it.
QString AppCaption();

// Shows text with caption and the buttons and icon of type; returns the
// button pressed (IDOK, IDYES, ...).
int ShowMessageBox(const QString& text, const QString& caption, UINT type = MB_OK);
// The same with the program's caption.
int AfxMessageBox(const QString& text, UINT type = MB_OK);
void MessageBeep(UINT type = 0);

using MessageBoxHandler =
    std::function<int(const QString& text, const QString& caption, UINT type)>;
using BeepHandler = std::function<void()>;
// Returns the previous handler; an empty handler restores the real one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
BeepHandler SetBeepHandler(BeepHandler handler);
