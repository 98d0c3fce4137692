// The rows of the multi-line text editor together: their shared lists,
// the alignment of all rows to a common edge, the spacing of the lines, and
// giving up every change.  The most recently constructed collection is the
// current one; the rows' rotations are measured from its user X axis.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "host/entity_ops/operation_text.h"
#include "host/layer/entity_host.h"

namespace tarsil {

class MultiText {
  public:
    // Takes the user X angle in force now; selecting takes it again.
    explicit MultiText(bool attributeMode = false);
    virtual ~MultiText();
    MultiText(const MultiText&) = delete;
    MultiText& operator=(const MultiText&) = delete;

    // The most recently constructed collection, null when none lives.
    static MultiText* Current();

    // Asks the user for one block reference and makes a row of each of its
    // attributes, in the block reference's order.  True when at least one
    // attribute was found.
    bool SelectAttributes();
    // The same for a block reference already chosen (the module's DDEDIT).
    bool LoadAttributes(AcDbObjectId blockReference);
    // Appends a row for an existing text (the rows of a plain text block).
    bool AddText(AcDbObjectId id);
    // Adds a new empty text one row step below the reference point, in
    // model space, as a selected row, justified as the last row so that it
    // keeps the block's edge (a right-justified Hebrew row's right end).
    bool AddRowBelow();

    // Null, after the alert with the index, when index is out of range.
    OperationText* operator[](int index);
    int RowCount() const { return static_cast<int>(rows_.size()); }

    bool IsAttributeMode() const { return attributeMode_; }
    const std::vector<std::wstring>& Tags() const { return tags_; }

    // All text style names of the drawing, in table order, read anew.
    const std::vector<std::wstring>& StyleNames();
    // First name equal without regard to case, or -1.
    int StyleIndex(const std::wstring& name) const;
    std::vector<std::wstring> JustificationNames() const;

    double UcsXAngle() const { return ucsXAngle_; }
    // The step from one row to the next that a new row is placed at.
    double LineDistance() const { return lineDistance_; }
    void SetRowStep(double step) { lineDistance_ = step; }
    // Where the next row goes up from: the last row's anchor until a row is
    // added below or the lines are spaced (which set only its y).
    const AcGePoint3d& Point();
    void SetPoint(const AcGePoint3d& point) {
        point_ = point;
        pointSet_ = true;
    }

    // Overall extents of the rows' entities; false, after an alert, when
    // one of them can't be opened.
    bool FindExtensionPoints(AcGePoint3d& min, AcGePoint3d& max) const;
    bool AlignRight();
    bool AlignLeft();
    bool AlignCenter();
    bool RestoreHorizontal();
    bool RestoreVertical();
    // Spreads the rows evenly between the top and bottom row; the gap, or
    // 0 when there is none to share.
    double EqualizeLineDistance();
    bool SetLineDistance(double distance);
    bool RestoreAll();

  private:
    template <class AlignFn>
    bool AlignAll(AlignFn align);
    // A row loaded from the drawing leaves the point and its corners alone
    // (its corners are taken at its first move); a row added below records
    // its corners.
    bool AppendRow(AcDbObjectId id, bool added);
    // Takes the point from the last row when none has been set yet.
    void EnsurePoint();
    // After spacing: the point's y becomes the last row's bottom.
    void FollowLastRowY();

    std::vector<std::wstring> tags_;
    bool attributeMode_;
    std::vector<std::unique_ptr<OperationText>> rows_;
    std::vector<std::wstring> styleNames_;
    double ucsXAngle_ = 0.0;
    layer::EntitySelection selection_;
    double lineDistance_ = 0.0;
    AcGePoint3d point_;
    bool pointSet_ = false;
    int newRowHorizontal_ = 0;
    int newRowVertical_ = 0;
    MultiText* previous_ = nullptr;
};

// The user X angle of the current collection, 0 when there is none.
double CurrentUcsXAngle();

}  // namespace tarsil
