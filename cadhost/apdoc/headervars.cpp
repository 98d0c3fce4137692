#include "cadhost/apdoc/headervars.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "cadhost/db/acdb_all.h"
#include "cadhost/db/store.h"
#include "cadhost/dxf/codepage.h"

namespace cadhost {
namespace {
using db::Store;

// Shortest text that reads back as the same double, with a decimal point
// as DXF writers put one.
std::string realText(double v) {
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, r.ptr);
    if (s.find_first_of(".en") == std::string::npos) s += ".0";
    return s;
}

double realOf(const std::string& s, double fallback) {
    double d = fallback;
    const char* b = s.data();
    if (!s.empty() && s[0] == '+') ++b;
    std::from_chars(b, s.data() + s.size(), d);
    return d;
}

// The group code that carries a string variable's value.
int stringCode(const SysVarInfo& info) {
    return info.name == L"CLAYER" ? 8 : 7;
}

bool finite3(const double p[3]) {
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

// A variable's allowed range: the header's integer groups are 16-bit.
std::wstring checkInteger(const SysVarInfo& info, long v) {
    long lo = -32768, hi = 32767;
    if (info.name == L"OSMODE") lo = 0;
    if (info.name == L"TILEMODE") lo = 0, hi = 1;
    if (v < lo || v > hi)
        return info.name + L" must be from " + std::to_wstring(lo) + L" to " + std::to_wstring(hi);
    return {};
}
}  // namespace

std::optional<VarValue> readDrawingVar(const AcDbDatabase& db, const SysVarInfo& info) {
    if (!info.inDrawing || info.header.empty()) return std::nullopt;
    const Store& st = db.store_();
    std::optional<VarValue> fallback;
    const DrawingVars defaults = defaultDrawingVars();
    if (auto it = defaults.find(info.name); it != defaults.end()) fallback = it->second;
    const std::string header(info.header.begin(), info.header.end());
    const Store::HeaderGroups groups = st.headerGroups(header);
    if (groups.empty()) return fallback;
    VarValue v = fallback.value_or(VarValue{});
    v.type = info.type;
    for (const auto& [code, value] : groups) {
        if (code >= 10 && code <= 39)
            v.point[code / 10 - 1] = realOf(value, v.point[code / 10 - 1]);
        else if (code >= 40 && code <= 59)
            v.real = realOf(value, v.real);
        else if (code >= 60 && code <= 99)
            v.integer = std::strtol(value.c_str(), nullptr, 10);
        else
            v.text = st.codec().decode(value);
    }
    return v;
}

namespace {

// The groups that store a value of the variable; why not when it can't be
// stored.
std::wstring groupsOf(AcDbDatabase& db, const SysVarInfo& info, const VarValue& value,
                      Store::HeaderGroups& groups) {
    Store& st = db.store_();
    switch (info.type) {
        case RTSHORT:
        case RTLONG: {
            if (std::wstring why = checkInteger(info, value.integer); !why.empty()) return why;
            groups = {{info.type == RTSHORT ? 70 : 90, std::to_string(value.integer)}};
            break;
        }
        case RTREAL:
            if (!std::isfinite(value.real) || (info.name == L"TEXTSIZE" && !(value.real > 0)))
                return info.name + L" must be a number above 0";
            groups = {{40, realText(value.real)}};
            break;
        case RTSTR: {
            std::wstring name = value.text;
            // Names stand for table entries: the entry must exist, and is
            // written as the table spells it.
            const char* table = info.name == L"CLAYER" ? "LAYER" : "STYLE";
            // A name typed in the code page's own letters ("שכבה") stands
            // for the bytes the drawing keeps.
            const AcDbStub* entry = st.tableEntry(table, name);
            if (entry == nullptr)
                entry = st.tableEntry(table, dxf::toCodePage(name, db.codePage()));
            if (entry == nullptr)
                return (info.name == L"CLAYER" ? L"no layer \"" : L"no text style \"") + name +
                       L"\" in the drawing";
            name = st.nameOf(entry);
            groups = {{stringCode(info), st.codec().encode(name)}};
            break;
        }
        case RT3DPOINT:
            if (!finite3(value.point)) return info.name + L" must be a point of finite numbers";
            groups = {{10, realText(value.point[0])},
                      {20, realText(value.point[1])},
                      {30, realText(value.point[2])}};
            break;
        default:
            return info.name + L" has a type the drawing cannot store";
    }
    return {};
}

}  // namespace

std::wstring writeDrawingVar(AcDbDatabase& db, const SysVarInfo& info, const VarValue& value) {
    if (!info.inDrawing || info.header.empty()) return info.name + L" is not a drawing variable";
    Store& st = db.store_();
    Store::HeaderGroups groups;
    if (std::wstring why = groupsOf(db, info, value, groups); !why.empty()) return why;
    const std::string header(info.header.begin(), info.header.end());
    // A variable the file did not hold, set back to the value it has when
    // absent, leaves the header as it was read: a command that changes a
    // variable for a while and puts it back leaves no trace in the file.
    const DrawingVars defaults = defaultDrawingVars();
    if (auto it = defaults.find(info.name); it != defaults.end()) {
        Store::HeaderGroups absent;
        if (groupsOf(db, info, it->second, absent).empty() && absent == groups &&
            st.removeAddedHeaderVariable(header))
            return {};
    }
    st.setHeaderGroups(header, groups);
    return {};
}

}  // namespace cadhost
