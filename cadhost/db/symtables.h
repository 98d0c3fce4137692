#pragma once

#include <string>
#include <vector>

#include "cadhost/db/entities.h"
#include "cadhost/db/object.h"

// Symbol tables and their records.  Names compare without regard to case.

class AcDbSymbolTableRecord : public AcDbObject {
  public:
    Acad::ErrorStatus getName(const ACHAR*& name) const;
    std::wstring name() const;
    Acad::ErrorStatus setName(const ACHAR* name);
    // Standard flags (group 70).
    int flags() const;
    Acad::ErrorStatus setFlags(int flags);
};

class AcDbSymbolTableIterator {
  public:
    explicit AcDbSymbolTableIterator(std::vector<AcDbObjectId> ids) : ids_(std::move(ids)) {}
    void start() { pos_ = 0; }
    bool done() const { return pos_ >= ids_.size(); }
    void step() { ++pos_; }
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                bool openErased = false) const;

  private:
    std::vector<AcDbObjectId> ids_;
    std::size_t pos_ = 0;
};

class AcDbSymbolTable : public AcDbObject {
  public:
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id, bool getErased = false) const;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                            bool openErased = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;
    // Records in table order.  The caller deletes the iterator.
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& iterator) const;
    // Internal: which table ("BLOCK_RECORD", "STYLE", "LAYER", "DIMSTYLE").
    void setTableName_(std::string name) { tableName_ = std::move(name); }

  protected:
    std::string tableName_;
};

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
  public:
    // Appends a new entity (made with new) to this block: it gets a handle
    // and this block as owner, and stays open for write until its close().
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
    // The entities of the block in drawing order.  The caller deletes it.
    Acad::ErrorStatus newIterator(AcDbObjectIterator*& iterator) const;
    bool isLayout() const;
};
class AcDbBlockTable : public AcDbSymbolTable {};

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
  public:
    Acad::ErrorStatus fileName(const ACHAR*& name) const;
    Acad::ErrorStatus setFileName(const ACHAR* name);
    Acad::ErrorStatus bigFontFileName(const ACHAR*& name) const;
    Acad::ErrorStatus setBigFontFileName(const ACHAR* name);
    // Fixed height (0 when the height is asked for).
    double textSize() const;
    Acad::ErrorStatus setTextSize(double height);
    double xScale() const;
    Acad::ErrorStatus setXScale(double widthFactor);
    bool isShapeFile() const { return (flags() & 1) != 0; }
    bool isVertical() const { return (flags() & 4) != 0; }

  private:
    mutable std::wstring scratch2_;
};
class AcDbTextStyleTable : public AcDbSymbolTable {};

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
  public:
    bool isFrozen() const;
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isLocked() const;
    Acad::ErrorStatus setIsLocked(bool locked);
    // Off: a negative color number.
    bool isOff() const;
    Acad::ErrorStatus setIsOff(bool off);
};
class AcDbLayerTable : public AcDbSymbolTable {};

class AcDbDimStyleTableRecord : public AcDbSymbolTableRecord {
  public:
    // The text style of the dimension style (DIMTXSTY).
    AcDbObjectId dimtxsty() const;
};
class AcDbDimStyleTable : public AcDbSymbolTable {};

// The host's names of the two spaces.
extern const ACHAR* const ACDB_MODEL_SPACE;  // "*Model_Space"
extern const ACHAR* const ACDB_PAPER_SPACE;  // "*Paper_Space"
