#pragma once
// What the preference commands do around their dialogs: fill them from the
// settings or the live equation options, and on OK store the values, save
// the settings and bring the drawings up to date.
#include "platform/win_types.h"

class QWidget;

// Copies the "Equation" settings into the live equation options.
void RefreshEquationOptions();
// Repaints every view of every open drawing.
void UpdateAllViews();

void EditSystemDirectories(QWidget* parent);
void EditDecimalMark(QWidget* parent);
void EditEquationStyles(QWidget* parent);
void EditVectors(QWidget* parent);
void EditGraphDefaults(QWidget* parent);

// A drawing's background grid as the grid dialog edits it.
struct GridValues {
    int spacing = 500; // 0.01 mm
    int type = 0;      // 0 square, 1 isometric
    BOOL shown = TRUE;
};
// Runs the grid dialog on `grid`; TRUE when it was changed (OK).
BOOL EditBackgroundGrid(QWidget* parent, GridValues& grid);
