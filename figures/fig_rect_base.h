#pragma once
// The bases of every figure held by the four corners of a rectangle: made
// by press, drag and release (a square with Shift), resized by its corner
// grips, hit on its outline, cut by its four edges.  They draw nothing.
//
// Corner 0 is where the press was and corner 2 the opposite one; corner 1
// shares corner 0's y and corner 2's x when the figure is made, corner 3
// corner 0's x and corner 2's y, so 0, 1, 2, 3 walks once around.
#include "figures/figure.h"
#include "geometry/gr_rect.h"

class QvFigRectBase : public QvFigure {
    DECLARE_SERIAL(QvFigRectBase)
public:
    // The creation states held in the click count.
    static constexpr int Pressed = 2;
    static constexpr int Released = 3;

    QvFigRectBase();

    std::unique_ptr<QvGRBase> CreateGeometry() const override;
    // The four edges, 0 from corner 0 to 1 ... 3 from corner 3 to 0.
    void AddShapes(QvShapeList& list, int part) override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    // Shift keeps the proportions of the sides.
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    // Shift makes a square in the pointer's quadrant, its side the smaller
    // of the two distances.
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    // False at the press, true from the release on.
    bool CreateClick() override;
    void BuildFromPoints() override;
    int GetPartCount() const override { return 4; }

    const QvGRRect& Frame() const { return m_frame; }

protected:
    // Whether this step of the creation drag makes a square.
    virtual bool DragsSquare(QvKeys keys);
    // The dragged corner 2 and its two neighbours: corner 0 stays.
    void DragCorners(QvPoint pt, bool square);
    // The four display corners as whole logical units.
    void IntegerCorners(CPoint c[4]) const;

    QvGRRect m_frame;
    QvVector m_axis;
};

// A rectangle-framed figure that keeps a square while it is made and
// resized, along its axis.  Only a stored record names it.
class QvFigSquareBase : public QvFigRectBase {
    DECLARE_SERIAL(QvFigSquareBase)
public:
    QvFigSquareBase();

    // The corners stay a square on the axis; a zero axis refuses the drag.
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;

    bool KeepsSquare() const { return m_bKeepSquare; }
    void SetKeepSquare(bool keep) { m_bKeepSquare = keep; }
    void SetAxis(QvVector axis) { m_axis = axis; }

protected:
    // A square unless Shift is held; once free, it stays free.
    bool DragsSquare(QvKeys keys) override;

    bool m_bKeepSquare = false;
};

// An axis-parallel box that never turns: the rotate commands move its
// centre only.  Its primitive counts the inside as a hit and offers the
// snap search nothing.
class QvFigNoRotateRectBase : public QvFigRectBase {
    DECLARE_SERIAL(QvFigNoRotateRectBase)
public:
    // The box's highlight: red where other figures are cyan.
    static constexpr COLORREF HighlightColour = 0x0000FA;

    QvFigNoRotateRectBase();

    std::unique_ptr<QvGRBase> CreateGeometry() const override;
    // Turns the centre about `centre`; width, height and upright sides stay.
    void Rotate(double degrees, QvPoint centre) override;
    // As every figure, except the highlight colour and that the white
    // outline also draws the fill.
    void DrawMapped(CDC* dc, int mode, const QvGRRect& frame, const CRect& offset) override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    void BuildFromPoints() override;
    // Display corner 3 - n.
    QvPoint GetPoint(int n) const override;

    const QvGRFrameRect& Box() const { return m_box; }

protected:
    QvGRFrameRect m_box;
};
