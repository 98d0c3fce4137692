#include "host/entity_ops/multi_text.h"

#include <algorithm>
#include <cwctype>
#include <limits>
#include <string>

#include "host/entity_ops/justification.h"
#include "host/entity_ops/messages.h"

namespace tarsil {
namespace {

MultiText* current = nullptr;

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

std::wstring OutOfRangeMessage(int index) {
    std::wstring message = kRowOutOfRange;
    const std::wstring marker = L"%i";
    message.replace(message.find(marker), marker.size(), std::to_wstring(index));
    return message;
}

bool IsEmptyText(AcDbObjectId id, bool& empty) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForRead) != Acad::eOk) return false;
    empty = std::wstring(text->textStringConst()).empty();
    text->close();
    return true;
}

}  // namespace

double CurrentUcsXAngle() {
    return current != nullptr ? current->UcsXAngle() : 0.0;
}

MultiText::MultiText(bool attributeMode)
    : attributeMode_(attributeMode), ucsXAngle_(layer::UcsXAngle()), previous_(current) {
    current = this;
}

MultiText::~MultiText() {
    if (current == this) current = previous_;
}

MultiText* MultiText::Current() {
    return current;
}

bool MultiText::SelectAttributes() {
    attributeMode_ = true;
    ucsXAngle_ = layer::UcsXAngle();
    layer::EntitySelection picked;
    if (picked.SelectOne(kSelectBlockPrompt, kRemovePrompt, L"INSERT") != layer::kPromptOk)
        return false;
    const std::vector<AcDbObjectId> ids = picked.Ids();
    if (ids.empty()) return false;
    return LoadAttributes(ids.front());
}

bool MultiText::LoadAttributes(AcDbObjectId blockReference) {
    attributeMode_ = true;
    AcDbBlockReference* block = nullptr;
    if (acdbOpenObject(block, blockReference, AcDb::kForRead) != Acad::eOk) return false;
    selection_.Clear();
    std::unique_ptr<AcDbObjectIterator> it(block->attributeIterator());
    std::vector<AcDbObjectId> attributes;
    for (it->start(); !it->done(); it->step()) attributes.push_back(it->objectId());
    block->close();

    for (AcDbObjectId id : attributes) {
        AcDbAttribute* attribute = nullptr;
        if (acdbOpenObject(attribute, id, AcDb::kForRead) != Acad::eOk) continue;
        std::wstring tag = attribute->tagConst();
        attribute->close();
        if (!AppendRow(id, false)) continue;
        tags_.push_back(tag);
    }
    return !tags_.empty();
}

bool MultiText::AppendRow(AcDbObjectId id, bool added) {
    auto row = std::make_unique<OperationText>();
    if (!row->Load(id)) return false;
    row->SetSelected(added);
    row->SetAdded(added);
    if (added) row->RecordCorners();
    selection_.Add(id);
    rows_.push_back(std::move(row));
    return true;
}

void MultiText::EnsurePoint() {
    if (rows_.empty()) return;
    AcGePoint3d anchor;
    int horizontal = 0, vertical = 0;
    if (!rows_.back()->Anchor(anchor, horizontal, vertical)) return;
    // Aligned and Fit need two points; a new row below such a row starts at
    // the left end of its baseline.
    if (horizontal == AcDb::kTextAlign || horizontal == AcDb::kTextFit) horizontal = vertical = 0;
    newRowHorizontal_ = horizontal;
    newRowVertical_ = vertical;
    if (!pointSet_) point_ = anchor;
    pointSet_ = true;
}

void MultiText::FollowLastRowY() {
    if (rows_.empty()) return;
    EnsurePoint();
    point_.y = rows_.back()->CurrentCorner().y;
}

const AcGePoint3d& MultiText::Point() {
    EnsurePoint();
    return point_;
}

bool MultiText::AddText(AcDbObjectId id) {
    return AppendRow(id, false);
}

bool MultiText::AddRowBelow() {
    AcDbDatabase* db = layer::WorkingDatabase();
    if (db == nullptr) return false;
    EnsurePoint();
    const AcGePoint3d at(point_.x, point_.y - lineDistance_, 0.0);
    auto* text = new AcDbText(at, L"", AcDbObjectId(), 0.0, 0.0);
    text->setHorizontalMode(static_cast<AcDb::TextHorzMode>(newRowHorizontal_));
    text->setVerticalMode(static_cast<AcDb::TextVertMode>(newRowVertical_));
    if (!text->isDefaultAlignment()) text->setAlignmentPoint(at);
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) {
        delete text;
        return false;
    }
    AcDbSymbolTableRecord* record = nullptr;
    const bool opened = table->getAt(ACDB_MODEL_SPACE, record, AcDb::kForWrite) == Acad::eOk;
    table->close();
    auto* modelSpace = opened ? dynamic_cast<AcDbBlockTableRecord*>(record) : nullptr;
    AcDbObjectId id;
    if (modelSpace == nullptr || modelSpace->appendAcDbEntity(id, text) != Acad::eOk) {
        if (record != nullptr) record->close();
        delete text;
        return false;
    }
    modelSpace->close();
    FollowAlignment(text);
    text->draw();
    text->close();
    if (!AppendRow(id, true)) return false;
    point_ = at;
    return true;
}

OperationText* MultiText::operator[](int index) {
    if (index < 0 || index >= RowCount()) {
        layer::Alert(OutOfRangeMessage(index));
        return nullptr;
    }
    return rows_[static_cast<std::size_t>(index)].get();
}

const std::vector<std::wstring>& MultiText::StyleNames() {
    styleNames_.clear();
    AcDbDatabase* db = layer::WorkingDatabase();
    AcDbTextStyleTable* table = nullptr;
    if (db == nullptr || db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk)
        return styleNames_;
    AcDbSymbolTableIterator* raw = nullptr;
    if (table->newIterator(raw) == Acad::eOk) {
        std::unique_ptr<AcDbSymbolTableIterator> it(raw);
        for (it->start(); !it->done(); it->step()) {
            AcDbSymbolTableRecord* record = nullptr;
            if (it->getRecord(record, AcDb::kForRead) != Acad::eOk) continue;
            styleNames_.push_back(record->name());
            record->close();
        }
    }
    table->close();
    return styleNames_;
}

int MultiText::StyleIndex(const std::wstring& name) const {
    for (std::size_t i = 0; i < styleNames_.size(); ++i)
        if (EqualNoCase(styleNames_[i], name)) return static_cast<int>(i);
    return -1;
}

std::vector<std::wstring> MultiText::JustificationNames() const {
    std::vector<std::wstring> names;
    for (const Justification& j : JustificationTable()) names.emplace_back(j.name);
    return names;
}

bool MultiText::FindExtensionPoints(AcGePoint3d& min, AcGePoint3d& max) const {
    constexpr double kHuge = std::numeric_limits<double>::max();
    min = AcGePoint3d(kHuge, kHuge, kHuge);
    max = AcGePoint3d(-kHuge, -kHuge, -kHuge);
    const std::vector<AcDbObjectId> ids = selection_.Ids();
    if (ids.empty()) return false;
    for (AcDbObjectId id : ids) {
        TextBox box;
        if (!MeasureEntity(id, box)) {
            layer::Alert(kCannotOpenExtentsObject);
            return false;
        }
        min = AcGePoint3d(std::min(min.x, box.min.x), std::min(min.y, box.min.y),
                          std::min(min.z, box.min.z));
        max = AcGePoint3d(std::max(max.x, box.max.x), std::max(max.y, box.max.y),
                          std::max(max.z, box.max.z));
    }
    return true;
}

template <class AlignFn>
bool MultiText::AlignAll(AlignFn align) {
    AcGePoint3d min, max;
    if (!FindExtensionPoints(min, max)) return false;
    bool all = true;
    for (auto& row : rows_) all = align(*row, min, max) && all;
    layer::RepaintDocumentWindow();
    return all;
}

bool MultiText::AlignRight() {
    return AlignAll([](OperationText& row, const AcGePoint3d&, const AcGePoint3d& max) {
        return row.AlignRightTo(max.x);
    });
}

bool MultiText::AlignLeft() {
    return AlignAll([](OperationText& row, const AcGePoint3d& min, const AcGePoint3d&) {
        return row.AlignLeftTo(min.x);
    });
}

bool MultiText::AlignCenter() {
    return AlignAll([](OperationText& row, const AcGePoint3d& min, const AcGePoint3d& max) {
        return row.AlignCenterTo((min.x + max.x) / 2.0);
    });
}

bool MultiText::RestoreHorizontal() {
    bool all = true;
    for (auto& row : rows_) all = row->RestoreX() && all;
    layer::RepaintDocumentWindow();
    return all;
}

bool MultiText::RestoreVertical() {
    bool all = true;
    // The first and the last row stay: they bound the block.
    for (std::size_t i = 1; i + 1 < rows_.size(); ++i) all = rows_[i]->RestoreY() && all;
    layer::RepaintDocumentWindow();
    return all;
}

double MultiText::EqualizeLineDistance() {
    if (rows_.size() < 2) return 0.0;
    const std::vector<AcDbObjectId> ids = selection_.Ids();
    double sumOfHeights = 0.0;
    double highestTop = -std::numeric_limits<double>::max();
    double bottomOfTop = 0.0;
    double lowestBottom = std::numeric_limits<double>::max();
    bool lastEmpty = false;
    int measured = 0;
    for (AcDbObjectId id : ids) {
        bool empty = false;
        if (!IsEmptyText(id, empty)) {
            layer::Alert(kCannotOpenExtentsObject);
            return 0.0;
        }
        lastEmpty = empty;
        if (empty) continue;
        TextBox box;
        if (!MeasureEntity(id, box)) {
            layer::Alert(kCannotOpenExtentsObject);
            return 0.0;
        }
        ++measured;
        sumOfHeights += box.max.y - box.min.y;
        if (box.max.y > highestTop) {
            highestTop = box.max.y;
            bottomOfTop = box.min.y;
        }
        lowestBottom = std::min(lowestBottom, box.min.y);
    }
    // Rows that are all empty have no top or bottom to share space between.
    const int gaps = static_cast<int>(ids.size()) - 1 - (lastEmpty ? 1 : 0);
    if (gaps <= 0 || measured == 0) return 0.0;
    const double distance = (highestTop - lowestBottom - sumOfHeights) / gaps;
    double bottom = bottomOfTop;
    for (std::size_t i = 1; i < rows_.size(); ++i) rows_[i]->PlaceBelow(distance, bottom);
    FollowLastRowY();
    layer::RepaintDocumentWindow();
    return distance;
}

bool MultiText::SetLineDistance(double distance) {
    if (rows_.size() < 2) return false;
    TextBox first;
    if (!MeasureEntity(rows_.front()->ObjectId(), first)) {
        layer::Alert(kCannotOpenText);
        return false;
    }
    double bottom = first.min.y;
    bool all = true;
    for (std::size_t i = 1; i < rows_.size(); ++i)
        all = rows_[i]->PlaceBelow(distance, bottom) && all;
    FollowLastRowY();
    layer::RepaintDocumentWindow();
    return all;
}

bool MultiText::RestoreAll() {
    bool all = true;
    for (auto& row : rows_) all = row->Restore() && all;
    layer::RepaintDocumentWindow();
    return all;
}

}  // namespace tarsil
