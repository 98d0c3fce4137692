#include "host/mtext_edit/dimension_session.h"

#include <cmath>
#include <numbers>

#include "hebrew/mtext/mtext_contents.h"
#include "host/layer/entity_host.h"
#include "host/layer/entity_style_font.h"

namespace tarsil {

DimensionSession::DimensionSession(AcDbObjectId id) : id_(id) {}

bool DimensionSession::Load() {
    AcDbDimension* dimension = nullptr;
    if (acdbOpenObject(dimension, id_, AcDb::kForRead) != Acad::eOk) {
        layer::Alert(kCannotReadMessage);
        return false;
    }
    const std::wstring text = dimension->dimensionTextConst();
    const AcDbObjectId style = dimension->textStyle();
    attachment_ = dimension->textAttachment();
    lineSpacing_ = dimension->textLineSpacingFactor();
    rotation_ = dimension->textRotation();
    dimension->close();
    fontType_ = layer::StyleFontType(style);
    const mtext::DimensionEditText edit = mtext::DecodeDimensionText(text, fontType_, &stored_);
    upper_ = edit.upper;
    lower_ = edit.lower;
    lastUpper_ = upper_;
    lastLower_ = lower_;
    // As the rich edits mark loaded text: Hebrew letters as typed in Hebrew.
    for (wchar_t c : upper_) upperMask_.push_back(c >= 0xE0 && c <= 0xFA ? 2 : 1);
    for (wchar_t c : lower_) lowerMask_.push_back(c >= 0xE0 && c <= 0xFA ? 2 : 1);
    return true;
}

void DimensionSession::BeginUndo() {
    layer::RunUndo(L"G");
}

void DimensionSession::Ok() {
    layer::RunUndo(L"E");
}

void DimensionSession::Cancel() {
    layer::RunUndo(L"E");
    layer::RunUndo(L"1");
}

template <typename Change>
bool DimensionSession::WriteDimension(const wchar_t* failure, Change change) {
    AcDbDimension* dimension = nullptr;
    if (acdbOpenObject(dimension, id_, AcDb::kForWrite) != Acad::eOk) {
        layer::Alert(failure);
        return false;
    }
    change(*dimension);
    dimension->draw();
    dimension->close();
    layer::RepaintDocumentWindow();
    return true;
}

void DimensionSession::TextChanged(const std::wstring& upper,
                                   std::span<const unsigned char> upperMask,
                                   const std::wstring& lower,
                                   std::span<const unsigned char> lowerMask) {
    lastUpper_ = upper;
    lastLower_ = lower;
    upperMask_.assign(upperMask.begin(), upperMask.end());
    lowerMask_.assign(lowerMask.begin(), lowerMask.end());
    const std::wstring text =
        mtext::EncodeDimensionText(upper, upperMask, lower, lowerMask, fontType_, &stored_);
    WriteDimension(kCannotWriteDimTextMessage,
                   [&](AcDbDimension& d) { d.setDimensionText(text.c_str()); });
}

ValueChange DimensionSession::SetRotationDegrees(double degrees, bool force) {
    if (!std::isfinite(degrees)) return ValueChange::Refused;
    const double radians = degrees * (std::numbers::pi / 180.0);
    if (radians == rotation_ && !force) return ValueChange::Unchanged;
    rotation_ = radians;
    WriteDimension(kCannotWriteMTextMessage, [&](AcDbDimension& d) { d.setTextRotation(radians); });
    return ValueChange::Written;
}

bool DimensionSession::SetAttachment(int attachment) {
    if (attachment < 1 || attachment > 9) return false;
    attachment_ = attachment;
    if (!WriteDimension(kCannotWriteMTextMessage, [&](AcDbDimension& d) {
            d.setTextAttachment(static_cast<AcDbMText::AttachmentPoint>(attachment));
        }))
        return false;
    // The text is written again with it, as the user sees it now.
    TextChanged(std::wstring(lastUpper_), std::vector<unsigned char>(upperMask_),
                std::wstring(lastLower_), std::vector<unsigned char>(lowerMask_));
    return true;
}

}  // namespace tarsil
