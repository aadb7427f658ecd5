#pragma once
// The Line Style and Fill Style bars: each shows its style list in place of
// one button.  Choosing a style sends the style's own command, and the list
// follows the style shown whenever the program is idle.
#include "dialogs/style_combo_box.h"
#include "platform/win_types.h"

#include <QToolBar>

class CCommandRouter;

class CLineStyleToolBar : public QToolBar {
public:
    CLineStyleToolBar(const QString& title, CCommandRouter& router, QWidget* parent = nullptr);

    // Puts the list where the button ID_LINE_STYLE_COMBO was, filled and showing the
    // current line style; FALSE when the bar has no such button.
    BOOL CreateCombo();
    CLineStyleComboBox* Combo() const { return m_wndCombo; }

    void OnLineStyle();
    void OnUpdateCmdUI();

private:
    CCommandRouter& m_router;
    CLineStyleComboBox* m_wndCombo = nullptr;
};

class CFillStyleToolBar : public QToolBar {
public:
    CFillStyleToolBar(const QString& title, CCommandRouter& router, QWidget* parent = nullptr);

    // Puts the list where the button ID_FILL_STYLE_COMBO was, filled and showing the
    // current fill style; FALSE when the bar has no such button.
    BOOL CreateCombo();
    CFillStyleComboBox* Combo() const { return m_wndCombo; }

    void OnComboSelChange();
    void OnUpdateCmdUI();

private:
    CCommandRouter& m_router;
    CFillStyleComboBox* m_wndCombo = nullptr;
};
