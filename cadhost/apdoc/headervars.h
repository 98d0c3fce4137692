#pragma once

// The drawing variables a drawing keeps in its DXF header ($CLAYER,
// $OSMODE, $UCSORG, ...), read from and written to the database's own header
// object: what is not changed stays byte for byte, a change joins the undo
// group, and a value the drawing could not hold is refused.
#include <optional>
#include <string>

#include "cadhost/editor/sysvars.h"

class AcDbDatabase;

namespace cadhost {
// The variable's value in the drawing, or its default when the header does
// not hold it; nothing for a variable that is not a drawing's.
std::optional<VarValue> readDrawingVar(const AcDbDatabase& db, const SysVarInfo& info);
// Sets the variable in the drawing's header.  Empty on success, else why
// the value was refused (nothing changed then).
std::wstring writeDrawingVar(AcDbDatabase& db, const SysVarInfo& info, const VarValue& value);
}  // namespace cadhost
