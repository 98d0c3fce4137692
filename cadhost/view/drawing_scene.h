#pragma once

// What one space of one drawing looks like: model space, or paper space
// while "TILEMODE" is 0.  Built once, then kept up to date entity by entity;
// painted through a spatial index, so that a view shows only what it needs.
#include <QColor>
#include <QPainter>
#include <QRect>
#include <QRectF>
#include <set>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "cadhost/view/font_types.h"
#include "cadhost/view/scene_types.h"
#include "cadhost/view/spatial_grid.h"
#include "cadhost/view/view_transform.h"

namespace cadhost::view {

// Texts whose height is below this many pixels are drawn as a bar.
inline constexpr double kMinTextPixels = 2.0;

class DrawingScene {
  public:
    // The window finds the font map in use (cadhost/gui/font_map_stamp.h).
    DrawingScene(AcDbDatabase* db, FontTypes fonts);

    AcDbDatabase* database() const { return db_; }
    bool isPaperSpace() const { return paper_; }
    const FontTypes& fontTypes() const { return fonts_; }
    void setFontTypes(FontTypes fonts);  // then rebuild()

    // Everything again: after opening, a change of space or of layers.
    void rebuild();
    // One entity added, changed or erased.  An attribute or vertex updates
    // the entity it belongs to; a change inside a block definition
    // rebuilds everything.
    void entityChanged(AcDbObjectId id);

    // Union of the bounds of everything drawn; null when nothing is.
    QRectF extents() const;
    // Paints what lies in the dirty part of the widget (the caller fills
    // the background, e.g. with backgroundColor()).  Highlighted entities
    // are drawn dashed.
    void paint(QPainter& p, const ViewTransform& t, const QRect& dirty,
               const std::set<AcDbObjectId>& highlighted) const;
    // The top-most entity (last drawn) within worldTolerance of a point.
    AcDbObjectId pick(QPointF world, double worldTolerance) const;
    // Window: entities wholly inside the box; crossing: also those that
    // cross it.  Drawing order.
    std::vector<AcDbObjectId> select(const QRectF& worldBox, bool crossing) const;
    // Bounds of an entity; null when it shows nothing or isn't in the scene.
    QRectF boundsOf(AcDbObjectId id) const;
    std::size_t itemCount() const { return items_.size(); }

    static QColor backgroundColor() { return QColor(33, 40, 48); }
    static QColor highlightColor() { return QColor(90, 170, 255); }

    // For measuring: paint by walking every entity instead of the index.
    void setUseIndex(bool on) { useIndex_ = on; }

  private:
    void buildItem(std::uint32_t index, class SceneBuilder& builder);
    // Takes what was built for an item, and the box around it.
    static void fill(Item& item, std::vector<Prim>& built);
    bool inSpace(AcDbObjectId id) const;

    AcDbDatabase* db_;
    FontTypes fonts_;
    bool paper_ = false;
    bool useIndex_ = true;
    std::vector<Item> items_;
    // Item of each of the database's slots (by the slot's position), or
    // kNoItem: no hashing, no allocation per entity.
    static constexpr std::uint32_t kNoItem = 0xFFFFFFFFu;
    std::vector<std::uint32_t> itemOfSlot_;
    std::uint32_t itemOf(AcDbObjectId id) const;
    void remember(AcDbObjectId id, std::uint32_t item);
    SpatialGrid grid_;
    mutable QRectF extents_;
    mutable bool extentsValid_ = false;
};

}  // namespace cadhost::view
