#pragma once
// "Arc Properties": an arc's arrowheads, its centre mark, whether it is
// left open or closed as a sector or a segment, where it begins and how far
// it sweeps counter-clockwise, and whether it is the major or the minor arc.
// "Set as Default" makes all but the angles the values of new arcs.
#include "dialogs/arrow_head_group.h"
#include "platform/dialog.h"

#include <QList>

class CMarkerComboBox;
class QAbstractButton;
class QLineEdit;
class QPushButton;
class QvEditDataArc;
struct QvArcAngles;

class CArcPropertiesDlg : public CDialog {
public:
    explicit CArcPropertiesDlg(QWidget* parent = nullptr);

    // Fills the lists and spins; a three-point arc's ends are fixed, so
    // Major, Minor and the rotation are greyed.
    BOOL OnInitDialog() override;
    // Stays open when an angle is refused.
    void OnOK() override;
    // The other side of the circle: the central angle becomes its
    // complement when it lies on the wrong side of a half turn.
    void OnMajor();
    void OnMinor();
    // The values but the angles become the arc defaults and are saved; the
    // dialog stays open.  A refused angle writes nothing.
    void OnSetAsDefault();

    // The figure's values into the dialog, and back after OK.  The record's
    // major flag is the figure's to set.
    void Load(const QvEditDataArc& record, const QvArcAngles& angles);
    void Store(QvEditDataArc& record, QvArcAngles& angles) const;

    LineEndSteps m_ends;
    int m_nCentreMark = 0;
    // 0 "Arc", 1 "Sector", 2 "Segment"; a type without a button keeps its
    // value.
    int m_nCloseType = -1;
    bool m_bFixedPoints = false;
    double m_dCentralAngle = 0.0;
    int m_nMajor = -1; // 0 "Major", 1 "Minor", -1 neither
    double m_dRotation = 0.0;

    CArrowHeadGroup* m_groupArrowHeads;
    CMarkerComboBox* m_comboCentreMark;
    QLineEdit* m_editRotation;
    QLineEdit* m_editCentralAngle;
    QList<QAbstractButton*> m_radioCloseType;
    QList<QAbstractButton*> m_radioMajor;
    QPushButton* m_buttonSetAsDefault;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The controls into the values; false when one is refused.
    bool TakeValues();
    // With the angle on the other side of a half turn than `major` asks,
    // its complement.
    void ChooseSide(bool major);
};

// Runs the dialog on an arc's record and angles; true (and both changed)
// on OK.
bool RunArcDialog(QvEditDataArc& record, QvArcAngles& angles);
