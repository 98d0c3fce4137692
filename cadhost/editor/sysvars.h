#pragma once

// System variables: named, typed values of the host.  Some live in the
// drawing (and in its DXF header), the others in the session.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cadhost/rx/adsdefs.h"

int acedGetVar(const ACHAR* sym, resbuf* result);
int acedSetVar(const ACHAR* sym, const resbuf* value);

namespace cadhost {

struct VarValue {
    short type = RTNONE;  // RTREAL, RTSHORT, RTSTR, RT3DPOINT or RTLONG
    double real = 0;
    long integer = 0;  // RTSHORT and RTLONG
    std::wstring text;
    double point[3] = {0, 0, 0};

    static VarValue ofReal(double v);
    static VarValue ofShort(short v);
    static VarValue ofString(std::wstring v);
    static VarValue ofPoint(double x, double y, double z);
    bool operator==(const VarValue& other) const;
};

struct SysVarInfo {
    std::wstring name;
    short type;
    bool readOnly;
    bool inDrawing;       // saved with the drawing
    std::wstring header;  // its DXF header variable, "" when none
};

// Values of the variables a drawing stores, kept by each document.
using DrawingVars = std::map<std::wstring, VarValue>;
DrawingVars defaultDrawingVars();

const SysVarInfo* findSysVar(const std::wstring& name);
const std::vector<SysVarInfo>& allSysVars();
std::optional<VarValue> getVar(const std::wstring& name);
// Sets a variable, read-only or not; false for an unknown name or wrong type.
bool setVarInternal(const std::wstring& name, const VarValue& value);
// Resets the session variables to their initial values (tests, NEW host).
void resetSessionVars();
// Variables that the database itself keeps (the current text size and
// style): get gives nothing and set false for other names.
struct DatabaseVarHooks {
    std::optional<VarValue> (*get)(const std::wstring& name) = nullptr;
    std::optional<bool> (*set)(const std::wstring& name, const VarValue& value) = nullptr;
};
void setDatabaseVarHooks(DatabaseVarHooks hooks);
// The document whose drawing variables are read; null gives a scratch set.
void setDrawingVarsSource(DrawingVars* (*source)());

}  // namespace cadhost
