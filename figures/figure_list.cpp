#include "figures/figure_list.h"

#include <algorithm>
#include <utility>

QvFigureList& QvFigureList::operator=(QvFigureList&& other) noexcept {
    if (this != &other) {
        Clear();
        m_owned = std::move(other.m_owned);
        m_view = std::move(other.m_view);
        other.m_owned.clear();
        other.m_view.clear();
    }
    return *this;
}

int QvFigureList::IndexOf(const QvFigure* figure) const {
    auto it = std::find(m_view.begin(), m_view.end(), figure);
    return it == m_view.end() ? -1 : int(it - m_view.begin());
}

QvFigure* QvFigureList::Add(std::unique_ptr<QvFigure> figure) {
    return Insert(m_view.size(), std::move(figure));
}

QvFigure* QvFigureList::Insert(size_t index, std::unique_ptr<QvFigure> figure) {
    if (!figure)
        return nullptr;
    index = std::min(index, m_view.size());
    QvFigure* f = figure.get();
    m_view.insert(m_view.begin() + std::ptrdiff_t(index), f);
    m_owned.insert(m_owned.begin() + std::ptrdiff_t(index), std::move(figure));
    return f;
}

std::unique_ptr<QvFigure> QvFigureList::Take(const QvFigure* figure) {
    const int i = IndexOf(figure);
    if (i < 0)
        return nullptr;
    std::unique_ptr<QvFigure> taken = std::move(m_owned[size_t(i)]);
    m_owned.erase(m_owned.begin() + i);
    m_view.erase(m_view.begin() + i);
    return taken;
}

std::unique_ptr<QvFigure> QvFigureList::Replace(size_t index, std::unique_ptr<QvFigure> figure) {
    if (!figure || index >= m_view.size())
        return figure;
    m_view[index] = figure.get();
    return std::exchange(m_owned[index], std::move(figure));
}

void QvFigureList::Swap(size_t i, size_t j) {
    std::swap(m_owned[i], m_owned[j]);
    std::swap(m_view[i], m_view[j]);
}

void QvFigureList::Clear() {
    while (!m_owned.empty()) {
        m_view.pop_back();
        m_owned.pop_back();
    }
}

std::vector<std::unique_ptr<QvFigure>> QvFigureList::TakeAll() {
    m_view.clear();
    return std::exchange(m_owned, {});
}

std::vector<QvFigure*> QvFigureList::ReleaseAll() {
    for (std::unique_ptr<QvFigure>& f : m_owned)
        (void)f.release();
    m_owned.clear();
    return std::exchange(m_view, {});
}
