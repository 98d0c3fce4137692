#include "host/entity_ops/operation_text.h"

#include "host/entity_ops/editor_text.h"
#include "host/entity_ops/justification.h"
#include "host/entity_ops/messages.h"
#include "host/entity_ops/multi_text.h"
#include "host/layer/entity_host.h"

namespace tarsil {
namespace {

// Degrees to radians with the factor the editors have always used.
constexpr double kRadiansPerDegree = 0.017453292519943295;

// Closes a written text the way every row operation does.
void FinishWrite(AcDbText* text) {
    text->draw();
    text->close();
    layer::RepaintDocumentWindow();
}

AcDbText* OpenForRead(AcDbObjectId id) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForRead) != Acad::eOk) {
        layer::Alert(kCannotOpenTextObject);
        return nullptr;
    }
    return text;
}

AcDbText* OpenForWrite(AcDbObjectId id, const wchar_t* failure) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForWrite) != Acad::eOk) {
        layer::Alert(failure);
        return nullptr;
    }
    return text;
}

}  // namespace

void FollowAlignment(AcDbText* text) {
    const int horizontal = text->horizontalMode();
    if (text->isDefaultAlignment() || horizontal == AcDb::kTextAlign ||
        horizontal == AcDb::kTextFit)
        return;
    text->adjustAlignment(layer::WorkingDatabase());
}

bool OperationText::Load(AcDbObjectId id) {
    objectId_ = id;
    if (!loaded_.Read(id)) return false;
    copy_ = loaded_;
    return true;
}

bool OperationText::Restore() {
    if (!loaded_.Write(objectId_)) {
        layer::Alert(kCannotOpenText);
        return false;
    }
    layer::RepaintDocumentWindow();
    return true;
}

std::optional<std::wstring> OperationText::GetText() const {
    return LoadEditorText(objectId_);
}

bool OperationText::SetText(const std::wstring& editable) {
    std::wstring text = editable;
    return StoreEditorText(objectId_, text);
}

double OperationText::GetHeight() const {
    AcDbText* text = OpenForRead(objectId_);
    if (text == nullptr) return 0.0;
    const double height = text->height();
    text->close();
    return height;
}

bool OperationText::SetHeight(double height) {
    if (height == 0.0) return true;
    AcDbText* text = OpenForWrite(objectId_, kCannotOpenText);
    if (text == nullptr) return false;
    const bool set = text->setHeight(height) == Acad::eOk;
    FollowAlignment(text);
    FinishWrite(text);
    return set;
}

double OperationText::GetRotation() const {
    AcDbText* text = OpenForRead(objectId_);
    if (text == nullptr) return 0.0;
    const double rotation = text->rotation();
    text->close();
    return rotation - CurrentUcsXAngle();
}

bool OperationText::SetRotation(double degrees) {
    AcDbText* text = OpenForWrite(objectId_, kCannotOpenText);
    if (text == nullptr) return false;
    text->setRotation(degrees * kRadiansPerDegree + CurrentUcsXAngle());
    FollowAlignment(text);
    FinishWrite(text);
    return true;
}

std::wstring OperationText::GetTextStyleName() const {
    AcDbText* text = OpenForRead(objectId_);
    if (text == nullptr) return {};
    SafePropertyText style;
    style.textStyle = text->textStyle();
    text->close();
    style.ReadStyleName();
    return style.textStyleName;
}

bool OperationText::SetTextStyle(const std::wstring& styleName) {
    AcDbDatabase* db = layer::WorkingDatabase();
    if (db == nullptr) return false;
    AcDbTextStyleTable* table = nullptr;
    if (db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk) return false;
    AcDbSymbolTableRecord* record = nullptr;
    const bool found = table->getAt(styleName.c_str(), record, AcDb::kForRead) == Acad::eOk;
    table->close();
    if (!found) return false;
    const AcDbObjectId styleId = record->objectId();
    styleFlags_ = static_cast<std::uint8_t>(record->flags());
    record->close();

    AcDbText* text = OpenForWrite(objectId_, kCannotOpenTextObject);
    if (text == nullptr) return false;
    const bool set = text->setTextStyle(styleId) == Acad::eOk;
    FollowAlignment(text);
    FinishWrite(text);
    return set;
}

int OperationText::GetJustification() const {
    AcDbText* text = OpenForRead(objectId_);
    if (text == nullptr) return 0;
    const int index = JustificationIndex(text->horizontalMode(), text->verticalMode());
    text->close();
    return index;
}

bool OperationText::IsAlignedOrFit() const {
    AcDbText* text = OpenForRead(objectId_);
    if (text == nullptr) return false;
    const int horizontal = text->horizontalMode();
    text->close();
    return horizontal == AcDb::kTextAlign || horizontal == AcDb::kTextFit;
}

void OperationText::Highlight(bool on) const {
    layer::RedrawEntity(objectId_, on ? layer::kRedrawHighlight : layer::kRedrawUnhighlight);
    layer::RepaintDocumentWindow();
}

}  // namespace tarsil
