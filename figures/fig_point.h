#pragma once
// A single marked point of the drawing, a snap target for later figures.
#include "figures/fig_circle.h"
#include "figures/figure.h"
#include "geometry/gr_point.h"

class QvFigPoint : public QvFigure {
    DECLARE_SERIAL(QvFigPoint)
public:
    static constexpr int ToolId = 32843;
    // How far the bounds reach beyond the point on every side: the largest
    // mark at any zoom.
    static constexpr double MarkReach = 505.0;

    QvFigPoint();

    // The mark of the record's mark type (0 draws nothing) in the
    // selected pen's colour.
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    std::unique_ptr<QvGRBase> CreateGeometry() const override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    void MoveHandle(int n, QvPoint to, QvPoint second) override;
    void TrackCreatePoint(QvPoint pt) override;
    // Complete at the first click.
    bool CreateClick() override;
    void BuildFromPoints() override;
    // The far point: a point offers no point by index.
    QvPoint GetPoint(int n) const override;
    QString GetDescription() const override { return QStringLiteral("Point"); }

    QvEditDataCircle* PointData() const { return m_pPointData; }
    const QvGRPoint& Primitive() const { return m_point; }

private:
    QvEditDataCircle* m_pPointData; // the record the figure owns, typed
    QvGRPoint m_point;
};
