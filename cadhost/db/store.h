#pragma once

// Inside of a database: the file's bytes, one slot per object in file
// order, the tables, the undo log.  Not part of the host's interface.

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "cadhost/db/database.h"
#include "cadhost/dxf/codepage.h"
#include "cadhost/dxf/reader.h"
#include "cadhost/dxf/tags.h"
#include "cadhost/dxf/tokenize.h"

enum class Section : std::uint8_t {
    None,
    Header,
    Classes,
    Tables,
    Blocks,
    Entities,
    Objects,
    Other
};

struct AcDbStub {
    AcDbDatabase* db = nullptr;
    std::uint32_t begin = 0, end = 0;         // bytes in the file (records read)
    std::uint32_t index = 0;                  // position among the slots
    std::unique_ptr<cadhost::dxf::Tags> own;  // groups once changed or made here
    std::uint64_t handle = 0;
    std::string type;            // DXF name: value of group 0
    AcDbStub* parent = nullptr;  // INSERT or POLYLINE of an ATTRIB, VERTEX, SEQEND
    AcDbStub* block = nullptr;   // BLOCK of an entity inside BLOCKS
    Section section = Section::None;
    bool live = true;  // false: appended and then undone
    bool erased = false;
    bool paper = false;      // group 67 is 1
    bool isVirtual = false;  // stands for something the file does not hold
    bool isNew = false;
    bool writer = false;
    int readers = 0;
    AcDbObject* open = nullptr;
};

namespace cadhost::db {

struct TableInfo {
    AcDbStub* table = nullptr;  // the TABLE record, or a virtual slot
    std::vector<AcDbStub*> records;
};

struct BeforeImage {
    AcDbStub* stub;
    std::unique_ptr<dxf::Tags> own;
    bool live, erased;
    std::uint64_t maxHandle;  // highest handle given out before
};

class Store {
  public:
    explicit Store(AcDbDatabase* db) : db_(db) {}
    // Objects still open when their database goes away are deleted with it.
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    bool load(std::string bytes, const std::string& name, std::string& error);
    template <class Sink>
    void save(Sink&& sink) const;

    // Groups of a slot (its own or read from the file).
    dxf::Tags tagsOf(const AcDbStub* s) const;
    // The same groups looked at in place, with no copy of their values:
    // valid while the slot stays unchanged.
    void groupsOf(const AcDbStub* s, std::vector<dxf::TagView>& out) const;
    // Stores changed groups; goes back to the file's bytes when unchanged.
    void commit(AcDbStub* s, dxf::Tags tags);
    std::string_view originalValue(const dxf::Tag& t) const {
        return std::string_view(bytes_).substr(t.rawValueOff, t.rawValueLen);
    }

    const dxf::StringCodec& codec() const { return codec_; }
    int version() const { return version_; }
    bool hasSubclassMarkers() const { return version_ >= 1012; }
    bool usesHandles() const { return usesHandles_; }

    AcDbStub* byHandle(std::uint64_t handle);
    // Case-blind lookup of a table entry (the block table knows the spaces
    // by their R12 names too) ("STYLE", "LAYER", "BLOCK_RECORD", ...).
    AcDbStub* tableEntry(const std::string& table, std::wstring_view name) const;
    TableInfo* table(const std::string& table);
    std::wstring nameOf(const AcDbStub* s) const;  // group 2
    // Block table: BLOCK_RECORD entries from R13 on, BLOCK entities in R12.
    std::string blockTableName() const { return hasSubclassMarkers() ? "BLOCK_RECORD" : "BLOCK"; }
    AcDbStub* modelSpace() const;
    AcDbStub* paperSpace() const;
    bool isModelSpace(const AcDbStub* btr) const;
    bool isPaperSpace(const AcDbStub* btr) const;
    std::vector<AcDbObjectId> entitiesOf(const AcDbStub* btr) const;
    std::vector<AcDbObjectId> allEntities() const;
    // Entities of model space and of every paper-space layout ("*Paper_Space",
    // "*Paper_Space0", ...), not those of other block definitions.
    std::vector<AcDbObjectId> layoutEntities() const;
    std::vector<AcDbObjectId> childrenOf(const AcDbStub* s) const;
    AcDbStub* blockRecordOf(const AcDbStub* entity) const;
    bool isEntity(const AcDbStub* s) const;
    // An entity whose layer is locked: it may be read, not changed.
    bool onLockedLayer(const AcDbStub* s) const;

    // Header variables ($NAME): value of the group after "9 $NAME".
    std::string headerValue(std::string_view name) const;
    void setHeaderValue(std::string_view name, int code, const std::string& value);
    // Every group of a variable (code and trimmed value); empty when the
    // header does not hold it.
    using HeaderGroups = std::vector<std::pair<int, std::string>>;
    HeaderGroups headerGroups(std::string_view name) const;
    // Sets the variable's groups in place, each in the width its value had
    // (right-aligned numbers stay right-aligned); a variable the header
    // lacks is added at its end.  Part of the undo group like any object.
    void setHeaderGroups(std::string_view name, const HeaderGroups& groups);
    // Takes out a variable that was added to the header after it was read;
    // false, changing nothing, for one the file has or the header lacks.
    bool removeAddedHeaderVariable(std::string_view name);

    // Appends a new entity's groups to a block; returns its slot.
    AcDbStub* appendEntity(AcDbStub* btr, dxf::Tags tags, Acad::ErrorStatus& es);

    // Erases (or brings back) what an object owns along with it: its
    // extension dictionary and hard-owned objects (an image's reactor),
    // what those own in turn, and the column parts of an MText.  `tags`
    // are the object's groups as it stands.  Each joins the undo group of
    // the object.
    void eraseOwned(AcDbStub* s, const dxf::Tags& tags, bool erasing);

    // Undo.
    void captureBefore(AcDbStub* s);
    void beginGroup() {
        ++depth_;
        if (depth_ == 1) groups_.emplace_back();
    }
    void endGroup() {
        if (depth_ > 0) --depth_;
    }
    int depth() const { return depth_; }
    Acad::ErrorStatus undoLast();
    std::size_t groupCount() const { return groups_.size(); }
    // Counts what may have changed the drawing: each object taken for a
    // change (opened for write, appended, a header value set) and each undo.
    std::uint64_t revision() const { return revision_; }

    void changed(AcDbStub* s);
    // BLOCK entity (in BLOCKS) of a block table record.
    AcDbStub* blockEntityOf(const AcDbStub* btr) const;
    template <class Fn>
    void forEachInOrder(Fn&& fn) const;
    AcDbDatabase::DrawHook drawHook;
    std::string lastError;
    std::filesystem::path fileName;
    AcDbStub* header() const { return header_; }

  private:
    AcDbStub* newSlot();
    // Takes s's before image into the undo group that holds `with`'s.
    void captureAlong(AcDbStub* with, AcDbStub* s);
    void buildTables();
    void indexHandles();
    const dxf::Tags& headerTags() const;

    AcDbDatabase* db_;
    std::string bytes_;
    dxf::ParsedDxf info_;
    std::deque<AcDbStub> slots_;
    std::uint32_t rawCount_ = 0;
    std::unordered_map<AcDbStub*, std::vector<AcDbStub*>> insertedBefore_;
    std::unordered_map<std::uint64_t, AcDbStub*> handles_;
    bool handlesIndexed_ = false;
    std::unordered_map<std::string, TableInfo> tables_;
    std::unordered_map<AcDbStub*, AcDbStub*> blockEnds_;  // BLOCK to its ENDBLK
    AcDbStub* header_ = nullptr;
    // The header's groups, split once and again only after it changed:
    // drawing variables are read at every prompt.
    mutable std::unique_ptr<dxf::Tags> headerCache_;
    AcDbStub* entitiesEnd_ = nullptr;
    std::uint64_t maxHandle_ = 0;
    int version_ = 1009;
    bool usesHandles_ = false;
    dxf::StringCodec codec_;
    std::vector<std::vector<BeforeImage>> groups_;
    int depth_ = 0;
    std::uint64_t revision_ = 0;
};

template <class Fn>
void Store::forEachInOrder(Fn&& fn) const {
    for (std::uint32_t i = 0; i < rawCount_; ++i) {
        AcDbStub* s = const_cast<AcDbStub*>(&slots_[i]);
        if (auto it = insertedBefore_.find(s); it != insertedBefore_.end())
            for (AcDbStub* n : it->second) fn(n);
        fn(s);
    }
}

template <class Sink>
void Store::save(Sink&& sink) const {
    std::string_view file(bytes_);
    dxf::TagWriter writer(file, info_.crlf, info_.codeWidth);
    if (rawCount_ == 0) return;
    sink(file.substr(0, slots_[0].begin));
    auto skipped = [](const AcDbStub& s) {
        return !s.live || s.erased || (s.parent != nullptr && s.parent->erased);
    };
    std::uint32_t i = 0;
    while (i < rawCount_) {
        const AcDbStub& s = slots_[i];
        if (auto it = insertedBefore_.find(const_cast<AcDbStub*>(&s)); it != insertedBefore_.end())
            for (const AcDbStub* n : it->second)
                if (!skipped(*n)) writer.write(*n->own, sink);
        if (skipped(s)) {
            ++i;
            continue;
        }
        if (s.own) {
            writer.write(*s.own, sink);
            ++i;
            continue;
        }
        std::uint32_t j = i + 1;
        while (j < rawCount_) {
            const AcDbStub& n = slots_[j];
            if (skipped(n) || n.own || insertedBefore_.count(const_cast<AcDbStub*>(&n))) break;
            ++j;
        }
        sink(file.substr(s.begin, slots_[j - 1].end - s.begin));
        i = j;
    }
    sink(file.substr(info_.tailStart));
}

}  // namespace cadhost::db
