#pragma once

// A uniform grid over the drawing: each cell lists the items whose bounds
// touch it.  Items reaching over many cells are kept apart and checked on
// every query, so that one huge entity does not fill the whole grid.
#include <QRectF>
#include <cstdint>
#include <vector>

namespace cadhost::view {

class SpatialGrid {
  public:
    // Empties the grid and lays it over area for about this many items.
    void reset(const QRectF& area, std::size_t expectedItems);
    // Bounds outside the area go to the border cells.  An item is either in
    // the grid once or not at all; inserting it again moves it.
    void insert(std::uint32_t item, const QRectF& bounds);
    void remove(std::uint32_t item);
    // Items 0..count-1 at once, right after reset(); boxes[i] null leaves
    // item i out.  Each cell is sized once instead of growing item by item.
    void insertAll(const std::vector<const QRectF*>& boxes);
    // The items whose bounds touch box (edges count), ascending.
    std::vector<std::uint32_t> query(const QRectF& box) const;
    std::size_t cellCount() const { return cells_.size(); }

  private:
    struct Span {
        int x0, y0, x1, y1;
    };
    Span spanOf(const QRectF& r) const;
    static bool touches(const QRectF& a, const QRectF& b);

    QRectF area_;
    int nx_ = 0, ny_ = 0;
    double cw_ = 1, ch_ = 1;
    std::vector<std::vector<std::uint32_t>> cells_;
    std::vector<std::uint32_t> large_;
    std::vector<QRectF> bounds_;
    std::vector<std::uint8_t> present_;  // 0 absent, 1 in cells, 2 large
    mutable std::vector<std::uint32_t> seen_;
    mutable std::uint32_t stamp_ = 0;
};

}  // namespace cadhost::view
