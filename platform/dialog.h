#pragma once
// Modal dialogs the way the program's dialog code expects them: values live
// in members, DoDataExchange moves them to and from the controls in one
// place, and a value out of range is refused with the usual message while
// the dialog stays open.
#include "platform/message_box.h" // IDOK, IDCANCEL
#include "platform/win_types.h"

#include <QDialog>
#include <QList>
#include <QPointer>

#include <functional>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QWidget;

class QTabWidget;

class CDataExchange {
public:
    // dlg: the dialog or property page whose values are exchanged.
    CDataExchange(QWidget* dlg, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlg) {}

    // Remembers the field that a following range check reports on.
    void PrepareCtrl(QWidget* control) { m_pLastControl = control; }
    // Gives the focus back to the last field and abandons the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    QWidget* m_pDlgWnd;
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

// One page of a property sheet: a panel of controls whose values live in
// members and are exchanged as a dialog's are.  The caption is the tab's
// text.  The sheet does not own its pages.
class CPropertyPage : public QWidget {
public:
    explicit CPropertyPage(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    // FALSE when a value was refused; the focus is then on its field.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // True once the page has been shown and its controls filled.
    bool IsInitialized() const { return m_initialized; }

    // Fills the controls; the sheet calls it the first time the page is
    // shown, so a page never opened keeps the values given to it.
    virtual BOOL OnInitDialog();
    // The page becomes the current one.
    virtual BOOL OnSetActive();
    // The user leaves the page or presses OK on it: takes its values.
    // FALSE keeps the page open.
    virtual BOOL OnKillActive();
    // After OK, for each page that was shown, once every value is taken.
    virtual void OnOK() {}
    virtual void OnCancel() {}

protected:
    virtual void DoDataExchange(CDataExchange* pDX) = 0;

private:
    QString m_caption;
    bool m_initialized = false;
};

// A modal dialog of tabbed pages with OK and Cancel.  It opens on the
// page given, exchanges a page's values when the user leaves it and, on
// OK, those of the page that is open; a refused value keeps that page.
class CPropertySheet : public CDialog {
public:
    explicit CPropertySheet(const QString& caption, QWidget* parent = nullptr,
                            UINT selectPage = 0);
    ~CPropertySheet() override;

    // Adds a page behind those already added; the caller keeps it.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_active; }
    // Switches pages as the user does, leaving the current one first;
    // FALSE when the current page refused its values.
    BOOL SetActivePage(int index);
    QTabWidget* TabWidget() const { return m_tabs; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    void DoDataExchange(CDataExchange*) override {}

private:
    void TabChanged(int index);
    void Activate(int index);

    QTabWidget* m_tabs;
    std::vector<QPointer<CPropertyPage>> m_pages;
    UINT m_startPage;
    int m_active = -1;
    bool m_switching = false;
};
