#pragma once
// Pieces the property dialogs share: radio buttons that exclude each other,
// and the column of "Set as Default", "OK" and "Cancel".
#include <QList>
#include <QStringList>

class CDialog;
class QAbstractButton;
class QGroupBox;
class QPushButton;
class QVBoxLayout;
class QWidget;

// A column of radio buttons in a widget of their own, so that they exclude
// each other and no other buttons of the dialog.
QWidget* RadioColumn(const QStringList& labels, QList<QAbstractButton*>& buttons, QWidget* parent);
// The same in a titled box.
QGroupBox* RadioGroup(const QString& title, const QStringList& labels,
                      QList<QAbstractButton*>& buttons, QWidget* parent);
// The index of the checked button; `otherwise` when none is.
int CheckedIndex(const QList<QAbstractButton*>& buttons, int otherwise);
// "Set as Default", "OK" (the default button) and "Cancel" from the top;
// OK and Cancel are connected to the dialog.
QVBoxLayout* PropertyButtons(CDialog* dlg, QPushButton*& setAsDefault);
