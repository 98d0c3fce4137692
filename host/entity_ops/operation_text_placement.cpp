// Justification changes and new insertion points of a row: both ask the
// user for the point (or the two baseline points) in the user coordinate
// system and set it by the text's horizontal mode.
#include "host/entity_ops/justification.h"
#include "host/entity_ops/messages.h"
#include "host/entity_ops/operation_text.h"
#include "host/layer/entity_host.h"

namespace tarsil {
namespace {

// Any answer but a point or a cancel asks again; a host that never gives
// either is treated as a cancel after this many answers.
constexpr int kMaxPromptRounds = 1000;

bool AskUntilPointOrCancel(const AcGePoint3d& base, const wchar_t* prompt, AcGePoint3d& point) {
    for (int round = 0; round < kMaxPromptRounds; ++round) {
        const int status = layer::GetPoint(&base, prompt, point);
        if (status == layer::kPromptOk) return true;
        if (status == layer::kPromptCancel) return false;
    }
    return false;
}

// The point that the justification of a text is anchored at, z 0.
AcGePoint3d ReferencePoint(const AcDbText* text) {
    const int horizontal = text->horizontalMode();
    const int vertical = text->verticalMode();
    AcGePoint3d p;
    switch (horizontal) {
        case AcDb::kTextLeft:
            p = vertical == AcDb::kTextBase ? text->position() : text->alignmentPoint();
            break;
        case AcDb::kTextCenter:
        case AcDb::kTextRight:
        case AcDb::kTextMid:
            p = text->alignmentPoint();
            break;
        default:  // aligned, fit and anything unknown
            p = text->position();
            break;
    }
    p.z = 0.0;
    return p;
}

// Sets the user's point (and second point) on a text by the horizontal mode.
void SetPointByMode(AcDbText* text, int horizontal, int vertical, const AcGePoint3d& first,
                    const AcGePoint3d* second) {
    switch (horizontal) {
        case AcDb::kTextAlign:
            text->setPosition(first);
            if (second != nullptr) text->setAlignmentPoint(*second);
            break;
        case AcDb::kTextFit:
            text->setPosition(first);
            if (second != nullptr) text->setAlignmentPoint(*second);
            text->setWidthFactor(0.3);
            break;
        case AcDb::kTextMid:
            text->setAlignmentPoint(first);
            break;
        default:
            if (horizontal != AcDb::kTextLeft || vertical != AcDb::kTextBase)
                text->setAlignmentPoint(first);
            else
                text->setPosition(first);
            break;
    }
}

AcGePoint3d FlatWorld(const AcGePoint3d& ucs) {
    AcGePoint3d p = layer::UcsToWorld(ucs);
    p.z = 0.0;
    return p;
}

}  // namespace

bool OperationText::Anchor(AcGePoint3d& point, int& horizontal, int& vertical) const {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, objectId_, AcDb::kForRead) != Acad::eOk) return false;
    point = ReferencePoint(text);
    horizontal = text->horizontalMode();
    vertical = text->verticalMode();
    text->close();
    return true;
}

bool OperationText::ReferencePointUcs(AcGePoint3d& point, int* newHorizontal, int* newVertical,
                                      int index) const {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, objectId_, AcDb::kForWrite) != Acad::eOk) {
        layer::Alert(kCannotOpenText);
        return false;
    }
    point = ReferencePoint(text);
    if (index < 0) {
        *newHorizontal = text->horizontalMode();
        *newVertical = text->verticalMode();
    } else {
        const Justification j = JustificationOf(index);
        *newHorizontal = j.horizontalMode;
        *newVertical = j.verticalMode;
    }
    text->close();
    point = layer::WorldToUcs(point);
    return true;
}

bool OperationText::AskPlacement(bool twoPoints, AcGePoint3d& first, AcGePoint3d& second) const {
    // first holds the reference point on entry.
    const AcGePoint3d reference = first;
    bool answered = false;
    if (twoPoints) {
        answered = AskUntilPointOrCancel(reference, kFirstBaselinePrompt, first) &&
                   AskUntilPointOrCancel(first, kSecondBaselinePrompt, second);
    } else {
        answered = AskUntilPointOrCancel(reference, kPointPrompt, first);
    }
    if (!answered) layer::RedrawEntity(objectId_, 1);
    return answered;
}

bool OperationText::SetJustification(int index) {
    AcGePoint3d first, second;
    int horizontal = 0, vertical = 0;
    if (!ReferencePointUcs(first, &horizontal, &vertical, index < 0 ? 0 : index)) return false;
    const bool twoPoints = horizontal == AcDb::kTextAlign || horizontal == AcDb::kTextFit;
    if (!AskPlacement(twoPoints, first, second)) return false;

    AcDbText* text = nullptr;
    if (acdbOpenObject(text, objectId_, AcDb::kForWrite) != Acad::eOk) {
        layer::Alert(kCannotOpenText);
        return false;
    }
    const AcGePoint3d p1 = FlatWorld(first);
    const AcGePoint3d p2 = FlatWorld(second);
    text->setHorizontalMode(static_cast<AcDb::TextHorzMode>(horizontal));
    text->setVerticalMode(static_cast<AcDb::TextVertMode>(vertical));
    SetPointByMode(text, horizontal, vertical, p1, twoPoints ? &p2 : nullptr);
    FollowAlignment(text);
    text->draw();
    text->close();
    layer::RepaintDocumentWindow();
    return true;
}

bool OperationText::PickInsertionPoint() {
    AcGePoint3d first, unused;
    int horizontal = 0, vertical = 0;
    if (!ReferencePointUcs(first, &horizontal, &vertical, -1)) return false;
    if (!AskPlacement(false, first, unused)) return false;

    AcDbText* text = nullptr;
    if (acdbOpenObject(text, objectId_, AcDb::kForWrite) != Acad::eOk) {
        layer::Alert(kCannotOpenText);
        return false;
    }
    SetPointByMode(text, horizontal, vertical, FlatWorld(first), nullptr);
    FollowAlignment(text);
    text->draw();
    text->close();
    layer::RepaintDocumentWindow();
    return true;
}

}  // namespace tarsil
