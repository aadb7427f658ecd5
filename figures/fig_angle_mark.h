#pragma once
// The angle mark: a mark at the corner where straight parts of two other
// figures meet (two lines, two sides of a triangle, a side of a polygon and
// a line).  It has no position of its own: it keeps the two figures and
// rebuilds itself from their current geometry at every draw, so it follows
// them when they move.  It is drawn as a point marker, one to three arcs,
// the size of the angle, a text or equation label, or a right-angle square.
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/figure.h"
#include "geometry/gr_angle.h"
#include "platform/command_ids.h"
#include "text/log_font.h"

#include <QString>

#include <algorithm>
#include <vector>

class QvFigureList;

class QvEditDataAngle : public QvEditData {
    DECLARE_SERIAL(QvEditDataAngle)
public:
    enum MarkType : LONG {
        PointMarker = 0,
        SingleArc = 1,
        DoubleArc = 2,
        TripleArc = 3,
        AngleValue = 4,
        TextLabel = 5
    };
    enum AngleUnit : LONG { Degrees = 0, Radians = 1, Grads = 2 };
    enum TextKind : LONG { PlainText = 0, Equation = 1, ChemEquation = 2 };
    // One step of the size field in model units: the mark radius is
    // size x this.
    static constexpr int SizeUnit = 80;
    // Sizes past this lie far off the page; a damaged record is held to it.
    static constexpr LONG MaxSize = 1000;

    short m_version = 1;
    LONG m_markType = AngleValue;
    LONG m_pointType = 1;
    LONG m_angleType = Degrees;
    LONG m_textType = PlainText;
    QString m_text;
    BYTE m_autoPerpendicular = 1;
    BYTE m_angled = 0;
    LONG m_size = 6;
    // The marked figures; not owned.  Always figures of the same list as
    // the mark.
    QvFigure* m_pFirst = nullptr;
    QvFigure* m_pSecond = nullptr;
    // The part of each figure that carries the arm (-1: every part, until
    // the first build chooses one), and which half of that part's line.
    LONG m_firstPart = -1;
    LONG m_secondPart = -1;
    BYTE m_major = 0;
    LONG m_secondRay = -1;
    LONG m_firstRay = -1;
    short m_decimalPlaces = 0;
    QvLogFont m_font;

    // After the common fields: the version, the fields above (the figures
    // as object references) and the font as a 72-byte block.
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
    // The settings of the "Angle" group and the current drawing style.
    void SetFromDefaults();
};

class QvFigAngleMark : public QvFigure {
    DECLARE_SERIAL(QvFigAngleMark)
public:
    static constexpr int ToolId = ID_DRAW_ANGLE_MARK;
    static constexpr const char* ChemEquationText = "Chem Equation";

    // The Angle Properties dialog, which lives above the figures: it edits
    // the record it is given and answers true on OK.
    using PropertiesDialog = QvDialogSeam<QvFigAngleMark, bool(QvEditDataAngle& record)>;

    // The figure the last snap search took its target from, or null: the
    // mark under creation takes its figures from here.  The snap search
    // sets it.
    static void SetSnappedFigure(QvFigure* figure);
    static QvFigure* SnappedFigure();

    QvFigAngleMark();
    ~QvFigAngleMark() override;

    void Serialize(CArchive& ar) override;
    void DrawFill(CDC* dc, int mode) override;
    void Draw(CDC* dc, int mode) override;
    // False when a point lies off the page.  A mark whose parts do not meet
    // stays valid and draws nothing.
    bool IsValid() const override;
    // The mark's dialog; OK writes the record.  The mark is rebuilt either
    // way.
    void EditProperties(CPoint, CPoint) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    void RemapReferences(QvCopyMap& map) override;
    // The mark keeps the frame and offset it is mapped with, and maps the
    // figures it marks the same way before it builds from them: they lie
    // in the same list, so they are drawn through the same mapping.
    void MapToFrame(const QvGRRect& frame) override;
    void OffsetPoints(int dx, int dy, int right, int flipHeight) override;
    // A mark gives no shapes, so no mark can mark another.
    void AddShapes(QvShapeList&, int) override {}
    void DrawHandles(CDC* dc) override;
    // Vertex, arcs, square, marker and label, with the pen.
    CRect GetBoundRect() override;
    // The arm ends and the vertex of the last build.
    CRect GetPointsRect() const override;
    bool HitTest(QvPoint, double) override { return false; }
    // Grips 0 and 1 slide along their figures; the arms stay where they are.
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    QvPoint GetPoint(int) const override { return QvPoint::Far(); }
    QString GetDescription() const override;

    // Forgets the marked figures and the clicks: creation starts again.
    void RestartCreation();
    // Both marked figures are set, are other figures than marks, and are
    // in `list`.
    bool MarksWithin(const std::vector<QvFigure*>& list) const;

    QvEditDataAngle* AngleData() const { return m_pAngleData; }
    bool IsBuiltValid() const { return m_bValid; }
    bool IsRightAngle() const { return m_bRightAngle; }
    double Angle() const { return m_angle; }
    QvPoint LabelPoint() const { return m_labelPoint; }
    QvVector Bisector() const { return m_bisector; }
    QvPoint Vertex() const { return m_display[2]; }
    int ArcStart() const { return m_nArcStart; }
    int ArcEnd() const { return m_nArcEnd; }
    double Radius() const {
        return double(std::clamp(m_pAngleData->m_size, LONG(0), QvEditDataAngle::MaxSize)) *
               QvEditDataAngle::SizeUnit;
    }
    // The text of an angle-value label; empty for other mark types.
    QString ValueText() const;

private:
    // The figure a reference names, or null for none and for a mark.
    QvFigure* Marked(QvFigure* figure) const;
    // Maps a marked figure as this mark is mapped and rebuilds it, so that
    // its shapes are where it is drawn.
    void MapMarked(QvFigure* figure) const;
    bool IsMapped() const;
    void DrawArc(CDC* dc, double radius, bool pie) const;
    void DrawLabel(CDC* dc, const QString& text, bool equation, QvVector direction) const;
    // Where a label `width` long along `direction` and `cell` tall, drawn
    // `height` high, goes: on the bisector at the mark's radius, or further
    // out until it clears both arms.
    QvPoint LabelPlace(QvVector direction, double width, double cell, double height) const;

    QvEditDataAngle* m_pAngleData; // the record the figure owns, typed
    QvGRAngle m_angleShape;
    bool m_bRightAngle = false;
    bool m_bValid = false;
    int m_nArcStart = 0;
    int m_nArcEnd = 1;
    double m_angle = 0.0;
    QvPoint m_labelPoint;
    QvVector m_bisector;
    // The mapping of the last MapToFrame and OffsetPoints.
    QvGRRect m_frame;
    int m_offset[4] = {0, 0, 0, 0};
};

// Deletes the angle marks of `list` (and of its groups' member lists) that
// do not mark two other figures of their own list: a copy, a paste or a
// file never keeps a mark pointing outside the figures that came with it.
void QvDropStrayAngleMarks(std::vector<QvFigure*>& list);
void QvDropStrayAngleMarks(QvFigureList& list);
