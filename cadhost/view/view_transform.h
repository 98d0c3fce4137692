#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QTransform>

namespace cadhost::view {

// World coordinates of the current space (x right, y up) to widget pixels
// (y down) and back.
struct ViewTransform {
    QPointF center;  // world point at the widget centre
    double pixelsPerUnit = 1.0;
    QSize size;  // widget size in pixels

    QPointF toScreen(QPointF world) const;
    QPointF toWorld(QPointF screen) const;
    // The same mapping as a matrix, for QPainter.
    QTransform worldToScreen() const;
    // The world box the widget shows.
    QRectF visibleWorld() const;
    // Zooms by factor (> 1 in) so that the world point under screenPoint
    // stays under it.  A factor that is not a positive finite number, or one
    // that would take the scale out of range, is ignored.
    void zoomAbout(QPointF screenPoint, double factor);
    // Moves the drawing with the mouse: the world point at screen p is at
    // p + screenDelta afterwards.
    void panBy(QPointF screenDelta);
    // Shows worldBox whole, centred, with margin (a fraction of the widget)
    // left free on every side.  An empty or invalid box keeps the scale and
    // only centres on it; a degenerate one (a point, a line) is shown at a
    // scale its other side gives, or the current one.
    void fit(const QRectF& worldBox, double margin = 0.05);
};

// Scale limits: beyond them doubles lose the drawing.
inline constexpr double kMinPixelsPerUnit = 1e-9;
inline constexpr double kMaxPixelsPerUnit = 1e9;

}  // namespace cadhost::view
