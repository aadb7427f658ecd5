#pragma once
// The triangle that knows its measurements: three clicks give the vertices
// A, B and C, and the solver in its record works out the sides, angles,
// heights, area and perimeter.  Its properties dialog may instead give any
// three measurements, and the triangle is laid out again from A to fit them.
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/figure.h"
#include "geometry/gr_triangle.h"
#include "platform/command_ids.h"

class QvEditDataTriangle : public QvEditData {
    DECLARE_SERIAL(QvEditDataTriangle)
public:
    short m_version = 1;
    // The measurements, the vertices and the flag that says the next
    // rebuild measures the sides from the figure's points.  Also the
    // figure's primitive.
    QvGRTriangle m_solver;

    // After the common fields: the word 1 and the solver's record.
    void Serialize(CArchive& ar) override;
    // Values are copied into this record's solver, so a figure's primitive
    // stays its own.
    QvEditData& CopyFrom(const QvEditData& src) override;
};

class QvFigTriangle : public QvFigure {
    DECLARE_SERIAL(QvFigTriangle)
public:
    static constexpr int ToolId = ID_DRAW_TRIANGLE;

    // The properties dialog, which lives above the figures: it edits the
    // measurements it is given and answers true on OK.
    using PropertiesDialog = QvDialogSeam<QvFigTriangle, bool(QvGRTriangle& measurements)>;

    QvFigTriangle();

    void Serialize(CArchive& ar) override;
    void DrawFill(CDC* dc, int mode) override;
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    // OK lays the triangle out again from A, and only when the measurements
    // describe a triangle; anything else leaves it as it was.
    void EditProperties(CPoint, CPoint) override;
    // The three sides, each with its part index: 0 AB, 1 BC, 2 CA.
    void AddShapes(QvShapeList& list, int part) override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    // A dragged vertex measures the triangle again from its three sides.
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    // Measures and solves when the flag says so; otherwise only moves the
    // solver's vertices onto the points, keeping the measurements.
    void BuildFromPoints() override;
    QvPoint GetPoint(int n) const override;
    QString GetDescription() const override;

    QvEditDataTriangle* TriangleData() const { return m_pTriangleData; }
    QvGRTriangle& Solver() const { return m_pTriangleData->m_solver; }

private:
    void DrawTriangle(CDC* dc);

    QvEditDataTriangle* m_pTriangleData; // the record the figure owns, typed
};
