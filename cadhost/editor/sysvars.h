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

// Values of the variables a drawing stores: the defaults of a drawing whose
// header lacks them, and the values used while no drawing is open.
using DrawingVars = std::map<std::wstring, VarValue>;
DrawingVars defaultDrawingVars();

const SysVarInfo* findSysVar(const std::wstring& name);
const std::vector<SysVarInfo>& allSysVars();
std::optional<VarValue> getVar(const std::wstring& name);
// Sets a variable, read-only or not; false for an unknown name, a wrong
// type or a value the variable cannot hold (setVarRefusal() says why).
bool setVarInternal(const std::wstring& name, const VarValue& value);
const std::wstring& setVarRefusal();
// Resets the session variables to their initial values (tests, NEW host).
void resetSessionVars();
// Variables that the current drawing keeps: get and set give nothing for a
// name they do not handle (or while no drawing is open); set gives "" when
// the value was taken, else why it was refused.
struct DatabaseVarHooks {
    std::optional<VarValue> (*get)(const std::wstring& name) = nullptr;
    std::optional<std::wstring> (*set)(const std::wstring& name, const VarValue& value) = nullptr;
};
void setDatabaseVarHooks(DatabaseVarHooks hooks);

}  // namespace cadhost
