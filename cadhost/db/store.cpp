#include "cadhost/db/store.h"

#include <algorithm>
#include <charconv>
#include <cwctype>

#include "cadhost/dxf/reader.h"

namespace cadhost::db {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::uint64_t parseHex(std::string_view v) {
    v = trimmed(v);
    std::uint64_t h = 0;
    std::from_chars(v.data(), v.data() + v.size(), h, 16);
    return h;
}

std::string hex(std::uint64_t h) {
    char buf[20];
    auto r = std::to_chars(buf, buf + sizeof buf, h, 16);
    std::string s(buf, r.ptr);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool sameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

Section sectionByName(std::string_view name) {
    if (name == "HEADER") return Section::Header;
    if (name == "CLASSES") return Section::Classes;
    if (name == "TABLES") return Section::Tables;
    if (name == "BLOCKS") return Section::Blocks;
    if (name == "ENTITIES") return Section::Entities;
    if (name == "OBJECTS") return Section::Objects;
    return Section::Other;
}

// Where the header names a variable (its group 9), or the end of the tags.
std::size_t headerVariableAt(const dxf::Tags& tags, std::string_view name) {
    for (std::size_t i = 0; i < tags.size(); ++i)
        if (tags[i].code == 9 && trimmed(tags[i].value) == name) return i;
    return tags.size();
}

}  // namespace

Store::~Store() {
    for (AcDbStub& s : slots_) delete s.open;
}

AcDbStub* Store::newSlot() {
    AcDbStub& s = slots_.emplace_back();
    s.db = db_;
    s.index = static_cast<std::uint32_t>(slots_.size() - 1);
    return &s;
}

bool Store::load(std::string bytes, const std::string& name, std::string& error) {
    bytes_ = std::move(bytes);
    std::string_view file(bytes_);
    AcDbStub* cur = nullptr;
    Section section = Section::None;
    bool sectionNamePending = false, tableNamePending = false;
    TableInfo* currentTable = nullptr;
    AcDbStub* currentBlock = nullptr;
    AcDbStub* lastParent = nullptr;
    std::string lastVar, acadver, codepage;
    int handling = -1;

    auto onTag = [&](const dxf::RawTag& t) {
        std::string_view value = file.substr(t.valueOff, t.valueLen);
        if (t.code == 0) {
            if (cur != nullptr) cur->end = t.start;
            cur = newSlot();
            cur->begin = t.start;
            std::string_view type = trimmed(value);
            cur->type.assign(type);
            if (type == "SECTION") {
                sectionNamePending = true;
                section = Section::None;
            } else if (type == "ENDSEC") {
                cur->section = section;
                if (section == Section::Entities) entitiesEnd_ = cur;
                section = Section::None;
                currentTable = nullptr;
            } else {
                cur->section = section;
            }
            if (section == Section::Blocks) {
                if (type == "BLOCK") {
                    currentBlock = cur;
                } else if (type == "ENDBLK") {
                    cur->block = currentBlock;
                    if (currentBlock) blockEnds_[currentBlock] = cur;
                    currentBlock = nullptr;
                } else {
                    cur->block = currentBlock;
                }
            }
            if ((type == "ATTRIB" || type == "VERTEX" || type == "SEQEND") && lastParent) {
                cur->parent = lastParent;
                if (type == "SEQEND") lastParent = nullptr;
            } else if (type == "INSERT" || type == "POLYLINE") {
                lastParent = cur;
            } else {
                lastParent = nullptr;
            }
            if (section == Section::Tables) {
                if (type == "TABLE") {
                    tableNamePending = true;
                } else if (type == "ENDTAB") {
                    currentTable = nullptr;
                } else if (currentTable != nullptr) {
                    currentTable->records.push_back(cur);
                }
            }
            return;
        }
        if (cur == nullptr) return;  // a comment before the first section
        if (t.code == 2 && sectionNamePending && cur->type == "SECTION") {
            sectionNamePending = false;
            section = sectionByName(trimmed(value));
            cur->section = section;
            if (section == Section::Header) header_ = cur;
        } else if (t.code == 2 && tableNamePending && cur->type == "TABLE") {
            tableNamePending = false;
            currentTable = &tables_[std::string(trimmed(value))];
            currentTable->table = cur;
        } else if (((t.code == 5) != (cur->type == "DIMSTYLE") && (t.code == 5 || t.code == 105)) &&
                   cur->handle == 0 && section != Section::Header) {
            cur->handle = parseHex(value);
            maxHandle_ = std::max(maxHandle_, cur->handle);
            usesHandles_ = true;
        } else if (t.code == 67) {
            cur->paper = trimmed(value) == "1";
        } else if (section == Section::Header) {
            if (t.code == 9) {
                lastVar.assign(trimmed(value));
            } else if (lastVar == "$ACADVER") {
                acadver.assign(trimmed(value));
            } else if (lastVar == "$DWGCODEPAGE") {
                codepage.assign(trimmed(value));
            } else if (lastVar == "$HANDLING") {
                handling = trimmed(value) == "0" ? 0 : 1;
            }
        }
    };
    if (!dxf::parseDxf(file, info_, onTag, error)) {
        error = name + ": " + error;
        return false;
    }
    if (cur != nullptr) cur->end = static_cast<std::uint32_t>(info_.tailStart);
    rawCount_ = static_cast<std::uint32_t>(slots_.size());
    if (acadver.size() == 6 && acadver.rfind("AC", 0) == 0) {
        int v = 0;
        std::from_chars(acadver.data() + 2, acadver.data() + 6, v);
        version_ = v;
    }
    if (version_ < 1009 || version_ > 1032) {
        error =
            name + ": unsupported drawing version \"" + acadver + "\" (AC1009 to AC1032 are read)";
        return false;
    }
    if (handling == 1) usesHandles_ = true;
    codec_ = dxf::StringCodec(version_ >= 1021, codepage);
    fileName = name;
    buildTables();
    return true;
}

void Store::buildTables() {
    auto makeVirtual = [&](std::initializer_list<std::pair<int, const char*>> groups) {
        AcDbStub* s = newSlot();
        s->isVirtual = true;
        s->own = std::make_unique<dxf::Tags>();
        for (auto [code, value] : groups) s->own->push_back(dxf::Tag{code, value});
        s->type = s->own->front().value;
        return s;
    };
    if (!hasSubclassMarkers()) {
        TableInfo& blocks = tables_["BLOCK"];
        blocks.table = makeVirtual({{0, "TABLE"}, {2, "BLOCK"}});
        for (std::uint32_t i = 0; i < rawCount_; ++i)
            if (slots_[i].section == Section::Blocks && slots_[i].type == "BLOCK")
                blocks.records.push_back(&slots_[i]);
    }
    for (const char* name : {"STYLE", "LAYER", "DIMSTYLE", "BLOCK_RECORD"}) {
        TableInfo& t = tables_[name];
        if (t.table == nullptr) t.table = makeVirtual({{0, "TABLE"}, {2, name}});
    }
    // Every drawing has both spaces, even a file that does not list them.
    TableInfo& blocks = tables_[blockTableName()];
    bool model = false, paper = false;
    for (AcDbStub* b : blocks.records) {
        model = model || isModelSpace(b);
        paper = paper || isPaperSpace(b);
    }
    const char* type = hasSubclassMarkers() ? "BLOCK_RECORD" : "BLOCK";
    if (!model) blocks.records.push_back(makeVirtual({{0, type}, {2, "*Model_Space"}}));
    if (!paper) blocks.records.push_back(makeVirtual({{0, type}, {2, "*Paper_Space"}}));
}

dxf::Tags Store::tagsOf(const AcDbStub* s) const {
    if (s->own) return *s->own;
    return dxf::tokenize(bytes_, s->begin, s->end);
}

void Store::groupsOf(const AcDbStub* s, std::vector<dxf::TagView>& out) const {
    if (!s->own) {
        dxf::tokenizeViews(bytes_, s->begin, s->end, out);
        return;
    }
    out.clear();
    for (const dxf::Tag& t : *s->own) out.push_back({t.code, t.value});
}

void Store::commit(AcDbStub* s, dxf::Tags tags) {
    if (s == header_) headerCache_.reset();
    bool pure = !s->isNew && !s->isVirtual && !tags.empty() && tags.front().rawStart == s->begin &&
                tags.back().rawEnd == s->end;
    for (std::size_t i = 0; pure && i < tags.size(); ++i) {
        const dxf::Tag& t = tags[i];
        pure = t.rawStart != dxf::kNoRaw && !t.dirty &&
               (i + 1 == tags.size() || t.rawEnd == tags[i + 1].rawStart);
    }
    s->paper = false;
    for (const dxf::Tag& t : tags)
        if (t.code == 67) s->paper = trimmed(t.value) == "1";
    if (pure)
        s->own.reset();
    else
        s->own = std::make_unique<dxf::Tags>(std::move(tags));
}

void Store::indexHandles() {
    handles_.clear();
    for (AcDbStub& s : slots_)
        if (s.handle != 0 && s.live && !s.isVirtual) handles_.emplace(s.handle, &s);
    handlesIndexed_ = true;
}

AcDbStub* Store::byHandle(std::uint64_t handle) {
    if (!handlesIndexed_) indexHandles();
    auto it = handles_.find(handle);
    return it == handles_.end() || !it->second->live ? nullptr : it->second;
}

std::wstring Store::nameOf(const AcDbStub* s) const {
    dxf::Tags tags = tagsOf(s);
    for (const dxf::Tag& t : tags)
        if (t.code == 2) return codec_.decode(trimmed(t.value));
    return {};
}

TableInfo* Store::table(const std::string& name) {
    auto it = tables_.find(name);
    return it == tables_.end() ? nullptr : &it->second;
}

AcDbStub* Store::tableEntry(const std::string& table, std::wstring_view name) const {
    auto it = tables_.find(table);
    if (it == tables_.end()) return nullptr;
    for (AcDbStub* s : it->second.records)
        if (s->live && !s->erased && sameName(nameOf(s), name)) return s;
    if (table == blockTableName()) {
        if (sameName(name, L"*Model_Space")) return modelSpace();
        if (sameName(name, L"*Paper_Space")) return paperSpace();
    }
    return nullptr;
}

bool Store::isModelSpace(const AcDbStub* btr) const {
    std::wstring n = nameOf(btr);
    return sameName(n, L"*Model_Space") || sameName(n, L"$Model_Space");
}

bool Store::isPaperSpace(const AcDbStub* btr) const {
    std::wstring n = nameOf(btr);
    return sameName(n, L"*Paper_Space") || sameName(n, L"$Paper_Space");
}

AcDbStub* Store::modelSpace() const {
    auto it = tables_.find(blockTableName());
    if (it == tables_.end()) return nullptr;
    for (AcDbStub* s : it->second.records)
        if (isModelSpace(s)) return s;
    return nullptr;
}

AcDbStub* Store::paperSpace() const {
    auto it = tables_.find(blockTableName());
    if (it == tables_.end()) return nullptr;
    for (AcDbStub* s : it->second.records)
        if (isPaperSpace(s)) return s;
    return nullptr;
}

AcDbStub* Store::blockEntityOf(const AcDbStub* btr) const {
    if (btr->type == "BLOCK") return const_cast<AcDbStub*>(btr);
    std::wstring name = nameOf(btr);
    for (const auto& [block, end] : blockEnds_)
        if (sameName(nameOf(block), name)) return block;
    return nullptr;
}

bool Store::isEntity(const AcDbStub* s) const {
    if (s->section != Section::Entities && s->section != Section::Blocks) return false;
    return s->type != "SECTION" && s->type != "ENDSEC" && s->type != "BLOCK" && s->type != "ENDBLK";
}

bool Store::onLockedLayer(const AcDbStub* s) const {
    if (!isEntity(s)) return false;
    std::string layerName = "0";
    for (const dxf::Tag& t : tagsOf(s))
        if (t.code == 8) {
            layerName = std::string(trimmed(t.value));
            break;
        }
    const AcDbStub* layer = tableEntry("LAYER", codec_.decode(layerName));
    if (layer == nullptr) return false;
    for (const dxf::Tag& t : tagsOf(layer))
        if (t.code == 70) return (std::atoi(std::string(trimmed(t.value)).c_str()) & 4) != 0;
    return false;
}

std::vector<AcDbObjectId> Store::entitiesOf(const AcDbStub* btr) const {
    std::vector<AcDbObjectId> ids;
    bool model = isModelSpace(btr), paper = !model && isPaperSpace(btr);
    const AcDbStub* block = (model || paper) ? nullptr : blockEntityOf(btr);
    if (!model && !paper && block == nullptr) return ids;
    forEachInOrder([&](AcDbStub* s) {
        if (!s->live || s->erased || s->parent != nullptr || !isEntity(s)) return;
        if (model || paper) {
            if (s->section == Section::Entities && s->paper == paper) ids.emplace_back(s);
        } else if (s->block == block) {
            ids.emplace_back(s);
        }
    });
    return ids;
}

std::vector<AcDbObjectId> Store::allEntities() const {
    std::vector<AcDbObjectId> ids;
    forEachInOrder([&](AcDbStub* s) {
        if (s->live && !s->erased && s->parent == nullptr && isEntity(s)) ids.emplace_back(s);
    });
    return ids;
}

std::vector<AcDbObjectId> Store::layoutEntities() const {
    std::unordered_map<const AcDbStub*, bool> layoutBlocks;
    auto isLayout = [&](const AcDbStub* block) {
        auto [it, added] = layoutBlocks.emplace(block, false);
        if (added) {
            const std::wstring name = nameOf(block);
            const std::wstring_view prefix = L"*Paper_Space";
            it->second = isModelSpace(block) ||
                         (name.size() >= prefix.size() &&
                          sameName(std::wstring_view(name).substr(0, prefix.size()), prefix)) ||
                         sameName(name, L"$Paper_Space");
        }
        return it->second;
    };
    std::vector<AcDbObjectId> ids;
    forEachInOrder([&](AcDbStub* s) {
        if (!s->live || s->erased || s->parent != nullptr || !isEntity(s)) return;
        if (s->section == Section::Entities || (s->block != nullptr && isLayout(s->block)))
            ids.emplace_back(s);
    });
    return ids;
}

std::vector<AcDbObjectId> Store::childrenOf(const AcDbStub* s) const {
    std::vector<AcDbObjectId> ids;
    for (std::uint32_t i = s->index + 1; i < rawCount_ && slots_[i].parent == s; ++i)
        if (slots_[i].live && !slots_[i].erased)
            ids.emplace_back(const_cast<AcDbStub*>(&slots_[i]));
    return ids;
}

AcDbStub* Store::blockRecordOf(const AcDbStub* entity) const {
    if (entity->section == Section::Entities) return entity->paper ? paperSpace() : modelSpace();
    if (entity->block == nullptr) return nullptr;
    if (!hasSubclassMarkers()) return entity->block;
    return tableEntry("BLOCK_RECORD", nameOf(entity->block));
}

const dxf::Tags& Store::headerTags() const {
    if (!headerCache_) headerCache_ = std::make_unique<dxf::Tags>(tagsOf(header_));
    return *headerCache_;
}

std::string Store::headerValue(std::string_view name) const {
    if (header_ == nullptr) return {};
    const dxf::Tags& tags = headerTags();
    const std::size_t at = headerVariableAt(tags, name);
    return at + 1 < tags.size() ? std::string(trimmed(tags[at + 1].value)) : std::string();
}

Store::HeaderGroups Store::headerGroups(std::string_view name) const {
    HeaderGroups groups;
    if (header_ == nullptr) return groups;
    const dxf::Tags& tags = headerTags();
    const std::size_t at = headerVariableAt(tags, name);
    for (std::size_t j = at + 1; j < tags.size() && tags[j].code != 9; ++j)
        groups.emplace_back(tags[j].code, std::string(trimmed(tags[j].value)));
    return groups;
}

namespace {
// A new value in the field of the old one: numbers written right-aligned
// ("    37") keep their width, so an unchanged layout reads the same.
std::string inFieldOf(std::string_view old, std::string value) {
    const std::size_t lead = old.find_first_not_of(' ');
    if (lead != 0 && lead != std::string_view::npos && value.size() < old.size())
        value.insert(0, old.size() - value.size(), ' ');
    return value;
}
}  // namespace

void Store::setHeaderValue(std::string_view name, int code, const std::string& value) {
    setHeaderGroups(name, {{code, value}});
}

void Store::setHeaderGroups(std::string_view name, const HeaderGroups& groups) {
    if (header_ == nullptr) return;
    captureBefore(header_);
    dxf::Tags tags = tagsOf(header_);
    const std::size_t at = headerVariableAt(tags, name);
    if (at == tags.size()) {
        tags.push_back(dxf::Tag{9, std::string(name)});
        for (const auto& [code, value] : groups) tags.push_back(dxf::Tag{code, value});
    } else {
        for (const auto& [code, value] : groups) {
            std::size_t j = at + 1;
            while (j < tags.size() && tags[j].code != 9 && tags[j].code != code) ++j;
            if (j < tags.size() && tags[j].code == code) {
                dxf::Tag& t = tags[j];
                const std::string_view old =
                    t.rawStart == dxf::kNoRaw ? std::string_view(t.value) : originalValue(t);
                if (trimmed(old) == value) {
                    // The same value: the file's own bytes stay.
                    if (t.rawStart != dxf::kNoRaw) t.value.assign(old), t.dirty = false;
                    continue;
                }
                t.value = inFieldOf(old, value);
                t.dirty = true;
            } else {
                tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(j), dxf::Tag{code, value});
            }
        }
    }
    commit(header_, std::move(tags));
}

bool Store::removeAddedHeaderVariable(std::string_view name) {
    if (header_ == nullptr) return false;
    dxf::Tags tags = tagsOf(header_);
    const std::size_t at = headerVariableAt(tags, name);
    if (at == tags.size() || tags[at].rawStart != dxf::kNoRaw) return false;
    std::size_t end = at + 1;
    while (end < tags.size() && tags[end].code != 9 && tags[end].code != 0) ++end;
    captureBefore(header_);
    tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(at),
               tags.begin() + static_cast<std::ptrdiff_t>(end));
    commit(header_, std::move(tags));
    return true;
}

AcDbStub* Store::appendEntity(AcDbStub* btr, dxf::Tags tags, Acad::ErrorStatus& es) {
    bool model = isModelSpace(btr), paper = !model && isPaperSpace(btr);
    AcDbStub* anchor = nullptr;
    AcDbStub* block = nullptr;
    if (model || paper) {
        anchor = entitiesEnd_;
    } else if ((block = blockEntityOf(btr)) != nullptr) {
        auto it = blockEnds_.find(block);
        anchor = it == blockEnds_.end() ? nullptr : it->second;
    }
    if (anchor == nullptr) {
        es = Acad::eNotApplicable;
        return nullptr;
    }
    beginGroup();
    // Taken before a handle is given out, so that undo gives it back.
    if (header_ != nullptr) captureBefore(header_);
    std::uint64_t handle = 0;
    if (usesHandles_) {
        std::uint64_t seed = parseHex(headerValue("$HANDSEED"));
        handle = std::max(seed, maxHandle_ + 1);
        maxHandle_ = handle;
        setHeaderValue("$HANDSEED", 5, hex(handle + 1));
    }
    dxf::Tags out;
    out.reserve(tags.size() + 4);
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const dxf::Tag& t = tags[i];
        if (t.code == 100 && !hasSubclassMarkers()) continue;
        if (t.code == 5 || t.code == 330 || t.code == 67) continue;
        out.push_back(t);
        if (i == 0) {
            if (handle != 0) out.push_back(dxf::Tag{5, hex(handle)});
            if (hasSubclassMarkers() && btr->handle != 0)
                out.push_back(dxf::Tag{330, hex(btr->handle)});
            if (paper && !hasSubclassMarkers()) out.push_back(dxf::Tag{67, "1"});
        }
        if (paper && t.code == 100 && t.value == "AcDbEntity") out.push_back(dxf::Tag{67, "1"});
    }
    AcDbStub* s = newSlot();
    s->type = out.front().value;
    s->handle = handle;
    s->section = (model || paper) ? Section::Entities : Section::Blocks;
    s->block = block;
    s->paper = paper;
    s->isNew = true;
    s->own = std::make_unique<dxf::Tags>(std::move(out));
    s->live = false;
    captureBefore(s);
    s->live = true;
    insertedBefore_[anchor].push_back(s);
    if (handlesIndexed_ && handle != 0) handles_[handle] = s;
    endGroup();
    es = Acad::eOk;
    return s;
}

namespace {
// The owner of an object: its group 330 outside the "{ACAD_..." lists.
std::uint64_t ownerHandle(const dxf::Tags& tags) {
    bool inList = false;
    for (const dxf::Tag& t : tags) {
        if (t.code == 102) inList = !trimmed(t.value).empty() && trimmed(t.value)[0] == '{';
        if (t.code == 330 && !inList) return parseHex(t.value);
    }
    return 0;
}

// Handles of what an object owns: hard-owner references (360, the
// extension dictionary's among them), a dictionary's entries (350), and
// the MText column parts listed in its application data.
std::vector<std::uint64_t> ownedHandles(const dxf::Tags& tags) {
    std::vector<std::uint64_t> out;
    const bool dictionary = !tags.empty() && trimmed(tags.front().value) == "DICTIONARY";
    bool columns = false;
    for (const dxf::Tag& t : tags) {
        if (t.code == 1000) {
            const std::string_view v = trimmed(t.value);
            if (v == "ACAD_MTEXT_COLUMNS_BEGIN") columns = true;
            if (v == "ACAD_MTEXT_COLUMNS_END") columns = false;
        }
        if (t.code == 360 || (dictionary && t.code == 350) || (columns && t.code == 1005))
            if (std::uint64_t h = parseHex(t.value); h != 0) out.push_back(h);
    }
    return out;
}
}  // namespace

void Store::eraseOwned(AcDbStub* s, const dxf::Tags& tags, bool erasing) {
    if (!usesHandles_ || s->handle == 0) return;
    const bool mtext = !tags.empty() && trimmed(tags.front().value) == "MTEXT";
    for (std::uint64_t h : ownedHandles(tags)) {
        AcDbStub* part = byHandle(h);
        if (part == nullptr || part == s || part->erased == erasing || part->writer ||
            part->readers > 0)
            continue;
        const dxf::Tags partTags = tagsOf(part);
        // Column parts belong to the block as the MText does; anything else
        // must name this object as its owner, or it is only referenced.
        const bool column = mtext && part->type == "MTEXT";
        if (!column && ownerHandle(partTags) != s->handle) continue;
        captureAlong(s, part);
        part->erased = erasing;
        changed(part);
        eraseOwned(part, partTags, erasing);
    }
}

void Store::captureAlong(AcDbStub* with, AcDbStub* s) {
    if (depth_ == 0 && !groups_.empty()) {
        for (const BeforeImage& b : groups_.back())
            if (b.stub == with) {
                ++depth_;  // into the group that holds `with`
                captureBefore(s);
                --depth_;
                return;
            }
    }
    captureBefore(s);
}

void Store::captureBefore(AcDbStub* s) {
    ++revision_;
    if (depth_ == 0) {
        groups_.emplace_back();
    } else {
        for (const BeforeImage& b : groups_.back())
            if (b.stub == s) return;
    }
    groups_.back().push_back(BeforeImage{s, s->own ? std::make_unique<dxf::Tags>(*s->own) : nullptr,
                                         s->live, s->erased, maxHandle_});
}

Acad::ErrorStatus Store::undoLast() {
    depth_ = 0;
    while (!groups_.empty() && groups_.back().empty()) groups_.pop_back();
    if (groups_.empty()) return Acad::eNothingToUndo;
    for (const BeforeImage& b : groups_.back())
        if (b.stub->writer || b.stub->readers > 0) return Acad::eWasOpenedForWrite;
    std::vector<BeforeImage> group = std::move(groups_.back());
    groups_.pop_back();
    ++revision_;
    for (auto it = group.rbegin(); it != group.rend(); ++it) {
        AcDbStub* s = it->stub;
        if (s == header_) headerCache_.reset();
        maxHandle_ = it->maxHandle;
        s->own = std::move(it->own);
        s->live = it->live;
        s->erased = it->erased;
        s->paper = false;
        if (s->own)
            for (const dxf::Tag& t : *s->own)
                if (t.code == 67) s->paper = trimmed(t.value) == "1";
        if (!s->own && !s->isVirtual) {
            dxf::Tags tags = tagsOf(s);
            for (const dxf::Tag& t : tags)
                if (t.code == 67) s->paper = trimmed(t.value) == "1";
        }
        if (handlesIndexed_ && s->handle != 0) {
            if (s->live)
                handles_[s->handle] = s;
            else
                handles_.erase(s->handle);
        }
        changed(s);
    }
    return Acad::eOk;
}

void Store::changed(AcDbStub* s) {
    if (drawHook && isEntity(s)) drawHook(AcDbObjectId(s));
}

}  // namespace cadhost::db
