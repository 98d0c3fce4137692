#include "host/commands/tstd/tstd_command.h"

#include "host/layer/entity_host.h"
#include "host/layer/host_windows.h"

#ifdef TARSIL_WITH_DIALOGS
#include "editors/dim_dlg/dimension_text_edit_dlg.h"
#endif

namespace tarsil {
namespace {

void OpenDimensionDialog([[maybe_unused]] AcDbObjectId dimension) {
#ifdef TARSIL_WITH_DIALOGS
    CDimensionTextEditDlg dialog(host::HostFrame());
    dialog.SetObject(dimension);
    dialog.exec();
#endif
}

DimensionEditorOpener& Opener() {
    static DimensionEditorOpener opener = OpenDimensionDialog;
    return opener;
}

}  // namespace

DimensionEditorOpener SetDimensionEditorOpener(DimensionEditorOpener opener) {
    DimensionEditorOpener previous = std::move(Opener());
    Opener() = opener ? std::move(opener) : DimensionEditorOpener(OpenDimensionDialog);
    return previous;
}

void RunTstd() {
    if (!host::RequireHostWindow(L"TSTD")) return;
    layer::EntitySelection selection;
    if (selection.SelectOne(L"\nSelect Dimension for edit:  ", L"\nSelect objects to remove: ",
                            L"DIMENSION") != layer::kPromptOk)
        return;
    const std::vector<AcDbObjectId> ids = selection.Ids();
    selection.Clear();
    if (ids.empty()) return;
    Opener()(ids.front());
}

void EditDimensionFor(const wchar_t* command, AcDbObjectId dimension) {
    if (!host::RequireHostWindow(command) || dimension.isNull()) return;
    Opener()(dimension);
}

}  // namespace tarsil
