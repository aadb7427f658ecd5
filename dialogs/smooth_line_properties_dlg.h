#pragma once
// "Smooth Line Properties" ("Bezier Curve Properties" for a Bezier curve):
// a curve's line-end marks, where the middle mark sits, whether it is
// closed, single, double or triple, and how wide a double line is.  "Set as
// Default" makes them the values of new curves of the kind.
#include "dialogs/arrow_head_group.h"
#include "platform/dialog.h"

#include <QList>

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QvEditDataSmoothLine;

class CSmoothLinePropertiesDlg : public CDialog {
public:
    explicit CSmoothLinePropertiesDlg(QWidget* parent = nullptr);

    // A Bezier curve's caption; its curve cannot be closed here.
    BOOL OnInitDialog() override;
    // Stays open when the width is refused.
    void OnOK() override;
    // The values become the defaults of new curves of the kind and are
    // saved; the dialog stays open.  A refused width writes nothing.
    void OnSetAsDefault();

    // The figure's record into the dialog's values, and back after OK.
    void Load(const QvEditDataSmoothLine& record);
    void Store(QvEditDataSmoothLine& record) const;

    bool m_bBezier = false;
    LineEndSteps m_ends;
    int m_bClosed = 0;
    // 0 "Single", 1 "Double", 2 "Triple"; a type without a button keeps
    // its value.
    int m_nLineType = -1;
    double m_dWidth = 0.0; // mm, the full width of a double line

    CArrowHeadGroup* m_groupArrowHeads;
    QCheckBox* m_checkClosed;
    QList<QAbstractButton*> m_radioLineType;
    QLineEdit* m_editWidth;
    QPushButton* m_buttonSetAsDefault;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The controls into the values; false when one is refused.
    bool TakeValues();
};

// Runs the dialog on a curve's record; true (and the record changed) on OK.
bool RunSmoothLineDialog(QvEditDataSmoothLine& record, bool bezier);
