#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cadhost/db/symtables.h"

namespace cadhost::db {
class Store;
}

// One drawing.  It is read from and saved to ASCII DXF (R12 to R2018)
// without losing anything: objects that are not changed are written back
// byte for byte.
class AcDbDatabase {
  public:
    // With buildDefaultDrawing, a new empty R2018 drawing; without, nothing
    // until readDxfFile().
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase();
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    // Reads a drawing; on failure the database is left as it was and
    // lastErrorMessage() says why (with the line).
    Acad::ErrorStatus readDxfFile(const ACHAR* fileName);
    Acad::ErrorStatus readDxfFile(const std::filesystem::path& fileName);
    // Reads a drawing from memory; `name` is used in messages.
    Acad::ErrorStatus readDxfBuffer(std::string bytes, const std::string& name = "<memory>");
    // Saves through a temporary file renamed over the target; a failed save
    // leaves the old file and says why.
    Acad::ErrorStatus dxfOut(const ACHAR* fileName);
    Acad::ErrorStatus dxfOut(const std::filesystem::path& fileName);
    // The file's bytes as dxfOut would write them.
    Acad::ErrorStatus dxfOutToString(std::string& out) const;
    const std::string& lastErrorMessage() const;
    // The file the drawing was read from or last saved to.
    const std::filesystem::path& filename() const;

    // "AC1009" ... "AC1032".
    std::string versionString() const;
    AcDb::AcDbDwgVersion version() const;
    // $DWGCODEPAGE, e.g. "ANSI_1255".
    std::string codePage() const;

    // Current text height and style ($TEXTSIZE, $TEXTSTYLE).
    double textsize() const;
    Acad::ErrorStatus setTextsize(double height);
    AcDbObjectId textstyle() const;
    Acad::ErrorStatus setTextstyle(AcDbObjectId style);

    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table,
                                        AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getDimStyleTable(AcDbDimStyleTable*& table,
                                       AcDb::OpenMode mode = AcDb::kForRead);
    AcDbObjectId currentSpaceId() const;

    // Object id of a handle, or null.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound,
                                      const AcDbHandle& handle);
    // Every live entity of the drawing (model space, paper space and blocks)
    // in drawing order.
    std::vector<AcDbObjectId> allEntities() const;

    // Undo.  Changes between beginUndoGroup and endUndoGroup form one group
    // (groups nest; the outermost counts); a change made outside any group is
    // a group of its own.  undoLastGroup restores every object the group
    // touched exactly, appended and erased ones included.
    void beginUndoGroup();
    void endUndoGroup();
    bool isUndoGroupOpen() const;
    Acad::ErrorStatus undoLastGroup();
    std::size_t undoGroupCount() const;

    // Called by AcDbEntity::draw() and on every committed change of an
    // entity; the host's display hooks here.  The entity may still be open
    // when it runs: a hook notes the id and reads the entity later.
    using DrawHook = std::function<void(AcDbObjectId)>;
    void setDrawHook(DrawHook hook);

    // Internal.
    cadhost::db::Store& store_() const { return *store_ptr_; }

  private:
    std::unique_ptr<cadhost::db::Store> store_ptr_;
};

// The host's application services: the working database.
class AcDbHostApplicationServices {
  public:
    AcDbDatabase* workingDatabase() const { return working_; }
    void setWorkingDatabase(AcDbDatabase* db) { working_ = db; }

  private:
    AcDbDatabase* working_ = nullptr;
};
AcDbHostApplicationServices* acdbHostApplicationServices();

// Opens an object for read or write.  eOk (0) on success; an object open for
// write cannot be opened again (eWasOpenedForWrite), one open for read
// cannot be opened for write (eWasOpenedForRead); an erased object opens
// only with openErased (eWasErased).
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
// An entity on a locked layer opens for write only with openOnLockedLayer.
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false, bool openOnLockedLayer = false);

namespace cadhost::db {
// The typed view of an object just opened: eNotThatKindOfClass (and the
// object closed again) when it is of another class.
template <class T>
Acad::ErrorStatus asOpened(T*& object, Acad::ErrorStatus es, AcDbObject* plain) {
    object = nullptr;
    if (es != Acad::eOk) return es;
    object = dynamic_cast<T*>(plain);
    if (object == nullptr) {
        plain->close();
        return Acad::eNotThatKindOfClass;
    }
    return Acad::eOk;
}
}  // namespace cadhost::db

// Typed open: eNotThatKindOfClass when the object is of another class.
template <class T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead,
                                 bool openErased = false) {
    AcDbObject* plain = nullptr;
    const Acad::ErrorStatus es = acdbOpenAcDbObject(plain, id, mode, openErased);
    return cadhost::db::asOpened(object, es, plain);
}
