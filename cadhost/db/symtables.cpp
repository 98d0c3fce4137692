#include "cadhost/db/symtables.h"

#include <charconv>

#include "cadhost/db/database.h"
#include "cadhost/db/store.h"
#include "cadhost/dxf/reader.h"

const ACHAR* const ACDB_MODEL_SPACE = L"*Model_Space";
const ACHAR* const ACDB_PAPER_SPACE = L"*Paper_Space";

#define STYLE_ORDER \
    { 2, 70, 40, 41, 50, 71, 42, 3, 4 }
#define LAYER_ORDER \
    { 2, 70, 62, 420, 6, 290, 370, 390, 347, 348 }

// Records ---------------------------------------------------------------------

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const {
    scratch_ = stringValue(2);
    name = scratch_.c_str();
    return Acad::eOk;
}
std::wstring AcDbSymbolTableRecord::name() const {
    return stringValue(2);
}
Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
    if (name == nullptr || *name == 0) return Acad::eInvalidInput;
    return setString(2, name, STYLE_ORDER);
}
int AcDbSymbolTableRecord::flags() const {
    return static_cast<int>(intValue(70, 0));
}
Acad::ErrorStatus AcDbSymbolTableRecord::setFlags(int flags) {
    return setInt(70, flags, STYLE_ORDER);
}

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const ACHAR*& name) const {
    scratch_ = stringValue(3);
    name = scratch_.c_str();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* name) {
    return setString(3, name ? name : L"", STYLE_ORDER);
}
Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const ACHAR*& name) const {
    scratch2_ = stringValue(4);
    name = scratch2_.c_str();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* name) {
    return setString(4, name ? name : L"", STYLE_ORDER);
}
double AcDbTextStyleTableRecord::textSize() const {
    return realValue(40, 0.0);
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double height) {
    if (height < 0) return Acad::eInvalidInput;
    return setReal(40, height, STYLE_ORDER);
}
double AcDbTextStyleTableRecord::xScale() const {
    return realValue(41, 1.0);
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double widthFactor) {
    if (widthFactor <= 0) return Acad::eInvalidInput;
    return setReal(41, widthFactor, STYLE_ORDER);
}

bool AcDbLayerTableRecord::isFrozen() const {
    return (flags() & 1) != 0;
}
Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) {
    return setInt(70, frozen ? (flags() | 1) : (flags() & ~1), LAYER_ORDER);
}
bool AcDbLayerTableRecord::isLocked() const {
    return (flags() & 4) != 0;
}
Acad::ErrorStatus AcDbLayerTableRecord::setIsLocked(bool locked) {
    return setInt(70, locked ? (flags() | 4) : (flags() & ~4), LAYER_ORDER);
}
bool AcDbLayerTableRecord::isOff() const {
    return intValue(62, 7) < 0;
}
Acad::ErrorStatus AcDbLayerTableRecord::setIsOff(bool off) {
    long long color = intValue(62, 7);
    if ((color < 0) == off) return Acad::eOk;
    return setInt(62, -color, LAYER_ORDER);
}

AcDbObjectId AcDbDimStyleTableRecord::dimtxsty() const {
    std::string_view v = value(340);
    if (v.empty() || database() == nullptr) return {};
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    std::uint64_t h = 0;
    std::from_chars(v.data(), v.data() + v.size(), h, 16);
    return AcDbObjectId(database()->store_().byHandle(h));
}

// Tables ----------------------------------------------------------------------

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const {
    if (done()) return Acad::eInvalidIndex;
    id = ids_[pos_];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& record,
                                                     AcDb::OpenMode mode, bool openErased) const {
    record = nullptr;
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenObject(record, ids_[pos_], mode, openErased);
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& id, bool) const {
    id.setNull();
    if (name == nullptr || database() == nullptr) return Acad::eInvalidInput;
    AcDbStub* s = database()->store_().tableEntry(tableName_, name);
    if (s == nullptr) return Acad::eKeyNotFound;
    id = AcDbObjectId(s);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& record,
                                         AcDb::OpenMode mode, bool openErased) const {
    record = nullptr;
    AcDbObjectId id;
    if (Acad::ErrorStatus es = getAt(name, id); es != Acad::eOk) return es;
    return acdbOpenObject(record, id, mode, openErased);
}

bool AcDbSymbolTable::has(const ACHAR* name) const {
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    if (database() == nullptr) return false;
    cadhost::db::TableInfo* t = database()->store_().table(tableName_);
    if (t == nullptr) return false;
    for (AcDbStub* s : t->records)
        if (s == id.stub() && s->live && !s->erased) return true;
    return false;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& iterator) const {
    std::vector<AcDbObjectId> ids;
    if (database() != nullptr)
        if (cadhost::db::TableInfo* t = database()->store_().table(tableName_))
            for (AcDbStub* s : t->records)
                if (s->live && !s->erased) ids.emplace_back(s);
    iterator = new AcDbSymbolTableIterator(std::move(ids));
    return Acad::eOk;
}

// Block table records -------------------------------------------------------------

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity) {
    id.setNull();
    if (entity == nullptr) return Acad::eNullObjectPointer;
    if (stub_() == nullptr) return Acad::eNotInDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (entity->stub_() != nullptr) return Acad::eAlreadyInDb;
    cadhost::db::Store& st = database()->store_();
    if (!st.hasSubclassMarkers() && entity->dxfName() == "MTEXT") return Acad::eNotApplicable;
    // What a new entity does not say comes from the drawing's current values.
    if (auto* text = dynamic_cast<AcDbText*>(entity)) {
        if (text->height() <= 0) text->setHeight(database()->textsize());
        if (!text->hasGroup_(7)) text->setTextStyle(database()->textstyle());
    } else if (auto* mtext = dynamic_cast<AcDbMText*>(entity)) {
        if (mtext->textHeight() <= 0) mtext->setTextHeight(database()->textsize());
        if (!mtext->hasGroup_(7)) mtext->setTextStyle(database()->textstyle());
    }
    // Strings were kept as UTF-8 until the drawing's encoding was known.
    static const cadhost::dxf::StringCodec detached(true, "");
    cadhost::dxf::Tags tags = entity->mutableTags_();
    for (cadhost::dxf::Tag& t : tags)
        if (cadhost::dxf::valueKind(t.code) == cadhost::dxf::ValueKind::String)
            t.value = st.codec().encode(detached.decode(t.value));
    Acad::ErrorStatus es = Acad::eOk;
    AcDbStub* s = st.appendEntity(stub_(), std::move(tags), es);
    if (s == nullptr) return es;
    entity->attach_(s, *s->own, true);
    s->writer = true;
    s->open = entity;
    id = AcDbObjectId(s);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity) {
    AcDbObjectId id;
    return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbObjectIterator*& iterator) const {
    std::vector<AcDbObjectId> ids;
    if (stub_() != nullptr) ids = database()->store_().entitiesOf(stub_());
    iterator = new AcDbObjectIterator(std::move(ids));
    return Acad::eOk;
}

bool AcDbBlockTableRecord::isLayout() const {
    if (stub_() == nullptr) return false;
    cadhost::db::Store& st = database()->store_();
    return st.isModelSpace(stub_()) || st.isPaperSpace(stub_());
}
