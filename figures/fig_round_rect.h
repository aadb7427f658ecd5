#pragma once
// The rectangle with rounded corners: dragged out like a rectangle, its
// four corners rounded with quarter circles of one radius.  A fifth, round
// grip on the first side sets the radius by dragging.
//
// Points: corners 0-3 as the rectangle's (0 the press, 2 the release, 1
// along the first side), and 4 the radius handle on the first side.
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/fig_rect_base.h"
#include "geometry/gr_round_rect.h"
#include "platform/command_ids.h"

class QvEditDataRoundRect : public QvEditData {
    DECLARE_SERIAL(QvEditDataRoundRect)
public:
    short m_version = 1;
    LONG m_radius = 3000; // 0.01 mm

    // After the common fields: the word 1 and the radius (22 bytes).  A
    // version word below 1 leaves the radius as it is.
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

class QvFigRoundRect : public QvFigRectBase {
    DECLARE_SERIAL(QvFigRoundRect)
public:
    static constexpr int ToolId = ID_DRAW_ROUND_RECT;
    // Four sides, then the four corners.
    static constexpr int PartCount = 8;

    // The properties dialog, which lives above the figures: it edits the
    // radius in whole millimetres and answers true on OK.
    using PropertiesDialog = QvDialogSeam<QvFigRoundRect, bool(int& radiusMillimetres)>;

    QvFigRoundRect();

    // Both without the outline pen's help: the rounded outline as drawn.
    void DrawFill(CDC* dc, int mode) override;
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    // OK sets the radius and puts the handle at it; Cancel changes nothing.
    void EditProperties(CPoint, CPoint) override;
    // Part k: sides 0-3 (0 from corner 0 to 1, on round), corners 4-7 (at
    // corners 0-3).  Part -1 gives all eight.
    void AddShapes(QvShapeList& list, int part) override;
    bool HitTest(QvPoint pt, double tolerance) override;
    // Corners 0-3 drag as the rectangle's; the handle (4) sets the radius
    // from its distance to corner 0 along the first side, at most half that
    // side.  Either way the handle is put back on the first side.
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    // The handle sits where the rounding at corner 0 meets the first side.
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    // False at the press, true from the release on.
    bool CreateClick() override;
    void BuildFromPoints() override;
    int GetPartCount() const override { return PartCount; }
    // "Rounded Rectangle - w by h, radius r" in millimetres.
    QString GetDescription() const override;

    QvEditDataRoundRect* RoundRectData() const { return m_pRoundData; }
    const QvGRRoundRect& Outline() const { return m_round; }
    // The outline drawn from the display points: the radius held to half
    // the shorter side.
    QvGRRoundRect DrawnOutline() const;

private:
    // Handle := corner 0 + the first side scaled to `length`.
    void PlaceHandle(double length);

    QvEditDataRoundRect* m_pRoundData; // the record the figure owns, typed
    QvGRRoundRect m_round;
};
