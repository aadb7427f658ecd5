#include "platform/dialog.h"

#include "platform/message_box.h"
#include "platform/numbers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Thrown by a failed exchange and caught by UpdateData.
struct ExchangeFailed {};

ModalDialogHandler& Handler() {
    static ModalDialogHandler handler;
    return handler;
}

// Bounds read as the messages have always shown them: no trailing zeros.
QString BoundText(double value) {
    return FormatC("%.*g", 15, value);
}

void Refuse(CDataExchange* pDX, const QString& text) {
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Widens a dialog whose title would not fit its title bar, each time it is
// shown or retitled: a window manager cuts a long title short otherwise.
class TitleRoom : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QWidget*>(watched);
        // A hidden dialog is fitted when shown: resizing it before that
        // would keep it from taking the size its contents ask for.
        if (dialog && (event->type() == QEvent::Show ||
                       (event->type() == QEvent::WindowTitleChange && dialog->isVisible())))
            Fit(dialog);
        return false;
    }

private:
    static void Fit(QWidget* dialog) {
        // Title bars show the title in a bold face, often larger than the
        // window's own, beside the window's icon and the buttons the
        // window manager adds (some add all three whatever a dialog asks).
        QFont bold = QApplication::font();
        bold.setBold(true);
        const int text = QFontMetrics(bold).horizontalAdvance(dialog->windowTitle());
        const int need = text * 5 / 4 + 110;
        if (dialog->width() >= need)
            return;
        // A minimum width set here replaces the layout's, which must still hold.
        const int width = std::max(need, dialog->minimumSizeHint().width());
        dialog->setMaximumWidth(std::max(dialog->maximumWidth(), width));
        dialog->setMinimumWidth(width);
        dialog->resize(width, dialog->height());
    }
};

} // namespace

void SetDialogFrame(QDialog* dialog) {
    dialog->setWindowFlags(DialogFrameFlags);
    dialog->installEventFilter(new TitleRoom(dialog));
}

void CDataExchange::Fail() {
    if (m_pLastControl) {
        m_pLastControl->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(m_pLastControl))
            edit->selectAll();
    }
    throw ExchangeFailed();
}

void DDX_Check(CDataExchange* pDX, QCheckBox* box, int& value) {
    pDX->PrepareCtrl(box);
    if (pDX->m_bSaveAndValidate)
        value = box->checkState() == Qt::Checked            ? 1
                : box->checkState() == Qt::PartiallyChecked ? 2
                                                            : 0;
    else
        box->setCheckState(value == 1   ? Qt::Checked
                           : value == 2 ? Qt::PartiallyChecked
                                        : Qt::Unchecked);
}

void DDX_Radio(CDataExchange* pDX, const QList<QAbstractButton*>& buttons, int& value) {
    if (!buttons.isEmpty())
        pDX->PrepareCtrl(buttons.first());
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (int i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked()) {
                value = i;
                break;
            }
        return;
    }
    for (int i = 0; i < buttons.size(); ++i) {
        // An exclusive group will not let its last ticked button go, so a
        // value of -1 needs the group's exclusivity lifted for a moment.
        bool exclusive = buttons[i]->autoExclusive();
        buttons[i]->setAutoExclusive(false);
        buttons[i]->setChecked(i == value);
        buttons[i]->setAutoExclusive(exclusive);
    }
}

void DDX_Text(CDataExchange* pDX, QLineEdit* edit, int& value) {
    pDX->PrepareCtrl(edit);
    if (!pDX->m_bSaveAndValidate) {
        edit->setText(QString::number(value));
        return;
    }
    bool ok = false;
    int read = QLocale::c().toInt(edit->text().trimmed(), &ok);
    if (!ok)
        Refuse(pDX, QStringLiteral("Please enter an integer."));
    value = read;
}

void DDX_Text(CDataExchange* pDX, QLineEdit* edit, double& value) {
    pDX->PrepareCtrl(edit);
    if (!pDX->m_bSaveAndValidate) {
        edit->setText(BoundText(value));
        return;
    }
    bool ok = false;
    double read = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    if (!ok)
        Refuse(pDX, QStringLiteral("Please enter a number."));
    value = read;
}

void DDX_Text(CDataExchange* pDX, QLineEdit* edit, QString& value) {
    pDX->PrepareCtrl(edit);
    if (pDX->m_bSaveAndValidate)
        value = edit->text();
    else
        edit->setText(value);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    Refuse(pDX,
           QStringLiteral("Please enter an integer between %1 and %2.").arg(minVal).arg(maxVal));
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    Refuse(pDX, QStringLiteral("Please enter a number between %1 and %2.")
                    .arg(BoundText(minVal), BoundText(maxVal)));
}

CDialog::CDialog(QWidget* parent) : QDialog(parent) {
    SetDialogFrame(this);
}

int CDialog::DoModal() {
    m_nModalResult = -1;
    if (!OnInitDialog())
        return IDCANCEL;
    if (Handler()) {
        Handler()(*this);
    } else {
        setModal(true);
        exec();
    }
    // A dialog left open by the handler counts as cancelled.
    return m_nModalResult == -1 ? IDCANCEL : m_nModalResult;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const ExchangeFailed&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    QDialog::done(result == IDOK ? QDialog::Accepted : QDialog::Rejected);
}

ModalDialogHandler SetModalDialogHandler(ModalDialogHandler handler) {
    ModalDialogHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

CPropertyPage::CPropertyPage(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption) {}

BOOL CPropertyPage::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const ExchangeFailed&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CPropertyPage::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnSetActive() {
    if (!m_initialized) {
        m_initialized = true;
        OnInitDialog();
    }
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

CPropertySheet::CPropertySheet(const QString& caption, QWidget* parent, UINT selectPage)
    : CDialog(parent), m_tabs(new QTabWidget(this)), m_startPage(selectPage) {
    setWindowTitle(caption);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::TabChanged);
}

CPropertySheet::~CPropertySheet() {
    // The pages belong to the caller: take them out before the tabs go.
    m_active = -1;
    for (QPointer<CPropertyPage>& page : m_pages)
        if (page) {
            m_tabs->removeTab(m_tabs->indexOf(page));
            page->setParent(nullptr);
        }
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    m_pages.emplace_back(page);
    m_tabs->addTab(page, page->Caption());
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)].data() : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(m_active);
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (!GetPage(index))
        return FALSE;
    if (m_active < 0) { // not open yet: it opens there
        m_startPage = UINT(index);
        return TRUE;
    }
    m_tabs->setCurrentIndex(index);
    return m_active == index;
}

BOOL CPropertySheet::OnInitDialog() {
    CDialog::OnInitDialog();
    m_active = -1;
    if (m_pages.empty())
        return TRUE;
    const int start = int(m_startPage) < GetPageCount() ? int(m_startPage) : 0;
    m_switching = true;
    m_tabs->setCurrentIndex(start);
    m_switching = false;
    Activate(start);
    return TRUE;
}

void CPropertySheet::TabChanged(int index) {
    // Pages added before the sheet opens switch tabs without being shown.
    if (m_switching || m_active < 0 || index == m_active)
        return;
    CPropertyPage* leaving = GetActivePage();
    if (leaving && !leaving->OnKillActive()) {
        m_switching = true;
        m_tabs->setCurrentIndex(m_active);
        m_switching = false;
        return;
    }
    Activate(index);
}

void CPropertySheet::Activate(int index) {
    m_active = index;
    if (CPropertyPage* page = GetPage(index))
        page->OnSetActive();
}

void CPropertySheet::OnOK() {
    CPropertyPage* open = GetActivePage();
    if (open && !open->OnKillActive())
        return;
    for (QPointer<CPropertyPage>& page : m_pages)
        if (page && page->IsInitialized())
            page->OnOK();
    EndDialog(IDOK);
}

void CPropertySheet::OnCancel() {
    for (QPointer<CPropertyPage>& page : m_pages)
        if (page && page->IsInitialized())
            page->OnCancel();
    EndDialog(IDCANCEL);
}
