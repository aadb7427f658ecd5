#pragma once
// The bell curve of the standard normal distribution across an upright
// box, from four standard deviations below the mean at its left edge to
// four above at its right edge.  It shades the area between two bounds, or
// the two tails outside them, and may draw a baseline with arrowheads at
// both ends and an axis through the mean.  The bounds are two round grips
// on the baseline (points 4 and 5); only their x counts.
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/fig_rect_base.h"
#include "platform/command_ids.h"

#include <QString>

#include <vector>

class QvEditDataNorm : public QvEditData {
    DECLARE_SERIAL(QvEditDataNorm)
public:
    static constexpr LONG NoArrowHead = 10;

    short m_version = 1;
    BYTE m_bInverse = 1; // shade the two tails instead of the middle
    BYTE m_bBaseline = 1;
    BYTE m_byAxis = 1;
    BYTE m_bShade = 1;
    LONG m_nArrow = 12;    // arrowhead code
    BYTE m_nArrowSize = 4; // twice the size the dialog shows

    // After the common fields: the word 1, four flag bytes, the arrowhead
    // code and its size (11 bytes).  A record stored below version 1 keeps
    // its own values.
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

// What the Normal Distribution Properties dialog edits.
struct QvNormProperties {
    int arrowSize = 0; // as shown: half the record's
    int arrowCode = 0;
    int yAxis = 0;
    int baseline = 0;
    double low = 0.0; // bounds in standard deviations
    double high = 0.0;
    int shading = -1; // 0 none, 1 between the bounds, 2 the two tails
};

class QvFigNorm : public QvFigNoRotateRectBase {
    DECLARE_SERIAL(QvFigNorm)
public:
    static constexpr int ToolId = ID_DRAW_NORMAL_CURVE;
    // The reference points, recomputed whenever the curve is drawn,
    // resized or edited.
    enum { BaselineLeft, BaselineRight, Apex, Foot, ReferenceCount };

    using PropertiesDialog = QvDialogSeam<QvFigNorm, bool(QvNormProperties& values)>;

    // The options from the "NormDist" defaults, the current drawing style
    // (a black fill becomes light grey).
    QvFigNorm();

    void DrawFill(CDC*, int) override {}
    // Curve, baseline, shading, arrowheads, axis; nothing in modes 2 and 4.
    void Draw(CDC* dc, int mode) override;
    // "No fill" draws solid; the record keeps what it has.
    void DrawMapped(CDC* dc, int mode, const QvGRRect& frame, const CRect& offset) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    // Corners resize with the bounds kept in standard deviations; grips 4
    // and 5 move the bounds along the baseline, 4 never right of 5 and
    // neither beyond its edge.
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    // The box moves or mirrors; the bounds keep their standard deviations
    // (a mirror that swaps the sides swaps and negates them).
    void Rotate(double degrees, QvPoint centre) override;
    void Reflect(const QvGRLine& mirror) override;
    // Dragged out as a box; the bounds start at -1 and +1.
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    void BuildFromPoints() override;
    // Corners as the upright box gives them; 4 and 5 the bound grips.
    QvPoint GetPoint(int n) const override;
    QString GetDescription() const override;

    QvEditDataNorm* NormData() const { return m_pNormData; }
    const QvPoint& Reference(int i) const { return m_reference[i]; }
    // A bound's x in standard deviations, to two decimals, and back, on
    // the box of defining points 0 and 1.
    double ToDeviations(double x) const;
    double FromDeviations(double z) const;

private:
    // The box's left and right and its width, never 0.
    void Edges(double& left, double& right, double& width) const;
    // The bounds as fractions of the box's width from its left edge, and
    // back onto the box's first side.
    void BoundFractions(double& u4, double& u5) const;
    void PlaceBounds(double u4, double u5);
    // Reference points and the curve's height and width from the display
    // points; yUp where y grows up the page, k units per millimetre.
    void Measure(bool yUp, int k);
    // The curve's height above the baseline at x units from the left edge.
    double Density(double x) const;

    QvEditDataNorm* m_pNormData; // the record the figure owns, typed
    QvPoint m_reference[ReferenceCount];
    int m_nWidth = 0;  // whole units across the box
    int m_nHeight = 0; // peak above the baseline, signed as y grows up
    // Drawing buffers: they grow to the widest curve drawn and are kept.
    std::vector<CPoint> m_samples;
    std::vector<CPoint> m_polygon;
};
