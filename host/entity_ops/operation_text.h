// One row of the multi-line text editor: a single-line text or attribute
// entity, with the snapshot taken when it was loaded and the corners that
// let the alignment moves be taken back.  Every operation opens the entity,
// changes it, closes it and redraws it at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cadhost/db/acdb_all.h"
#include "host/entity_ops/safe_property_text.h"
#include "host/entity_ops/text_extents.h"

namespace tarsil {

class OperationText {
  public:
    virtual ~OperationText() = default;

    // Takes the entity and its snapshot; false when it can't be read.
    bool Load(AcDbObjectId id);
    // Writes the snapshot taken at load back to the entity.
    bool Restore();

    // The text converted for editing; nothing when it can't be read.
    std::optional<std::wstring> GetText() const;
    bool SetText(const std::wstring& editable);
    double GetHeight() const;
    // A height of 0 changes nothing and counts as success.
    bool SetHeight(double height);
    // Rotation relative to the current collection's user X axis, radians.
    double GetRotation() const;
    // Degrees relative to the current collection's user X axis.
    bool SetRotation(double degrees);
    std::wstring GetTextStyleName() const;
    bool SetTextStyle(const std::wstring& styleName);
    int GetJustification() const;
    // Asks for the point (two for Aligned and Fit) of the new justification;
    // false, with the text as it was, when the prompt is cancelled.
    bool SetJustification(int index);
    // Asks for a new point for the current justification.
    bool PickInsertionPoint();
    bool IsAlignedOrFit() const;
    // The point the row's justification anchors it at (world, z 0), with
    // its horizontal and vertical modes; false when it can't be read.
    bool Anchor(AcGePoint3d& point, int& horizontal, int& vertical) const;
    void Highlight(bool on) const;

    // Moves; each records the first corner before the row's first move and
    // the current corner after it.
    bool MoveByX(const AcGePoint3d& from, const AcGePoint3d& to);
    bool MoveByY(const AcGePoint3d& from, const AcGePoint3d& to);
    // Moves the row so that its top lies distance below runningBottom, which
    // then becomes the row's new bottom.
    bool PlaceBelow(double distance, double& runningBottom);
    bool AlignRightTo(double x);
    bool AlignLeftTo(double x);
    bool AlignCenterTo(double x);
    bool RestoreX();
    bool RestoreY();
    // Records the row's lower-left corner as both its first and current
    // corner (a new row).
    bool RecordCorners();

    bool IsSelected() const { return selected_; }
    void SetSelected(bool selected) { selected_ = selected; }
    bool IsMoved() const { return moved_; }
    // Marks a row that the collection added below the last one; the editor
    // clears it once the row has been typed into.
    bool IsAdded() const { return added_; }
    void SetAdded(bool added) { added_ = added; }
    AcDbObjectId ObjectId() const { return objectId_; }
    const SafePropertyText& Loaded() const { return loaded_; }
    std::uint8_t StyleFlags() const { return styleFlags_; }
    const AcGePoint3d& FirstCorner() const { return firstCorner_; }
    const AcGePoint3d& CurrentCorner() const { return currentCorner_; }

  private:
    // Opens the text for write (alert on failure), measures it, lets shift
    // choose the displacement from the extents, moves and records corners.
    template <class ShiftFn>
    bool MoveBy(ShiftFn shift);
    bool AskPlacement(bool twoPoints, AcGePoint3d& first, AcGePoint3d& second) const;
    bool ReferencePointUcs(AcGePoint3d& point, int* newHorizontal, int* newVertical,
                           int index) const;

    bool selected_ = false;
    bool moved_ = false;
    bool added_ = false;
    AcDbObjectId objectId_;
    SafePropertyText loaded_;
    SafePropertyText copy_;
    std::uint8_t styleFlags_ = 0;
    AcGePoint3d firstCorner_;
    AcGePoint3d currentCorner_;
};

// Sets the alignment-related geometry a host text needs after its height,
// rotation, style or string changed: the position follows the alignment
// point of a justified text.  Aligned and Fit texts keep their own values.
void FollowAlignment(AcDbText* text);

}  // namespace tarsil
