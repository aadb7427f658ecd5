#pragma once
// The hook through which a figure opens its properties dialog.  Dialogs
// live above the figures, so the shell fills each figure kind's seam at
// start; a figure only asks its seam to run.  One seam per Owner class.
#include "platform/message_box.h"

#include <functional>
#include <utility>

template <class Owner, class Signature> class QvDialogSeam;

template <class Owner, class... Args> class QvDialogSeam<Owner, bool(Args...)> {
public:
    // Edits the values it is given and answers true on OK.
    using Dialog = std::function<bool(Args...)>;

    // Installs a dialog (or none) and returns the one it replaces.
    static Dialog Set(Dialog dialog) { return std::exchange(Slot(), std::move(dialog)); }

    static bool Installed() { return bool(Slot()); }

    // True when a dialog is installed; beeps when none is, so a figure
    // that checks this first may simply return.
    static bool Available() {
        if (Slot())
            return true;
        MessageBeep(0);
        return false;
    }

    // Runs the dialog; without one, beeps and answers false (Cancel).
    static bool Run(Args... args) {
        if (!Available())
            return false;
        return Slot()(std::forward<Args>(args)...);
    }

    // Installs a dialog for as long as it lives, then puts back the one
    // that was there: tests use it so none leaks into the next test.
    class Scope {
    public:
        explicit Scope(Dialog dialog) : m_previous(Set(std::move(dialog))) {}
        ~Scope() { Set(std::move(m_previous)); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Dialog m_previous;
    };

private:
    static Dialog& Slot() {
        static Dialog s_dialog;
        return s_dialog;
    }
};
