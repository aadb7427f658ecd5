#pragma once
// A list that owns its figures, in drawing order, with a plain pointer
// view for reading.  Figures go in and come out only as std::unique_ptr,
// so none can be leaked or freed twice by the list's users.
#include "figures/figure.h"

#include <cstddef>
#include <memory>
#include <vector>

class QvFigureList {
public:
    QvFigureList() = default;
    QvFigureList(QvFigureList&&) noexcept = default;
    QvFigureList& operator=(QvFigureList&& other) noexcept;
    QvFigureList(const QvFigureList&) = delete;
    QvFigureList& operator=(const QvFigureList&) = delete;
    ~QvFigureList() { Clear(); }

    // The figures in drawing order; the list keeps them.
    const std::vector<QvFigure*>& View() const { return m_view; }
    size_t size() const { return m_view.size(); }
    bool empty() const { return m_view.empty(); }
    QvFigure* operator[](size_t i) const { return m_view[i]; }
    auto begin() const { return m_view.begin(); }
    auto end() const { return m_view.end(); }
    auto rbegin() const { return m_view.rbegin(); }
    auto rend() const { return m_view.rend(); }
    bool Contains(const QvFigure* figure) const { return IndexOf(figure) >= 0; }
    // -1 when the list does not hold it.
    int IndexOf(const QvFigure* figure) const;

    // On top; null is not taken.
    QvFigure* Add(std::unique_ptr<QvFigure> figure);
    // Before the figure at `index` (at the end when past it).
    QvFigure* Insert(size_t index, std::unique_ptr<QvFigure> figure);
    // Out of the list, to the caller; null when the list does not hold it.
    std::unique_ptr<QvFigure> Take(const QvFigure* figure);
    // Puts `figure` in the place of the one at `index` and hands that out.
    std::unique_ptr<QvFigure> Replace(size_t index, std::unique_ptr<QvFigure> figure);
    void Swap(size_t i, size_t j);
    // Frees every figure, the top one first, as the drawing was built up.
    void Clear();
    // Every figure out of the list, to the caller, in drawing order.
    std::vector<std::unique_ptr<QvFigure>> TakeAll();
    // Empties the list without freeing: the caller owns the figures now.
    std::vector<QvFigure*> ReleaseAll();

private:
    std::vector<std::unique_ptr<QvFigure>> m_owned;
    std::vector<QvFigure*> m_view; // the same figures, the same order
};
