#pragma once

#include <string>
#include <string_view>

#include "cadhost/db/acdb.h"
#include "cadhost/db/objectid.h"
#include "cadhost/dxf/tags.h"
#include "cadhost/geom/gepoint.h"

class AcDbDatabase;

// Axis-aligned box in world coordinates.
class AcDbExtents {
  public:
    AcDbExtents() = default;
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max)
        : min_(min), max_(max), set_(true) {}
    const AcGePoint3d& minPoint() const { return min_; }
    const AcGePoint3d& maxPoint() const { return max_; }
    void addPoint(const AcGePoint3d& p);
    void addExt(const AcDbExtents& e);
    bool isEmpty() const { return !set_; }

  private:
    AcGePoint3d min_, max_;
    bool set_ = false;
};

// Base of every database object.  An object keeps the full list of groups it
// was read with; typed accessors of the subclasses read and change those
// groups in place, so that whatever this host does not interpret is kept.
//
// Opening: acdbOpenObject() gives an object open for read or write; close()
// ends it (and commits a write).  The pointer is not to be used after close.
// An object made with new and never appended is the caller's to delete.
class AcDbObject {
  public:
    AcDbObject();
    virtual ~AcDbObject();
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    AcDbHandle getDbHandle() const;
    AcDbDatabase* database() const;
    bool isNewObject() const;

    // The DXF name of the object ("TEXT", "STYLE", ...).
    std::string dxfName() const;

    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isErased() const;

    Acad::ErrorStatus close();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    Acad::ErrorStatus erase(bool erasing = true);

    // Raw group access, for data without a typed accessor.
    const cadhost::dxf::Tags& tags() const { return tags_; }

    // Internal: used by the database when it opens and commits objects.
    void attach_(AcDbStub* stub, cadhost::dxf::Tags tags, bool write);
    AcDbStub* stub_() const { return stub_ptr_; }
    cadhost::dxf::Tags& mutableTags_() { return tags_; }
    void setOpenForWrite_(bool w) { write_ = w; }
    bool hasGroup_(int code) const { return find(code) != std::string::npos; }

  protected:
    // Start of the groups of a subclass (after its 100 marker, the n-th one of
    // that name), or the start of the groups when the record has no markers.
    struct Segment {
        std::size_t begin, end;
    };
    Segment segment(std::string_view subclass, int occurrence = 1) const;
    // Index of the first group with this code in the segment, or npos.
    std::size_t find(int code, std::string_view subclass = {}, int occurrence = 1) const;
    std::string_view value(int code, std::string_view subclass = {}, int occurrence = 1) const;
    double realValue(int code, double fallback, std::string_view subclass = {},
                     int occurrence = 1) const;
    long long intValue(int code, long long fallback, std::string_view subclass = {},
                       int occurrence = 1) const;
    AcGePoint3d pointValue(int code, const AcGePoint3d& fallback, std::string_view subclass = {},
                           int occurrence = 1) const;
    std::wstring stringValue(int code, std::string_view subclass = {}, int occurrence = 1) const;

    // Sets a group; a missing one is inserted after the last group of the
    // segment whose code comes before it in `order`.
    Acad::ErrorStatus setValue(int code, std::string_view text, std::initializer_list<int> order,
                               std::string_view subclass = {}, int occurrence = 1);
    Acad::ErrorStatus setReal(int code, double v, std::initializer_list<int> order,
                              std::string_view subclass = {}, int occurrence = 1);
    Acad::ErrorStatus setInt(int code, long long v, std::initializer_list<int> order,
                             std::string_view subclass = {}, int occurrence = 1);
    Acad::ErrorStatus setPoint(int code, const AcGePoint3d& p, std::initializer_list<int> order,
                               std::string_view subclass = {}, int occurrence = 1);
    Acad::ErrorStatus setString(int code, std::wstring_view s, std::initializer_list<int> order,
                                std::string_view subclass = {}, int occurrence = 1);
    void removeGroup(int code, std::string_view subclass = {}, int occurrence = 1);
    // Sets the real value of the group at this index of tags_ (for groups
    // that repeat, like a leader's vertices).
    Acad::ErrorStatus setRealAt(std::size_t index, double v);
    Acad::ErrorStatus assertWriteEnabled() const;

    // Groups of an object made with new; the database adds handle and owner.
    void initTags(cadhost::dxf::Tags tags);
    // Text to and from the file's string encoding.
    std::wstring decode(std::string_view raw) const;
    std::string encode(std::wstring_view text) const;

    cadhost::dxf::Tags tags_;
    mutable std::wstring scratch_;

  private:
    AcDbStub* stub_ptr_ = nullptr;
    bool write_ = false;
};

// Base of the graphical objects.
class AcDbEntity : public AcDbObject {
  public:
    std::wstring layer() const;
    AcDbObjectId layerId() const;
    Acad::ErrorStatus setLayer(const ACHAR* name);
    Acad::ErrorStatus setLayer(AcDbObjectId layerId);
    int colorIndex() const;
    // True when the entity lies in paper space (group 67).
    bool isInPaperSpace() const;
    AcDbObjectId blockId() const { return ownerId(); }

    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
    // Asks the host's display to show the entity again.
    Acad::ErrorStatus draw();
    void recordGraphicsModified(bool setModified = true);
};
