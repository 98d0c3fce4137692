#include "cadhost/view/drawing_scene.h"

#include <algorithm>
#include <cmath>

#include "cadhost/db/store.h"
#include "cadhost/view/prim_geometry.h"
#include "cadhost/view/scene_builder.h"

namespace cadhost::view {
namespace {

// Union that keeps zero-size boxes (a point), which QRectF::united drops.
void grow(QRectF& acc, bool& has, const QRectF& r) {
    if (!has) {
        acc = r;
        has = true;
        return;
    }
    const double l = std::min(acc.left(), r.left()), t = std::min(acc.top(), r.top());
    const double rt = std::max(acc.right(), r.right()), b = std::max(acc.bottom(), r.bottom());
    acc = QRectF(QPointF(l, t), QPointF(rt, b));
}

bool finiteRect(const QRectF& r) {
    return std::isfinite(r.left()) && std::isfinite(r.top()) && std::isfinite(r.width()) &&
           std::isfinite(r.height());
}

}  // namespace

DrawingScene::DrawingScene(AcDbDatabase* db, FontTypes fonts) : db_(db), fonts_(std::move(fonts)) {
    rebuild();
}

void DrawingScene::setFontTypes(FontTypes fonts) {
    fonts_ = std::move(fonts);
}

bool DrawingScene::inSpace(AcDbObjectId id) const {
    const AcDbStub* s = id.stub();
    if (s == nullptr || s->db != db_ || !id.isValid() || id.isErased()) return false;
    const cadhost::db::Store& st = db_->store_();
    if (s->parent != nullptr || !st.isEntity(s)) return false;
    const AcDbStub* btr = st.blockRecordOf(s);
    return btr != nullptr && (paper_ ? st.isPaperSpace(btr) : st.isModelSpace(btr));
}

std::uint32_t DrawingScene::itemOf(AcDbObjectId id) const {
    const AcDbStub* s = id.stub();
    if (s == nullptr || s->db != db_ || s->index >= itemOfSlot_.size()) return kNoItem;
    return itemOfSlot_[s->index];
}

void DrawingScene::remember(AcDbObjectId id, std::uint32_t item) {
    const std::uint32_t slot = id.stub()->index;
    if (slot >= itemOfSlot_.size()) itemOfSlot_.resize(slot + 1 + slot / 8, kNoItem);
    itemOfSlot_[slot] = item;
}

void DrawingScene::fill(Item& item, std::vector<Prim>& built) {
    bool has = false;
    QRectF bounds;
    for (const Prim& prim : built) {
        const QRectF b = prim.bounds();
        if (finiteRect(b)) grow(bounds, has, b);
    }
    item.bounds = has ? bounds : QRectF();
    // Sized once: most items are one or two primitives.
    item.prims.clear();
    if (has)
        item.prims.assign(std::make_move_iterator(built.begin()),
                          std::make_move_iterator(built.end()));
    built.clear();
}

void DrawingScene::buildItem(std::uint32_t index, SceneBuilder& builder) {
    Item& item = items_[index];
    item.live = inSpace(item.id);
    grid_.remove(index);
    std::vector<Prim> built;
    if (item.live) builder.build(item.id, built);
    fill(item, built);
    if (!item.prims.empty()) grid_.insert(index, item.bounds);
    extentsValid_ = false;
}

void DrawingScene::rebuild() {
    items_.clear();
    itemOfSlot_.clear();
    extentsValid_ = false;
    if (db_ == nullptr) return;
    fonts_.clear();
    cadhost::db::Store& st = db_->store_();
    paper_ = st.headerValue("$TILEMODE") == "0";
    const AcDbStub* space = paper_ ? st.paperSpace() : st.modelSpace();
    if (space == nullptr) return;
    const std::vector<AcDbObjectId> ids = st.entitiesOf(space);
    items_.resize(ids.size());
    SceneBuilder builder(db_, fonts_);
    // The grid needs the extents first: build everything, then lay the
    // grid over what was built.
    grid_.reset(QRectF(), 0);
    std::vector<Prim> built;
    for (std::uint32_t i = 0; i < ids.size(); ++i) {
        Item& item = items_[i];
        item.id = ids[i];
        item.live = true;
        remember(ids[i], i);
        builder.build(item.id, built);
        fill(item, built);
    }
    grid_.reset(extents(), items_.size());
    std::vector<const QRectF*> boxes(items_.size(), nullptr);
    for (std::uint32_t i = 0; i < items_.size(); ++i)
        if (!items_[i].prims.empty()) boxes[i] = &items_[i].bounds;
    grid_.insertAll(boxes);
}

void DrawingScene::entityChanged(AcDbObjectId id) {
    const AcDbStub* s = id.stub();
    if (db_ == nullptr || s == nullptr || s->db != db_) return;
    if (s->parent != nullptr) {
        entityChanged(AcDbObjectId(s->parent));
        return;
    }
    const cadhost::db::Store& st = db_->store_();
    if (!st.isEntity(s)) return;
    SceneBuilder builder(db_, fonts_);
    if (const std::uint32_t known = itemOf(id); known != kNoItem) {
        buildItem(known, builder);
        return;
    }
    if (s->block != nullptr && s->section != Section::Entities) {
        // A block's definition changed: every reference to it may show it.
        if (s->live) rebuild();
        return;
    }
    if (!inSpace(id)) return;
    const auto index = static_cast<std::uint32_t>(items_.size());
    items_.push_back(Item{id, QRectF(), true, {}});
    remember(id, index);
    buildItem(index, builder);
}

QRectF DrawingScene::extents() const {
    if (!extentsValid_) {
        bool has = false;
        QRectF acc;
        for (const Item& item : items_)
            if (!item.prims.empty()) grow(acc, has, item.bounds);
        extents_ = has ? acc : QRectF();
        extentsValid_ = true;
    }
    return extents_;
}

QRectF DrawingScene::boundsOf(AcDbObjectId id) const {
    const std::uint32_t item = itemOf(id);
    if (item == kNoItem || items_[item].prims.empty()) return {};
    return items_[item].bounds;
}

AcDbObjectId DrawingScene::pick(QPointF world, double tolerance) const {
    if (!std::isfinite(tolerance) || tolerance < 0) tolerance = 0;
    const QRectF box(world - QPointF(tolerance, tolerance), world + QPointF(tolerance, tolerance));
    const std::vector<std::uint32_t> found = grid_.query(box);
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        const Item& item = items_[*it];
        for (const Prim& prim : item.prims)
            if (primNear(prim, world, tolerance)) return item.id;
    }
    return {};
}

std::vector<AcDbObjectId> DrawingScene::select(const QRectF& worldBox, bool crossing) const {
    std::vector<AcDbObjectId> out;
    const QRectF box = worldBox.normalized();
    for (std::uint32_t i : grid_.query(box)) {
        const Item& item = items_[i];
        bool take = rectInside(item.bounds, box);
        if (!take && crossing)
            take = std::any_of(item.prims.begin(), item.prims.end(),
                               [&](const Prim& p) { return primTouchesRect(p, box); });
        if (take) out.push_back(item.id);
    }
    return out;
}

}  // namespace cadhost::view
