#include "dialogs/text_dlg.h"

#include "dialogs/dialog_controls.h"
#include "dialogs/font_color_dlg.h"
#include "figures/fig_text.h"
#include "settings/settings.h"
#include "text/log_font.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
// The editor shows lines; the record keeps them ending in CR LF.
QString ToEditor(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QString FromEditor(const QString& shown) {
    QString text = shown;
    text.replace(QChar('\n'), QStringLiteral("\r\n"));
    return text;
}
} // namespace

CTextDlg::CTextDlg(QWidget* parent)
    : CDialog(parent), m_editText(new QPlainTextEdit(this)),
      m_checkRotatable(new QCheckBox(QStringLiteral("Rotatable"), this)),
      m_buttonFont(new QPushButton(QStringLiteral("Font"), this)),
      m_buttonSetAsDefault(new QPushButton(QStringLiteral("Set as Default"), this)) {
    setWindowTitle(QStringLiteral("Text Properties"));
    m_editText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    // Return in the text starts a new line; it never presses OK.
    ok->setAutoDefault(false);
    for (QPushButton* b : {m_buttonFont, m_buttonSetAsDefault, cancel})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_editText, 0, 0, 4, 3);
    grid->addWidget(
        RadioColumn({QStringLiteral("Normal"), QStringLiteral("Equation")}, m_radioKind, this), 4,
        0);
    grid->addWidget(
        RadioColumn({QStringLiteral("Left"), QStringLiteral("Centre"), QStringLiteral("Right")},
                    m_radioJustify, this),
        4, 1);
    grid->addWidget(m_checkRotatable, 4, 2, Qt::AlignTop);
    grid->addWidget(m_buttonFont, 0, 3);
    grid->addWidget(m_buttonSetAsDefault, 1, 3);
    grid->addWidget(ok, 2, 3);
    grid->addWidget(cancel, 3, 3, Qt::AlignTop);
    grid->setRowStretch(3, 1);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_buttonFont, &QPushButton::clicked, this, [this] { OnFont(); });
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
    connect(m_radioKind[0], &QAbstractButton::clicked, this,
            [this] { m_checkRotatable->setEnabled(true); });
    connect(m_radioKind[1], &QAbstractButton::clicked, this,
            [this] { m_checkRotatable->setEnabled(false); });
}

BOOL CTextDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_checkRotatable->setEnabled(m_nTextKind == 0);
    return TRUE;
}

void CTextDlg::DoDataExchange(CDataExchange* pDX) {
    pDX->PrepareCtrl(m_editText);
    if (pDX->m_bSaveAndValidate)
        m_strText = FromEditor(m_editText->toPlainText());
    else
        m_editText->setPlainText(ToEditor(m_strText));
    DDX_Radio(pDX, m_radioKind, m_nTextKind);
    DDX_Radio(pDX, m_radioJustify, m_nJustify);
    DDX_Check(pDX, m_checkRotatable, m_bRotatable);
}

void CTextDlg::OnFont() {
    ChooseFontAndColour(this, m_logFont, m_color, m_nDrawHeight);
}

void CTextDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvSettings& settings = TheSettings();
    settings.m_TextDefaults.Justify.SetValue(m_nJustify);
    QvLogFont font;
    font.Set(m_logFont, m_color, m_nDrawHeight);
    settings.m_TextDefaults.Font.SetValue(font);
    settings.Save(FALSE);
}

bool RunTextDialog(QvEditDataText& record) {
    CTextDlg dlg(QApplication::activeWindow());
    dlg.m_strText = record.m_strText;
    dlg.m_nTextKind = record.m_nEquation != 0 ? 1 : 0;
    dlg.m_nJustify = record.m_nJustify;
    dlg.m_bRotatable = record.m_bRotatable ? 1 : 0;
    dlg.m_logFont = record.m_font.m_logFont;
    dlg.m_color = record.m_font.m_color;
    dlg.m_nDrawHeight = record.m_font.m_drawHeight;
    if (dlg.DoModal() != IDOK)
        return false;
    record.m_strText = dlg.m_strText;
    record.m_nEquation = dlg.m_nTextKind == 1 ? 1 : 0;
    if (dlg.m_nJustify >= QvEditDataText::Left && dlg.m_nJustify <= QvEditDataText::Right)
        record.m_nJustify = dlg.m_nJustify;
    record.m_bRotatable = dlg.m_bRotatable ? 1 : 0;
    record.m_font.Set(dlg.m_logFont, dlg.m_color, dlg.m_nDrawHeight);
    return true;
}
