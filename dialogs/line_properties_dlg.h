#pragma once
// "Line Properties": a line's arrowheads (kind and size at the start, the
// middle and the end, and where the middle one sits) and its label (text,
// place along the line, above or below, plain text or equation, font),
// with a sample line drawn as it would look.  "Set as Default" makes them
// the values of new lines.
#include "dialogs/arrow_head_group.h"
#include "platform/dialog.h"
#include "platform/gdi_types.h"

#include <QList>

class CDC;
class QAbstractButton;
class QLineEdit;
class QPushButton;
class QSlider;
class QvEditDataLine;

class CLinePropertiesDlg : public CDialog {
public:
    explicit CLinePropertiesDlg(QWidget* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    // The font chooser on the label's font, colour and size.
    void OnFont();
    // The values become the line defaults and are saved; the dialog stays
    // open.  The label kind is not a default.
    void OnSetAsDefault();

    // The figure's record into the dialog's values, and back after OK.
    void Load(const QvEditDataLine& record);
    void Store(QvEditDataLine& record) const;

    LineEndSteps m_ends;
    int m_nLabelPos = 0;   // 0 to 50, the label's place along the line
    int m_nLabelSide = 8;  // as stored: 8 above, 0 below
    int m_nDrawHeight = 0; // 0.01 mm
    LOGFONT m_logFont;
    COLORREF m_color = 0;
    // The buttons: 0 "Above", 1 "Below", -1 none (the side stays).
    int m_nSideChoice = -1;
    QString m_strLabel;
    // 0 "Normal", 1 "Equation"; a kind without a button keeps its value.
    int m_nKindChoice = -1;

    CArrowHeadGroup* m_groupArrowHeads;
    QLineEdit* m_editLabel;
    QSlider* m_sliderLabelPos;
    QList<QAbstractButton*> m_radioKind;
    QList<QAbstractButton*> m_radioSide;
    QPushButton* m_buttonFont;
    QPushButton* m_buttonSetAsDefault;
    QWidget* m_preview; // the sample line

    // The sample line with the values the controls show now.
    void DrawPreview(CDC* dc);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The controls into the values; false when one is refused.
    bool TakeValues();
    // The values the controls show now, as a line record.
    void ShownRecord(QvEditDataLine& record) const;
};

// Runs the dialog on a line's record; true (and the record changed) on OK.
bool RunLineDialog(QvEditDataLine& record);
