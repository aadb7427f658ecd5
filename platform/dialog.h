#pragma once
// Modal dialogs the way the program's dialog code expects them: values live
// in members, DoDataExchange moves them to and from the controls in one
// place, and a value out of range is refused with the usual message while
// the dialog stays open.
#include "platform/message_box.h" // IDOK, IDCANCEL
#include "platform/win_types.h"

#include <QDialog>
#include <QList>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QWidget;

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* dlg, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlg) {}

    // Remembers the field that a following range check reports on.
    void PrepareCtrl(QWidget* control) { m_pLastControl = control; }
    // Gives the focus back to the last field and abandons the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
    QWidget* m_pLastControl = nullptr;
};

void DDX_Check(CDataExchange* pDX, QCheckBox* box, int& value);
// The index of the checked button in `buttons`; -1 when none is.
void DDX_Radio(CDataExchange* pDX, const QList<QAbstractButton*>& buttons, int& value);
void DDX_Text(CDataExchange* pDX, QLineEdit* edit, int& value);
void DDX_Text(CDataExchange* pDX, QLineEdit* edit, double& value);
void DDX_Text(CDataExchange* pDX, QLineEdit* edit, QString& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal);

// A dialog's title bar on every desktop: its title and a close button, no
// minimise or maximise.
constexpr Qt::WindowFlags DialogFrameFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                             Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                             Qt::WindowCloseButtonHint;
// Gives a dialog that title bar, with room for the whole title.
void SetDialogFrame(QDialog* dialog);

class CDialog : public QDialog {
public:
    explicit CDialog(QWidget* parent = nullptr);

    // Fills the controls, runs the dialog and returns IDOK or IDCANCEL.
    virtual int DoModal();
    // FALSE when a value was refused; the focus is then on its field.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // How the dialog ended: IDOK, IDCANCEL, another id from EndDialog, or
    // -1 while it is open.
    int ModalResult() const { return m_nModalResult; }

    virtual BOOL OnInitDialog();
    // Takes the values and ends with IDOK; stays open when one is refused.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

protected:
    virtual void DoDataExchange(CDataExchange* pDX) = 0;

private:
    int m_nModalResult = -1;
};

// Runs in place of the event loop of every DoModal while set: it gets the
// filled dialog and may change controls and press its buttons.  Returns
// the previous handler; an empty one restores the real loop.
using ModalDialogHandler = std::function<void(CDialog& dialog)>;
ModalDialogHandler SetModalDialogHandler(ModalDialogHandler handler);
