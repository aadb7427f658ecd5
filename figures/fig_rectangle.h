#pragma once
// The rectangle the user draws, and the rectangle the select and section
// tools drag out to choose an area.
#include "figures/fig_rect_base.h"
#include "platform/command_ids.h"

class QvFigRectangle : public QvFigRectBase {
    DECLARE_SERIAL(QvFigRectangle)
public:
    static constexpr int ToolId = ID_DRAW_RECTANGLE;

    QvFigRectangle();

    void DrawFill(CDC* dc, int mode) override;
    void Draw(CDC* dc, int mode) override;
    // "Rectangle - w by h" in millimetres: the x step from corner 0 to 1 and
    // the y step from corner 0 to 3, each truncated to whole units first.
    QString GetDescription() const override;
};

// Feedback while the user drags out an area; it is never part of a
// drawing, so it has no stored class of its own and refuses to be stored.
class QvFigSelectRect : public QvFigRectBase {
public:
    static constexpr int ToolId = ID_DRAW_SELECT;
    static constexpr int SectionToolId = ID_TOOL_SECTION_SELECT;

    QvFigSelectRect();

    void Serialize(CArchive& ar) override;
    // The outline with the caller's pen; nothing in the highlight and
    // second white modes.
    void Draw(CDC* dc, int mode) override;
};
