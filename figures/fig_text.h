#pragma once
// The text box: text in a box given by four corners, drawn as plain text
// wrapped to the box's width (turned with the box when it is rotatable) or
// as typeset equations, one per line.  The equation tool makes the same
// figure with the equation flag set.
//
// In-place editing is the view's: it lays an editor over the box, and the
// box only knows that it is being edited, so that it leaves its text to
// the editor meanwhile.
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/fig_rect_base.h"
#include "platform/command_ids.h"
#include "text/log_font.h"

#include <QString>

class QvEditDataText : public QvEditData {
    DECLARE_SERIAL(QvEditDataText)
public:
    enum Justify { Left = 0, Centre = 1, Right = 2 };

    short m_version = 1;
    LONG m_nEquation = 0; // 1: one equation per line
    QString m_strText;    // lines end in a carriage return and a line feed
    QvLogFont m_font;
    LONG m_nJustify = Left;
    BYTE m_bRotatable = 1; // plain text turns with the box

    // After the common fields: the word 1, the flag, the text, the font,
    // the justification and one raw byte.  A record stored without its
    // fields (version 0) reads as left-justified, rotatable plain text, and
    // a justification other than left, centre or right as left.
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

class QvFigText : public QvFigNoRotateRectBase {
    DECLARE_SERIAL(QvFigText)
public:
    static constexpr int ToolId = ID_DRAW_TEXT;
    static constexpr int EquationToolId = ID_DRAW_EQUATION;
    static constexpr COLORREF HandleOutlineColour = 0x969696;

    // The Text Properties dialog, which lives above the figures: it edits
    // the record it is given and answers true on OK.
    using PropertiesDialog = QvDialogSeam<QvFigText, bool(QvEditDataText& record)>;

    // Plain text with the "Text" defaults and the current drawing style.
    QvFigText();

    void Serialize(CArchive& ar) override;
    // The box with the selected brush, without an outline.
    void DrawFill(CDC* dc, int mode) override;
    // Modes 0 and 5 the text; 1 the outline; 2 and 4 the outline and the
    // text; any other mode nothing.
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    // Rebuilds the box whether the dialog ends with OK or Cancel.
    void EditProperties(CPoint, CPoint) override;
    // The box adds no edges of its own to the snap search.
    void AddShapes(QvShapeList& list, int part) override;
    // Equation boxes and boxes that are not rotatable only move; others
    // turn, and their text with them.
    void Rotate(double degrees, QvPoint centre) override;
    // A grey outline through the corners, then the grips.
    void DrawHandles(CDC* dc) override;
    // The dragged corner moves; the opposite one and the side directions
    // stay.
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    QString GetDescription() const override;

    // In-place editing: while it runs the box does not draw its text.
    void BeginInPlaceEdit();
    // Takes the edited text and ends editing; the box is rebuilt in any
    // case.
    void EndInPlaceEdit(const QString& text);
    void EndInPlaceEdit();
    bool IsEditingInPlace() const { return m_bEditing; }
    // The record's font for an editor on a surface where 10 mm measure
    // `pixelsPer10mm` pixels: its height is the drawing height in pixels.
    LOGFONT InPlaceEditFont(int pixelsPer10mm) const;

    // Equation lines: the text up to the first carriage return, then the
    // following lines; an empty line is one blank.  The line position is
    // -1 after the last line.
    QString FirstEquationLine();
    QString NextEquationLine();
    int GetLinePosition() const { return m_nLinePos; }

    QvEditDataText* TextData() const { return m_pTextData; }
    QString GetText() const { return m_pTextData->m_strText; }
    void SetText(const QString& text) { m_pTextData->m_strText = text; }
    bool IsEquation() const { return m_pTextData->m_nEquation != 0; }
    void SetEquation(bool equation) { m_pTextData->m_nEquation = equation ? 1 : 0; }

protected:
    // The box is never squared while it is dragged out.
    bool DragsSquare(QvKeys) override { return false; }

private:
    void DrawText(CDC* dc);
    void DrawEquations(CDC* dc, const QvLogFont& font, CPoint anchor);
    QString LineFrom(int start);

    QvEditDataText* m_pTextData; // the record the figure owns, typed
    bool m_bEditing = false;
    int m_nLinePos = -1;
};
