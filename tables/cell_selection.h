// The selected cells of a table kept in the table's own row numbers, so a selection outlives the scrolling of a
// view that shows only a page of the rows. Rectangles follow the item views' rules: a selection being extended
// (Shift) replaces its previous extent, any other change first makes it final.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace flowtable {

struct CellRect {
    std::int64_t top = 0;
    std::int64_t bottom = -1;
    int left = 0;
    int right = -1;
    bool empty() const { return top > bottom || left > right; }
};

class CellSelection {
public:
    enum class Op { Select, Deselect, Toggle };

    void clear();
    // Applies `op` to the cells of `rects`; `extending` replaces the extent of the selection being extended.
    void apply(const std::vector<CellRect>& rects, Op op, bool extending);
    // The selected cells as disjoint rectangles.
    std::vector<CellRect> rects() const;
    // The columns holding a selected cell, ascending.
    std::vector<int> columns() const;
    // The rows holding a selected cell, as ascending disjoint [first, last] ranges.
    std::vector<std::pair<std::int64_t, std::int64_t>> rowRanges() const;
    bool empty() const { return rects().empty(); }

private:
    std::vector<CellRect> m_done;
    std::vector<CellRect> m_extent;
    Op m_extentOp = Op::Select;
};

} // namespace flowtable
