#pragma once
// A single marked point of the drawing, a snap target for later figures.
#include "figures/fig_circle.h"
#include "figures/dialog_seam.h"
#include "figures/figure.h"
#include "geometry/gr_point.h"
#include "platform/command_ids.h"

class QvFigPoint : public QvFigure {
    DECLARE_SERIAL(QvFigPoint)
public:
    static constexpr int ToolId = ID_DRAW_POINT;
    // How far the bounds reach beyond the point on every side: the largest
    // mark at any zoom.
    static constexpr double MarkReach = 505.0;

    // The Point Properties dialog, which lives above the figures: it edits
    // the mark it is given and answers true on OK.
    using PropertiesDialog = QvDialogSeam<QvFigPoint, bool(LONG& markType)>;

    QvFigPoint();

    // The mark of the record's mark type (0 draws nothing) in the
    // selected pen's colour.
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    std::unique_ptr<QvGRBase> CreateGeometry() const override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
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
