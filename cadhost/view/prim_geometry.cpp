#include "cadhost/view/prim_geometry.h"

#include <algorithm>
#include <cmath>

namespace cadhost::view {
namespace {

bool inRect(QPointF p, const QRectF& r) {
    return p.x() >= r.left() && p.x() <= r.right() && p.y() >= r.top() && p.y() <= r.bottom();
}

double cross(QPointF o, QPointF a, QPointF b) {
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

bool segmentsCross(QPointF a, QPointF b, QPointF c, QPointF d) {
    const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    auto onSeg = [](QPointF p, QPointF q, QPointF r) {
        return std::min(p.x(), q.x()) <= r.x() && r.x() <= std::max(p.x(), q.x()) &&
               std::min(p.y(), q.y()) <= r.y() && r.y() <= std::max(p.y(), q.y());
    };
    return (d1 == 0 && onSeg(c, d, a)) || (d2 == 0 && onSeg(c, d, b)) ||
           (d3 == 0 && onSeg(a, b, c)) || (d4 == 0 && onSeg(a, b, d));
}

// The outline(s) of a primitive as closed or open polylines.
template <class Fn>
void forEachEdge(const Prim& prim, Fn&& fn) {
    auto edges = [&](const QPolygonF& poly, bool closed) {
        for (int i = 1; i < poly.size(); ++i) fn(poly[i - 1], poly[i]);
        if (closed && poly.size() > 2) fn(poly.back(), poly.front());
    };
    switch (prim.kind) {
        case Prim::Polyline:
            edges(prim.points, prim.closed);
            break;
        case Prim::Fill:
            edges(prim.points, true);
            for (const QPolygonF& h : prim.holes) edges(h, true);
            break;
        case Prim::Text:
            edges(prim.text->worldBox(), true);
            break;
        case Prim::Dot:
            if (!prim.points.isEmpty()) fn(prim.points[0], prim.points[0]);
            break;
    }
}

bool contains(const Prim& prim, QPointF p) {
    if (prim.kind == Prim::Text) return prim.text->worldBox().containsPoint(p, Qt::OddEvenFill);
    if (prim.kind != Prim::Fill) return false;
    bool in = prim.points.containsPoint(p, Qt::OddEvenFill);
    for (const QPolygonF& h : prim.holes)
        if (h.containsPoint(p, Qt::OddEvenFill)) in = !in;
    return in;
}

}  // namespace

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    double t = len2 > 0 ? QPointF::dotProduct(p - a, ab) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF q = a + ab * t;
    return std::hypot(p.x() - q.x(), p.y() - q.y());
}

bool segmentTouchesRect(QPointF a, QPointF b, const QRectF& r) {
    if (inRect(a, r) || inRect(b, r)) return true;
    const QPointF c[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
    for (int i = 0; i < 4; ++i)
        if (segmentsCross(a, b, c[i], c[(i + 1) % 4])) return true;
    return false;
}

bool primNear(const Prim& prim, QPointF p, double tolerance) {
    bool near = false;
    forEachEdge(prim, [&](QPointF a, QPointF b) {
        near = near || distanceToSegment(p, a, b) <= tolerance;
    });
    return near || contains(prim, p);
}

bool primTouchesRect(const Prim& prim, const QRectF& box) {
    bool touches = false;
    forEachEdge(prim,
                [&](QPointF a, QPointF b) { touches = touches || segmentTouchesRect(a, b, box); });
    // A box wholly inside a fill or a text touches it too.
    return touches || contains(prim, box.center());
}

bool rectInside(const QRectF& inner, const QRectF& outer) {
    return inner.left() >= outer.left() && inner.right() <= outer.right() &&
           inner.top() >= outer.top() && inner.bottom() <= outer.bottom();
}

QRectF Prim::bounds() const {
    if (kind == Text) return text->toWorld.mapRect(text->box());
    QRectF b = points.boundingRect();
    for (const QPolygonF& h : holes) b = b.united(h.boundingRect());
    return b;
}

}  // namespace cadhost::view
