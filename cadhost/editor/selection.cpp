#include "cadhost/editor/selection.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <map>
#include <optional>
#include <string>

#include "cadhost/db/acdb_all.h"
#include "cadhost/db/store.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/point_pick.h"
#include "cadhost/editor/prompt_context.h"
#include "cadhost/editor/prompts.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
constexpr std::int64_t kEntityTag = 0x454e54;  // marks an entity name
constexpr std::int64_t kSetTag = 0x5353;       // marks a selection-set name

struct NameEntry {
    AcDbObjectId id;
    const AcDbDatabase* db;
};

struct SelectionState {
    std::vector<NameEntry> names;
    std::map<std::int64_t, std::vector<AcDbObjectId>> sets;
    std::int64_t nextSet = 1;
    std::vector<AcDbObjectId> pickfirst;
    std::vector<AcDbObjectId> previous;
    int redraws = 0;
    std::vector<AcDbObjectId> highlighted;  // shown highlighted, by redraw mode 3
    RedrawListener redrawListener;
};
SelectionState& sel() {
    static auto* s = new SelectionState();
    return *s;
}

std::vector<AcDbObjectId>* setOf(const ads_name ss) {
    if (ss == nullptr || ss[1] != kSetTag) return nullptr;
    auto it = sel().sets.find(ss[0]);
    return it != sel().sets.end() ? &it->second : nullptr;
}

bool wildcardMatch(std::wstring_view pattern, std::wstring_view text) {
    if (pattern.empty()) return text.empty();
    if (pattern[0] == L'*')
        return wildcardMatch(pattern.substr(1), text) ||
               (!text.empty() && wildcardMatch(pattern, text.substr(1)));
    if (text.empty()) return false;
    if (pattern[0] != L'?' && std::towupper(pattern[0]) != std::towupper(text[0])) return false;
    return wildcardMatch(pattern.substr(1), text.substr(1));
}

bool matchesList(const ACHAR* patterns, const std::wstring& value) {
    if (patterns == nullptr) return false;
    std::wstring rest = patterns;
    for (;;) {
        const auto comma = rest.find(L',');
        if (wildcardMatch(trim(rest.substr(0, comma)), value)) return true;
        if (comma == std::wstring::npos) return false;
        rest = rest.substr(comma + 1);
    }
}

bool passesFilter(const AcDbEntity* ent, const resbuf* filter) {
    for (const resbuf* rb = filter; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == 0 && !matchesList(rb->resval.rstring, fromUtf8(ent->dxfName())))
            return false;
        if (rb->restype == 8 && !matchesList(rb->resval.rstring, ent->layer())) return false;
    }
    return true;
}

bool onFrozenLayer(const AcDbEntity* ent) {
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, ent->layerId(), AcDb::kForRead) != Acad::eOk) return false;
    const bool frozen = layer->isFrozen();
    layer->close();
    return frozen;
}

// The entities of the current space, drawing order, or those of every
// layout ("X"); never what lies inside a block definition.
std::vector<AcDbObjectId> spaceEntities(bool wholeDrawing) {
    std::vector<AcDbObjectId> out;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr) return out;
    if (wholeDrawing) return db->store_().layoutEntities();
    const AcDbStub* space = currentSpace().stub();
    if (space == nullptr) return out;
    for (const AcDbObjectId& id : db->store_().entitiesOf(space)) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        const bool frozen = onFrozenLayer(ent);
        ent->close();
        if (!frozen) out.push_back(id);
    }
    return out;
}

std::optional<std::uint64_t> handleValue(const std::wstring& text) {
    const std::wstring h = trim(text);
    if (h.empty() || h.size() > 16) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : h) {
        if (!std::iswxdigit(c)) return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(
                                 std::iswdigit(c) ? c - L'0' : std::towupper(c) - L'A' + 10);
    }
    return value;
}

// The entity of the current space with the handle, frozen layers included
// (a handle names its entity outright).  Searched among that space's
// entities, not the drawing's handle index, so that an object elsewhere
// carrying the same handle cannot hide it.  With `attributes`, an ATTRIB of
// a block reference of the space counts too: a pick on the attribute text
// itself.
AcDbObjectId currentSpaceEntityByHandle(const std::wstring& text, bool attributes) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    const std::optional<std::uint64_t> value = handleValue(text);
    const AcDbStub* space = currentSpace().stub();
    if (db == nullptr || !value || *value == 0 || space == nullptr) return {};
    db::Store& st = db->store_();
    for (const AcDbObjectId& id : st.entitiesOf(space)) {
        if (id.stub()->handle == *value) return id;
        if (!attributes || id.stub()->type != "INSERT") continue;
        for (const AcDbObjectId& child : st.childrenOf(id.stub()))
            if (child.stub()->handle == *value && child.stub()->type == "ATTRIB") return child;
    }
    return {};
}

// The world point of a point typed in the user system.
void userToWorld(const double* user, double world[3]) {
    const double u[3] = {user[0], user[1], 0};
    ucsToWorld(currentUcs(), u, false, world);
}

// Box of the entity as the window shows it.  The view shows the drawing's
// plane in plan, world X to the right, whatever the user system: a window
// or a pick box drawn on the screen is a box of world x and y, also under a
// turned user system.
bool viewBox(const AcDbEntity* ent, double lo[2], double hi[2]) {
    AcDbExtents ext;
    if (ent->getGeomExtents(ext) != Acad::eOk || ext.isEmpty()) return false;
    lo[0] = ext.minPoint().x;
    lo[1] = ext.minPoint().y;
    hi[0] = ext.maxPoint().x;
    hi[1] = ext.maxPoint().y;
    return true;
}

// Corners in the user system; the window is the screen rectangle between them.
std::vector<AcDbObjectId> windowSelect(const double* p1, const double* p2, bool crossing) {
    double a[3], b[3];
    userToWorld(p1, a);
    userToWorld(p2, b);
    const double wlo[2] = {std::min(a[0], b[0]), std::min(a[1], b[1])};
    const double whi[2] = {std::max(a[0], b[0]), std::max(a[1], b[1])};
    std::vector<AcDbObjectId> out;
    for (const AcDbObjectId& id : spaceEntities(false)) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        double lo[2], hi[2];
        if (viewBox(ent, lo, hi)) {
            const bool inside =
                lo[0] >= wlo[0] && lo[1] >= wlo[1] && hi[0] <= whi[0] && hi[1] <= whi[1];
            const bool touches =
                lo[0] <= whi[0] && hi[0] >= wlo[0] && lo[1] <= whi[1] && hi[1] >= wlo[1];
            if (crossing ? touches : inside) out.push_back(id);
        }
        ent->close();
    }
    return out;
}

// Whether the second corner of a window lies left of the first on the
// screen, which makes the window a crossing one.
bool leftOf(const double* corner, const double* first) {
    double c[3], f[3];
    userToWorld(corner, c);
    userToWorld(first, f);
    return c[0] < f[0];
}

// Distance in the drawing's plane from p to the segment a-b (world points).
double distanceToSegment(const double p[2], const AcGePoint3d& a, const AcGePoint3d& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p[0] - a.x) * dx + (p[1] - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p[0] - (a.x + t * dx), p[1] - (a.y + t * dy));
}

PointPicker& windowPicker() {
    static PointPicker picker;
    return picker;
}

// What the window draws at the world point, if it can tell: an entity of
// the current space, or nothing.
std::optional<AcDbObjectId> pickInWindow(const double world[2]) {
    if (!windowPicker()) return std::nullopt;
    const std::optional<AcDbObjectId> id = windowPicker()(world[0], world[1]);
    if (!id || id->isNull()) return id;
    AcDbEntity* ent = nullptr;
    if (acdbOpenObject(ent, *id, AcDb::kForRead) != Acad::eOk) return std::nullopt;
    const bool here = ent->ownerId() == currentSpace();
    ent->close();
    return here ? id : std::nullopt;
}

// The entity under a picked point (user system): a line within the pick box
// of it, any other entity whose extents hold the point; the one drawn last
// wins.  The pick box is as if the drawing's extents filled a 1000-pixel
// view and the box were 3 pixels wide, so picking works at any drawing
// scale.  With a window showing the current space, what it picks there.
AcDbObjectId pickAt(const double picked[2]) {
    struct Candidate {
        AcDbObjectId id;
        double lo[2], hi[2];
        bool line;
        AcGePoint3d start, end;
    };
    double p[3];
    userToWorld(picked, p);
    if (const std::optional<AcDbObjectId> shown = pickInWindow(p)) return *shown;
    std::vector<Candidate> candidates;
    double lo[2] = {0, 0}, hi[2] = {0, 0};
    bool measured = false;
    for (const AcDbObjectId& id : spaceEntities(false)) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        Candidate c{id, {}, {}, false, {}, {}};
        const bool boxed = viewBox(ent, c.lo, c.hi);
        if (boxed) {
            for (int k = 0; k < 2; ++k) {
                lo[k] = measured ? std::min(lo[k], c.lo[k]) : c.lo[k];
                hi[k] = measured ? std::max(hi[k], c.hi[k]) : c.hi[k];
            }
            measured = true;
        }
        if (auto* line = dynamic_cast<AcDbLine*>(ent)) {
            c.line = true;
            c.start = line->startPoint();
            c.end = line->endPoint();
        }
        if (boxed || c.line) candidates.push_back(c);
        ent->close();
    }
    const double size = std::max(hi[0] - lo[0], hi[1] - lo[1]);
    const double tolerance = size > 0 ? size * 0.003 : 1e-6;
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        const bool hit = it->line
                             ? distanceToSegment(p, it->start, it->end) <= tolerance
                             : p[0] >= it->lo[0] - tolerance && p[0] <= it->hi[0] + tolerance &&
                                   p[1] >= it->lo[1] - tolerance && p[1] <= it->hi[1] + tolerance;
        if (hit) return it->id;
    }
    return {};
}

// Keeps the entities that pass the filter; counts the others.
std::vector<AcDbObjectId> applyFilter(const std::vector<AcDbObjectId>& ids, const resbuf* filter,
                                      int* filteredOut) {
    std::vector<AcDbObjectId> out;
    int dropped = 0;
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk) {
            ++dropped;
            continue;
        }
        (passesFilter(ent, filter) ? out.push_back(id) : void(++dropped));
        ent->close();
    }
    if (filteredOut != nullptr) *filteredOut = dropped;
    return out;
}

int finish(const std::vector<AcDbObjectId>& ids, ads_name ss) {
    if (ids.empty()) return RTERROR;
    makeSelectionSet(ids, ss);
    sel().previous = ids;
    return RTNORM;
}

struct Mode {
    bool prompts = false;  // ":$"
    bool single = false;   // ":S"
    wchar_t letter = 0;    // X, C, W, I, P, L or 0 for the prompt
    bool valid = true;
};

Mode parseMode(const ACHAR* str) {
    Mode m;
    if (str == nullptr) return m;
    std::wstring s = asciiUpper(str);
    std::erase(s, L'_');
    std::size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, 2, L":$") == 0) {
            m.prompts = true;
            i += 2;
        } else if (s.compare(i, 2, L":S") == 0) {
            m.single = true;
            i += 2;
        } else if (s.compare(i, 2, L":E") == 0 || s.compare(i, 2, L":N") == 0) {
            i += 2;  // entity detail options: nothing to add here
        } else if (m.letter == 0 && std::wcschr(L"XCWIPL", s[i]) != nullptr && s[i] != 0) {
            m.letter = s[i++];
        } else {
            m.valid = false;
            break;
        }
    }
    return m;
}

// The interactive selection: answers are handles, picked points, ALL, W,
// C, P, L, R, A, Enter to end.
int promptSelect(const Mode& mode, const void* pt1, const resbuf* filter, ads_name ss) {
    std::wstring addPrompt = L"Select objects: ";
    std::wstring removePrompt = L"Remove objects: ";
    if (mode.prompts && pt1 != nullptr) {
        const auto* texts = static_cast<const ACHAR* const*>(pt1);
        if (texts[0] != nullptr) addPrompt = texts[0];
        if (texts[1] != nullptr) removePrompt = texts[1];
    }
    std::vector<AcDbObjectId> chosen;
    const PromptScope scope(PromptKind::Selection, nullptr, &chosen);
    bool removing = false;
    for (;;) {
        const InputLine in = promptInput(removing ? removePrompt : addPrompt);
        if (in.kind != InputLine::Text) return RTCAN;
        const std::wstring word = asciiUpper(trim(in.text));
        if (word.empty()) return finish(chosen, ss);
        std::vector<AcDbObjectId> found;
        if (word == L"R" || word == L"REMOVE") {
            removing = true;
            continue;
        }
        if (word == L"A" || word == L"ADD") {
            removing = false;
            continue;
        }
        if (word == L"ALL") {
            found = spaceEntities(false);
        } else if (word == L"W" || word == L"C" || word == L"WINDOW" || word == L"CROSSING") {
            ads_point a, b;
            if (acedGetPoint(nullptr, L"Specify first corner: ", a) != RTNORM) return RTCAN;
            if (acedGetCorner(a, L"Specify opposite corner: ", b) != RTNORM) return RTCAN;
            found = windowSelect(a, b, word[0] == L'C');
        } else if (word == L"P" || word == L"PREVIOUS") {
            found = sel().previous;
        } else if (word == L"L" || word == L"LAST") {
            if (AcDbObjectId last = lastEntity(); !last.isNull()) found.push_back(last);
        } else if (AcDbObjectId id = currentSpaceEntityByHandle(word, false); !id.isNull()) {
            found.push_back(id);
        } else if (ads_point p; resolveTypedPoint(word, nullptr, p)) {
            if (AcDbObjectId picked = pickAt(p); !picked.isNull()) {
                found.push_back(picked);
            } else {
                // Nothing there: the point opens a window, to the right an
                // enclosing one, to the left a crossing one.
                ads_point corner;
                if (acedGetCorner(p, L"Specify opposite corner: ", corner) != RTNORM) return RTCAN;
                found = windowSelect(p, corner, leftOf(corner, p));
            }
        } else {
            writeCommandLine(L"*Invalid selection*\n");
            continue;
        }
        int dropped = 0;
        found = applyFilter(found, filter, &dropped);
        int changed = 0;
        for (const AcDbObjectId& id : found) {
            auto it = std::find(chosen.begin(), chosen.end(), id);
            if (removing && it != chosen.end()) {
                chosen.erase(it);
                ++changed;
            } else if (!removing && it == chosen.end()) {
                chosen.push_back(id);
                ++changed;
            }
        }
        if (!echoSuppressed()) {
            std::wstring report = std::to_wstring(found.size()) + L" found";
            if (removing) report += L", " + std::to_wstring(changed) + L" removed";
            report += L", " + std::to_wstring(chosen.size()) + L" total\n";
            writeCommandLine(report);
            if (dropped > 0) writeCommandLine(std::to_wstring(dropped) + L" were filtered out.\n");
        }
        if (mode.single && !chosen.empty()) return finish(chosen, ss);
    }
}
}  // namespace

void setPointPicker(PointPicker picker) {
    windowPicker() = std::move(picker);
}

std::vector<AcDbObjectId> pickfirstIds() {
    return sel().pickfirst;
}
void setPickfirst(const std::vector<AcDbObjectId>& ids) {
    sel().pickfirst = ids;
}

void makeSelectionSet(const std::vector<AcDbObjectId>& ids, ads_name ss) {
    const std::int64_t key = sel().nextSet++;
    sel().sets[key] = ids;
    ss[0] = key;
    ss[1] = kSetTag;
}

std::vector<AcDbObjectId> selectionSetIds(const ads_name ss) {
    const auto* set = setOf(ss);
    return set != nullptr ? *set : std::vector<AcDbObjectId>{};
}

int openSelectionSets() {
    return static_cast<int>(sel().sets.size());
}

void forgetDatabase(const AcDbDatabase* db) {
    for (NameEntry& e : sel().names)
        if (e.db == db) e = NameEntry{AcDbObjectId(), nullptr};
    // Ids cannot tell their drawing once it is gone: the selections that
    // outlive a command are dropped.
    sel().pickfirst.clear();
    sel().previous.clear();
    sel().highlighted.clear();
}

bool entityOnLockedLayer(AcDbObjectId id) {
    const AcDbStub* s = id.stub();
    return s != nullptr && s->db != nullptr && s->db->store_().onLockedLayer(s);
}

AcDbObjectId entityByAnswer(const std::wstring& answer, AcGePoint3d* pickedWorld) {
    if (AcDbObjectId id = currentSpaceEntityByHandle(answer, true); !id.isNull()) {
        if (pickedWorld != nullptr) {
            *pickedWorld = AcGePoint3d();
            AcDbEntity* ent = nullptr;
            if (acdbOpenObject(ent, id, AcDb::kForRead) == Acad::eOk) {
                AcDbExtents ext;
                if (ent->getGeomExtents(ext) == Acad::eOk && !ext.isEmpty())
                    *pickedWorld = ext.minPoint();
                ent->close();
            }
        }
        return id;
    }
    ads_point p;
    if (!resolveTypedPoint(trim(answer), nullptr, p)) return {};
    const AcDbObjectId id = pickAt(p);
    if (!id.isNull() && pickedWorld != nullptr) {
        double world[3];
        ucsToWorld(currentUcs(), p, false, world);
        *pickedWorld = AcGePoint3d(world[0], world[1], world[2]);
    }
    return id;
}

AcDbObjectId entityByHandle(const std::wstring& handle) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    const std::optional<std::uint64_t> value = handleValue(handle);
    AcDbObjectId id;
    if (db == nullptr || !value ||
        db->getAcDbObjectId(id, false, AcDbHandle(*value)) != Acad::eOk || id.isNull())
        return {};
    AcDbEntity* ent = nullptr;
    if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk) return {};
    ent->close();
    return id;
}

AcDbObjectId currentSpace() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr) return {};
    const std::optional<VarValue> cvport = getVar(L"CVPORT");
    if (cvport && cvport->integer == 1) {
        if (AcDbStub* paper = db->store_().paperSpace()) return AcDbObjectId(paper);
    }
    return db->currentSpaceId();
}

int redrawCount() {
    return sel().redraws;
}

bool isHighlighted(AcDbObjectId id) {
    const auto& lit = sel().highlighted;
    return std::find(lit.begin(), lit.end(), id) != lit.end();
}

std::vector<AcDbObjectId> highlightedIds() {
    return sel().highlighted;
}

void setRedrawListener(RedrawListener listener) {
    sel().redrawListener = std::move(listener);
}

AcDbObjectId lastEntity() {
    const auto ids = spaceEntities(false);
    return ids.empty() ? AcDbObjectId() : ids.back();
}

}  // namespace cadhost

using cadhost::sel;

int acedSSGet(const ACHAR* str, const void* pt1, const void* pt2, const resbuf* filter,
              ads_name ss) {
    if (ss == nullptr) return RTERROR;
    const cadhost::Mode mode = cadhost::parseMode(str);
    if (!mode.valid) return RTERROR;
    if (acdbHostApplicationServices()->workingDatabase() == nullptr) return RTERROR;
    std::vector<AcDbObjectId> ids;
    switch (mode.letter) {
        case L'X':
            ids = cadhost::spaceEntities(true);
            break;
        case L'C':
        case L'W':
            if (pt1 == nullptr || pt2 == nullptr) return RTERROR;
            ids = cadhost::windowSelect(static_cast<const double*>(pt1),
                                        static_cast<const double*>(pt2), mode.letter == L'C');
            break;
        case L'I':
            ids = sel().pickfirst;
            break;
        case L'P':
            ids = sel().previous;
            break;
        case L'L':
            if (AcDbObjectId last = cadhost::lastEntity(); !last.isNull()) ids.push_back(last);
            break;
        default: {
            // A command that takes the pick-first set gets it without a prompt.
            if ((cadhost::activeCommandFlags() & ACRX_CMD_USEPICKSET) != 0 &&
                !sel().pickfirst.empty()) {
                ids = cadhost::applyFilter(sel().pickfirst, filter, nullptr);
                sel().pickfirst.clear();
                if (!ids.empty()) return cadhost::finish(ids, ss);
            }
            return cadhost::promptSelect(mode, pt1, filter, ss);
        }
    }
    return cadhost::finish(cadhost::applyFilter(ids, filter, nullptr), ss);
}

int acedSSLength(const ads_name sname, std::int32_t* len) {
    const auto* set = cadhost::setOf(sname);
    if (set == nullptr || len == nullptr) return RTERROR;
    *len = static_cast<std::int32_t>(set->size());
    return RTNORM;
}

int acedSSName(const ads_name ss, std::int32_t i, ads_name entres) {
    const auto* set = cadhost::setOf(ss);
    if (set == nullptr || entres == nullptr || i < 0 || static_cast<std::size_t>(i) >= set->size())
        return RTERROR;
    acdbGetAdsName(reinterpret_cast<ads_name&>(*entres), (*set)[static_cast<std::size_t>(i)]);
    return RTNORM;
}

int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result) {
    if (result == nullptr) return RTERROR;
    AcDbObjectId id;
    if (ename != nullptr && acdbGetObjectId(id, ename) != Acad::eOk) return RTERROR;
    if (sname == nullptr) {
        cadhost::makeSelectionSet(
            ename != nullptr ? std::vector<AcDbObjectId>{id} : std::vector<AcDbObjectId>{}, result);
        return RTNORM;
    }
    auto* set = cadhost::setOf(sname);
    if (set == nullptr) return RTERROR;
    if (ename != nullptr && std::find(set->begin(), set->end(), id) == set->end())
        set->push_back(id);
    ads_name_set(sname, result);
    return RTNORM;
}

int acedSSDel(const ads_name ename, const ads_name ss) {
    auto* set = cadhost::setOf(ss);
    AcDbObjectId id;
    if (set == nullptr || ename == nullptr || acdbGetObjectId(id, ename) != Acad::eOk)
        return RTERROR;
    auto it = std::find(set->begin(), set->end(), id);
    if (it == set->end()) return RTERROR;
    set->erase(it);
    return RTNORM;
}

int acedSSFree(const ads_name sname) {
    if (cadhost::setOf(sname) == nullptr) return RTERROR;
    sel().sets.erase(sname[0]);
    return RTNORM;
}

int acedSSSetFirst(const ads_name pset, const ads_name) {
    if (pset == nullptr) {
        sel().pickfirst.clear();
        return RTNORM;
    }
    const auto* set = cadhost::setOf(pset);
    if (set == nullptr) return RTERROR;
    sel().pickfirst = *set;
    return RTNORM;
}

int acedSSGetFirst(resbuf** gset, resbuf** pset) {
    if (gset != nullptr) *gset = nullptr;
    if (pset == nullptr) return RTNORM;
    *pset = nullptr;
    if (sel().pickfirst.empty()) return RTNORM;
    *pset = acutNewRb(RTPICKS);
    cadhost::makeSelectionSet(sel().pickfirst, (*pset)->resval.rlname);
    return RTNORM;
}

// Mode 1 draws, 2 undraws, 3 highlights and 4 unhighlights an entity; a
// null name redraws the whole view and keeps every highlight.
int acedRedraw(const ads_name ent, int mode) {
    if (mode < 1 || mode > 4) return RTERROR;
    ++sel().redraws;
    if (ent == nullptr || (ent[0] == 0 && ent[1] == 0)) {
        if (sel().redrawListener) sel().redrawListener(AcDbObjectId(), mode);
        return RTNORM;
    }
    AcDbObjectId id;
    if (acdbGetObjectId(id, ent) != Acad::eOk) return RTERROR;
    auto& lit = sel().highlighted;
    const auto it = std::find(lit.begin(), lit.end(), id);
    if (mode == 3 && it == lit.end()) lit.push_back(id);
    if ((mode == 4 || mode == 2) && it != lit.end()) lit.erase(it);
    if (sel().redrawListener) sel().redrawListener(id, mode);
    return RTNORM;
}

int acdbEntLast(ads_name result) {
    const AcDbObjectId id = cadhost::lastEntity();
    if (result == nullptr || id.isNull()) return RTERROR;
    acdbGetAdsName(reinterpret_cast<ads_name&>(*result), id);
    return RTNORM;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId) {
    if (objId.isNull()) return Acad::eNullObjectId;
    auto& names = sel().names;
    std::size_t index = 0;
    while (index < names.size() && !(names[index].id == objId)) ++index;
    if (index == names.size())
        names.push_back({objId, acdbHostApplicationServices()->workingDatabase()});
    objName[0] = static_cast<std::int64_t>(index + 1);
    objName[1] = cadhost::kEntityTag;
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName) {
    if (objName == nullptr || objName[1] != cadhost::kEntityTag || objName[0] < 1 ||
        static_cast<std::size_t>(objName[0]) > sel().names.size())
        return Acad::eInvalidInput;
    const cadhost::NameEntry& e = sel().names[static_cast<std::size_t>(objName[0] - 1)];
    if (e.id.isNull()) return Acad::eInvalidInput;
    objId = e.id;
    return Acad::eOk;
}
