// Which editor opens for an annotation object, by its entity type.  A kind
// whose editor is not there yet prints the command that edits it.
#pragma once

#include <span>
#include <string>

#include "cadhost/db/objectid.h"

namespace tarsil {

struct AnnotationEditor {
    const wchar_t* entityType;  // "TEXT", "MTEXT", ...
    // Opens the editor on the object; command is what the user ran.
    void (*edit)(const wchar_t* command, AcDbObjectId object);
    // Printed instead when there is no editor to open.
    const wchar_t* useInstead;
};

std::span<const AnnotationEditor> AnnotationEditors();
// The entity types of the table, "," separated, as a selection filter.
std::wstring AnnotationTypes();
// The table's row for a type; null for any other.
const AnnotationEditor* AnnotationEditorFor(const std::wstring& entityType);

}  // namespace tarsil
