#pragma once
// "Text Properties": a text box's text, whether it is plain text or
// equations, its justification, whether plain text turns with the box, and
// its font, colour and size.  "Set as Default" makes the justification and
// the font those of new text boxes.
#include "platform/dialog.h"
#include "platform/gdi_types.h"

#include <QList>

class QAbstractButton;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QvEditDataText;

class CTextDlg : public CDialog {
public:
    explicit CTextDlg(QWidget* parent = nullptr);

    // Rotatable is greyed unless Normal is chosen.
    BOOL OnInitDialog() override;

    QString m_strText;    // lines end in a carriage return and a line feed
    int m_nTextKind = -1; // 0 Normal, 1 Equation
    int m_nJustify = -1;  // 0 Left, 1 Centre, 2 Right
    int m_bRotatable = 0;
    int m_nDrawHeight = 0; // 0.01 mm
    LOGFONT m_logFont;
    COLORREF m_color = 0;

    QPlainTextEdit* m_editText;
    QList<QAbstractButton*> m_radioKind;
    QList<QAbstractButton*> m_radioJustify;
    QCheckBox* m_checkRotatable;
    QPushButton* m_buttonFont;
    QPushButton* m_buttonSetAsDefault;

    // The font chooser on the dialog's font, colour and size; OK takes
    // them, the size as the drawing height.
    void OnFont();
    // The justification and the font become the defaults of new text
    // boxes and are saved; the dialog stays open.
    void OnSetAsDefault();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Runs the dialog on a text box's record; true (and the record changed)
// on OK.  The shell hands it to the text box.
bool RunTextDialog(QvEditDataText& record);
