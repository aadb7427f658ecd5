#pragma once
// What the preference commands do around their dialogs: fill them from the
// settings or the live equation options, and on OK store the values, save
// the settings and bring the drawings up to date.
#include "document/background_grid.h"
#include "platform/win_types.h"
#include "settings/color_scheme.h"

#include <QString>

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
void EditStatisticsOptions(QWidget* parent);

// Runs the grid dialog on `grid`; TRUE when it was changed (OK).
BOOL EditBackgroundGrid(QWidget* parent, GridValues& grid);

// The drawing's dialog hooks: a preference dialog by its command id, and
// the grid dialog over the active window.
void RunPreferenceDialog(UINT id);
bool RunGridDialog(GridValues& grid);
// The colour dialog over the active window with `custom` as its custom
// colours, which it keeps; true on OK.
bool RunColourDialog(COLORREF& colour, QvColorScheme& custom);
// The save dialog for pictures (PNG or BMP) over the active window.
bool RunWebGraphicFileDialog(QString& path);
