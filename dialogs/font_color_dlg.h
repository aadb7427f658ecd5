#pragma once
// The font chooser with a text colour: the face, style, size and effects
// of a font record, and the colour the text is drawn in.  Dialogs whose
// figures draw text open it from their "Font" button.
#include "platform/dialog.h"
#include "platform/gdi_types.h"

class QFontDialog;
class QPushButton;

class CFontColorDlg : public CDialog {
public:
    explicit CFontColorDlg(QWidget* parent = nullptr);

    // In and out.  The size is in tenths of a point; 0 on the way in takes
    // it from the font's height at 96 pixels per inch.  On OK the font's
    // height is the size at 96 pixels per inch, as a character height.
    LOGFONT m_logFont;
    COLORREF m_color = 0;
    int m_nPointSize = 0;

    // The colour shown in the dialog, taken on OK.
    void SetPickedColour(COLORREF colour);
    COLORREF PickedColour() const { return m_picked; }

    QFontDialog* m_fontChooser;
    QPushButton* m_buttonColour;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnColour();

    COLORREF m_picked = 0;
};

// Opens the chooser on a figure's font, its colour and the height it is
// drawn at (0.01 mm).  On OK all three take the choice and the answer is
// true; the height follows the chosen size.
bool ChooseFontAndColour(QWidget* parent, LOGFONT& font, COLORREF& colour, int& drawHeight);
