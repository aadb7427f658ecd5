#pragma once
// The small markup of the statistics reports.  A writer wraps a run of its
// report text in a start marker ("#D" lowered, "#U" raised, "#C" symbol,
// "#L" smaller) and "~"; once the whole text is in a document, ApplyMarkup
// removes the markers and gives each run its character format.
#include "platform/object.h"

#include <QString>

class QTextDocument;

class QvStatRichText : public CObject {
public:
    // Each returns the start marker, the text and "~".  The text must hold
    // no "#" or "~": wrap what the user typed in Literal first.
    QString Subscript(const QString& text) const;
    QString Superscript(const QString& text) const;
    // Symbol-font codes: "s" shows as a small sigma, "S" as a capital one,
    // 0xA3 as the less-than-or-equal sign.
    QString SymbolFace(const QString& text) const;
    QString Smaller(const QString& text) const;
    // A text the user typed (a column name or symbol), to be shown as
    // typed: its "#" and "~" are held as stand-ins that no run reads as
    // markup, and ApplyMarkup turns them back.
    QString Literal(const QString& text) const;

    // Formats the whole document in place, runs in text order, each from
    // the document's default font: lowered and raised runs at 0.65 of its
    // height, 0.2 of it below and 0.45 above the baseline; symbol runs at
    // 1.2 times it, in the same face, their codes shown as Unicode; smaller
    // runs at 0.75.  A run without "~" goes to the end of the text; an
    // unknown code gives its run the default format.  The edits go through
    // a cursor of its own, so a view of the document keeps its read-only
    // state and gets no selection; they are one undo step.
    void ApplyMarkup(QTextDocument& document) const;
};
