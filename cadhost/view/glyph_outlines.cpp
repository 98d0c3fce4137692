#include "cadhost/view/glyph_outlines.h"

#include <QFile>
#include <algorithm>

#include "cadhost/geom/textgeom.h"

namespace cadhost::view {
namespace {
constexpr double kFontPixels = 256.0;
}

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
            s.path = QTransform::fromScale(1 / unit_, -1 / unit_).map(font_.pathForGlyph(glyphs[0]));
            s.advance = adv.isEmpty() ? 0 : adv[0].x() / unit_;
        }
    }
    return shapes_.emplace(c, std::move(s)).first->second;
}

QPainterPath GlyphOutlines::outline(const TextRun& run) {
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    double x = run.rightToLeft ? run.advance : 0;
    for (const Glyph& g : run.glyphs) {
        const double cell = geom::glyphAdvance(g.stored);
        if (run.rightToLeft) x -= cell;
        const Shape& s = shape(g.shown);
        if (!s.path.isEmpty()) {
            const double squeeze = s.advance > cell ? cell / s.advance : 1.0;
            const double left = x + (cell - s.advance * squeeze) / 2;
            out.addPath(QTransform(squeeze, 0, 0, 1, left, 0).map(s.path));
        }
        if (!run.rightToLeft) x += cell;
    }
    return out;
}

}  // namespace cadhost::view
