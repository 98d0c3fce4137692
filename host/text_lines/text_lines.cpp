#include "host/text_lines/text_lines.h"

#include <algorithm>
#include <cmath>

#include "hebrew/codec/drawing_text_codec.h"
#include "host/entity_ops/create_in_space.h"
#include "host/layer/entity_host.h"
#include "host/text_lines/messages.h"
#include "host/text_lines/text_entity_access.h"

namespace tarsil {
namespace {

constexpr int kJustificationRight = 2;

// Extents of all texts and their mean rotation, for the sort line.
struct Spread {
    AcGePoint3d min, max;
    bool measured = false;
    double rotationSum = 0.0;

    void Add(AcDbObjectId id, double rotation) {
        rotationSum += rotation;
        AcGePoint3d lo, hi;
        if (!TextExtents(id, lo, hi)) return;
        if (!measured) {
            min = lo;
            max = hi;
            measured = true;
            return;
        }
        min = {std::min(min.x, lo.x), std::min(min.y, lo.y), std::min(min.z, lo.z)};
        max = {std::max(max.x, hi.x), std::max(max.y, hi.y), std::max(max.z, hi.z)};
    }
};

}  // namespace

TextLines::TextLines(std::vector<CTextProperties> records) : records_(std::move(records)) {}

bool TextLines::IsNewText() const {
    return records_.size() == 1 && records_.front().objectId.isNull();
}

bool TextLines::Load(std::vector<std::wstring>& lines) {
    lines.clear();
    if (IsNewText()) return LoadNewText();
    return LoadTexts(lines);
}

bool TextLines::LoadNewText() {
    CTextProperties& record = records_.front();
    record.styleName = CurrentTextStyleName();
    record.fontType = FontTypeOfStyleName(record.styleName);
    record.height = CurrentTextSize();
    record.justification = kJustificationRight;
    record.text.clear();
    lineCount_ = 1;
    return true;
}

bool TextLines::LoadTexts(std::vector<std::wstring>& lines) {
    struct Loaded {
        CTextProperties record;
        std::wstring line;
        double key = 0.0;
    };
    std::vector<Loaded> loaded;
    loaded.reserve(records_.size());
    Spread spread;
    bool complete = true;
    for (const CTextProperties& given : records_) {
        Loaded item{given, {}, 0.0};
        if (!ReadTextRecord(item.record, item.line)) {
            layer::Alert(kCannotReadObject);
            complete = false;
            break;
        }
        if (records_.size() > 1) spread.Add(item.record.objectId, item.record.rotation);
        loaded.push_back(std::move(item));
    }

    sortLine_.reset();
    if (records_.size() > 1 && spread.measured) {
        const double mean = spread.rotationSum / static_cast<double>(loaded.size());
        sortLine_ = MakeSortLine(spread.min, spread.max, mean);
        for (Loaded& item : loaded) item.key = sortLine_->KeyOf(item.record.position);
    }
    // Equal keys keep the order the texts were selected in.
    std::stable_sort(loaded.begin(), loaded.end(),
                     [](const Loaded& a, const Loaded& b) { return a.key < b.key; });

    records_.clear();
    for (Loaded& item : loaded) {
        hebrew::DecodeDrawingText(item.line, item.record.fontType);
        item.record.text = item.line;
        records_.push_back(std::move(item.record));
        lines.push_back(std::move(item.line));
    }
    lineCount_ = static_cast<int>(lines.size());
    return complete;
}

double TextLines::StepBelow(const CTextProperties& record) const {
    return lineDistance_ != 0.0 ? lineDistance_ : 2.0 * record.height;
}

bool TextLines::MoveRecord(CTextProperties& record, double dx, double dy, const wchar_t* failure) {
    const AcGePoint3d moved(record.position.x + dx, record.position.y + dy, record.position.z);
    if (!record.objectId.isNull()) {
        if (!PlaceText(record.objectId, moved)) {
            layer::Alert(failure);
            return false;
        }
        changed_ = true;
    }
    record.position = moved;
    return true;
}

void TextLines::ExtendForLines(int lineCount, int selectionStartLine) {
    if (records_.empty()) return;
    const int records = static_cast<int>(records_.size());
    int missing = lineCount - records;
    if (missing <= 0) return;
    int index = std::clamp(selectionStartLine - lineCount + records, 0, records - 1);
    for (; missing > 0; --missing, ++index) {
        const CTextProperties& before = records_[static_cast<std::size_t>(index)];
        CTextProperties added;
        added.justification = before.justification;
        added.rotation = before.rotation;
        added.height = before.height;
        added.fontType = before.fontType;
        added.styleName = before.styleName;
        const double d = StepBelow(before);
        const double dx = d * std::sin(before.rotation);
        const double dy = -d * std::cos(before.rotation);
        added.position =
            AcGePoint3d(before.position.x + dx, before.position.y + dy, before.position.z);
        const auto at = records_.begin() + index + 1;
        const auto inserted = records_.insert(at, std::move(added));
        for (auto it = inserted + 1; it != records_.end(); ++it) {
            if (!MoveRecord(*it, dx, dy, kCannotWriteText)) return;
        }
    }
}

bool TextLines::WriteLine(CTextProperties& record, const std::vector<unsigned char>& mask) {
    std::wstring stored = record.text;
    if (!stored.empty()) hebrew::EncodeDrawingText(stored, record.fontType, mask);
    const bool written = record.objectId.isNull()
                             ? record.text.empty() || CreateTextInCurrentSpace(record, stored)
                             : WriteTextString(record.objectId, stored);
    if (!written) {
        layer::Alert(kCannotWriteText);
        return false;
    }
    changed_ = changed_ || !record.objectId.isNull();
    return true;
}

bool TextLines::ApplyLines(const std::vector<std::wstring>& lines, const LineMask& mask) {
    lineCount_ = static_cast<int>(lines.size());
    const std::size_t common = std::min(lines.size(), records_.size());
    for (std::size_t i = 0; i < common; ++i) {
        CTextProperties& record = records_[i];
        if (lines[i] == record.text) continue;
        record.text = lines[i];
        if (!WriteLine(record, mask(static_cast<int>(i)))) return false;
    }
    bool erased = false;
    for (std::size_t i = lines.size(); i < records_.size(); ++i) {
        CTextProperties& spare = records_[i];
        if (!spare.objectId.isNull()) {
            if (!EraseText(spare.objectId)) {
                layer::Alert(kCannotWriteText);
                return false;
            }
            erased = true;
            changed_ = true;
        }
        spare.objectId = AcDbObjectId();
        spare.text.clear();
    }
    if (erased) layer::RepaintDocumentWindow();
    return true;
}

int TextLines::LinesInUse() const {
    const int records = static_cast<int>(records_.size());
    return lineCount_ < 0 ? records : std::min(lineCount_, records);
}

int TextLines::ClampLast(int first, int last) const {
    return std::min({std::max(first, last), static_cast<int>(records_.size()) - 1});
}

}  // namespace tarsil
