#pragma once

// Outlines of the glyphs texts are drawn with, from one TrueType font file
// (DejaVu Sans: Latin, Hebrew and the signs of the "%%" codes in one face),
// scaled so that a capital letter is one unit high, y up.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <unordered_map>

#include "cadhost/view/scene_types.h"

namespace cadhost::view {

class GlyphOutlines {
  public:
    // The process's one instance, loaded on first use.
    static GlyphOutlines& instance();
    explicit GlyphOutlines(const QString& fontFile);
    bool isValid() const { return font_.isValid(); }

    struct Shape {
        QPainterPath path;
        double advance = 0;
    };
    const Shape& shape(char32_t c);
    // The outline of a whole run in text units: each glyph centred in the
    // cell the host's metrics give its stored character, squeezed to fit.
    QPainterPath outline(const TextRun& run);
    // The under- and overlines of a run ("%%u", "%%o") in text units: a bar
    // under or over each marked glyph's cell, empty for most texts.
    static QPainterPath decorations(const TextRun& run);

    // Draws a run whose text units map to the device (deviceFromText) by
    // scaling alone, as most texts lie: each glyph from a small image
    // rendered once per size, colour and quarter-pixel offset.  False, and
    // nothing drawn, for turned, slanted, mirrored or very large texts.
    bool drawUpright(QPainter& p, const TextRun& run, const QTransform& deviceFromText, QRgb color);

  private:
    struct SpriteKey {
        char32_t c;
        int width4, height4, sub4;  // quarter pixels
        QRgb color;
        bool operator==(const SpriteKey&) const = default;
    };
    struct SpriteHash {
        std::size_t operator()(const SpriteKey& k) const noexcept;
    };
    struct Sprite {
        QImage image;
        QPoint offset;  // of the image's corner from the glyph's origin
    };
    const Sprite& sprite(const SpriteKey& key);

    std::unordered_map<SpriteKey, Sprite, SpriteHash> sprites_;
    QRawFont font_;
    double unit_ = 1;  // font pixels per capital height
    std::unordered_map<char32_t, Shape> shapes_;
};

// Where the font is looked for: TARSIL_VIEW_FONT, then Debian's DejaVu.
QString defaultFontFile();

}  // namespace cadhost::view
