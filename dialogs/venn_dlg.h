#pragma once
// "Two Circle Venn Properties" and "Three Circle Venn Properties": a line
// picture of the diagram with a small edit box wherever a text goes and a
// check box on every region that can be shaded, so that the user fills
// the diagram in where each text or shading shows.  "Font" picks the
// labels' font and colour; "Set as Default" makes that font the one new
// Venn diagrams start with.
#include "platform/dialog.h"
#include "platform/gdi_types.h"

#include <QList>

#include <span>

class CDC;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QvEditDataVenn2;
class QvEditDataVenn3;

// A control's place in dialog units and the record field it edits.
struct QvVennControl {
    int x, y;
    int index;     // text or shade index of the record
    bool boxRight; // a check box with its box on the right
};

// One stroke of the picture, in dialog pixels: a rectangle, an ellipse,
// or an arc drawn counter-clockwise from the start radial to the end.
struct QvVennStroke {
    enum Kind { Rectangle, Ellipse, Arc } kind;
    int left, top, right, bottom;
    int xs = 0, ys = 0, xe = 0, ye = 0;
};

class CVennDlg : public CDialog {
public:
    static constexpr int MaxTexts = 15;
    static constexpr int MaxShades = 8;

    // Texts and check states by the record's indices.
    QString m_strText[MaxTexts];
    int m_nShade[MaxShades] = {};
    int m_nDrawHeight = 0; // 0.01 mm
    LOGFONT m_logFont;
    COLORREF m_color = 0;

    // By the record's indices.
    QList<QLineEdit*> m_edits;
    QList<QCheckBox*> m_checks;
    QPushButton* m_buttonFont;
    QPushButton* m_buttonSetAsDefault;
    QWidget* m_picture;

    // The font chooser on the dialog's font and colour; OK takes them, the
    // size as the drawing height.
    void OnFont();
    // The font becomes the default of new Venn diagrams and is saved; the
    // dialog stays open.
    void OnSetAsDefault();
    // The picture, whatever the texts and check states.
    void DrawPicture(CDC* dc) const;

protected:
    // `width` and `height` in dialog units; the buttons at `buttonX`.
    CVennDlg(QWidget* parent, int width, int height, int buttonX,
             std::span<const QvVennControl> edits, std::span<const QvVennControl> checks,
             std::span<const QvVennStroke> picture);
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::span<const QvVennStroke> m_strokes;
};

class CVenn2Dlg : public CVennDlg {
public:
    explicit CVenn2Dlg(QWidget* parent = nullptr);
};

class CVenn3Dlg : public CVennDlg {
public:
    explicit CVenn3Dlg(QWidget* parent = nullptr);
};

// Run the dialogs on a diagram's record; true (and the record changed) on
// OK.  The shell hands them to the diagrams.
bool RunVenn2Dialog(QvEditDataVenn2& record);
bool RunVenn3Dialog(QvEditDataVenn3& record);
