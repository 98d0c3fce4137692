#include "host/commands/tsta/tsta_command.h"

#include "fonts/wh_config.h"
#include "host/commands/tsta/command_state.h"
#include "host/entity_ops/multi_text.h"
#include "host/layer/host_windows.h"

#ifdef TARSIL_WITH_DIALOGS
#include "editors/multiline_dlg/whtn_dlg.h"
#endif

namespace tarsil {
namespace {

void OpenMultilineDialog(const wchar_t* command) {
    if (!host::RequireHostWindow(command)) return;
#ifdef TARSIL_WITH_DIALOGS
    CWhtnDlg dialog(host::HostFrame(), true);
    dialog.exec();
#endif
}

AttributeEditorOpener& Opener() {
    static AttributeEditorOpener opener = OpenMultilineDialog;
    return opener;
}

// The steps after the variables were read: the collection (selecting with
// select), then the editor with echo and object snaps off.
template <class Select>
void EditAttributes(const wchar_t* command, Select select) {
    CommandState state;
    if (!state.Ok()) return;
    state.EnterDirectory(CWhConfig::Instance().GetModuleDirectory());
    MultiText rows(true);
    if (!select(rows)) return;
    state.Quieten();
    Opener()(command);
}

}  // namespace

AttributeEditorOpener SetAttributeEditorOpener(AttributeEditorOpener opener) {
    AttributeEditorOpener previous = std::move(Opener());
    Opener() = opener ? std::move(opener) : AttributeEditorOpener(OpenMultilineDialog);
    return previous;
}

void RunTsta() {
    EditAttributes(L"TSTA", [](MultiText& rows) { return rows.SelectAttributes(); });
}

void EditAttributesFor(const wchar_t* command, AcDbObjectId blockReference) {
    if (blockReference.isNull()) return;
    EditAttributes(
        command, [blockReference](MultiText& rows) { return rows.LoadAttributes(blockReference); });
}

}  // namespace tarsil
