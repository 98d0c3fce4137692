#include "host/commands/replaced/annotation_editors.h"

#include <array>

#include "host/commands/tsta/tsta_command.h"
#include "host/commands/tstd/tstd_command.h"
#include "host/commands/tstm/tstm_command.h"
#include "host/commands/tstt/tstt_command.h"

namespace tarsil {
namespace {

void EditText(const wchar_t* command, AcDbObjectId text) {
    TsttEditTexts(command, {text});
}

// One row per kind of annotation that DDEDIT edits.
constexpr std::array<AnnotationEditor, 5> kEditors{{
    {L"TEXT", EditText, nullptr},
    {L"MTEXT", EditMTextFor, nullptr},
    {L"DIMENSION", EditDimensionFor, nullptr},
    {L"INSERT", EditAttributesFor, nullptr},
    {L"ATTRIB", nullptr, L"Edit attributes with TSTA.\n"},
}};

}  // namespace

std::span<const AnnotationEditor> AnnotationEditors() {
    return kEditors;
}

std::wstring AnnotationTypes() {
    std::wstring types;
    for (const AnnotationEditor& row : kEditors) {
        if (!types.empty()) types += L',';
        types += row.entityType;
    }
    return types;
}

const AnnotationEditor* AnnotationEditorFor(const std::wstring& entityType) {
    for (const AnnotationEditor& row : kEditors) {
        if (entityType == row.entityType) return &row;
    }
    return nullptr;
}

}  // namespace tarsil
