#include "dialogs/colour_choice.h"

#include "platform/qt_convert.h"
#include "settings/settings.h"

#include <QColorDialog>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>

namespace {
ColourChooser& Chooser() {
    static ColourChooser chooser;
    return chooser;
}
} // namespace

ColourChooser SetColourChooser(ColourChooser chooser) {
    ColourChooser previous = std::move(Chooser());
    Chooser() = std::move(chooser);
    return previous;
}

bool ChooseColourWithCustomColours(QWidget* parent, COLORREF& colour) {
    QvCustomColorSettings& custom = TheSettings().m_CustomColors;
    for (int i = 0; i < QvCustomColorSettings::kCount; ++i)
        QColorDialog::setCustomColor(i, ToQColor(custom[i].GetValue()));
    const QColor initial = ToQColor(colour);
    const QColor chosen =
        Chooser() ? Chooser()(initial, parent) : QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return false;
    colour = FromQColor(chosen);
    for (int i = 0; i < QvCustomColorSettings::kCount; ++i)
        custom[i].SetValue(FromQColor(QColorDialog::customColor(i)));
    TheSettings().Save(FALSE);
    return true;
}

bool ChooseColourWithCustomColours(QWidget* parent, COLORREF& colour,
                                   std::array<COLORREF, 16>& custom) {
    for (int i = 0; i < int(custom.size()); ++i)
        QColorDialog::setCustomColor(i, ToQColor(custom[size_t(i)]));
    const QColor initial = ToQColor(colour);
    const QColor chosen =
        Chooser() ? Chooser()(initial, parent) : QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return false;
    colour = FromQColor(chosen);
    for (int i = 0; i < int(custom.size()); ++i)
        custom[size_t(i)] = FromQColor(QColorDialog::customColor(i));
    return true;
}

void ShowColourSwatch(QPushButton* button, COLORREF colour) {
    QPixmap swatch(24, 12);
    swatch.fill(ToQColor(colour));
    button->setIcon(QIcon(swatch));
}
