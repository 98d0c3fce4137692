#pragma once

#include <functional>

#include "cadhost/db/acdb_all.h"

namespace tarsil {

// The command TSTD: one dimension picked, then the dimension text editor.
// There is no new dimension: anything but a pick ends the command.
void RunTstd();

// The dimension text editor on one dimension that another command picked
// (the module's DDEDIT); command names it in the line printed without a window.
void EditDimensionFor(const wchar_t* command, AcDbObjectId dimension);

// What opens the editor; the dimension text dialog unless replaced (tests).
using DimensionEditorOpener = std::function<void(AcDbObjectId dimension)>;
DimensionEditorOpener SetDimensionEditorOpener(DimensionEditorOpener opener);

}  // namespace tarsil
