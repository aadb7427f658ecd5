#pragma once
// One line of typed maths.  Until the typesetter is in place the text is
// drawn as it was typed, in the given font, at the context's alignment.
#include "platform/object.h"

#include <QString>

class CDC;
class QvEquationOptions;
class QvLogFont;

class QvEquation : public CObject {
public:
    void SetText(const QString& text, const QvEquationOptions* options);
    void Draw(CDC* dc, int x, int y, const QvEquationOptions* options, const QvLogFont* font);
    const QString& GetText() const { return m_text; }

private:
    QString m_text;
};
