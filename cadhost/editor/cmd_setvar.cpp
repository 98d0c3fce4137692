// SETVAR: names a system variable and gives it a new value, asking again
// while the value is one the variable (or the drawing) cannot hold.
#include <cstdio>

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/parse.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
std::wstring shown(const VarValue& v) {
    wchar_t buf[128];
    switch (v.type) {
        case RTREAL:
            std::swprintf(buf, 128, L"%.4f", v.real);
            return buf;
        case RTSHORT:
        case RTLONG:
            return std::to_wstring(v.integer);
        case RT3DPOINT:
            std::swprintf(buf, 128, L"%.4f,%.4f,%.4f", v.point[0], v.point[1], v.point[2]);
            return buf;
        default:
            return L"\"" + v.text + L"\"";
    }
}

// The typed answer as a value of the variable's type, or nothing.
std::optional<VarValue> typedValue(short type, const std::wstring& text) {
    VarValue v;
    v.type = type;
    switch (type) {
        case RTREAL:
            if (auto r = parseReal(text)) return VarValue::ofReal(*r);
            return std::nullopt;
        case RTSHORT:
        case RTLONG:
            if (auto n = parseInteger(text)) {
                v.integer = *n;
                return v;
            }
            return std::nullopt;
        case RT3DPOINT:
            if (auto p = parsePoint(text); p && !p->relative)
                return VarValue::ofPoint(p->xyz[0], p->xyz[1], p->xyz[2]);
            return std::nullopt;
        default:
            v.text = text;
            return v;
    }
}

void setvarCommand() {
    const InputLine name = promptInput(L"Enter variable name: ");
    if (name.kind != InputLine::Text || trim(name.text).empty()) return;
    const SysVarInfo* info = findSysVar(trim(name.text));
    if (info == nullptr) {
        writeCommandLine(L"Unknown variable name.\n");
        return;
    }
    const auto current = getVar(info->name);
    if (info->readOnly) {
        writeCommandLine(info->name + L" = " + (current ? shown(*current) : L"") +
                         L" (read only)\n");
        return;
    }
    for (;;) {
        const InputLine in = promptInput(L"Enter new value for " + info->name + L" <" +
                                         (current ? shown(*current) : L"") + L">: ");
        if (in.kind != InputLine::Text || in.text.empty()) return;
        const auto value = typedValue(info->type, in.text);
        if (value && setVarInternal(info->name, *value)) return;
        writeCommandLine(L"Invalid value: " +
                         (value ? setVarRefusal() : info->name + L" takes another type of value") +
                         L".\n");
    }
}
}  // namespace

void registerSetvarCommand() {
    addHostCommand(L"SETVAR", setvarCommand, ACRX_CMD_TRANSPARENT);
}

}  // namespace cadhost
