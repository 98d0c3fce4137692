// The moves of a row that the alignment and spacing of the whole block are
// built from.  A row remembers where it stood before its first move, so
// that the block's alignment can be given up row by row.
#include "host/entity_ops/messages.h"
#include "host/entity_ops/operation_text.h"
#include "host/layer/entity_host.h"

namespace tarsil {
namespace {

AcGePoint3d Flat(const AcGePoint3d& p, const AcGeVector3d& shift) {
    return {p.x + shift.x, p.y + shift.y, 0.0};
}

}  // namespace

template <class ShiftFn>
bool OperationText::MoveBy(ShiftFn shift) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, objectId_, AcDb::kForWrite) != Acad::eOk) {
        layer::Alert(kCannotOpenText);
        return false;
    }
    TextBox before;
    if (!MeasureText(text, before)) {
        text->close();
        return false;
    }
    if (!moved_) {
        firstCorner_ = before.LowerLeft();
        moved_ = true;
    }
    const AcGeVector3d d = shift(before);
    text->setPosition(Flat(text->position(), d));
    // A justified text is placed by its alignment point: it moves along.
    if (!text->isDefaultAlignment()) text->setAlignmentPoint(Flat(text->alignmentPoint(), d));
    TextBox after;
    if (MeasureText(text, after)) currentCorner_ = after.LowerLeft();
    text->draw();
    text->close();
    layer::RepaintDocumentWindow();
    return true;
}

bool OperationText::MoveByX(const AcGePoint3d& from, const AcGePoint3d& to) {
    const double dx = to.x - from.x;
    return MoveBy([dx](const TextBox&) { return AcGeVector3d(dx, 0.0, 0.0); });
}

bool OperationText::MoveByY(const AcGePoint3d& from, const AcGePoint3d& to) {
    const double dy = to.y - from.y;
    return MoveBy([dy](const TextBox&) { return AcGeVector3d(0.0, dy, 0.0); });
}

bool OperationText::PlaceBelow(double distance, double& runningBottom) {
    double newBottom = runningBottom;
    const double target = runningBottom - distance;
    const bool moved = MoveBy([&](const TextBox& box) {
        const double dy = target - box.max.y;
        newBottom = box.min.y + dy;
        return AcGeVector3d(0.0, dy, 0.0);
    });
    if (moved) runningBottom = newBottom;
    return moved;
}

bool OperationText::AlignRightTo(double x) {
    return MoveBy([x](const TextBox& box) { return AcGeVector3d(x - box.max.x, 0.0, 0.0); });
}

bool OperationText::AlignLeftTo(double x) {
    return MoveBy([x](const TextBox& box) { return AcGeVector3d(x - box.min.x, 0.0, 0.0); });
}

bool OperationText::AlignCenterTo(double x) {
    return MoveBy([x](const TextBox& box) {
        return AcGeVector3d(x - (box.min.x + box.max.x) / 2.0, 0.0, 0.0);
    });
}

bool OperationText::RestoreX() {
    const AcGePoint3d from = currentCorner_, to = firstCorner_;
    if (!MoveByX(from, to)) return false;
    currentCorner_.x = firstCorner_.x;
    return true;
}

bool OperationText::RestoreY() {
    const AcGePoint3d from = currentCorner_, to = firstCorner_;
    if (!MoveByY(from, to)) return false;
    currentCorner_.y = firstCorner_.y;
    return true;
}

bool OperationText::RecordCorners() {
    TextBox box;
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, objectId_, AcDb::kForRead) != Acad::eOk) return false;
    const bool measured = MeasureText(text, box);
    text->close();
    if (!measured) return false;
    firstCorner_ = currentCorner_ = box.LowerLeft();
    return true;
}

}  // namespace tarsil
