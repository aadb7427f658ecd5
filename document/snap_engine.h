#pragma once
// The snap engine: what snapping needs that does not depend on the pointer
// (every figure's characteristic points and outline shapes, with a spatial
// index over the shapes), kept figure by figure as the drawing changes, and
// the snap search over it.  The crossings of figures with each other and the
// common tangents of circle pairs are made only near the pointer, where
// they can still win: there may be millions of them and only a handful near
// any one pointer position.
//
// The search offers its candidates in a fixed order and the first of equal
// scores wins: the characteristic points figure by figure (each figure's
// common tangents after its own points), then the crossings pair by pair,
// then the candidates of the search itself.  Whatever is made out of that
// order carries its place with it, so the winner is the one the order gives.
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "geometry/gr_rect.h"
#include "geometry/point.h"
#include "geometry/special_point.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QvBackgroundGrid;
class QvFigure;
class QvGRCircle;

class QvSnapEngine {
public:
    QvSnapEngine();
    ~QvSnapEngine();
    QvSnapEngine(const QvSnapEngine&) = delete;
    QvSnapEngine& operator=(const QvSnapEngine&) = delete;

    // ---- what changed (every figure already mapped and built)
    // The whole drawing, in drawing order.  lineTool: the Line tool is
    // chosen, so pairs of circles offer their common tangents.
    void Rebuild(const std::vector<QvFigure*>& figures, bool lineTool);
    // One figure put on top of the drawing, changed in place, or taken out.
    // Each leaves the caches as Rebuild would; a change that takes the
    // drawing across a snap kind's cut-off level changes every figure's
    // records, so it only marks the caches for a rebuild (NeedsRebuild).
    void Add(QvFigure* figure);
    void Change(QvFigure* figure);
    void Remove(const QvFigure* figure);
    bool NeedsRebuild() const { return m_needsRebuild; }
    // Figures moved while the caches wait for the end of a drag: the
    // constructions the search keeps from move to move are made afresh.
    void Touch() { ++m_generation; }
    void SetLineTool(bool lineTool) { m_lineTool = lineTool; }
    void Clear();

    // ---- the search
    struct Query {
        QvPoint pointer;
        int level = 0;               // the mathematical-drawing level, 0-3
        QvFigure* exclude = nullptr; // the figure being made or dragged
        int pointIndex = 1;          // exclude's point the constructions start from
        int parts = -1;              // the drawing's level number (parts - 1)
        bool ctrl = false;
        bool shift = false;
        const QvBackgroundGrid* grid = nullptr;
    };
    struct Result {
        QvPoint point;
        bool snapped = false;
        QString label;
        QvFigure* figure1 = nullptr;
        QvFigure* figure2 = nullptr;
        const QvGRRect* frame1 = nullptr;
        const QvGRRect* frame2 = nullptr;
    };
    Result Find(const Query& query);

    // ---- the caches as they stand
    const QvSnapPointList& Points() const { return m_points; }
    const QvShapeList& Shapes() const { return m_shapes; }
    // The construction shapes of the last search.
    const QvShapeList& Guides() const { return m_guides; }
    // Every crossing of two figure shapes, the earlier shape asked about the
    // later, in that order; made on demand.
    QvSnapPointList Crossings() const;

    // How a shape's crossings are bounded (see snap_engine.cpp).
    enum class Reach : std::uint8_t { Line, Circle, Curve, Point, Null, Other };
    struct Box {
        double x0, y0, x1, y1;
    };

private:
    struct Entry {
        QvFigure* figure = nullptr;
        int parts = 0;
        int pointBegin = 0, pointCount = 0;
        int shapeBegin = 0, shapeCount = 0;
        const QvGRCircle* circle = nullptr; // offers common tangents
    };
    struct ShapeInfo {
        Box box;
        Reach reach = Reach::Other;
        std::uint32_t id = 0;
    };
    // The running best: highest score, then earliest place.
    using Key = std::array<std::uint32_t, 5>;
    struct Best {
        double score = 0.0;
        Key key{};
        bool found = false;
        QvSnapPoint record;
        bool Beats(double score, const Key& key) const;
        // Takes the score and place when they beat the best so far; the
        // caller then fills in the record.
        bool Take(double score, const Key& key);
    };
    struct Index;

    int FindEntry(const QvFigure* figure) const;
    bool CutOffsChange(int level) const;
    void MakeRecords(QvFigure* figure, QvSnapPointList& points, QvShapeList& shapes) const;
    // Replaces entry e's records by the given ones (empty to drop them).
    void Splice(int e, QvSnapPointList& points, QvShapeList& shapes);
    void IndexShapes(int from, int to);
    void UnindexShapes(int from, int to);
    int EntryOfPoint(int index) const;

    // One search under way.
    struct Search {
        explicit Search(const Query& query) : q(query) {}
        const Query& q;
        QvPoint reference = QvPoint::Far();
        QvPoint grid;
        bool selectLike = false;
        bool angleMark = false;
        bool figures = false; // figures take part (level 2 or more, no Shift)
        bool hasReference = false;
        Best best;
        // For a mark being made: the nearest point on a figure, which it
        // takes over the grid point beside it.
        Best onFigure;
        std::uint32_t seq = 0; // the place of the search's next own candidate
    };
    // A candidate of the search itself, in the order made.
    void Offer(Search& s, const QvSnapPoint& record);
    void OfferTarget(Search& s, const QvSnapPoint& record);

    // The steps, in running order.
    void StepCachedPoints(Search& s);
    void StepGrid(Search& s);
    // Points and construction shapes from the start of the figure drawn.
    void StepConstructions(Search& s);
    // Grid points on figures and points on figures near the pointer.
    void StepPointsOnFigures(Search& s);
    // Grid points on construction shapes and points on them.
    void StepPointsOnGuides(Search& s);
    void SearchTangents(const Query& q, Best& best);
    void SearchCrossings(const Query& q, Best& best);
    void FillConstructions(const Query& q, QvPoint reference);
    void SearchGuideCrossings(const Query& q, Best& best, std::uint32_t seq);
    // Figure-shape indices whose box may hold a point scoring at least
    // `floor` with `priority`, in order.
    void NearShapes(QvPoint p, double priority, double floor, std::vector<int>& out) const;

    std::vector<Entry> m_entries;  // drawing order
    QvSnapPointList m_points;      // entry by entry
    QvShapeList m_shapes;          // entry by entry
    std::vector<ShapeInfo> m_info; // one per shape
    std::vector<int> m_indexOfId;
    std::vector<std::uint32_t> m_freeIds;
    std::unique_ptr<Index> m_index;
    int m_level = -1; // the drawing's level number the caches were made at
    int m_mode = -1;
    bool m_active = false; // the mode at the rebuild kept caches
    bool m_lineTool = false;
    bool m_needsRebuild = false;
    std::uint64_t m_cutOffs = 0; // the kinds passing at m_level
    std::uint64_t m_generation = 0;

    // Kept from search to search while the constructions' start stays.
    struct From {
        std::uint64_t generation = ~std::uint64_t(0);
        const QvFigure* exclude = nullptr;
        QvPoint reference;
        int parts = 0;
        int mode = -1;
        bool valid = false;
    } m_from;
    QvSnapPointList m_fromPoints;
    QvShapeList m_guides;
    std::vector<ShapeInfo> m_guideInfo;

    // Scratch, kept for its storage.
    QvSnapPointList m_tmpPoints;
    QvShapeList m_tmpShapes;
    QvSpecialPointList m_special;
    QvSnapPointList m_figurePoints;
    std::vector<int> m_near;
    std::vector<std::pair<int, int>> m_pairs;
};
