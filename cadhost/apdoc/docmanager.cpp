#include "cadhost/apdoc/docmanager.h"

#include <fstream>
#include <sstream>

#include "cadhost/apdoc/headervars.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/db/store.h"
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

DrawingVars* currentVars() {
    AcApDocument* doc = docs().current;
    return doc != nullptr ? &doc->drawingVars() : nullptr;
}

AcDbDatabase* currentDatabase() {
    AcApDocument* doc = docs().current;
    return doc != nullptr ? doc->database() : nullptr;
}

std::optional<VarValue> databaseGet(const std::wstring& name) {
    AcDbDatabase* db = currentDatabase();
    if (db == nullptr) return std::nullopt;
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
    return std::nullopt;
}

std::optional<bool> databaseSet(const std::wstring& name, const VarValue& value) {
    AcDbDatabase* db = currentDatabase();
    if (db == nullptr) return std::nullopt;
    if (name == L"TEXTSIZE") return value.real > 0 && db->setTextsize(value.real) == Acad::eOk;
    if (name == L"TEXTSTYLE") {
        AcDbTextStyleTable* table = nullptr;
        if (db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk) return false;
        AcDbObjectId id;
        const Acad::ErrorStatus es = table->getAt(value.text.c_str(), id);
        table->close();
        return es == Acad::eOk && db->setTextstyle(id) == Acad::eOk;
    }
    return std::nullopt;
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

bool readFile(const std::filesystem::path& file, std::string& bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    bytes = ss.str();
    return true;
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
    std::string bytes;
    Acad::ErrorStatus es = doc->database()->dxfOutToString(bytes);
    if (es != Acad::eOk) {
        writeCommandLine(L"Unable to save the drawing: " +
                         fromUtf8(doc->database()->lastErrorMessage()) + L"\n");
        return es;
    }
    DrawingVars vars = doc->drawingVars();
    vars.erase(L"TEXTSIZE");
    vars.erase(L"TEXTSTYLE");
    writeHeaderVars(bytes, vars);
    // Written beside the target and renamed over it, so a failure keeps the old file.
    std::filesystem::path temp = file;
    temp += ".cadhost-tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            writeCommandLine(L"Unable to write \"" + file.wstring() + L"\".\n");
            return Acad::eFileAccessErr;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        writeCommandLine(L"Unable to write \"" + file.wstring() + L"\".\n");
        return Acad::eFileAccessErr;
    }
    doc->setFile(file);
    doc->setNamed(true);
    doc->markSaved();
    return Acad::eOk;
}

}  // namespace cadhost

using cadhost::docs;

AcApDocument::AcApDocument(std::unique_ptr<AcDbDatabase> database, std::filesystem::path file)
    : database_(std::move(database)), vars_(cadhost::defaultDrawingVars()) {
    setFile(file);
}

AcApDocument::~AcApDocument() {
    if (acdbHostApplicationServices()->workingDatabase() == database_.get())
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

bool AcApDocument::isModified() const {
    return database_->store_().revision() != savedRevision_ || vars_ != savedVars_;
}

void AcApDocument::markSaved() {
    savedRevision_ = database_->store_().revision();
    savedVars_ = vars_;
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
    std::string bytes;
    cadhost::DrawingVars vars = cadhost::defaultDrawingVars();
    if (cadhost::readFile(file, bytes)) cadhost::readHeaderVars(bytes, vars);
    vars.erase(L"TEXTSIZE");
    vars.erase(L"TEXTSTYLE");
    // The document must exist before the drawing-loaded message goes out.
    auto doc = std::make_unique<AcApDocument>(std::move(db), file);
    for (auto& [k, v] : vars) doc->drawingVars()[k] = v;
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
        cadhost::setDrawingVarsSource(cadhost::currentVars);
        cadhost::setDatabaseVarHooks({cadhost::databaseGet, cadhost::databaseSet});
        return new AcApDocManager();
    }();
    return manager;
}
