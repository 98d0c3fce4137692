#pragma once

// Turns the entities of a drawing into the scene's primitives: blocks
// expanded, curves flattened, colours and layers resolved, texts made into
// glyph runs placed by the host's text geometry.
#include <QTransform>
#include <string>
#include <unordered_map>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "cadhost/dxf/tokenize.h"
#include "cadhost/view/font_types.h"
#include "cadhost/view/scene_types.h"

namespace cadhost::view {

class SceneBuilder {
  public:
    SceneBuilder(AcDbDatabase* db, const FontTypes& fonts);

    // Appends what one entity of a space shows; nothing for an entity on
    // an off or frozen layer, or one that can't be opened.
    void build(AcDbObjectId id, std::vector<Prim>& out);

  private:
    struct Context {
        Context(QTransform x, QRgb b, std::wstring l, int d)
            : xf(x), byBlock(b), layer(std::move(l)), depth(d) {}
        QTransform xf;       // the entity's space to world
        QRgb byBlock;        // colour of BYBLOCK entities
        std::wstring layer;  // the layer layer-0 entities take inside a block
        int depth = 0;       // block nesting
        // Inside a dimension's block: the dimension's own text ("<>" the
        // measured one) and text style, which its texts show instead.
        const std::wstring* dimText = nullptr;
        AcDbObjectId dimStyle;
    };
    struct Layer {
        bool hidden = false;
        QRgb color = 0xFFFFFFFF;
    };

    // What placing a single-line text, or an MText, takes: from an open
    // entity or from a record read in place.
    struct TextSpec {
        std::wstring s;
        double h = 0, w = 1, rot = 0, oblique = 0;
        int hm = 0, vm = 0;
        QPointF pos, align;
        tarsil::FontType type = tarsil::FontType::Unknown;
    };
    struct MTextSpec {
        std::wstring contents;
        double h = 0, width = 0, spacing = 1, rotation = 0;
        int attach = 1;
        QPointF loc;
        tarsil::FontType type = tarsil::FontType::Unknown;
    };

    // The layer an entity shows on and its colour; null when it is hidden.
    template <class T, class LayerName>
    const std::wstring* look(const std::vector<T>& t, const Context& ctx, LayerName&& layerOf,
                             QRgb& color);
    void textRecord(const AcDbStub* s, std::vector<Prim>& out);
    void entity(AcDbEntity* e, const Context& ctx, std::vector<Prim>& out);
    void insert(AcDbBlockReference* ref, const Context& ctx, QRgb color, const std::wstring& layer,
                std::vector<Prim>& out);
    void blockContents(const std::wstring& name, const Context& inner, std::vector<Prim>& out);
    void text(AcDbText* t, const Context& ctx, QRgb color, std::vector<Prim>& out);
    void mtext(AcDbMText* m, const Context& ctx, QRgb color, std::vector<Prim>& out);
    void placeText(TextSpec& spec, const QTransform& xf, QRgb color, std::vector<Prim>& out);
    void placeMText(const MTextSpec& spec, const QTransform& xf, QRgb color,
                    std::vector<Prim>& out);
    void hatch(const cadhost::dxf::Tags& tags, const QTransform& xf, QRgb color,
               std::vector<Prim>& out);
    void polyline2d(AcDbEntity* e, const QTransform& xf, QRgb color, std::vector<Prim>& out);

    const Layer& layer(const std::wstring& name);
    // By the style name the entity stores, looked up once per name.
    template <class T>
    tarsil::FontType fontTypeOf(const T* entity);
    template <class StyleId>
    tarsil::FontType fontTypeByName(std::string_view stored, StyleId&& style);
    std::unordered_map<std::string, tarsil::FontType> styleTypes_;
    tarsil::FontType dimensionFontType(const Context& ctx, tarsil::FontType own) const;
    const std::vector<AcDbObjectId>& blockEntities(const std::wstring& name, QPointF& base);

    AcDbDatabase* db_;
    const FontTypes& fonts_;
    const char16_t* codePage_;
    std::unordered_map<std::wstring, Layer> layers_;
    // By the name as stored: the name and the layer (in layers_, whose
    // elements stay where they are).
    struct NamedLayer {
        std::wstring name;
        const Layer* layer;
    };
    std::unordered_map<std::string, NamedLayer> layerNames_;
    struct Block {
        std::vector<AcDbObjectId> entities;
        QPointF base;
    };
    std::unordered_map<std::wstring, Block> blocks_;
    bool blocksIndexed_ = false;
    std::vector<cadhost::dxf::TagView> record_;  // the groups of the text read in place
};

// A run's frame: text units (advances along the baseline, heights up) to
// the space of the text, for a baseline start, rotation and oblique angle
// in radians, height and width factor.
QTransform textFrame(QPointF start, double rotation, double height, double widthFactor,
                     double oblique);

// The text a dimension shows: what the user typed, "<>" standing for the
// measured text; a single blank shows nothing.
std::wstring dimensionText(std::wstring_view typed, std::wstring_view measured);

// MText contents with each "\U+XXXX" replaced by its character.
std::wstring decodeUnicodeEscapes(std::wstring_view contents);

// Points along an arc from angle a0 sweeping by sweep (radians, positive
// counter-clockwise), both ends included.
QPolygonF arcPoints(QPointF center, double rx, double ry, double rotation, double a0, double sweep);

// Appends the points of a polyline segment from p to q with a bulge (the
// tangent of a quarter of the included angle), q included, p not.
void appendBulge(QPolygonF& poly, QPointF p, QPointF q, double bulge);

}  // namespace cadhost::view
