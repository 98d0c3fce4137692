#include "cadhost/editor/sysvars.h"

#include "cadhost/rx/wide.h"

namespace cadhost {

VarValue VarValue::ofReal(double v) {
    VarValue r;
    r.type = RTREAL;
    r.real = v;
    return r;
}
VarValue VarValue::ofShort(short v) {
    VarValue r;
    r.type = RTSHORT;
    r.integer = v;
    return r;
}
VarValue VarValue::ofString(std::wstring v) {
    VarValue r;
    r.type = RTSTR;
    r.text = std::move(v);
    return r;
}
VarValue VarValue::ofPoint(double x, double y, double z) {
    VarValue r;
    r.type = RT3DPOINT;
    r.point[0] = x;
    r.point[1] = y;
    r.point[2] = z;
    return r;
}
bool VarValue::operator==(const VarValue& o) const {
    return type == o.type && real == o.real && integer == o.integer && text == o.text &&
           point[0] == o.point[0] && point[1] == o.point[1] && point[2] == o.point[2];
}

namespace {
const std::vector<SysVarInfo>& table() {
    static const std::vector<SysVarInfo> vars = {
        {L"ACADPREFIX", RTSTR, true, false, L""},
        {L"ACADVER", RTSTR, true, false, L""},
        {L"CLAYER", RTSTR, false, true, L"$CLAYER"},
        {L"CMDECHO", RTSHORT, false, false, L""},
        {L"CVPORT", RTSHORT, false, false, L""},
        {L"DTEXTED", RTSHORT, false, false, L""},
        {L"DWGNAME", RTSTR, true, false, L""},
        {L"DWGPREFIX", RTSTR, true, false, L""},
        {L"LASTPOINT", RT3DPOINT, false, false, L""},
        {L"OSMODE", RTSHORT, false, true, L"$OSMODE"},
        {L"PICKFIRST", RTSHORT, false, false, L""},
        {L"TEXTSIZE", RTREAL, false, true, L"$TEXTSIZE"},
        {L"TEXTSTYLE", RTSTR, false, true, L"$TEXTSTYLE"},
        {L"TILEMODE", RTSHORT, false, true, L"$TILEMODE"},
        {L"UCSORG", RT3DPOINT, true, true, L"$UCSORG"},
        {L"UCSXDIR", RT3DPOINT, true, true, L"$UCSXDIR"},
        {L"UCSYDIR", RT3DPOINT, true, true, L"$UCSYDIR"},
    };
    return vars;
}

std::map<std::wstring, VarValue> initialSession() {
    return {
        {L"ACADPREFIX", VarValue::ofString(L"")},
        {L"ACADVER", VarValue::ofString(L"20.0s (LMS Tech)")},
        {L"CMDECHO", VarValue::ofShort(1)},
        {L"CVPORT", VarValue::ofShort(2)},
        {L"DTEXTED", VarValue::ofShort(2)},
        {L"DWGNAME", VarValue::ofString(L"Drawing1.dwg")},
        {L"DWGPREFIX", VarValue::ofString(L"")},
        {L"LASTPOINT", VarValue::ofPoint(0, 0, 0)},
        {L"PICKFIRST", VarValue::ofShort(1)},
    };
}

std::map<std::wstring, VarValue>& session() {
    static std::map<std::wstring, VarValue> vars = initialSession();
    return vars;
}

DatabaseVarHooks databaseHooks;
std::wstring refusal;

// Drawing variables while no drawing is open.
DrawingVars& drawingVars() {
    static DrawingVars scratch = defaultDrawingVars();
    return scratch;
}

VarValue* slotOf(const SysVarInfo& info) {
    auto& store = info.inDrawing ? drawingVars() : session();
    auto it = store.find(info.name);
    return it != store.end() ? &it->second : nullptr;
}

// Converts the caller's value to the variable's type, as the host accepts
// an integer for a real and a short for a long.
std::optional<VarValue> coerce(short type, const VarValue& v) {
    if (v.type == type) return v;
    const bool numeric = v.type == RTSHORT || v.type == RTLONG || v.type == RTREAL;
    if (type == RTREAL && (v.type == RTSHORT || v.type == RTLONG))
        return VarValue::ofReal(static_cast<double>(v.integer));
    if ((type == RTSHORT || type == RTLONG) && numeric && v.type != RTREAL) {
        VarValue r = v;
        r.type = type;
        return r;
    }
    if (type == RT3DPOINT && v.type == RTPOINT) {
        VarValue r = v;
        r.type = RT3DPOINT;
        return r;
    }
    return std::nullopt;
}
}  // namespace

DrawingVars defaultDrawingVars() {
    return {
        {L"CLAYER", VarValue::ofString(L"0")},    {L"OSMODE", VarValue::ofShort(4133)},
        {L"TEXTSIZE", VarValue::ofReal(2.5)},     {L"TEXTSTYLE", VarValue::ofString(L"Standard")},
        {L"TILEMODE", VarValue::ofShort(1)},      {L"UCSORG", VarValue::ofPoint(0, 0, 0)},
        {L"UCSXDIR", VarValue::ofPoint(1, 0, 0)}, {L"UCSYDIR", VarValue::ofPoint(0, 1, 0)},
    };
}

const SysVarInfo* findSysVar(const std::wstring& name) {
    const std::wstring upper = asciiUpper(name);
    for (const auto& info : table())
        if (info.name == upper) return &info;
    return nullptr;
}

const std::vector<SysVarInfo>& allSysVars() {
    return table();
}

std::optional<VarValue> getVar(const std::wstring& name) {
    const SysVarInfo* info = findSysVar(name);
    if (info == nullptr) return std::nullopt;
    if (databaseHooks.get != nullptr)
        if (auto v = databaseHooks.get(info->name)) return v;
    VarValue* slot = slotOf(*info);
    if (slot == nullptr) return std::nullopt;
    return *slot;
}

bool setVarInternal(const std::wstring& name, const VarValue& value) {
    refusal.clear();
    const SysVarInfo* info = findSysVar(name);
    if (info == nullptr) {
        refusal = L"unknown variable name";
        return false;
    }
    const auto converted = coerce(info->type, value);
    if (!converted) {
        refusal = info->name + L" takes another type of value";
        return false;
    }
    if (databaseHooks.set != nullptr)
        if (auto why = databaseHooks.set(info->name, *converted)) {
            refusal = *why;
            return why->empty();
        }
    if (converted->type == RTSHORT && (converted->integer < -32768 || converted->integer > 32767)) {
        refusal = info->name + L" must be from -32768 to 32767";
        return false;
    }
    auto& store = info->inDrawing ? drawingVars() : session();
    store[info->name] = *converted;
    return true;
}

void resetSessionVars() {
    session() = initialSession();
}

const std::wstring& setVarRefusal() {
    return refusal;
}
void setDatabaseVarHooks(DatabaseVarHooks hooks) {
    databaseHooks = hooks;
}

}  // namespace cadhost

int acedGetVar(const ACHAR* sym, resbuf* result) {
    if (sym == nullptr || result == nullptr) return RTERROR;
    const auto value = cadhost::getVar(sym);
    if (!value) return RTERROR;
    result->restype = value->type;
    switch (value->type) {
        case RTREAL:
            result->resval.rreal = value->real;
            break;
        case RTSHORT:
            result->resval.rint = static_cast<short>(value->integer);
            break;
        case RTLONG:
            result->resval.rlong = static_cast<std::int32_t>(value->integer);
            break;
        case RTSTR:
            acutNewString(value->text.c_str(), result->resval.rstring);
            break;
        case RT3DPOINT:
            ads_point_set(value->point, result->resval.rpoint);
            break;
        default:
            return RTERROR;
    }
    return RTNORM;
}

int acedSetVar(const ACHAR* sym, const resbuf* value) {
    if (sym == nullptr || value == nullptr) return RTERROR;
    const cadhost::SysVarInfo* info = cadhost::findSysVar(sym);
    if (info == nullptr || info->readOnly) return RTERROR;
    cadhost::VarValue v;
    v.type = value->restype;
    switch (value->restype) {
        case RTREAL:
        case RTANG:
            v.type = RTREAL;
            v.real = value->resval.rreal;
            break;
        case RTSHORT:
            v.integer = value->resval.rint;
            break;
        case RTLONG:
            v.integer = value->resval.rlong;
            break;
        case RTSTR:
            if (value->resval.rstring == nullptr) return RTERROR;
            v.text = value->resval.rstring;
            break;
        case RTPOINT:
        case RT3DPOINT:
            ads_point_set(value->resval.rpoint, v.point);
            if (value->restype == RTPOINT) v.point[2] = 0;
            break;
        default:
            return RTERROR;
    }
    return cadhost::setVarInternal(info->name, v) ? RTNORM : RTERROR;
}
