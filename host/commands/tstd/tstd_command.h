#pragma once

#include <functional>

#include "cadhost/db/acdb_all.h"

namespace tarsil {

// The command TSTD: one dimension picked, then the dimension text editor.
// There is no new dimension: anything but a pick ends the command.
void RunTstd();

// What opens the editor; the dimension text dialog unless replaced (tests).
using DimensionEditorOpener = std::function<void(AcDbObjectId dimension)>;
DimensionEditorOpener SetDimensionEditorOpener(DimensionEditorOpener opener);

}  // namespace tarsil
