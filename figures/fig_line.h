#pragma once
// The straight line between two clicks, with optional arrowheads at its
// ends and along it, and an optional label written along it.
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/figure.h"
#include "geometry/gr_line.h"
#include "platform/command_ids.h"
#include "text/log_font.h"

#include <QString>

// The line's attribute record.
class QvEditDataLine : public QvEditData {
    DECLARE_SERIAL(QvEditDataLine)
public:
    // Label sides (text alignment against the line) and kinds.
    static constexpr LONG SideAbove = 8;
    static constexpr LONG SideBelow = 0;
    enum LabelKind : LONG { PlainText = 0, Equation = 1, ChemEquation = 2 };
    static constexpr LONG NoArrowHead = 10;

    WORD m_version = 1;
    LONG m_startArrow = NoArrowHead;
    LONG m_endArrow = NoArrowHead;
    LONG m_midArrow = NoArrowHead;
    BYTE m_startSize = 12; // drawn at size x 20 model units
    BYTE m_endSize = 12;
    BYTE m_midSize = 12;
    double m_midPos = 0.5;   // fraction of the way from start to end
    double m_labelPos = 0.5; // the same for the label
    QString m_label;
    QvLogFont m_font;
    LONG m_labelSide = SideAbove;
    LONG m_labelKind = PlainText;

    // After the common fields: version 1, a word of presence flags, then
    // only the fields that differ from "none".
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

// What every straight-line figure shares: the embedded line, two-click
// creation, grip dragging and the hit test.
class QvFigLineBase : public QvFigure {
    DECLARE_SERIAL(QvFigLineBase)
public:
    QvFigLineBase();

    std::unique_ptr<QvGRBase> CreateGeometry() const override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;

    const QvGRLine& Line() const { return m_line; }

protected:
    QvGRLine m_line;
};

class QvFigLine : public QvFigLineBase {
    DECLARE_SERIAL(QvFigLine)
public:
    static constexpr int ToolId = ID_DRAW_LINE;
    static constexpr int ArrowToolId = ID_DRAW_ARROW_LINE;
    // The fixed text a label of kind 2 shows.
    static constexpr const char* ChemEquationText = "Chem Equation";

    // The Line Properties dialog, which lives above the figures: it edits
    // the record it is given and answers true on OK.
    using PropertiesDialog = QvDialogSeam<QvFigLine, bool(QvEditDataLine& record)>;

    QvFigLine();

    void Serialize(CArchive& ar) override;
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    CRect GetBoundRect() override;
    void BuildFromPoints() override;
    // 0 is the end point, 1 the start point.
    QvPoint GetPoint(int n) const override;
    QString GetDescription() const override;

    // The arrowheads and label text of the line defaults, for the arrow tool.
    void ApplyArrowDefaults();

    QvEditDataLine* LineData() const { return m_pLineData; }

    // The label's escapement in tenths of a degree for a line from p0 to
    // p1, and whether it was turned to keep the text upright.
    static int LabelAngle(QvPoint p0, QvPoint p1, bool* turned);

private:
    void DrawLabel(CDC* dc);
    // From the label's anchor on the line to its reference point: across
    // the line to the chosen side, far enough for the text to clear it.
    QvVector LabelOffset(CDC* dc, bool plain, double width) const;

    QvEditDataLine* m_pLineData; // the record the figure owns, typed
};
