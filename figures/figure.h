#pragma once
// The base of every drawable figure.  The document, the view, undo,
// snapping, the clipboard and the galleries reach a figure only through the
// virtual operations here.
//
// A figure keeps two sets of points: the defining points (the model: the
// clicks that made it, the grips the user drags, what is saved) and the
// display points (what is drawn), mapped from the defining points through a
// frame and an offset just before drawing.  It owns one attribute record and
// points at one primitive embedded in the subclass, which answers the
// geometric questions.
#include "figures/edit_data.h"
#include "geometry/gr_base.h"
#include "geometry/gr_line.h"
#include "geometry/gr_rect.h"
#include "geometry/point.h"
#include "geometry/special_point.h"
#include "platform/keys.h"

#include <QString>

#include <algorithm>
#include <memory>

class CDC;
class QvCopyMap;
class QvShapeList;
class QvSnapPointList;

// Drawing modes of DrawMapped: 0 the ordinary drawing, 1-4 the outlines
// shown while dragging, 5 in the line colour over the brush in place.
namespace QvDrawMode {
constexpr int Normal = 0;
constexpr int Dotted = 1;
constexpr int Highlight = 2;
constexpr int White = 3;
constexpr int White2 = 4;
constexpr int LineColour = 5;
} // namespace QvDrawMode

class QvFigure : public CObject {
    DECLARE_SERIAL(QvFigure)
public:
    // Counts and indices in files are bytes.
    static constexpr int MaxStoredPoints = 255;

    QvFigure();
    ~QvFigure() override;
    QvFigure(const QvFigure&) = delete;
    QvFigure& operator=(const QvFigure&) = delete;

    // A new figure for a drawing-tool id, or null for an id no figure class
    // answers (yet).
    static std::unique_ptr<QvFigure> CreateForTool(int toolId);
    // Whether CreateForTool would make a figure, without making one.
    static bool CanCreateForTool(int toolId);

    // The shared figure record; subclasses call it first.
    void Serialize(CArchive& ar) override;

    // Interior with the selected brush; called in mode 0 only.
    virtual void DrawFill(CDC* dc, int mode);
    // Outline, marks and labels from the display points with the selected pen.
    virtual void Draw(CDC* dc, int mode);
    virtual bool IsOrContains(const QvFigure* f) const { return f == this; }
    virtual bool IsValid() const { return true; }
    // Every point finite and near the page: a file holding anything else
    // would overflow the integer conversions of drawing and hit testing.
    virtual bool HasSaneCoordinates() const;
    // Makes this figure (of the same class) a copy of src.
    virtual QvFigure* CopyFrom(const QvFigure* src);
    virtual void CopyEditData(QvEditData* dst, const QvEditData* src) const;
    // A copy of the record of this figure's own kind; the caller owns it.
    virtual QvEditData* NewEditData() const;
    virtual void AddToCopyMap(QvCopyMap& map);
    // A frame with sides of zero length (NullFrame) maps nothing: display
    // points become the defining points.  Where its corner lies does not
    // matter, so a real frame at the page origin still maps.
    virtual void MapToFrame(const QvGRRect& frame);
    virtual void FinishCreate() {}
    virtual void RemapReferences(QvCopyMap&) {}
    // The properties dialog; figures without one beep.
    virtual void EditProperties(CPoint, CPoint);

    // Snapping.
    virtual void AddPointOnFigure(QvPoint pt, QvSnapPointList& list, int level);
    virtual void AddSpecialPoints(QvSnapPointList& list, int level);
    virtual void AddGuideShapesWith(QvFigure* other, QvShapeList& list, int level);
    virtual void AddSpecialPointsFrom(QvPoint pt, QvSnapPointList& list, QvFigure* other,
                                      int level);
    virtual void AddSpecialPointsWith(QvFigure* other, QvSnapPointList& list, int level);
    virtual void AddGuideShapesFrom(QvPoint pt, QvShapeList& list, int level);
    // A new primitive describing the figure.
    virtual std::unique_ptr<QvGRBase> CreateGeometry() const;
    // The outline primitives for intersections; part -1 means all parts.
    virtual void AddShapes(QvShapeList& list, int part);

    virtual void Rotate(double degrees, QvPoint centre);
    virtual void Move(QvVector offset);
    virtual void Reflect(const QvGRLine& mirror);
    // The one drawing entry: maps, offsets, chooses pen and brush by mode
    // and draws.  A mode outside 0-5 draws nothing.
    virtual void DrawMapped(CDC* dc, int mode, const QvGRRect& frame, const CRect& offset);
    virtual void DrawHandles(CDC* dc);
    virtual CRect GetBoundRect();
    virtual CRect GetPointsRect() const;
    virtual bool HitTest(QvPoint pt, double tolerance);
    virtual bool IsOn(QvPoint pt) { return HitTest(pt, 1e-8); }
    // The highest-indexed defining point within 300 (|dx| + |dy|) of pt,
    // which pt is moved onto; -1 when none.
    virtual int FindDefiningPoint(QvPoint& pt) const;
    // A grip dragged, or the pointer of a figure being made, with the keys
    // held at that mouse message (Shift keeps proportions where a figure
    // has them).
    virtual void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys);
    virtual void TrackCreatePoint(QvPoint pt, QvKeys keys);
    // True when the click completes the figure.
    virtual bool CreateClick();
    // Primitive and measures from the display points.
    virtual void BuildFromPoints() {}
    virtual void SetLineColour(COLORREF colour);
    virtual void SetLineStyle(int style);
    virtual void SetFillColour(COLORREF colour);
    virtual void SetFillStyle(int style);
    // Display point n, or the far point when there is none.
    virtual QvPoint GetPoint(int n) const;
    virtual int GetPartCount() const { return 1; }
    virtual void OffsetPoints(int dx, int dy, int right, int flipHeight);
    virtual QString GetDescription() const;

    // Fields.
    int GetPointCount() const { return m_nPoints; }
    // Refused (false) beyond the point arrays or a byte.
    bool SetPointCount(int count);
    int GetClickCount() const { return m_nClicks; }
    // The view ends a polygon by taking back its rubber-band click.
    void SetClickCount(int count) { m_nClicks = BYTE(std::clamp(count, 0, 255)); }
    int GetRoundGripCount() const { return m_nRoundGrips; }
    void SetRoundGripCount(int count) { m_nRoundGrips = count; }
    int GetGroupNesting() const { return m_nGroupNesting; }
    void SetGroupNesting(int count) { m_nGroupNesting = BYTE(std::clamp(count, 0, 255)); }
    int GetToolId() const { return m_nToolId; }
    void SetToolId(int id) { m_nToolId = id; }
    bool IsGroup() const { return m_bGroup; }
    QvFigure* GetCopyLink() const { return m_pCopyLink; }
    bool IsDeleted() const { return m_bDeleted; }
    void SetDeleted(bool deleted) { m_bDeleted = deleted; }
    QvPointArray& DefiningPoints() { return m_points; }
    const QvPointArray& DefiningPoints() const { return m_points; }
    QvPointArray& DisplayPoints() { return m_display; }
    const QvPointArray& DisplayPoints() const { return m_display; }
    QvEditData* GetEditData() const { return m_pEditData.get(); }
    QvGRBase* GetShape() const { return m_pShape; }

    // The pen width of the record's line style, in model units.
    int LineStyleWidth() const;

protected:
    // Sizes both point arrays to `count` (growing by as many) and sets the
    // point count.
    void InitPoints(int count);
    void SetEditData(QvEditData* record) { m_pEditData.reset(record); }
    // The record's pen for drawing on dc: its width in device pixels unless
    // dc maps in 0.01 mm.
    LOGPEN ScaledLinePen(CDC* dc) const;
    // The number of defining points the figure record carries.
    virtual int StoredPointCount() const { return m_nPoints; }

    int m_nRoundGrips = 0;
    BYTE m_nClicks = 0;
    BYTE m_nGroupNesting = 0;
    int m_nToolId = 0;
    bool m_bGroup = false;
    QvFigure* m_pCopyLink = nullptr;
    bool m_bDeleted = false;
    QvPointArray m_points;
    QvPointArray m_display;
    QvGRBase* m_pShape = nullptr; // embedded in the subclass

private:
    void ReadCopyLink(CArchive& ar);

    BYTE m_nPoints = 0;
    std::unique_ptr<QvEditData> m_pEditData;
};
