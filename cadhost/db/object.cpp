#include "cadhost/db/object.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "cadhost/db/database.h"
#include "cadhost/db/group_lookup.h"
#include "cadhost/db/store.h"

using cadhost::dxf::Tag;
using cadhost::dxf::Tags;

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Groups that precede an entity's or record's own data when a record has no
// subclass markers (R12).
bool isCommonCode(int code) {
    switch (code) {
        case 5:
        case 105:
        case 102:
        case 330:
        case 360:
        case 100:
        case 67:
        case 410:
        case 8:
        case 6:
        case 62:
        case 370:
        case 48:
        case 60:
        case 420:
        case 430:
        case 440:
        case 390:
        case 284:
        case 39:
            return true;
        default:
            return false;
    }
}

// Strings for objects not in a database are kept as UTF-8.
const cadhost::dxf::StringCodec& detachedCodec() {
    static const cadhost::dxf::StringCodec codec(true, "");
    return codec;
}

}  // namespace

void AcDbExtents::addPoint(const AcGePoint3d& p) {
    if (!set_) {
        min_ = max_ = p;
        set_ = true;
        return;
    }
    min_ = {std::min(min_.x, p.x), std::min(min_.y, p.y), std::min(min_.z, p.z)};
    max_ = {std::max(max_.x, p.x), std::max(max_.y, p.y), std::max(max_.z, p.z)};
}

void AcDbExtents::addExt(const AcDbExtents& e) {
    if (e.isEmpty()) return;
    addPoint(e.minPoint());
    addPoint(e.maxPoint());
}

AcDbObject::AcDbObject() = default;
AcDbObject::~AcDbObject() = default;

void AcDbObject::attach_(AcDbStub* stub, Tags tags, bool write) {
    stub_ptr_ = stub;
    tags_ = std::move(tags);
    write_ = write;
}

void AcDbObject::initTags(Tags tags) {
    tags_ = std::move(tags);
}

AcDbObjectId AcDbObject::objectId() const {
    return AcDbObjectId(stub_ptr_);
}

AcDbObjectId AcDbObject::ownerId() const {
    if (stub_ptr_ == nullptr) return {};
    cadhost::db::Store& st = stub_ptr_->db->store_();
    if (st.isEntity(stub_ptr_)) return AcDbObjectId(st.blockRecordOf(stub_ptr_));
    std::size_t i = find(330);
    if (i == std::string::npos) return {};
    std::uint64_t h = 0;
    std::string_view v = trimmed(tags_[i].value);
    std::from_chars(v.data(), v.data() + v.size(), h, 16);
    return AcDbObjectId(st.byHandle(h));
}

AcDbHandle AcDbObject::getDbHandle() const {
    return AcDbHandle(stub_ptr_ ? stub_ptr_->handle : 0);
}
AcDbDatabase* AcDbObject::database() const {
    return stub_ptr_ ? stub_ptr_->db : nullptr;
}
bool AcDbObject::isNewObject() const {
    return stub_ptr_ == nullptr;
}
std::string AcDbObject::dxfName() const {
    return tags_.empty() ? std::string() : std::string(trimmed(tags_.front().value));
}
bool AcDbObject::isReadEnabled() const {
    return stub_ptr_ == nullptr || stub_ptr_->open == this;
}
bool AcDbObject::isWriteEnabled() const {
    return stub_ptr_ == nullptr || write_;
}
bool AcDbObject::isErased() const {
    return stub_ptr_ != nullptr && stub_ptr_->erased;
}

Acad::ErrorStatus AcDbObject::close() {
    if (stub_ptr_ == nullptr) return Acad::eOk;
    AcDbStub* s = stub_ptr_;
    cadhost::db::Store& st = s->db->store_();
    if (write_) {
        st.commit(s, std::move(tags_));
        s->writer = false;
        write_ = false;
        st.changed(s);
    } else if (s->readers > 0) {
        --s->readers;
    }
    if (!s->writer && s->readers == 0) {
        s->open = nullptr;
        delete this;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    if (stub_ptr_ == nullptr || write_) return Acad::eOk;
    if (stub_ptr_->readers > 1) return Acad::eHadMultipleReaders;
    if (stub_ptr_->db->store_().onLockedLayer(stub_ptr_)) return Acad::eOnLockedLayer;
    stub_ptr_->db->store_().captureBefore(stub_ptr_);
    stub_ptr_->readers = 0;
    stub_ptr_->writer = true;
    write_ = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    if (stub_ptr_ == nullptr || !write_) return Acad::eOk;
    stub_ptr_->db->store_().commit(stub_ptr_, tags_);
    tags_ = stub_ptr_->db->store_().tagsOf(stub_ptr_);
    stub_ptr_->writer = false;
    stub_ptr_->readers = 1;
    write_ = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
    if (stub_ptr_ == nullptr) return Acad::eNotInDatabase;
    if (!write_) return Acad::eNotOpenForWrite;
    if (stub_ptr_->erased == erasing) return Acad::eOk;
    stub_ptr_->erased = erasing;
    // What the object owns goes (and comes back) with it, so no reader
    // finds an object whose owner is gone.
    stub_ptr_->db->store_().eraseOwned(stub_ptr_, tags_, erasing);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::assertWriteEnabled() const {
    return isWriteEnabled() ? Acad::eOk : Acad::eNotOpenForWrite;
}

AcDbObject::Segment AcDbObject::segment(std::string_view subclass, int occurrence) const {
    const cadhost::db::GroupSpan span = cadhost::db::subclassGroups(tags_, subclass, occurrence);
    return {span.begin, span.end};
}

std::size_t AcDbObject::find(int code, std::string_view subclass, int occurrence) const {
    Segment seg = segment(subclass, occurrence);
    return cadhost::db::findGroup(tags_, {seg.begin, seg.end}, code);
}

std::string_view AcDbObject::value(int code, std::string_view subclass, int occurrence) const {
    std::size_t i = find(code, subclass, occurrence);
    return i == std::string::npos ? std::string_view() : std::string_view(tags_[i].value);
}

double AcDbObject::realValue(int code, double fallback, std::string_view subclass,
                             int occurrence) const {
    std::size_t i = find(code, subclass, occurrence);
    if (i == std::string::npos) return fallback;
    std::string_view v = trimmed(tags_[i].value);
    double d = fallback;
    std::from_chars(v.data(), v.data() + v.size(), d);
    return d;
}

long long AcDbObject::intValue(int code, long long fallback, std::string_view subclass,
                               int occurrence) const {
    std::size_t i = find(code, subclass, occurrence);
    if (i == std::string::npos) return fallback;
    std::string_view v = trimmed(tags_[i].value);
    long long n = fallback;
    std::from_chars(v.data(), v.data() + v.size(), n);
    return n;
}

AcGePoint3d AcDbObject::pointValue(int code, const AcGePoint3d& fallback, std::string_view subclass,
                                   int occurrence) const {
    if (find(code, subclass, occurrence) == std::string::npos) return fallback;
    return {realValue(code, fallback.x, subclass, occurrence),
            realValue(code + 10, fallback.y, subclass, occurrence),
            realValue(code + 20, 0.0, subclass, occurrence)};
}

std::wstring AcDbObject::decode(std::string_view raw) const {
    return cadhost::db::decodeValue(stub_ptr_ ? stub_ptr_->db->store_().codec() : detachedCodec(),
                                    raw);
}

namespace cadhost::db {
std::wstring decodeValue(const dxf::StringCodec& codec, std::string_view raw) {
    std::wstring w = codec.decode(raw);
    if (raw.find('^') == std::string_view::npos) return w;
    // Control characters are written as a caret and a letter, a caret as "^ ".
    std::wstring out;
    out.reserve(w.size());
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (w[i] == L'^' && i + 1 < w.size()) {
            wchar_t n = w[i + 1];
            if (n == L' ') {
                out += L'^';
                ++i;
                continue;
            }
            if (n >= L'@' && n <= L'_') {
                out += static_cast<wchar_t>(n - L'@');
                ++i;
                continue;
            }
        }
        out += w[i];
    }
    return out;
}
}  // namespace cadhost::db

std::string AcDbObject::encode(std::wstring_view text) const {
    std::wstring w;
    w.reserve(text.size());
    for (wchar_t c : text) {
        if (c < 0x20 && c != 0) {
            w += L'^';
            w += static_cast<wchar_t>(c + L'@');
        } else if (c == L'^') {
            w += L"^ ";
        } else {
            w += c;
        }
    }
    return stub_ptr_ ? stub_ptr_->db->store_().codec().encode(w) : detachedCodec().encode(w);
}

std::wstring AcDbObject::stringValue(int code, std::string_view subclass, int occurrence) const {
    return decode(value(code, subclass, occurrence));
}

Acad::ErrorStatus AcDbObject::setValue(int code, std::string_view text,
                                       std::initializer_list<int> order, std::string_view subclass,
                                       int occurrence) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk) return es;
    std::size_t i = find(code, subclass, occurrence);
    if (i != std::string::npos) {
        Tag& t = tags_[i];
        if (t.value == text) return Acad::eOk;
        t.value.assign(text);
        t.dirty = t.rawStart == cadhost::dxf::kNoRaw || stub_ptr_ == nullptr ||
                  stub_ptr_->db->store_().originalValue(t) != text;
        return Acad::eOk;
    }
    auto rank = [&](int c) {
        int r = 0;
        for (int o : order) {
            if (o == c) return r;
            ++r;
        }
        return isCommonCode(c) ? -1 : -2;
    };
    int mine = rank(code);
    Segment seg = segment(subclass, occurrence);
    std::size_t at = seg.begin;
    bool inGroup = false;
    for (std::size_t k = seg.begin; k < seg.end; ++k) {
        const Tag& t = tags_[k];
        if (t.code == 102) {
            inGroup = !t.value.empty() && t.value[0] == '{';
            at = k + 1;
            continue;
        }
        if (inGroup) continue;
        int r = rank(t.code);
        if (r != -2 && r < mine) at = k + 1;
    }
    tags_.insert(tags_.begin() + static_cast<std::ptrdiff_t>(at), Tag{code, std::string(text)});
    return Acad::eOk;
}

namespace {
std::string formatReal(double v) {
    if (v == 0) v = 0;  // no "-0.0"
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, r.ptr);
    if (s.find_first_of(".en") == std::string::npos) s += ".0";
    return s;
}
}  // namespace

Acad::ErrorStatus AcDbObject::setReal(int code, double v, std::initializer_list<int> order,
                                      std::string_view subclass, int occurrence) {
    if (!std::isfinite(v)) return Acad::eInvalidInput;
    std::size_t i = find(code, subclass, occurrence);
    if (i != std::string::npos && realValue(code, 0, subclass, occurrence) == v) return Acad::eOk;
    return setValue(code, formatReal(v), order, subclass, occurrence);
}

Acad::ErrorStatus AcDbObject::setRealAt(std::size_t index, double v) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk) return es;
    if (!std::isfinite(v) || index >= tags_.size()) return Acad::eInvalidInput;
    Tag& t = tags_[index];
    if (std::strtod(t.value.c_str(), nullptr) == v) return Acad::eOk;
    t.value = formatReal(v);
    t.dirty = t.rawStart == cadhost::dxf::kNoRaw || stub_ptr_ == nullptr ||
              stub_ptr_->db->store_().originalValue(t) != t.value;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::setInt(int code, long long v, std::initializer_list<int> order,
                                     std::string_view subclass, int occurrence) {
    std::size_t i = find(code, subclass, occurrence);
    if (i != std::string::npos && intValue(code, 0, subclass, occurrence) == v) return Acad::eOk;
    return setValue(code, std::to_string(v), order, subclass, occurrence);
}

Acad::ErrorStatus AcDbObject::setPoint(int code, const AcGePoint3d& p,
                                       std::initializer_list<int> order, std::string_view subclass,
                                       int occurrence) {
    if (Acad::ErrorStatus es = setReal(code, p.x, order, subclass, occurrence); es != Acad::eOk)
        return es;
    // y and z follow x.
    for (int k = 1; k <= 2; ++k) {
        int c = code + 10 * k;
        double v = k == 1 ? p.y : p.z;
        if (find(c, subclass, occurrence) != std::string::npos) {
            setReal(c, v, order, subclass, occurrence);
            continue;
        }
        std::size_t prev = find(c - 10, subclass, occurrence);
        tags_.insert(tags_.begin() + static_cast<std::ptrdiff_t>(prev + 1), Tag{c, formatReal(v)});
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::setString(int code, std::wstring_view s,
                                        std::initializer_list<int> order, std::string_view subclass,
                                        int occurrence) {
    return setValue(code, encode(s), order, subclass, occurrence);
}

void AcDbObject::removeGroup(int code, std::string_view subclass, int occurrence) {
    std::size_t i = find(code, subclass, occurrence);
    if (i != std::string::npos) tags_.erase(tags_.begin() + static_cast<std::ptrdiff_t>(i));
}

// Entity ----------------------------------------------------------------------

static const std::initializer_list<int> kEntityOrder = {5, 102, 330, 360, 100, 67, 410, 8};

std::wstring AcDbEntity::layer() const {
    std::wstring l = stringValue(8, "AcDbEntity");
    return l.empty() ? L"0" : l;
}

AcDbObjectId AcDbEntity::layerId() const {
    if (database() == nullptr) return {};
    return AcDbObjectId(database()->store_().tableEntry("LAYER", layer()));
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* name) {
    if (name == nullptr || *name == 0) return Acad::eInvalidInput;
    return setString(8, name, kEntityOrder, "AcDbEntity");
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId) {
    if (layerId.isNull()) return Acad::eNullObjectId;
    std::wstring name = layerId.stub()->db->store_().nameOf(layerId.stub());
    return setLayer(name.c_str());
}

int AcDbEntity::colorIndex() const {
    return static_cast<int>(intValue(62, 256, "AcDbEntity"));
}
bool AcDbEntity::isInPaperSpace() const {
    return intValue(67, 0, "AcDbEntity") == 1;
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents&) const {
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::draw() {
    if (stub_() != nullptr && stub_()->db->store_().drawHook)
        stub_()->db->store_().drawHook(objectId());
    return Acad::eOk;
}

void AcDbEntity::recordGraphicsModified(bool) {}
