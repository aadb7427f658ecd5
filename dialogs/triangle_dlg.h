#pragma once
// "Triangle Properties": any three of a triangle's eleven measurements
// (angles, sides, altitudes, area, perimeter) and the rest worked out at
// once.  While fewer than three are given every box is open; once three
// are, only those three stay open and the others show what they come to.
#include "geometry/gr_triangle.h"
#include "platform/dialog.h"

#include <QLineEdit>

#include <functional>

class QPlainTextEdit;
class QPushButton;

// A measurement box in which Enter moves on as the Down arrow does, to the
// next box, so that Enter never closes the dialog.
class CEnterEdit : public QLineEdit {
public:
    explicit CEnterEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
    // Called when the box loses the focus.
    void SetLeaveHandler(std::function<void()> left) { m_left = std::move(left); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::function<void()> m_left;
};

class CTriangleDlg : public CDialog {
public:
    explicit CTriangleDlg(QWidget* parent = nullptr);
    ~CTriangleDlg() override;

    // Solves the triangle it was given and shows it.
    BOOL OnInitDialog() override;
    // Takes a solved triangle only; otherwise shows why and stays open.
    void OnOK() override;
    // Nothing given any more: every box shows 0 and is open.
    void OnReset();
    // A takes B's angle, side and altitude, B takes C's, C A's.
    void OnSpinCoords();
    // Reads the given values from the open boxes, solves, and shows the
    // values, the open boxes, the message and whether OK may be pressed.
    void Refresh();

    // In and out: the given and solved measurements and the vertices.
    QvGRTriangle m_solver;

    CEnterEdit* m_edit[QvTri::Count]; // by QvTri::Measure
    QPlainTextEdit* m_message;
    QPushButton* m_buttonOK;
    QPushButton* m_buttonSpin;
    QPushButton* m_buttonReset;

protected:
    // The boxes are read and written by Refresh alone.
    void DoDataExchange(CDataExchange*) override {}

private:
    // Each box shows `values` (given or solved; 0 for a value not above 0)
    // with at most 2 decimals; the open boxes are those whose given value is
    // above 0, or all of them.
    void Show(const double* values, bool openAll);
    // The given values from the open boxes.
    void ReadGiven();

    // What each box was last set to, and the exact value behind that text:
    // a box the user did not change gives back its value unrounded.
    QString m_shown[QvTri::Count];
    double m_shownValue[QvTri::Count] = {};
};

// Runs the dialog on a triangle's measurements; true (and the measurements
// changed) on OK.
bool RunTriangleDialog(QvGRTriangle& measurements);
