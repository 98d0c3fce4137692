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

namespace {

bool Same(const AcGePoint3d& a, const AcGePoint3d& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

// Each property is set, in this order, where the text differs from the
// snapshot: a text written back unchanged stays exactly as it was read,
// without values it never stored (a rotation of 0, say) added to it.
bool SafePropertyText::Write(AcDbObjectId id) const {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id, AcDb::kForWrite) != Acad::eOk) return false;
    if (text->horizontalMode() != horizontalMode)
        text->setHorizontalMode(static_cast<AcDb::TextHorzMode>(horizontalMode));
    if (text->verticalMode() != verticalMode)
        text->setVerticalMode(static_cast<AcDb::TextVertMode>(verticalMode));
    // A left, baseline text's alignment point is its position; it follows
    // the position below.
    const bool derived = horizontalMode == 0 && verticalMode == 0 && Same(alignmentPoint, position);
    if (!derived && !Same(text->alignmentPoint(), alignmentPoint))
        text->setAlignmentPoint(alignmentPoint);
    if (text->height() != height) text->setHeight(height);
    if (!Same(text->position(), position)) text->setPosition(position);
    if (text->rotation() != rotation) text->setRotation(rotation);
    if (textString != text->textStringConst()) text->setTextString(textString.c_str());
    if (!textStyle.isNull() && text->textStyle() != textStyle) text->setTextStyle(textStyle);
    if (text->widthFactor() != widthFactor) text->setWidthFactor(widthFactor);
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
