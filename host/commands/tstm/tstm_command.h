#pragma once

#include <functional>

#include "cadhost/db/acdb_all.h"

namespace tarsil {

// The command TSTM: one MText picked (its id, the point unused) or, on
// Enter, a point for a new one (a null id), then the MText editor.
void RunTstm();

// The MText editor on one MText that another command picked (the module's
// DDEDIT); command names it in the line printed without a window.
void EditMTextFor(const wchar_t* command, AcDbObjectId mtext);

// What opens the editor; the MText editor dialog unless replaced (tests).
using MTextEditorOpener = std::function<void(AcDbObjectId mtext, const AcGePoint3d& insertion)>;
MTextEditorOpener SetMTextEditorOpener(MTextEditorOpener opener);

}  // namespace tarsil
