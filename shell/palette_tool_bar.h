#pragma once
// The Draw Tools palette: its buttons laid out in rows of a chosen number
// of columns instead of one long strip.
#include <QList>
#include <QToolBar>

class QAction;
class QGridLayout;
class QToolButton;

class CPaletteToolBar : public QToolBar {
public:
    explicit CPaletteToolBar(const QString& title, QWidget* parent = nullptr);

    // Null adds a gap (a separator) in the grid.
    void AddButton(QAction* action);
    // Lays the buttons out in n columns: button i ends a row when i + 1 is
    // a multiple of n.  n below 1 counts as 1.
    void SetColumns(int n);
    int GetColumns() const { return m_nColumns; }

    int ButtonCount() const { return int(m_buttons.size()); }
    // Whether button `index` ends a row.
    bool IsWrapped(int index) const;
    // The button of `index`; null for a gap.
    QToolButton* Button(int index) const;

private:
    void Relayout();

    int m_nColumns = 2;
    bool m_sized = false; // laid out and sized since the last button came
    QWidget* m_grid;
    QGridLayout* m_layout;
    QList<QToolButton*> m_buttons; // null for gaps
};
