// Height, rotation, justification and style of the lines the selection
// touches.
#include "host/layer/entity_host.h"
#include "host/text_lines/messages.h"
#include "host/text_lines/text_entity_access.h"
#include "host/text_lines/text_lines.h"

namespace tarsil {
namespace {

// Runs write on the entity of each record in first..last whose value
// differs (as differs says), after store has put the new value into the
// record.  Stops at the first text that can't be written.
template <class Differs, class Store, class Write>
bool ChangeRecords(std::vector<CTextProperties>& records, int first, int last, bool& changed,
                   Differs differs, Store store, Write write) {
    if (first < 0) first = 0;
    for (int i = first; i <= last && i < static_cast<int>(records.size()); ++i) {
        CTextProperties& record = records[static_cast<std::size_t>(i)];
        if (!differs(record)) continue;
        store(record);
        if (record.objectId.isNull()) continue;
        if (!write(record)) {
            layer::Alert(kCannotWriteText);
            return false;
        }
        changed = true;
    }
    layer::RepaintDocumentWindow();
    return true;
}

}  // namespace

bool TextLines::SetHeight(int first, int last, double height) {
    if (IsNewText()) {
        records_.front().height = height;
        return true;
    }
    return ChangeRecords(
        records_, first, ClampLast(first, last), changed_,
        [&](const CTextProperties& r) { return r.height != height; },
        [&](CTextProperties& r) { r.height = height; },
        [&](const CTextProperties& r) { return WriteTextHeight(r.objectId, height); });
}

bool TextLines::SetRotation(int first, int last, double radians) {
    if (IsNewText()) {
        records_.front().rotation = radians;
        return true;
    }
    return ChangeRecords(
        records_, first, ClampLast(first, last), changed_,
        [&](const CTextProperties& r) { return r.rotation != radians; },
        [&](CTextProperties& r) { r.rotation = radians; },
        [&](const CTextProperties& r) { return WriteTextRotation(r.objectId, radians); });
}

bool TextLines::SetJustification(int first, int last, int justification) {
    if (IsNewText()) {
        records_.front().justification = justification;
        return true;
    }
    return ChangeRecords(
        records_, first, ClampLast(first, last), changed_,
        [&](const CTextProperties& r) { return r.justification != justification; },
        [&](CTextProperties& r) { r.justification = justification; },
        [&](const CTextProperties& r) {
            return WriteTextJustification(r.objectId, justification);
        });
}

bool TextLines::SetStyle(int first, int last, const std::wstring& styleName, const LineMask& mask) {
    const FontType fontType = FontTypeOfStyleName(styleName);
    if (IsNewText()) {
        records_.front().styleName = styleName;
        records_.front().fontType = fontType;
        return true;
    }
    const AcDbObjectId style = TextStyleByName(styleName);
    if (first < 0) first = 0;
    last = ClampLast(first, last);
    for (int i = first; i <= last; ++i) {
        CTextProperties& record = records_[static_cast<std::size_t>(i)];
        if (record.styleName == styleName) continue;
        record.styleName = styleName;
        if (!record.objectId.isNull()) {
            if (!WriteTextStyle(record.objectId, style)) {
                layer::Alert(kCannotWriteText);
                return false;
            }
            changed_ = true;
        }
        // The same letters are stored differently for a font of another type.
        if (record.fontType != fontType) {
            record.fontType = fontType;
            if (!WriteLine(record, mask(i))) return false;
        }
    }
    layer::RepaintDocumentWindow();
    return true;
}

}  // namespace tarsil
