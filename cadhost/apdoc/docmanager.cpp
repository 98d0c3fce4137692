#include "cadhost/apdoc/docmanager.h"

#include "cadhost/apdoc/headervars.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/db/store.h"
#include "cadhost/dxf/codepage.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/selection.h"
#include "cadhost/rx/dynlinker.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
struct DocState {
    std::vector<std::unique_ptr<AcApDocument>> docs;
    AcApDocument* current = nullptr;
    std::vector<HINSTANCE> resources;
    int untitled = 0;
};
DocState& docs() {
    static auto* s = new DocState();
    return *s;
}

AcDbDatabase* currentDatabase() {
    AcApDocument* doc = docs().current;
    return doc != nullptr ? doc->database() : nullptr;
}

std::optional<VarValue> databaseGet(const std::wstring& name) {
    AcDbDatabase* db = currentDatabase();
    if (db == nullptr) return std::nullopt;
    // The database's own reading: a size of 0 or a style that is gone
    // falls back as new texts do.
    if (name == L"TEXTSIZE") return VarValue::ofReal(db->textsize());
    if (name == L"TEXTSTYLE") {
        AcDbTextStyleTableRecord* style = nullptr;
        if (acdbOpenObject(style, db->textstyle(), AcDb::kForRead) != Acad::eOk)
            return VarValue::ofString(L"");
        const std::wstring styleName = style->name();
        style->close();
        return VarValue::ofString(styleName);
    }
    if (name == L"DWGNAME" || name == L"DWGPREFIX") {
        const std::filesystem::path& file = docs().current->file();
        if (name == L"DWGNAME") return VarValue::ofString(docs().current->docTitle());
        std::wstring prefix = file.has_parent_path() ? file.parent_path().wstring() : L"";
        if (!prefix.empty() && prefix.back() != L'/') prefix += L'/';
        return VarValue::ofString(prefix);
    }
    if (const SysVarInfo* info = findSysVar(name)) return readDrawingVar(*db, *info);
    return std::nullopt;
}

std::optional<std::wstring> databaseSet(const std::wstring& name, const VarValue& value) {
    AcDbDatabase* db = currentDatabase();
    const SysVarInfo* info = findSysVar(name);
    if (db == nullptr || info == nullptr || !info->inDrawing) return std::nullopt;
    return writeDrawingVar(*db, *info, value);
}

std::wstring titleOf(const std::filesystem::path& file) {
    return file.filename().wstring();
}

AcApDocument* adopt(std::unique_ptr<AcDbDatabase> db, const std::filesystem::path& file) {
    auto doc = std::make_unique<AcApDocument>(std::move(db), file);
    doc->markSaved();
    AcApDocument* raw = doc.get();
    docs().docs.push_back(std::move(doc));
    acDocManagerPtr()->setCurDocument(raw);
    // Every module hears of the drawing while it is current.
    broadcastAppMessage(AcRx::kLoadDwgMsg);
    return raw;
}
}  // namespace

void forEachOpenDocument(const std::function<void()>& fn) {
    AcApDocument* before = docs().current;
    std::vector<AcApDocument*> all;
    for (auto& d : docs().docs) all.push_back(d.get());
    for (AcApDocument* d : all) {
        acDocManagerPtr()->setCurDocument(d);
        fn();
    }
    if (before != nullptr) acDocManagerPtr()->setCurDocument(before);
}

Acad::ErrorStatus saveDocument(AcApDocument* doc, const std::filesystem::path& file) {
    if (doc == nullptr) return Acad::eNoDatabase;
    // The database writes beside the target and renames over it: a failed
    // save leaves the old file as it was.
    const Acad::ErrorStatus es = doc->database()->dxfOut(file);
    if (es != Acad::eOk) {
        writeCommandLine(L"Unable to save the drawing: " +
                         fromUtf8(doc->database()->lastErrorMessage()) + L"\n");
        return es;
    }
    doc->setFile(file);
    doc->setNamed(true);
    doc->markSaved();
    return Acad::eOk;
}

}  // namespace cadhost

using cadhost::docs;

AcApDocument::AcApDocument(std::unique_ptr<AcDbDatabase> database, std::filesystem::path file)
    : database_(std::move(database)) {
    setFile(file);
}

AcApDocument::~AcApDocument() {
    if (acdbHostApplicationServices()->workingDatabase() == database_.get())
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

bool AcApDocument::isModified() const {
    return database_->store_().revision() != savedRevision_;
}

void AcApDocument::markSaved() {
    savedRevision_ = database_->store_().revision();
}

void AcApDocument::setFile(const std::filesystem::path& file) {
    file_ = file;
    fileName_ = file.wstring();
    title_ = cadhost::titleOf(file);
}

AcRxClass* AcApDocument::desc() {
    return cadhost::lookupClass(L"AcApDocument");
}
AcRxClass* AcApDocument::isA() const {
    return desc();
}

AcAp::DocLockMode AcApDocument::myLockMode() const {
    return locks_.empty() ? AcAp::kNotLocked : locks_.back();
}

bool AcApDocument::isQuiescent() const {
    return locks_.empty();
}

AcRxClass* AcApDocManager::desc() {
    return cadhost::lookupClass(L"AcApDocManager");
}
AcRxClass* AcApDocManager::isA() const {
    return desc();
}

AcApDocument* AcApDocManager::curDocument() const {
    return docs().current;
}
int AcApDocManager::documentCount() const {
    return static_cast<int>(docs().docs.size());
}
AcApDocument* AcApDocManager::document(int index) const {
    if (index < 0 || index >= documentCount()) return nullptr;
    return docs().docs[static_cast<std::size_t>(index)].get();
}

Acad::ErrorStatus AcApDocManager::setCurDocument(AcApDocument* doc, AcAp::DocLockMode mode, bool) {
    if (doc != nullptr) {
        bool known = false;
        for (auto& d : docs().docs) known = known || d.get() == doc;
        if (!known) return Acad::eInvalidInput;
    }
    docs().current = doc;
    acdbHostApplicationServices()->setWorkingDatabase(doc != nullptr ? doc->database() : nullptr);
    if (doc != nullptr && mode != AcAp::kNone) lockDocument(doc, mode);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::activateDocument(AcApDocument* doc, bool) {
    return setCurDocument(doc);
}

Acad::ErrorStatus AcApDocManager::lockDocument(AcApDocument* doc, AcAp::DocLockMode mode,
                                               const ACHAR*, const ACHAR*, bool) {
    if (doc == nullptr) return Acad::eInvalidInput;
    doc->lockStack().push_back(mode);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::unlockDocument(AcApDocument* doc) {
    if (doc == nullptr || doc->lockStack().empty()) return Acad::eInvalidInput;
    doc->lockStack().pop_back();
    return Acad::eOk;
}

void AcApDocManager::pushResourceHandle(HINSTANCE handle) {
    docs().resources.push_back(handle);
}
void AcApDocManager::popResourceHandle() {
    if (!docs().resources.empty()) docs().resources.pop_back();
}
HINSTANCE AcApDocManager::currentResourceHandle() const {
    return docs().resources.empty() ? nullptr : docs().resources.back();
}
int AcApDocManager::resourceDepth() const {
    return static_cast<int>(docs().resources.size());
}

AcApDocument* AcApDocManager::newDocument() {
    const std::wstring name = L"Drawing" + std::to_wstring(++docs().untitled) + L".dxf";
    return cadhost::adopt(std::make_unique<AcDbDatabase>(true), std::filesystem::path(name));
}

AcApDocument* AcApDocManager::openDocument(const std::filesystem::path& file) {
    auto db = std::make_unique<AcDbDatabase>(false);
    if (db->readDxfFile(file) != Acad::eOk) {
        const std::string why = db->lastErrorMessage();
        cadhost::writeCommandLine(L"Unable to open \"" + file.wstring() + L"\": " +
                                  cadhost::fromUtf8(why.empty() ? "cannot read" : why) + L"\n");
        return nullptr;
    }
    // Said once here rather than at every string that is shown as bytes.
    const std::string page = db->codePage();
    if (!page.empty() &&
        cadhost::dxf::codePageInfo(page).source == cadhost::dxf::CodePageInfo::Unknown)
        cadhost::writeCommandLine(L"Code page \"" + cadhost::fromUtf8(page) +
                                  L"\" is unknown: bytes above 0x7F are shown as Latin-1.\n");
    // The document must exist before the drawing-loaded message goes out.
    auto doc = std::make_unique<AcApDocument>(std::move(db), file);
    doc->setNamed(true);
    doc->markSaved();
    AcApDocument* raw = doc.get();
    docs().docs.push_back(std::move(doc));
    setCurDocument(raw);
    cadhost::broadcastAppMessage(AcRx::kLoadDwgMsg);
    return raw;
}

Acad::ErrorStatus AcApDocManager::closeDocument(AcApDocument* doc) {
    auto& all = docs().docs;
    auto it = std::find_if(all.begin(), all.end(), [doc](const auto& d) { return d.get() == doc; });
    if (it == all.end()) return Acad::eInvalidInput;
    setCurDocument(doc);
    cadhost::broadcastAppMessage(AcRx::kUnloadDwgMsg);
    cadhost::forgetDatabase(doc->database());
    std::unique_ptr<AcApDocument> gone = std::move(*it);
    all.erase(it);
    if (docs().current == doc) setCurDocument(all.empty() ? nullptr : all.back().get());
    return Acad::eOk;
}

void AcApDocManager::closeAll() {
    for (auto& d : docs().docs) cadhost::forgetDatabase(d->database());
    setCurDocument(nullptr);
    docs().docs.clear();
}

AcApDocManager* acDocManagerPtr() {
    static AcApDocManager* manager = [] {
        cadhost::setDatabaseVarHooks({cadhost::databaseGet, cadhost::databaseSet});
        return new AcApDocManager();
    }();
    return manager;
}
