#include "host/commands/replaced/replaced_commands.h"

#include <string>

#include "cadhost/db/acdb_all.h"
#include "host/commands/replaced/annotation_editors.h"
#include "host/commands/tstt/tstt_command.h"
#include "host/layer/entity_host.h"
#include "host/takeover/edit_replacement.h"

namespace tarsil {
namespace {

constexpr wchar_t kSelectAnnotationPrompt[] = L"\nSelect an annotation object: ";
constexpr wchar_t kRemovePrompt[] = L"\nSelect objects to remove: ";

std::wstring EntityType(AcDbObjectId id) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) return {};
    const std::string name = entity->dxfName();
    entity->close();
    return std::wstring(name.begin(), name.end());
}

void EditAnnotation(const wchar_t* command) {
    const std::wstring types = AnnotationTypes();
    layer::EntitySelection selection;
    if (selection.SelectOne(kSelectAnnotationPrompt, kRemovePrompt, types.c_str()) !=
        layer::kPromptOk) {
        return;
    }
    for (AcDbObjectId id : selection.Ids()) {
        const AnnotationEditor* editor = AnnotationEditorFor(EntityType(id));
        if (editor == nullptr) continue;
        if (editor->edit != nullptr) {
            editor->edit(command, id);
        } else {
            layer::Print(editor->useInstead);
        }
        return;
    }
}

struct Replacement {
    short functionCode;
    const wchar_t* command;
    void (*run)(const wchar_t* command);
};

constexpr Replacement kReplacements[] = {
    {kDdeditFunctionCode, L"DDEDIT", EditAnnotation},
    {kDtextFunctionCode, L"DTEXT", TsttNewText},
    {kTextFunctionCode, L"TEXT", TsttNewText},
};

}  // namespace

bool RunReplacementCommand(int functionCode) {
    for (const Replacement& replacement : kReplacements) {
        if (replacement.functionCode != functionCode) continue;
        replacement.run(replacement.command);
        return true;
    }
    return false;
}

}  // namespace tarsil
