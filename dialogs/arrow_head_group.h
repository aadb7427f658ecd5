#pragma once
// The "Arrowheads" group of the line and curve dialogs: the mark at the
// start, the middle and the end, each with its size, and where along the
// line the middle mark sits.
#include "dialogs/style_combo_box.h"

#include <QGroupBox>

#include <functional>
#include <span>

class QSlider;
class QSpinBox;

// Start, middle and end, in this order throughout.
enum LineEnd { EndStart = 0, EndMiddle = 1, EndStop = 2 };

// What the group shows, in its own steps.
struct LineEndSteps {
    int code[3] = {10, 10, 10};
    int size[3] = {6, 6, 6}; // half the stored size, 1 to 20
    int position = 25;       // the middle mark's, 0 to 50
};

// A stored size (in steps of 20 model units) as the spin shows it, and back.
inline int SizeToSteps(int size) {
    return size / 2;
}
inline int StepsToSize(int steps) {
    return steps * 2;
}
// A fraction or a width shown in whole or tenth steps, truncated.  The
// margin keeps a value the dialog wrote itself (29 / 50.0 is a hair under
// 0.58) on its own step when shown again.
inline int ToSteps(double value, double perUnit) {
    double steps = value * perUnit;
    return int(steps + (steps < 0 ? -1e-9 : 1e-9));
}

class CArrowHeadGroup : public QGroupBox {
public:
    // The lists offer the marks of `table`, in its order.
    CArrowHeadGroup(std::span<const ComboItem> table, QWidget* parent);

    // Selects the codes (none where the list has no such mark) and sets the
    // spins and the slider.
    void Show(const LineEndSteps& steps);
    // Reads the controls.  A code the list does not show keeps its value.
    void Read(LineEndSteps& steps) const;
    // Called after any change of a list, a spin or the slider.
    void SetChangeHandler(std::function<void()> changed) { m_changed = std::move(changed); }

    CArrowHeadComboBox* m_combo[3];
    QSpinBox* m_spin[3];
    QSlider* m_sliderPosition;

private:
    std::function<void()> m_changed;
};
