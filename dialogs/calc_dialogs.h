#pragma once
// "Calculate Derivative" and "Calculate Integral": the user picks a
// function (or two, for the area between them) and types the point or the
// limits; the dialogs build the label naming the calculation and show it
// typeset.  They compute nothing: the graph works the value out when it
// draws, from the indexes and texts the caller takes on OK.
#include "graphs/graph_data.h"
#include "platform/dialog.h"

#include <QList>

class CDC;
class QComboBox;
class QLineEdit;

// The functions these dialogs offer, in order: those whose left side makes
// them y of x and whose typed text is not empty.
QList<int> SuitableFunctions(const QvGraphData& data);

// The function as a label names it: a typed "y =" or "f(x) =" left off.
QString LabelFunctionPart(const QString& entry);

class CCalcDerivativeDlg : public CDialog {
public:
    explicit CCalcDerivativeDlg(QWidget* parent = nullptr);

    BOOL OnInitDialog() override;
    // Refuses a point that is not a number.
    void OnOK() override;

    // "d/dx  f ( at x = p )" for what the controls show now.
    QString Label() const;
    void DrawPreview(CDC* dc);

    QString m_strPoint;    // the caller sets "0"
    QString m_strFunction; // the chosen entry's text
    QvGraphData m_graphData;
    int m_nFunction = -1; // index 0-9 of the chosen function
    QString m_strLabel;
    QList<int> m_map; // list position to function index

    QComboBox* m_comboFunction;
    QLineEdit* m_editPoint;
    QWidget* m_preview;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CCalcIntegralDlg : public CDialog {
public:
    explicit CCalcIntegralDlg(QWidget* parent = nullptr);

    BOOL OnInitDialog() override;
    // Refuses a limit that is not a number.
    void OnOK() override;

    // "int(a,b) f dx", or "int(a,b) f- [g] dx" between two functions.
    QString Label() const;
    void DrawPreview(CDC* dc);

    QString m_strFrom; // the caller sets "0"
    QString m_strTo;   // the caller sets "1"
    QString m_strFirst, m_strSecond;
    QvGraphData m_graphData;
    int m_nFirst = 0;
    int m_nSecond = -1; // -1: the x axis
    QString m_strLabel;
    QList<int> m_mapFirst;
    QList<int> m_mapSecond; // position 0 is the x axis, -1

    QComboBox* m_comboFirst;
    QComboBox* m_comboSecond;
    QLineEdit* m_editFrom;
    QLineEdit* m_editTo;
    QWidget* m_preview;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Run the dialogs on a copy of the graph settings, with the point "0" or
// the limits "0" and "1".  On OK the record takes the chosen function(s),
// the texts and the label, and the answer is true.
bool RunDerivativeDialog(const QvGraphData& data, QvDerivativeRecord& result);
bool RunIntegralDialog(const QvGraphData& data, QvIntegralRecord& result);
