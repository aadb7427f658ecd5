#include "dialogs/pref_dialogs.h"

#include "settings/settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

void AddOkCancel(CDialog* dlg, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    layout->addWidget(buttons);
}

// A titled box of radio buttons; buttons in one box exclude each other.
QGroupBox* RadioGroup(const QString& title, const QStringList& labels,
                      QList<QAbstractButton*>& buttons, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    for (const QString& label : labels) {
        auto* radio = new QRadioButton(label, box);
        layout->addWidget(radio);
        buttons.append(radio);
    }
    return box;
}

} // namespace

// --- System Directories ------------------------------------------------------

CSystemDirectoriesDlg::CSystemDirectoriesDlg(QWidget* parent)
    : CDialog(parent), m_editDefaultPath(new QLineEdit(this)),
      m_editGalleryPath(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("System Directories"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Default File Location"), m_editDefaultPath);
    form->addRow(QStringLiteral("Gallery Location"), m_editGalleryPath);
    layout->addLayout(form);
    AddOkCancel(this, layout);
}

void CSystemDirectoriesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editDefaultPath, m_strDefaultPath);
    DDX_Text(pDX, m_editGalleryPath, m_strGalleryPath);
}

// --- Decimal Mark ------------------------------------------------------------

CDecimalMarkDlg::CDecimalMarkDlg(QWidget* parent)
    : CDialog(parent),
      m_checkRaiseDecimal(new QCheckBox(QStringLiteral("Raise Decimal Point"), this)) {
    setWindowTitle(QStringLiteral("Decimal Mark Properties"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkRaiseDecimal);
    AddOkCancel(this, layout);
}

void CDecimalMarkDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkRaiseDecimal, m_bRaiseDecimal);
}

// --- Style Properties --------------------------------------------------------

CEquationStyleDlg::CEquationStyleDlg(QWidget* parent)
    : CDialog(parent), m_editTabWidth(new QLineEdit(this)),
      m_editVerticalSpacing(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Style Properties"));
    auto* layout = new QVBoxLayout(this);
    auto* faces = new QHBoxLayout;
    auto boldItalic = [&](const QString& title, QCheckBox*& bold, QCheckBox*& italic) {
        auto* box = new QGroupBox(title, this);
        auto* boxLayout = new QVBoxLayout(box);
        bold = new QCheckBox(QStringLiteral("Bold"), box);
        italic = new QCheckBox(QStringLiteral("Italic"), box);
        boxLayout->addWidget(bold);
        boxLayout->addWidget(italic);
        faces->addWidget(box);
    };
    boldItalic(QStringLiteral("Functions"), m_checkFunctionsBold, m_checkFunctionsItalic);
    boldItalic(QStringLiteral("Greek"), m_checkGreekBold, m_checkGreekItalic);
    boldItalic(QStringLiteral("Variables"), m_checkVariablesBold, m_checkVariablesItalic);
    layout->addLayout(faces);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Tab Width"), m_editTabWidth);
    form->addRow(QStringLiteral("Vertical Spacing"), m_editVerticalSpacing);
    layout->addLayout(form);
    layout->addWidget(RadioGroup(QStringLiteral("Multiplication Sign"),
                                 {QStringLiteral("Show as ×"), QStringLiteral("Show as ·")},
                                 m_radioMultiply, this));
    AddOkCancel(this, layout);
}

void CEquationStyleDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkFunctionsBold, m_bFunctionsBold);
    DDX_Check(pDX, m_checkFunctionsItalic, m_bFunctionsItalic);
    DDX_Check(pDX, m_checkGreekBold, m_bGreekBold);
    DDX_Check(pDX, m_checkGreekItalic, m_bGreekItalic);
    DDX_Check(pDX, m_checkVariablesBold, m_bVariablesBold);
    DDX_Check(pDX, m_checkVariablesItalic, m_bVariablesItalic);
    DDX_Text(pDX, m_editTabWidth, m_nTabWidth);
    DDV_MinMaxInt(pDX, m_nTabWidth, 0, 5000);
    DDX_Text(pDX, m_editVerticalSpacing, m_nVerticalSpacing);
    DDV_MinMaxInt(pDX, m_nVerticalSpacing, 0, 5000);
    DDX_Radio(pDX, m_radioMultiply, m_nDotMultiply);
}

// --- Vector Properties -------------------------------------------------------

CVectorPropertiesDlg::CVectorPropertiesDlg(QWidget* parent)
    : CDialog(parent),
      m_checkIgnoreSeparator(new QCheckBox(QStringLiteral("Ignore Separator ( , )"), this)) {
    setWindowTitle(QStringLiteral("Vector Properties"));
    auto* layout = new QVBoxLayout(this);
    auto* letters = new QGridLayout;
    for (int i = 0; i < 26; ++i) {
        m_checkLetter[i] = new QCheckBox(QString(QChar(u'a' + i)), this);
        letters->addWidget(m_checkLetter[i], i / 7, i % 7);
    }
    layout->addLayout(letters);
    layout->addWidget(m_checkIgnoreSeparator);
    auto* choices = new QHBoxLayout;
    choices->addWidget(RadioGroup(
        QStringLiteral("Double Capitals"),
        {QStringLiteral("Ignore"), QStringLiteral("Vectors"), QStringLiteral("Line Segments")},
        m_radioDoubleCaps, this));
    choices->addWidget(RadioGroup(
        QStringLiteral("Lowercase Vectors"),
        {QStringLiteral("Ignore"), QStringLiteral("Best Guess"), QStringLiteral("Select Letters")},
        m_radioLowerCase, this));
    choices->addWidget(RadioGroup(
        QStringLiteral("Displaying Vectors"),
        {QStringLiteral("Bold"), QStringLiteral("Line Below"), QStringLiteral("Tilde Below")},
        m_radioDisplayVect, this));
    layout->addLayout(choices);
    AddOkCancel(this, layout);
    for (int i = 0; i < m_radioLowerCase.size(); ++i)
        connect(m_radioLowerCase[i], &QAbstractButton::clicked, this,
                [this, i] { EnableLetters(i == 2); });
}

BOOL CVectorPropertiesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    EnableLetters(m_nLowerCase == 2);
    return TRUE;
}

void CVectorPropertiesDlg::EnableLetters(bool on) {
    // Disabled boxes keep their ticks, and the ticks are still stored.
    for (QCheckBox* box : m_checkLetter)
        box->setEnabled(on);
}

void CVectorPropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    for (int i = 0; i < 26; ++i)
        DDX_Check(pDX, m_checkLetter[i], m_bLetter[i]);
    DDX_Check(pDX, m_checkIgnoreSeparator, m_bIgnoreSeparator);
    DDX_Radio(pDX, m_radioDoubleCaps, m_nDoubleCaps);
    DDX_Radio(pDX, m_radioLowerCase, m_nLowerCase);
    DDX_Radio(pDX, m_radioDisplayVect, m_nDisplayVect);
}

// --- Graph Properties --------------------------------------------------------

CGraphDefaultsDlg::CGraphDefaultsDlg(QWidget* parent)
    : CDialog(parent),
      m_checkShowNegativeArrows(new QCheckBox(QStringLiteral("Show Arrows on Negatives"), this)),
      m_checkShowOrigin(new QCheckBox(QStringLiteral("Show Origin"), this)),
      m_checkShowPositiveArrows(new QCheckBox(QStringLiteral("Show Arrows on Positives"), this)) {
    setWindowTitle(QStringLiteral("Graph Properties"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkShowNegativeArrows);
    layout->addWidget(m_checkShowPositiveArrows);
    layout->addWidget(m_checkShowOrigin);
    layout->addWidget(RadioGroup(QStringLiteral("Shade Inequations"),
                                 {QStringLiteral("Above y > 1"), QStringLiteral("Below y > 1")},
                                 m_radioShade, this));
    AddOkCancel(this, layout);
}

void CGraphDefaultsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkShowNegativeArrows, m_bShowNegativeArrows);
    DDX_Check(pDX, m_checkShowOrigin, m_bShowOrigin);
    DDX_Radio(pDX, m_radioShade, m_nShade);
    DDX_Check(pDX, m_checkShowPositiveArrows, m_bShowPositiveArrows);
}

// --- Grid Properties ---------------------------------------------------------

CDocGridDlg::CDocGridDlg(QWidget* parent)
    : CDialog(parent), m_checkIsometric(new QCheckBox(QStringLiteral("Isometric"), this)),
      m_editSize(new QLineEdit(this)),
      m_checkShowGrid(new QCheckBox(QStringLiteral("Show Grid"), this)),
      m_buttonSetAsDefault(new QPushButton(QStringLiteral("Set as Default"), this)) {
    setWindowTitle(QStringLiteral("Grid Properties"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkIsometric);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Size (mm)"), m_editSize);
    layout->addLayout(form);
    layout->addWidget(m_checkShowGrid);
    layout->addWidget(m_buttonSetAsDefault);
    m_buttonSetAsDefault->setAutoDefault(false);
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
    AddOkCancel(this, layout);
}

int CDocGridDlg::SpacingFromSize(double sizeMm) {
    // Rounded, not cut: 0.57 mm is 56.99999... hundredths in a double.
    return int(std::lround(sizeMm * 100.0));
}

void CDocGridDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvGridPointsDefaults& defaults = TheSettings().m_GridPointsDefaults;
    defaults.Size.SetValue(SpacingFromSize(m_dSize));
    defaults.Isometric.SetValue(m_bIsometric ? 1 : 0);
    defaults.ShowGrid.SetValue(m_bShowGrid ? 1 : 0);
    TheSettings().Save(FALSE);
}

void CDocGridDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkIsometric, m_bIsometric);
    DDX_Text(pDX, m_editSize, m_dSize);
    // A spacing of 0 would never finish drawing the grid.
    DDV_MinMaxDouble(pDX, m_dSize, 0.1, 100.0);
    DDX_Check(pDX, m_checkShowGrid, m_bShowGrid);
}

// --- Toolbars Properties -----------------------------------------------------

CToolbarsDlg::CToolbarsDlg(QWidget* parent)
    : CDialog(parent), m_checkDrawingTools(new QCheckBox(QStringLiteral("Drawing Tools"), this)),
      m_checkFillStyle(new QCheckBox(QStringLiteral("Fill Style"), this)),
      m_checkLevel(new QCheckBox(QStringLiteral("GAD Level"), this)),
      m_checkGrouping(new QCheckBox(QStringLiteral("Grouping"), this)),
      m_checkLayout(new QCheckBox(QStringLiteral("Layout"), this)),
      m_checkLineStyle(new QCheckBox(QStringLiteral("Line Style"), this)),
      m_checkStandard(new QCheckBox(QStringLiteral("Standard"), this)),
      m_checkRotate(new QCheckBox(QStringLiteral("Rotate"), this)),
      m_editColumns(new QLineEdit(this)),
      m_checkReflect(new QCheckBox(QStringLiteral("Reflect"), this)),
      m_checkWeb(new QCheckBox(QStringLiteral("Web Graphics"), this)),
      m_buttonReset(new QPushButton(QStringLiteral("Reset Toolbars"), this)) {
    setWindowTitle(QStringLiteral("Toolbars Properties"));
    auto* layout = new QVBoxLayout(this);
    auto* boxes = new QGridLayout;
    QCheckBox* order[] = {m_checkStandard, m_checkDrawingTools, m_checkLayout,    m_checkGrouping,
                          m_checkLevel,    m_checkLineStyle,    m_checkFillStyle, m_checkRotate,
                          m_checkReflect,  m_checkWeb};
    for (int i = 0; i < 10; ++i)
        boxes->addWidget(order[i], i % 5, i / 5);
    layout->addLayout(boxes);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Drawing Tools Columns"), m_editColumns);
    layout->addLayout(form);
    layout->addWidget(m_buttonReset);
    m_buttonReset->setAutoDefault(false);
    connect(m_buttonReset, &QPushButton::clicked, this, [this] { OnResetToolbars(); });
    AddOkCancel(this, layout);
}

void CToolbarsDlg::OnResetToolbars() {
    m_bReset = 1;
    OnOK();
    // Refused values keep the dialog open; a later OK must not reset.
    if (ModalResult() != IDOK)
        m_bReset = 0;
}

void CToolbarsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkDrawingTools, m_bDrawingTools);
    DDX_Check(pDX, m_checkFillStyle, m_bFillStyle);
    DDX_Check(pDX, m_checkLevel, m_bLevel);
    DDX_Check(pDX, m_checkGrouping, m_bGrouping);
    DDX_Check(pDX, m_checkLayout, m_bLayout);
    DDX_Check(pDX, m_checkLineStyle, m_bLineStyle);
    DDX_Check(pDX, m_checkStandard, m_bStandard);
    DDX_Check(pDX, m_checkRotate, m_bRotate);
    DDX_Text(pDX, m_editColumns, m_nColumns);
    DDV_MinMaxInt(pDX, m_nColumns, 1, 50);
    DDX_Check(pDX, m_checkReflect, m_bReflect);
    DDX_Check(pDX, m_checkWeb, m_bWeb);
}
