#pragma once
// Graph paper and dot paper filling an upright frame: square paper with
// major and minor lines and optional logarithmic axes, isometric
// (triangular), polar (circular) or hexagonal paper, as lines or as dots.
// Other figures snap to its lattice, so they can be drawn on the paper.
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/fig_rect_base.h"
#include "platform/command_ids.h"

#include <QString>

class QvEditDataGridDot : public QvEditData {
    DECLARE_SERIAL(QvEditDataGridDot)
public:
    enum { Dots = 0, Lines = 1 };
    enum { Cartesian = 0, Isometric = 1, Polar = 2, Hexagonal = 3 };

    short m_version = 1;
    LONG Style = Lines;
    LONG Coord = Cartesian;
    BYTE xLog = 0;
    BYTE yLog = 0;
    double MajorSize = 20.0; // mm
    double MinorSize = 2.0;  // mm
    double MajorAngle = 45.0;
    double MinorAngle = 15.0;
    LONG PointType = 2;
    // Cartesian lines: x the horizontal lines, y the vertical ones; polar
    // lines: x the circles, y the radial lines.  Line-style ids.
    COLORREF xGridMajorColor = 0x808080;
    COLORREF xGridMinorColor = 0x808080;
    COLORREF yGridMajorColor = 0xC0C0C0;
    COLORREF yGridMinorColor = 0xC0C0C0;
    DWORD xGridMajorPen = ID_LINE_SOLID1;
    DWORD xGridMinorPen = ID_LINE_DOT;
    DWORD yGridMajorPen = ID_LINE_SOLID1;
    DWORD yGridMinorPen = ID_LINE_DOT;

    // Every field from the "GridDot" defaults.
    void SetFromDefaults();
    // After the common fields: the word 1 and 80 bytes of fields.  A stored
    // version below 1 reads nothing more.
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

// What the properties dialog edits: the angles as the text typed.
struct QvGridDotDialogValues {
    int paperType = -1;
    int style = -1;
    int xLog = 0;
    int yLog = 0;
    QString majorAngle;
    double majorSize = 0.0;
    QString minorAngle;
    double minorSize = 0.0;
    // x-major, x-minor, y-major, y-minor.
    COLORREF colours[4] = {};
    DWORD pens[4] = {};
    int pointType = 0;
};

class QvFigGridDot : public QvFigNoRotateRectBase {
    DECLARE_SERIAL(QvFigGridDot)
public:
    static constexpr int ToolId = ID_DRAW_GRID_DOT;

    // The properties dialog, which lives above the figures: it edits the
    // values it is given and answers true on OK.
    using PropertiesDialog = QvDialogSeam<QvFigGridDot, bool(QvGridDotDialogValues& values)>;

    QvFigGridDot();

    void DrawFill(CDC*, int) override {}
    // Mode 0 the paper, mode 1 the frame's outline, nothing in other modes.
    // Steps that are not positive numbers draw nothing of what they space.
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    // The lattice point nearest to pt, inside the frame or not.
    void AddPointOnFigure(QvPoint pt, QvSnapPointList& list, int level) override;
    // One record without geometry: the paper has no outline to cut.
    void AddShapes(QvShapeList& list, int part) override;
    bool IsOn(QvPoint) override { return false; }
    QString GetDescription() const override;

    QvEditDataGridDot* GridData() const { return m_pGridData; }

private:
    QvEditDataGridDot* m_pGridData; // the record the figure owns, typed
};
