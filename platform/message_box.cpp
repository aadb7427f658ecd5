#include "platform/message_box.h"

#include "platform/dialog.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageBoxHandler& BoxHandler() {
    static MessageBoxHandler handler;
    return handler;
}
BeepHandler& BeepFn() {
    static BeepHandler handler;
    return handler;
}

int RealMessageBox(const QString& text, const QString& caption, UINT type) {
    QMessageBox box(QApplication::activeWindow());
    // A message box sizes itself to its title; it only wants the frame.
    box.setWindowFlags(DialogFrameFlags);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONASTERISK:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Button {
        QMessageBox::StandardButton qt;
        int id;
    };
    std::vector<Button> buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{QMessageBox::Abort, IDABORT},
                   {QMessageBox::Retry, IDRETRY},
                   {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        buttons = {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IDOK}};
        break;
    }
    QMessageBox::StandardButtons all;
    for (const Button& b : buttons)
        all |= b.qt;
    box.setStandardButtons(all);
    size_t def = (type & MB_DEFMASK) >> 8;
    if (def < buttons.size())
        box.setDefaultButton(buttons[def].qt);
    int pressed = box.exec();
    for (const Button& b : buttons) {
        if (b.qt == pressed)
            return b.id;
    }
    // Closed without a button: what Escape would give.
    bool hasCancel = std::any_of(buttons.begin(), buttons.end(),
                                 [](const Button& b) { return b.id == IDCANCEL; });
    return hasCancel ? IDCANCEL : buttons.back().id;
}
} // namespace

QString AppCaption() {
    return QStringLiteral("Lumbrel V2");
}

int ShowMessageBox(const QString& text, const QString& caption, UINT type) {
    if (BoxHandler())
        return BoxHandler()(text, caption, type);
    return RealMessageBox(text, caption, type);
}

int AfxMessageBox(const QString& text, UINT type) {
    return ShowMessageBox(text, AppCaption(), type);
}

void MessageBeep(UINT) {
    if (BeepFn()) {
        BeepFn()();
        return;
    }
    QApplication::beep();
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(BoxHandler(), std::move(handler));
}

BeepHandler SetBeepHandler(BeepHandler handler) {
    return std::exchange(BeepFn(), std::move(handler));
}
