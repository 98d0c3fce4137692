#include "host/entity_ops/safe_property_text.h"

#include "host/entity_ops/messages.h"
#include "host/layer/entity_host.h"

namespace tarsil {

bool SafePropertyText::Read(AcDbObjectId id) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForRead) != Acad::eOk) return false;
    alignmentPoint = text->alignmentPoint();
    height = text->height();
    horizontalMode = text->horizontalMode();
    verticalMode = text->verticalMode();
    position = text->position();
    rotation = text->rotation();
    textString = text->textStringConst();
    textStyle = text->textStyle();
    widthFactor = text->widthFactor();
    text->close();
    return true;
}

bool SafePropertyText::Write(AcDbObjectId id) const {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForWrite) != Acad::eOk) return false;
    text->setHorizontalMode(static_cast<AcDb::TextHorzMode>(horizontalMode));
    text->setVerticalMode(static_cast<AcDb::TextVertMode>(verticalMode));
    text->setAlignmentPoint(alignmentPoint);
    text->setHeight(height);
    text->setPosition(position);
    text->setRotation(rotation);
    text->setTextString(textString.c_str());
    if (!textStyle.isNull()) text->setTextStyle(textStyle);
    text->setWidthFactor(widthFactor);
    text->draw();
    text->close();
    return true;
}

bool SafePropertyText::ReadStyleName() {
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, textStyle, AcDb::kForRead) != Acad::eOk) {
        layer::Print(kCannotOpenStyleRecord);
        return false;
    }
    textStyleName = style->name();
    style->close();
    return true;
}

}  // namespace tarsil
