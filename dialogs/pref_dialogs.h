#pragma once
// The preference dialogs: folders, the equation options (decimal mark,
// styles, vectors), the defaults of new graphs, a drawing's background
// grid and the toolbars.  Each keeps its values in members that its opener
// fills before DoModal and reads after IDOK.
#include "platform/dialog.h"

#include <QList>

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CSystemDirectoriesDlg : public CDialog {
public:
    explicit CSystemDirectoriesDlg(QWidget* parent = nullptr);

    QString m_strDefaultPath;
    QString m_strGalleryPath;

    QLineEdit* m_editDefaultPath;
    QLineEdit* m_editGalleryPath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CDecimalMarkDlg : public CDialog {
public:
    explicit CDecimalMarkDlg(QWidget* parent = nullptr);

    int m_bRaiseDecimal = 0;
    // 1 when the decimal mark is a comma; no control changes it.
    int m_nDecimalComma = 0;

    QCheckBox* m_checkRaiseDecimal;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CEquationStyleDlg : public CDialog {
public:
    explicit CEquationStyleDlg(QWidget* parent = nullptr);

    int m_bFunctionsBold = 0;
    int m_bFunctionsItalic = 0;
    int m_bGreekBold = 0;
    int m_bGreekItalic = 0;
    int m_bVariablesBold = 0;
    int m_bVariablesItalic = 0;
    int m_nTabWidth = 0;
    int m_nVerticalSpacing = 0;
    // 0 shows "×", 1 shows "·"; -1 until the opener chooses.
    int m_nDotMultiply = -1;

    QCheckBox* m_checkFunctionsBold;
    QCheckBox* m_checkFunctionsItalic;
    QCheckBox* m_checkGreekBold;
    QCheckBox* m_checkGreekItalic;
    QCheckBox* m_checkVariablesBold;
    QCheckBox* m_checkVariablesItalic;
    QLineEdit* m_editTabWidth;
    QLineEdit* m_editVerticalSpacing;
    QList<QAbstractButton*> m_radioMultiply;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CVectorPropertiesDlg : public CDialog {
public:
    explicit CVectorPropertiesDlg(QWidget* parent = nullptr);

    BOOL OnInitDialog() override;

    int m_bLetter[26] = {};
    int m_bIgnoreSeparator = 0;
    // 0 ignore, 1 vectors, 2 line segments.
    int m_nDoubleCaps = -1;
    // 0 ignore, 1 best guess, 2 the letters ticked below.
    int m_nLowerCase = -1;
    // 0 bold, 1 line below, 2 tilde below.
    int m_nDisplayVect = -1;

    QCheckBox* m_checkLetter[26];
    QCheckBox* m_checkIgnoreSeparator;
    QList<QAbstractButton*> m_radioDoubleCaps;
    QList<QAbstractButton*> m_radioLowerCase;
    QList<QAbstractButton*> m_radioDisplayVect;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The letters count only while "Select Letters" is chosen.
    void EnableLetters(bool on);
};

class CGraphDefaultsDlg : public CDialog {
public:
    explicit CGraphDefaultsDlg(QWidget* parent = nullptr);

    int m_bShowNegativeArrows = 0;
    int m_bShowOrigin = 0;
    // 0 shades above, 1 below.
    int m_nShade = -1;
    int m_bShowPositiveArrows = 0;

    QCheckBox* m_checkShowNegativeArrows;
    QCheckBox* m_checkShowOrigin;
    QList<QAbstractButton*> m_radioShade;
    QCheckBox* m_checkShowPositiveArrows;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CDocGridDlg : public CDialog {
public:
    explicit CDocGridDlg(QWidget* parent = nullptr);

    // A spacing in 0.01 mm from a size in millimetres, to the nearest unit.
    static int SpacingFromSize(double sizeMm);

    // Stores what the controls show as the grid of new drawings, without
    // closing; nothing is stored when a value is refused.
    void OnSetAsDefault();

    // 1 isometric (triangular), 0 square.
    int m_bIsometric = 0;
    double m_dSize = 0.0;
    int m_bShowGrid = 0;

    QCheckBox* m_checkIsometric;
    QLineEdit* m_editSize;
    QCheckBox* m_checkShowGrid;
    QPushButton* m_buttonSetAsDefault;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CToolbarsDlg : public CDialog {
public:
    explicit CToolbarsDlg(QWidget* parent = nullptr);

    // Ends the dialog like OK, asking the opener to restore the default
    // layout as well.
    void OnResetToolbars();

    int m_bDrawingTools = 0;
    int m_bFillStyle = 0;
    int m_bLevel = 0;
    int m_bGrouping = 0;
    int m_bLayout = 0;
    int m_bLineStyle = 0;
    int m_bStandard = 0;
    int m_bRotate = 0;
    int m_nColumns = 0;
    int m_bReflect = 0;
    int m_bWeb = 0;
    BYTE m_bReset = 0;

    QCheckBox* m_checkDrawingTools;
    QCheckBox* m_checkFillStyle;
    QCheckBox* m_checkLevel;
    QCheckBox* m_checkGrouping;
    QCheckBox* m_checkLayout;
    QCheckBox* m_checkLineStyle;
    QCheckBox* m_checkStandard;
    QCheckBox* m_checkRotate;
    QLineEdit* m_editColumns;
    QCheckBox* m_checkReflect;
    QCheckBox* m_checkWeb;
    QPushButton* m_buttonReset;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
