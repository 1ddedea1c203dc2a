#include "cell_selection.h"

#include <algorithm>

namespace flowtable {

namespace {

// The cells of `a` outside `b`, as at most four rectangles.
void subtract(const CellRect& a, const CellRect& b, std::vector<CellRect>& out)
{
    const std::int64_t top = std::max(a.top, b.top);
    const std::int64_t bottom = std::min(a.bottom, b.bottom);
    const int left = std::max(a.left, b.left);
    const int right = std::min(a.right, b.right);
    if (top > bottom || left > right) {
        out.push_back(a);
        return;
    }
    if (a.top < top)
        out.push_back({ a.top, top - 1, a.left, a.right });
    if (bottom < a.bottom)
        out.push_back({ bottom + 1, a.bottom, a.left, a.right });
    if (a.left < left)
        out.push_back({ top, bottom, a.left, left - 1 });
    if (right < a.right)
        out.push_back({ top, bottom, right + 1, a.right });
}

std::vector<CellRect> minus(const std::vector<CellRect>& from, const CellRect& b)
{
    std::vector<CellRect> out;
    for (const CellRect& a : from)
        subtract(a, b, out);
    return out;
}

std::vector<CellRect> applied(std::vector<CellRect> cells, const std::vector<CellRect>& rects, CellSelection::Op op)
{
    for (const CellRect& r : rects) {
        if (r.empty())
            continue;
        if (op == CellSelection::Op::Toggle) {
            std::vector<CellRect> added { r };
            for (const CellRect& c : cells)
                added = minus(added, c);
            cells = minus(cells, r);
            cells.insert(cells.end(), added.begin(), added.end());
            continue;
        }
        cells = minus(cells, r);
        if (op == CellSelection::Op::Select)
            cells.push_back(r);
    }
    return cells;
}

} // namespace

void CellSelection::clear()
{
    m_done.clear();
    m_extent.clear();
}

void CellSelection::apply(const std::vector<CellRect>& rects, Op op, bool extending)
{
    if (!extending) {
        m_done = applied(std::move(m_done), m_extent, m_extentOp);
        m_extent.clear();
        m_done = applied(std::move(m_done), rects, op);
        return;
    }
    m_extent = rects;
    m_extentOp = op;
}

std::vector<CellRect> CellSelection::rects() const
{
    return applied(m_done, m_extent, m_extentOp);
}

std::vector<int> CellSelection::columns() const
{
    std::vector<int> columns;
    for (const CellRect& r : rects()) {
        for (int c = r.left; c <= r.right; ++c)
            columns.push_back(c);
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    return columns;
}

std::vector<std::pair<std::int64_t, std::int64_t>> CellSelection::rowRanges() const
{
    std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
    for (const CellRect& r : rects())
        ranges.emplace_back(r.top, r.bottom);
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<std::int64_t, std::int64_t>> merged;
    for (const auto& range : ranges) {
        if (!merged.empty() && range.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, range.second);
        else
            merged.push_back(range);
    }
    return merged;
}

} // namespace flowtable
