#include "cadhost/view/glyph_outlines.h"

#include <QFile>
#include <algorithm>
#include <cmath>

#include "cadhost/geom/textgeom.h"

namespace cadhost::view {
namespace {
constexpr double kFontPixels = 256.0;

// Calls f(glyph, x, cell) for each glyph of the run in stored order, x being
// the left edge of its cell in text units: a right-to-left font puts the
// first glyph's cell at the right end of the run.
template <class F>
void forEachCell(const TextRun& run, F&& f) {
    double x = run.rightToLeft ? run.advance : 0;
    for (const Glyph& g : run.glyphs()) {
        const double cell = geom::glyphAdvance(g.stored);
        if (run.rightToLeft) x -= cell;
        f(g, x, cell);
        if (!run.rightToLeft) x += cell;
    }
}
}  // namespace

QString defaultFontFile() {
    const QString env = qEnvironmentVariable("TARSIL_VIEW_FONT");
    if (!env.isEmpty() && QFile::exists(env)) return env;
    return QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
}

GlyphOutlines& GlyphOutlines::instance() {
    static GlyphOutlines outlines(defaultFontFile());
    return outlines;
}

GlyphOutlines::GlyphOutlines(const QString& fontFile) : font_(fontFile, kFontPixels) {
    if (font_.isValid()) unit_ = font_.capHeight() > 0 ? font_.capHeight() : kFontPixels * 0.7;
}

const GlyphOutlines::Shape& GlyphOutlines::shape(char32_t c) {
    if (auto it = shapes_.find(c); it != shapes_.end()) return it->second;
    Shape s;
    if (font_.isValid() && c > U' ') {
        const QList<quint32> glyphs = font_.glyphIndexesForString(QString::fromUcs4(&c, 1));
        if (!glyphs.isEmpty() && glyphs.front() != 0) {
            const QList<QPointF> adv = font_.advancesForGlyphIndexes(glyphs);
            // Font coordinates run down; text units run up.
            // Flattened once, at a hundred pixels a capital, so that
            // painting a turned text does not split curves every time.
            const QPainterPath curves = font_.pathForGlyph(glyphs[0]);
            const double fine = 100 / unit_;
            for (const QPolygonF& poly :
                 curves.toSubpathPolygons(QTransform::fromScale(fine, fine)))
                s.path.addPolygon(poly);
            s.path = QTransform::fromScale(1 / 100.0, -1 / 100.0).map(s.path);
            s.path.setFillRule(Qt::WindingFill);
            s.advance = adv.isEmpty() ? 0 : adv[0].x() / unit_;
        }
    }
    return shapes_.emplace(c, std::move(s)).first->second;
}

QPainterPath GlyphOutlines::outline(const TextRun& run) {
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    forEachCell(run, [&](const Glyph& g, double x, double cell) {
        const Shape& s = shape(g.shown);
        if (s.path.isEmpty()) return;
        const double squeeze = s.advance > cell ? cell / s.advance : 1.0;
        const double left = x + (cell - s.advance * squeeze) / 2;
        out.addPath(QTransform(squeeze, 0, 0, 1, left, 0).map(s.path));
    });
    out.addPath(decorations(run));
    return out;
}

QPainterPath GlyphOutlines::decorations(const TextRun& run) {
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    forEachCell(run, [&](const Glyph& g, double x, double cell) {
        if (g.underline)
            out.addRect(QRectF(x, kUnderlineY - kBarThickness / 2, cell, kBarThickness));
        if (g.overline) out.addRect(QRectF(x, kOverlineY - kBarThickness / 2, cell, kBarThickness));
    });
    return out;
}

std::size_t GlyphOutlines::SpriteHash::operator()(const SpriteKey& k) const noexcept {
    std::size_t h = k.c;
    for (std::size_t v :
         {std::size_t(k.width4), std::size_t(k.height4), std::size_t(k.sub4), std::size_t(k.color)})
        h = h * 1000003u ^ v;
    return h;
}

const GlyphOutlines::Sprite& GlyphOutlines::sprite(const SpriteKey& key) {
    if (auto it = sprites_.find(key); it != sprites_.end()) return it->second;
    // Enough for the glyphs of a few screens of text in a few sizes.
    if (sprites_.size() > 50000) sprites_.clear();
    Sprite s;
    const QPainterPath& path = shape(key.c).path;
    if (!path.isEmpty()) {
        const QTransform place(key.width4 / 4.0, 0, 0, -key.height4 / 4.0, key.sub4 / 4.0, 0);
        const QPainterPath device = place.map(path);
        const QRect box = device.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
        s.offset = box.topLeft();
        s.image = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
        s.image.fill(Qt::transparent);
        QPainter ip(&s.image);
        ip.setRenderHint(QPainter::Antialiasing, true);
        ip.translate(-box.topLeft());
        ip.fillPath(device, QColor::fromRgb(key.color));
    }
    return sprites_.emplace(key, std::move(s)).first->second;
}

bool GlyphOutlines::drawUpright(QPainter& p, const TextRun& run, const QTransform& m, QRgb color) {
    constexpr double kMaxSpritePixels = 160;
    const double sx = m.m11(), sy = -m.m22();
    if (std::abs(m.m12()) > 1e-9 || std::abs(m.m21()) > 1e-9 || !(sx > 0) || !(sy > 0) ||
        sy > kMaxSpritePixels || sx > kMaxSpritePixels || m.type() == QTransform::TxProject)
        return false;
    const double baseline = std::round(m.dy());
    forEachCell(run, [&](const Glyph& g, double x, double cell) {
        const Shape& s = shape(g.shown);
        if (!s.path.isEmpty()) {
            const double squeeze = s.advance > cell ? cell / s.advance : 1.0;
            const double left = m.dx() + sx * (x + (cell - s.advance * squeeze) / 2);
            const double whole = std::floor(left);
            const int sub4 = std::clamp(static_cast<int>((left - whole) * 4), 0, 3);
            const SpriteKey key{g.shown, static_cast<int>(std::lround(sx * squeeze * 4)),
                                static_cast<int>(std::lround(sy * 4)), sub4, color};
            const Sprite& sp = sprite(key);
            if (!sp.image.isNull())
                p.drawImage(QPoint(static_cast<int>(whole), static_cast<int>(baseline)) + sp.offset,
                            sp.image);
        }
    });
    if (const QPainterPath bars = decorations(run); !bars.isEmpty())
        p.fillPath(m.map(bars), QColor::fromRgb(color));
    return true;
}

}  // namespace cadhost::view
