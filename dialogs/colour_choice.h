#pragma once
// The colour dialog as the graph dialogs' "Color" buttons open it: it
// starts on the sixteen custom colours of the settings and, when the user
// picks a colour, gives the custom colours back to the settings and saves
// them, whatever becomes of the dialog that opened it.
#include "platform/gdi_types.h"

#include <QColor>

#include <array>
#include <functional>

class QPushButton;
class QWidget;

// The colour dialog itself; an invalid colour means cancelled.  Tests put
// in a scripted one; an empty chooser restores the real dialog.  Returns
// the previous chooser.
using ColourChooser = std::function<QColor(const QColor& initial, QWidget* parent)>;
ColourChooser SetColourChooser(ColourChooser chooser);

// True, with `colour` the choice, when the user picked one.
bool ChooseColourWithCustomColours(QWidget* parent, COLORREF& colour);

// The same with a record's own sixteen custom colours in place of the
// settings': they go into the dialog and, when the user picks a colour,
// come back into `custom`.  Nothing reaches the settings.
bool ChooseColourWithCustomColours(QWidget* parent, COLORREF& colour,
                                   std::array<COLORREF, 16>& custom);

// A swatch of the colour on the button.
void ShowColourSwatch(QPushButton* button, COLORREF colour);
