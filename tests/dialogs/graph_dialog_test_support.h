#pragma once
// What the graph dialogs' tests share: a scripted colour dialog and a
// picture of a dialog as it shows, written out for a look when
// LUMBREL_DIALOG_PNG names a folder.
#include "dialogs/colour_choice.h"
#include "platform/dialog.h"

#include <QColor>
#include <QColorDialog>
#include <QDir>
#include <QImage>
#include <QWidget>

#include <utility>

// Answers every colour dialog with `answer` (invalid: cancelled) after the
// "user" has set custom colour 5 in it; remembers the colour it opened on.
class ScriptedColours {
public:
    explicit ScriptedColours(QColor answer = QColor()) : answer(answer) {
        m_saved = SetColourChooser([this](const QColor& initial, QWidget*) {
            opened = initial;
            QColorDialog::setCustomColor(5, QColor(1, 2, 3));
            return this->answer;
        });
    }
    ~ScriptedColours() { SetColourChooser(std::move(m_saved)); }
    QColor answer;
    QColor opened;

private:
    ColourChooser m_saved;
};

// The dialog laid out and drawn as it would show.
inline QImage Picture(CDialog& dialog, const QString& name) {
    dialog.adjustSize();
    dialog.show();
    QImage image = dialog.grab().toImage();
    dialog.hide();
    const QByteArray dir = qgetenv("LUMBREL_DIALOG_PNG");
    if (!dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(name + QStringLiteral(".png")));
    return image;
}

// How many pixels of `widget`'s area in the picture are darker than grey.
inline int InkIn(const QImage& picture, const QWidget* widget, const QWidget* dialog) {
    const QRect area(widget->mapTo(dialog, QPoint(0, 0)), widget->size());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(picture.pixel(x, y)) < 100;
    return n;
}
