#include "cadhost/view/spatial_grid.h"

#include <algorithm>
#include <cmath>

namespace cadhost::view {
namespace {
// An item spanning more cells than this in either direction is "large".
constexpr int kMaxSpan = 16;
constexpr int kMaxCellsPerSide = 1024;

bool finite(const QRectF& b) {
    return std::isfinite(b.left()) && std::isfinite(b.top()) && std::isfinite(b.width()) &&
           std::isfinite(b.height());
}
}  // namespace

void SpatialGrid::reset(const QRectF& area, std::size_t expectedItems) {
    area_ = area.normalized();
    if (!std::isfinite(area_.width()) || !std::isfinite(area_.height()) ||
        !std::isfinite(area_.left()) || !std::isfinite(area_.top()))
        area_ = QRectF(0, 0, 1, 1);
    // About two items per cell, cells roughly square.
    const double target = std::max<double>(1.0, static_cast<double>(expectedItems) / 2.0);
    const double w = std::max(area_.width(), 1e-9), h = std::max(area_.height(), 1e-9);
    const double side = std::sqrt(w * h / target);
    nx_ = std::clamp(static_cast<int>(std::ceil(w / side)), 1, kMaxCellsPerSide);
    ny_ = std::clamp(static_cast<int>(std::ceil(h / side)), 1, kMaxCellsPerSide);
    cw_ = w / nx_;
    ch_ = h / ny_;
    cells_.assign(static_cast<std::size_t>(nx_) * ny_, {});
    large_.clear();
    bounds_.clear();
    present_.clear();
    seen_.clear();
    stamp_ = 0;
}

SpatialGrid::Span SpatialGrid::spanOf(const QRectF& r) const {
    auto cx = [&](double x) {
        const double c = std::floor((x - area_.left()) / cw_);
        return static_cast<int>(std::clamp(c, 0.0, nx_ - 1.0));
    };
    auto cy = [&](double y) {
        const double c = std::floor((y - area_.top()) / ch_);
        return static_cast<int>(std::clamp(c, 0.0, ny_ - 1.0));
    };
    const QRectF n = r.normalized();
    return {cx(n.left()), cy(n.top()), cx(n.right()), cy(n.bottom())};
}

bool SpatialGrid::touches(const QRectF& a, const QRectF& b) {
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() &&
           b.top() <= a.bottom();
}

void SpatialGrid::insert(std::uint32_t item, const QRectF& bounds) {
    const QRectF b = bounds.normalized();
    if (!finite(b)) return;
    remove(item);
    if (item >= bounds_.size()) {
        bounds_.resize(item + 1);
        present_.resize(item + 1, 0);
    }
    bounds_[item] = b;
    const Span s = spanOf(b);
    if (s.x1 - s.x0 >= kMaxSpan || s.y1 - s.y0 >= kMaxSpan) {
        large_.push_back(item);
        present_[item] = 2;
        return;
    }
    for (int y = s.y0; y <= s.y1; ++y)
        for (int x = s.x0; x <= s.x1; ++x)
            cells_[static_cast<std::size_t>(y) * nx_ + x].push_back(item);
    present_[item] = 1;
}

void SpatialGrid::insertAll(const std::vector<const QRectF*>& boxes) {
    std::vector<std::uint32_t> perCell(cells_.size(), 0);
    for (const QRectF* b : boxes) {
        if (b == nullptr || !finite(*b)) continue;
        const Span s = spanOf(*b);
        if (s.x1 - s.x0 >= kMaxSpan || s.y1 - s.y0 >= kMaxSpan) continue;
        for (int y = s.y0; y <= s.y1; ++y)
            for (int x = s.x0; x <= s.x1; ++x) ++perCell[static_cast<std::size_t>(y) * nx_ + x];
    }
    for (std::size_t c = 0; c < cells_.size(); ++c) cells_[c].reserve(perCell[c]);
    bounds_.resize(std::max(bounds_.size(), boxes.size()));
    present_.resize(std::max(present_.size(), boxes.size()), 0);
    for (std::uint32_t i = 0; i < boxes.size(); ++i)
        if (boxes[i] != nullptr) insert(i, *boxes[i]);
}

void SpatialGrid::remove(std::uint32_t item) {
    if (item >= present_.size() || present_[item] == 0) return;
    auto drop = [item](std::vector<std::uint32_t>& v) {
        v.erase(std::remove(v.begin(), v.end(), item), v.end());
    };
    if (present_[item] == 2) {
        drop(large_);
    } else {
        const Span s = spanOf(bounds_[item]);
        for (int y = s.y0; y <= s.y1; ++y)
            for (int x = s.x0; x <= s.x1; ++x) drop(cells_[static_cast<std::size_t>(y) * nx_ + x]);
    }
    present_[item] = 0;
}

std::vector<std::uint32_t> SpatialGrid::query(const QRectF& box) const {
    std::vector<std::uint32_t> out;
    const QRectF b = box.normalized();
    if (cells_.empty() || std::isnan(b.left()) || std::isnan(b.top()) || std::isnan(b.width()) ||
        std::isnan(b.height()))
        return out;
    if (seen_.size() < bounds_.size()) seen_.resize(bounds_.size(), 0);
    if (++stamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        stamp_ = 1;
    }
    const Span s = spanOf(b);
    for (int y = s.y0; y <= s.y1; ++y)
        for (int x = s.x0; x <= s.x1; ++x)
            for (std::uint32_t item : cells_[static_cast<std::size_t>(y) * nx_ + x]) {
                if (seen_[item] == stamp_) continue;
                seen_[item] = stamp_;
                if (touches(bounds_[item], b)) out.push_back(item);
            }
    for (std::uint32_t item : large_)
        if (touches(bounds_[item], b)) out.push_back(item);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace cadhost::view
