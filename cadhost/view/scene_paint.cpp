// Painting of the scene: only the items the dirty area shows, texts too
// small to read as bars.
#include <QPen>
#include <cmath>

#include "cadhost/view/drawing_scene.h"
#include "cadhost/view/glyph_outlines.h"

namespace cadhost::view {
namespace {

// Collects the bars of small texts and draws those of one colour at once.
class Bars {
  public:
    explicit Bars(QPainter& p) : p_(p) {}
    ~Bars() { flush(); }
    void add(QRgb color, const QLineF& line) {
        if (color != color_) flush();
        color_ = color;
        lines_.push_back(line);
    }
    void flush() {
        if (lines_.empty()) return;
        p_.setRenderHint(QPainter::Antialiasing, false);
        p_.setPen(QPen(QColor::fromRgb(color_), 0));
        p_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
        lines_.clear();
    }

  private:
    QPainter& p_;
    QRgb color_ = 0;
    std::vector<QLineF> lines_;
};

QPen linePen(QRgb color, bool highlighted) {
    QPen pen(highlighted ? DrawingScene::highlightColor() : QColor::fromRgb(color), 0);
    if (highlighted) pen.setStyle(Qt::DashLine);
    return pen;
}

}  // namespace

void DrawingScene::paint(QPainter& p, const ViewTransform& t, const QRect& dirty,
                         const std::set<AcDbObjectId>& highlighted) const {
    if (!(t.pixelsPerUnit > 0) || dirty.isEmpty()) return;
    const QPointF a = t.toWorld(QPointF(dirty.topLeft())),
                  b = t.toWorld(QPointF(dirty.bottomRight()) + QPointF(1, 1));
    // A pixel more on each side: lines are a pixel wide.
    const double pad = 1.0 / t.pixelsPerUnit;
    const QRectF world = QRectF(a, b).normalized().adjusted(-pad, -pad, pad, pad);

    std::vector<std::uint32_t> visible;
    if (useIndex_) {
        visible = grid_.query(world);
    } else {
        for (std::uint32_t i = 0; i < items_.size(); ++i) {
            const QRectF& r = items_[i].bounds;
            if (!items_[i].prims.empty() && r.left() <= world.right() &&
                world.left() <= r.right() && r.top() <= world.bottom() && world.top() <= r.bottom())
                visible.push_back(i);
        }
    }

    p.save();
    p.setClipRect(dirty);
    const QTransform w2s = t.worldToScreen();
    const double ppu = t.pixelsPerUnit;
    GlyphOutlines& glyphs = GlyphOutlines::instance();
    Bars bars(p);
    for (std::uint32_t i : visible) {
        const Item& item = items_[i];
        const bool hl = !highlighted.empty() && highlighted.count(item.id) != 0;
        for (const Prim& prim : item.prims) {
            if (prim.kind == Prim::Text) {
                const TextRun& run = *prim.text;
                const QTransform& m = run.toWorld;
                const double heightPx = std::hypot(m.m21(), m.m22()) * ppu;
                if (heightPx < kMinTextPixels && !hl) {
                    const QPointF s0 = w2s.map(m.map(QPointF(0, 0.5)));
                    const QPointF s1 = w2s.map(m.map(QPointF(run.advance, 0.5)));
                    bars.add(prim.color, QLineF(s0, s1));
                    continue;
                }
                bars.flush();
                const QTransform device = m * w2s;
                const QRgb color = hl ? highlightColor().rgb() : prim.color;
                if (!glyphs.drawUpright(p, run, device, color)) {
                    if (!run.outline) run.outline = glyphs.outline(run);
                    p.setRenderHint(QPainter::Antialiasing, true);
                    p.setTransform(device);
                    p.fillPath(*run.outline, QColor::fromRgb(color));
                }
                if (hl) {
                    p.setTransform(device);
                    p.setPen(linePen(prim.color, true));
                    p.setBrush(Qt::NoBrush);
                    p.drawPolygon(QPolygonF(run.box()));
                }
                p.resetTransform();
                continue;
            }
            bars.flush();
            p.setRenderHint(QPainter::Antialiasing, true);
            switch (prim.kind) {
                case Prim::Polyline: {
                    p.setPen(linePen(prim.color, hl));
                    p.setBrush(Qt::NoBrush);
                    const QPolygonF s = w2s.map(prim.points);
                    if (prim.closed)
                        p.drawPolygon(s);
                    else
                        p.drawPolyline(s);
                    break;
                }
                case Prim::Fill: {
                    QPainterPath path;
                    path.setFillRule(Qt::OddEvenFill);
                    path.addPolygon(w2s.map(prim.points));
                    path.closeSubpath();
                    for (const QPolygonF& h : prim.holes) {
                        path.addPolygon(w2s.map(h));
                        path.closeSubpath();
                    }
                    p.fillPath(path, hl ? highlightColor() : QColor::fromRgb(prim.color));
                    break;
                }
                case Prim::Dot: {
                    QPen pen = linePen(prim.color, hl);
                    pen.setWidthF(2);
                    p.setPen(pen);
                    p.drawPoint(w2s.map(prim.points[0]));
                    break;
                }
                case Prim::Text:
                    break;
            }
        }
    }
    bars.flush();
    p.restore();
}

}  // namespace cadhost::view
