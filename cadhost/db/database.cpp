#include "cadhost/db/database.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "cadhost/db/empty_drawing.h"
#include "cadhost/db/store.h"

using cadhost::db::Store;

// Object ids ------------------------------------------------------------------

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const {
    return stub_ != nullptr && stub_->live;
}
bool AcDbObjectId::isErased() const {
    return stub_ != nullptr && stub_->erased;
}
AcDbHandle AcDbObjectId::handle() const {
    return AcDbHandle(stub_ ? stub_->handle : 0);
}
AcDbDatabase* AcDbObjectId::database() const {
    return stub_ ? stub_->db : nullptr;
}

void AcDbHandle::getIntoAsciiBuffer(char* buffer) const {
    auto r = std::to_chars(buffer, buffer + 16, value_, 16);
    *r.ptr = 0;
    for (char* p = buffer; p != r.ptr; ++p)
        if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
}

// Opening ---------------------------------------------------------------------

namespace {

AcDbObject* makeObject(const Store& st, const AcDbStub* s) {
    const std::string& t = s->type;
    if (s->section == Section::Tables || s->isVirtual) {
        if (t == "TABLE") {
            AcDbSymbolTable* table = nullptr;
            std::wstring name = st.nameOf(s);
            if (name == L"BLOCK_RECORD" || name == L"BLOCK")
                table = new AcDbBlockTable;
            else if (name == L"STYLE")
                table = new AcDbTextStyleTable;
            else if (name == L"LAYER")
                table = new AcDbLayerTable;
            else if (name == L"DIMSTYLE")
                table = new AcDbDimStyleTable;
            else
                table = new AcDbSymbolTable;
            table->setTableName_(std::string(name.begin(), name.end()));
            return table;
        }
        if (t == "BLOCK_RECORD" || t == "BLOCK") return new AcDbBlockTableRecord;
        if (t == "STYLE") return new AcDbTextStyleTableRecord;
        if (t == "LAYER") return new AcDbLayerTableRecord;
        if (t == "DIMSTYLE") return new AcDbDimStyleTableRecord;
        if (t != "ENDTAB") return new AcDbSymbolTableRecord;
        return new AcDbObject;
    }
    if (t == "BLOCK" && !st.hasSubclassMarkers()) return new AcDbBlockTableRecord;
    if (!st.isEntity(s)) return new AcDbObject;
    if (t == "TEXT" || t == "ATTDEF") return new AcDbText;
    if (t == "ATTRIB") return new AcDbAttribute;
    if (t == "MTEXT") return new AcDbMText;
    if (t == "DIMENSION") return new AcDbDimension;
    if (t == "LEADER") return new AcDbLeader;
    if (t == "LINE") return new AcDbLine;
    if (t == "INSERT") return new AcDbBlockReference;
    return new AcDbEntity;
}

}  // namespace

namespace {
Acad::ErrorStatus openStub(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                           bool openErased, bool openOnLockedLayer) {
    object = nullptr;
    AcDbStub* s = id.stub();
    if (s == nullptr) return Acad::eNullObjectId;
    if (!s->live) return Acad::eWasErased;
    if (s->erased && !openErased) return Acad::eWasErased;
    if (s->writer) return Acad::eWasOpenedForWrite;
    bool write = mode == AcDb::kForWrite;
    if (write && s->readers > 0) return Acad::eWasOpenedForRead;
    if (!write && s->open != nullptr) {
        ++s->readers;
        object = s->open;
        return Acad::eOk;
    }
    Store& st = s->db->store_();
    if (write && !openOnLockedLayer && st.onLockedLayer(s)) return Acad::eOnLockedLayer;
    AcDbObject* obj = makeObject(st, s);
    obj->attach_(s, st.tagsOf(s), write);
    if (write) {
        st.captureBefore(s);
        s->writer = true;
    } else {
        s->readers = 1;
    }
    s->open = obj;
    object = obj;
    return Acad::eOk;
}
}  // namespace

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
    return openStub(object, id, mode, openErased, false);
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased, bool openOnLockedLayer) {
    AcDbObject* plain = nullptr;
    const Acad::ErrorStatus es = openStub(plain, id, mode, openErased, openOnLockedLayer);
    return cadhost::db::asOpened(entity, es, plain);
}

AcDbHostApplicationServices* acdbHostApplicationServices() {
    static AcDbHostApplicationServices services;
    return &services;
}

namespace {
// File names are UTF-8 on this platform.
std::filesystem::path pathOf(const ACHAR* name) {
    static const cadhost::dxf::StringCodec utf8(true, "");
    return std::filesystem::path(utf8.encode(name));
}
}  // namespace

// Database --------------------------------------------------------------------

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool)
    : store_ptr_(std::make_unique<Store>(this)) {
    if (buildDefaultDrawing) readDxfBuffer(std::string(cadhost::db::emptyDrawing()), "new drawing");
}

AcDbDatabase::~AcDbDatabase() {
    if (acdbHostApplicationServices()->workingDatabase() == this)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

Acad::ErrorStatus AcDbDatabase::readDxfFile(const ACHAR* fileName) {
    if (fileName == nullptr) return Acad::eInvalidInput;
    return readDxfFile(pathOf(fileName));
}

Acad::ErrorStatus AcDbDatabase::readDxfFile(const std::filesystem::path& fileName) {
    // Read with the system's own calls so that each failure has its reason:
    // a stream opens a folder without complaint and then reports its size
    // as some huge number.
    const std::string name = fileName.string();
    auto fail = [&](const char* what, int err, Acad::ErrorStatus es) {
        store_ptr_->lastError = name + ": " + what + ": " + std::strerror(err);
        return es;
    };
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail("cannot open", errno,
                    errno == ENOENT ? Acad::eFileNotFound : Acad::eFileAccessErr);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return fail("cannot read", err, Acad::eFileAccessErr);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail("cannot read", S_ISDIR(st.st_mode) ? EISDIR : EINVAL, Acad::eFileAccessErr);
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            return fail("cannot read", err, Acad::eFileAccessErr);
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return readDxfBuffer(std::move(bytes), name);
}

Acad::ErrorStatus AcDbDatabase::readDxfBuffer(std::string bytes, const std::string& name) {
    auto fresh = std::make_unique<Store>(this);
    std::string error;
    if (!fresh->load(std::move(bytes), name, error)) {
        store_ptr_->lastError = error;
        return Acad::eBadDxfFile;
    }
    fresh->drawHook = store_ptr_->drawHook;
    store_ptr_ = std::move(fresh);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::dxfOut(const ACHAR* fileName) {
    if (fileName == nullptr) return Acad::eInvalidInput;
    return dxfOut(pathOf(fileName));
}

namespace {

// The file a save replaces: the end of a chain of symbolic links, so that
// the links stay links and the drawing they name gets the new contents,
// made there if the last link dangles.  A loop of links is left to fail.
std::string savedFile(const std::filesystem::path& fileName) {
    namespace fs = std::filesystem;
    fs::path path = fileName;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path.string();
}

// The new file takes the old one's permissions, and its owner where the
// saver may give it; a new drawing gets what the umask allows.
bool keepModeAndOwner(int fd, const struct stat* old) {
    if (old == nullptr) return true;
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
        [[maybe_unused]] const int ignored = ::fchown(fd, old->st_uid, old->st_gid);
    }
    return ::fchmod(fd, old->st_mode & 07777) == 0;
}

}  // namespace

Acad::ErrorStatus AcDbDatabase::dxfOut(const std::filesystem::path& fileName) {
    Store& st = *store_ptr_;
    const std::string name = fileName.string();
    const std::string target = savedFile(fileName);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    // A drawing made read-only stays unsaved, though its folder would let a
    // new file be renamed over it.
    if (existed && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        st.lastError = name + ": cannot save: " + std::strerror(errno);
        return Acad::eFileAccessErr;
    }
    std::string temp = target + ".tmp" + std::to_string(::getpid());
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) {
        st.lastError = name + ": cannot save: " + std::strerror(errno);
        return Acad::eFileAccessErr;
    }
    static thread_local char buffer[1 << 20];
    std::setvbuf(f, buffer, _IOFBF, sizeof buffer);
    bool ok = true;
    st.save([&](std::string_view chunk) {
        if (ok && !chunk.empty() && std::fwrite(chunk.data(), 1, chunk.size(), f) != chunk.size())
            ok = false;
    });
    int err = ok ? 0 : errno;
    if (std::fflush(f) != 0 && ok) ok = false, err = errno;
    if (ok && !keepModeAndOwner(::fileno(f), existed ? &old : nullptr)) ok = false, err = errno;
    if (ok && ::fsync(::fileno(f)) != 0 && errno != EINVAL) ok = false, err = errno;
    if (std::fclose(f) != 0 && ok) ok = false, err = errno;
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) ok = false, err = errno;
    if (!ok) {
        std::remove(temp.c_str());
        st.lastError = name + ": cannot save: " + std::strerror(err);
        return Acad::eFileAccessErr;
    }
    st.fileName = fileName;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::dxfOutToString(std::string& out) const {
    out.clear();
    store_ptr_->save([&](std::string_view chunk) { out.append(chunk); });
    return Acad::eOk;
}

const std::string& AcDbDatabase::lastErrorMessage() const {
    return store_ptr_->lastError;
}
const std::filesystem::path& AcDbDatabase::filename() const {
    return store_ptr_->fileName;
}

std::string AcDbDatabase::versionString() const {
    return "AC" + std::to_string(store_ptr_->version());
}
AcDb::AcDbDwgVersion AcDbDatabase::version() const {
    return static_cast<AcDb::AcDbDwgVersion>(store_ptr_->version());
}
std::string AcDbDatabase::codePage() const {
    return store_ptr_->headerValue("$DWGCODEPAGE");
}

double AcDbDatabase::textsize() const {
    std::string v = store_ptr_->headerValue("$TEXTSIZE");
    double d = 2.5;
    std::from_chars(v.data(), v.data() + v.size(), d);
    return d > 0 ? d : 2.5;
}

Acad::ErrorStatus AcDbDatabase::setTextsize(double height) {
    if (!(height > 0)) return Acad::eInvalidInput;
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, height);
    std::string s(buf, r.ptr);
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    store_ptr_->setHeaderValue("$TEXTSIZE", 40, s);
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::textstyle() const {
    std::string v = store_ptr_->headerValue("$TEXTSTYLE");
    AcDbStub* s = store_ptr_->tableEntry("STYLE", store_ptr_->codec().decode(v));
    if (s == nullptr) s = store_ptr_->tableEntry("STYLE", L"Standard");
    return AcDbObjectId(s);
}

Acad::ErrorStatus AcDbDatabase::setTextstyle(AcDbObjectId style) {
    if (style.isNull() || style.database() != this) return Acad::eInvalidInput;
    std::wstring name = store_ptr_->nameOf(style.stub());
    store_ptr_->setHeaderValue("$TEXTSTYLE", 7, store_ptr_->codec().encode(name));
    return Acad::eOk;
}

namespace {
template <class Table>
Acad::ErrorStatus openTable(Store& st, const std::string& name, Table*& table,
                            AcDb::OpenMode mode) {
    table = nullptr;
    cadhost::db::TableInfo* info = st.table(name);
    if (info == nullptr || info->table == nullptr) return Acad::eKeyNotFound;
    return acdbOpenObject(table, AcDbObjectId(info->table), mode);
}
}  // namespace

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
    return openTable(*store_ptr_, store_ptr_->blockTableName(), table, mode);
}
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode) {
    return openTable(*store_ptr_, "STYLE", table, mode);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
    return openTable(*store_ptr_, "LAYER", table, mode);
}
Acad::ErrorStatus AcDbDatabase::getDimStyleTable(AcDbDimStyleTable*& table, AcDb::OpenMode mode) {
    return openTable(*store_ptr_, "DIMSTYLE", table, mode);
}

AcDbObjectId AcDbDatabase::currentSpaceId() const {
    return AcDbObjectId(store_ptr_->modelSpace());
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool, const AcDbHandle& handle) {
    id = AcDbObjectId(store_ptr_->byHandle(handle.value()));
    return id.isNull() ? Acad::eKeyNotFound : Acad::eOk;
}

std::vector<AcDbObjectId> AcDbDatabase::allEntities() const {
    return store_ptr_->allEntities();
}

void AcDbDatabase::beginUndoGroup() {
    store_ptr_->beginGroup();
}
void AcDbDatabase::endUndoGroup() {
    store_ptr_->endGroup();
}
bool AcDbDatabase::isUndoGroupOpen() const {
    return store_ptr_->depth() > 0;
}
Acad::ErrorStatus AcDbDatabase::undoLastGroup() {
    return store_ptr_->undoLast();
}
std::size_t AcDbDatabase::undoGroupCount() const {
    return store_ptr_->groupCount();
}
void AcDbDatabase::setDrawHook(DrawHook hook) {
    store_ptr_->drawHook = std::move(hook);
}
