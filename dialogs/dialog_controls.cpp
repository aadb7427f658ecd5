#include "dialogs/dialog_controls.h"

#include "platform/dialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
void AddRadios(const QStringList& labels, QList<QAbstractButton*>& buttons, QWidget* owner,
               QVBoxLayout* layout) {
    for (const QString& label : labels) {
        auto* radio = new QRadioButton(label, owner);
        layout->addWidget(radio);
        buttons.append(radio);
    }
    layout->addStretch();
}
} // namespace

QWidget* RadioColumn(const QStringList& labels, QList<QAbstractButton*>& buttons, QWidget* parent) {
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    AddRadios(labels, buttons, column, layout);
    return column;
}

QGroupBox* RadioGroup(const QString& title, const QStringList& labels,
                      QList<QAbstractButton*>& buttons, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    AddRadios(labels, buttons, box, new QVBoxLayout(box));
    return box;
}

int CheckedIndex(const QList<QAbstractButton*>& buttons, int otherwise) {
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return i;
    return otherwise;
}

QVBoxLayout* PropertyButtons(CDialog* dlg, QPushButton*& setAsDefault) {
    auto* column = new QVBoxLayout;
    setAsDefault = new QPushButton(QStringLiteral("Set as Default"), dlg);
    setAsDefault->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), dlg);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dlg);
    cancel->setAutoDefault(false);
    column->addWidget(setAsDefault);
    column->addWidget(ok);
    column->addWidget(cancel);
    column->addStretch();
    QObject::connect(ok, &QPushButton::clicked, dlg, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dlg, &QDialog::reject);
    return column;
}
