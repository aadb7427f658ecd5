#pragma once
// A small area of a dialog that draws typeset maths through the device
// context: the dialog says what, the area only repaints.
#include <QWidget>

#include <functional>

class CDC;

class CFormulaPreview : public QWidget {
public:
    CFormulaPreview(int width, int height, std::function<void(CDC*)> draw, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(CDC*)> m_draw;
};
