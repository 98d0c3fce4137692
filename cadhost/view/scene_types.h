#pragma once

// What the scene keeps of each entity: its look in world coordinates,
// flattened (blocks expanded, curves as polylines, texts as glyph runs).
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QRgb>
#include <QTransform>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cadhost/db/objectid.h"
#include "cadhost/view/glyph_map.h"

namespace cadhost::view {

// One line of text.  Text units: x in glyph advances of the host's metrics
// (one unit is the height times the width factor), y in text heights, the
// baseline start at the origin.
struct TextRun {
    std::wstring stored;                                // the line as stored, "%%" codes and all
    tarsil::FontType type = tarsil::FontType::Unknown;  // of the line's font
    const char16_t* codePage = nullptr;                 // the drawing's upper half (null: Latin-1)
    bool rightToLeft = false;  // the font writes each glyph left of the last
    double advance = 0;        // the host's width of the line
    double bottom = 0;         // -descent when a glyph descends or below an underline, else 0
    double top = 1;            // above an overline, else 1
    QTransform toWorld;        // text units to world
    // Made on the first paint that shows the run large enough to read:
    // most runs of a big drawing are only ever seen as bars.
    mutable std::unique_ptr<std::vector<Glyph>> shown;
    mutable std::optional<QPainterPath> outline;  // in text units

    // The glyphs in stored order.
    const std::vector<Glyph>& glyphs() const {
        if (!shown)
            shown = std::make_unique<std::vector<Glyph>>(textGlyphs(stored, type, codePage));
        return *shown;
    }
    QRectF box() const { return QRectF(0, bottom, advance, top - bottom); }
    // The four corners of the box in world coordinates.
    QPolygonF worldBox() const { return toWorld.map(QPolygonF(box())); }
};

struct Prim {
    enum Kind : std::uint8_t { Polyline, Fill, Text, Dot };
    Kind kind = Polyline;
    bool closed = false;
    QRgb color = 0xFFFFFFFF;
    QPolygonF points;              // Polyline, Dot (one point), Fill (first loop)
    std::vector<QPolygonF> holes;  // Fill: further loops, filled even-odd
    std::shared_ptr<TextRun> text;

    QRectF bounds() const;
};

struct Item {
    AcDbObjectId id;
    QRectF bounds;  // empty (null) when nothing is drawn
    bool live = false;
    std::vector<Prim> prims;
};

}  // namespace cadhost::view
