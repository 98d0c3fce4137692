#include "cadhost/view/view_transform.h"

#include <algorithm>
#include <cmath>

namespace cadhost::view {

QPointF ViewTransform::toScreen(QPointF world) const {
    return {size.width() / 2.0 + (world.x() - center.x()) * pixelsPerUnit,
            size.height() / 2.0 - (world.y() - center.y()) * pixelsPerUnit};
}

QPointF ViewTransform::toWorld(QPointF screen) const {
    return {center.x() + (screen.x() - size.width() / 2.0) / pixelsPerUnit,
            center.y() - (screen.y() - size.height() / 2.0) / pixelsPerUnit};
}

QTransform ViewTransform::worldToScreen() const {
    const double s = pixelsPerUnit;
    return QTransform(s, 0, 0, -s, size.width() / 2.0 - center.x() * s,
                      size.height() / 2.0 + center.y() * s);
}

QRectF ViewTransform::visibleWorld() const {
    const QPointF a = toWorld({0, 0}), b = toWorld(QPointF(size.width(), size.height()));
    return QRectF(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                  QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

void ViewTransform::zoomAbout(QPointF screenPoint, double factor) {
    if (!std::isfinite(factor) || factor <= 0) return;
    const double next = pixelsPerUnit * factor;
    if (next < kMinPixelsPerUnit || next > kMaxPixelsPerUnit) return;
    const QPointF anchor = toWorld(screenPoint);
    pixelsPerUnit = next;
    // Move the centre so that the anchor maps back onto the same pixel.
    const QPointF moved = toWorld(screenPoint);
    center += anchor - moved;
}

void ViewTransform::panBy(QPointF screenDelta) {
    center -= QPointF(screenDelta.x() / pixelsPerUnit, -screenDelta.y() / pixelsPerUnit);
}

void ViewTransform::fit(const QRectF& worldBox, double margin) {
    const QRectF box = worldBox.normalized();
    if (!std::isfinite(box.left()) || !std::isfinite(box.top()) || !std::isfinite(box.width()) ||
        !std::isfinite(box.height()))
        return;
    center = box.center();
    margin = std::clamp(std::isfinite(margin) ? margin : 0.0, 0.0, 0.45);
    const double w = size.width() * (1 - 2 * margin), h = size.height() * (1 - 2 * margin);
    if (w <= 0 || h <= 0) return;
    double scale = 0;
    if (box.width() > 0 && box.height() > 0)
        scale = std::min(w / box.width(), h / box.height());
    else if (box.width() > 0)
        scale = w / box.width();
    else if (box.height() > 0)
        scale = h / box.height();
    if (scale > 0) pixelsPerUnit = std::clamp(scale, kMinPixelsPerUnit, kMaxPixelsPerUnit);
}

}  // namespace cadhost::view
