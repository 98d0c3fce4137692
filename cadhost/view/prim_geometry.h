#pragma once

// Geometric tests of the scene's primitives for picking and selection.
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include "cadhost/view/scene_types.h"

namespace cadhost::view {

double distanceToSegment(QPointF p, QPointF a, QPointF b);
bool segmentTouchesRect(QPointF a, QPointF b, const QRectF& r);
// Within tolerance of the primitive: of a line, of a fill or inside it, of
// a text's box or inside it.
bool primNear(const Prim& prim, QPointF p, double tolerance);
// Some part of the primitive lies in the box (edges count).
bool primTouchesRect(const Prim& prim, const QRectF& box);
// Wholly inside the box.
bool rectInside(const QRectF& inner, const QRectF& outer);

}  // namespace cadhost::view
