#pragma once

#include <functional>

#include "cadhost/db/acdb_all.h"

namespace tarsil {

// The command TSTA: one block reference picked, its attributes as the rows
// of the multi-line text editor.  "CMDECHO", "OSMODE" and the current
// directory are as before the command whichever way it ends.
void RunTsta();

// The same editor on a block reference that another command picked (the
// module's DDEDIT); command names it in the line printed without a window.
void EditAttributesFor(const wchar_t* command, AcDbObjectId blockReference);

// What opens the editor on the current collection, for the command that
// the user ran; the multi-line text editor dialog unless replaced (tests).
using AttributeEditorOpener = std::function<void(const wchar_t* command)>;
AttributeEditorOpener SetAttributeEditorOpener(AttributeEditorOpener opener);

}  // namespace tarsil
