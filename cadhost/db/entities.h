#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cadhost/db/object.h"

// The entities whose data the system reads and changes.  Getters return
// defaults for groups the entity does not have; setters need the entity open
// for write (or not yet in a database) and return eNotOpenForWrite otherwise.
// String getters of the form `const ACHAR* xConst()` return a pointer that
// stays valid until the next call on the object or its close; the owning
// variants (`ACHAR* x()`) return a copy made with new[] for the caller to
// delete[].

// A single-line text (TEXT).
class AcDbText : public AcDbEntity {
  public:
    AcDbText();
    AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId(),
             double height = 0.0, double rotation = 0.0);

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    AcGePoint3d alignmentPoint() const;
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& p);
    bool isDefaultAlignment() const;
    double height() const;
    Acad::ErrorStatus setHeight(double h);
    double rotation() const;
    Acad::ErrorStatus setRotation(double radians);
    double widthFactor() const;
    Acad::ErrorStatus setWidthFactor(double f);
    double oblique() const;
    Acad::ErrorStatus setOblique(double radians);
    AcDb::TextHorzMode horizontalMode() const;
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
    AcDb::TextVertMode verticalMode() const;
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
    ACHAR* textString() const;
    const ACHAR* textStringConst() const;
    Acad::ErrorStatus setTextString(const ACHAR* text);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    // Computes the position from the alignment point by the justification,
    // as the host does after a text's justification or string changes.
    Acad::ErrorStatus adjustAlignment(const AcDbDatabase* db = nullptr);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

  protected:
    // Subclass marker name of the text's own groups ("AcDbText" or
    // "AcDbAttribute" for the vertical mode of an attribute).
    virtual const char* secondMarker() const { return "AcDbText"; }
    int secondOccurrence() const;
};

// An attribute of a block reference (ATTRIB): a text with a tag.
class AcDbAttribute : public AcDbText {
  public:
    AcDbAttribute();
    ACHAR* tag() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setTag(const ACHAR* tag);
    bool isInvisible() const;

  protected:
    const char* secondMarker() const override { return "AcDbAttribute"; }
};

// Walks a list of object ids (the attributes of a block reference, the
// entities of a block).
class AcDbObjectIterator {
  public:
    explicit AcDbObjectIterator(std::vector<AcDbObjectId> ids) : ids_(std::move(ids)) {}
    void start() { pos_ = 0; }
    bool done() const { return pos_ >= ids_.size(); }
    void step() { ++pos_; }
    AcDbObjectId objectId() const { return done() ? AcDbObjectId() : ids_[pos_]; }

  private:
    std::vector<AcDbObjectId> ids_;
    std::size_t pos_ = 0;
};

// A block reference (INSERT) and its attributes.
class AcDbBlockReference : public AcDbEntity {
  public:
    AcDbObjectId blockTableRecord() const;
    std::wstring blockName() const;
    AcGePoint3d position() const;
    double rotation() const;
    // The caller deletes the iterator.
    AcDbObjectIterator* attributeIterator() const;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
};

// A multi-line text (MTEXT).
class AcDbMText : public AcDbEntity {
  public:
    enum AttachmentPoint {
        kTopLeft = 1,
        kTopCenter = 2,
        kTopRight = 3,
        kMiddleLeft = 4,
        kMiddleCenter = 5,
        kMiddleRight = 6,
        kBottomLeft = 7,
        kBottomCenter = 8,
        kBottomRight = 9,
    };
    AcDbMText();

    AcGePoint3d location() const;
    Acad::ErrorStatus setLocation(const AcGePoint3d& p);
    double textHeight() const;
    Acad::ErrorStatus setTextHeight(double h);
    double width() const;
    Acad::ErrorStatus setWidth(double w);
    double rotation() const;
    Acad::ErrorStatus setRotation(double radians);
    AttachmentPoint attachment() const;
    Acad::ErrorStatus setAttachment(AttachmentPoint a);
    double lineSpacingFactor() const;
    Acad::ErrorStatus setLineSpacingFactor(double f);
    // The whole contents with formatting codes ("\P" between paragraphs).
    ACHAR* contents() const;
    const ACHAR* contentsConst() const;
    Acad::ErrorStatus setContents(const ACHAR* text);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
};

// Any dimension (DIMENSION); only its text is interpreted.
class AcDbDimension : public AcDbEntity {
  public:
    // The text override ("" measures, "<>" stands for the measurement).
    ACHAR* dimensionText() const;
    const ACHAR* dimensionTextConst() const;
    Acad::ErrorStatus setDimensionText(const ACHAR* text);
    AcDbObjectId dimensionStyle() const;
    // The text style of the dimension's style (or of its override).
    AcDbObjectId textStyle() const;
    AcDbMText::AttachmentPoint textAttachment() const;
    Acad::ErrorStatus setTextAttachment(AcDbMText::AttachmentPoint a);
    double textLineSpacingFactor() const;
    Acad::ErrorStatus setTextLineSpacingFactor(double f);
    double textRotation() const;
    Acad::ErrorStatus setTextRotation(double radians);
    AcGePoint3d textPosition() const;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
};

// A leader (LEADER), with the MText or block it is attached to.
class AcDbLeader : public AcDbEntity {
  public:
    AcDbObjectId annotationObjId() const;
    int numVertices() const;
    AcGePoint3d vertexAt(int index) const;
    Acad::ErrorStatus setVertexAt(int index, const AcGePoint3d& p);
    // Group 75: the leader ends in a hook line before its annotation.
    bool hasHookLine() const;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
};

// A line (LINE).
class AcDbLine : public AcDbEntity {
  public:
    AcDbLine();
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
    AcGePoint3d startPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& p);
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& p);
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
};
