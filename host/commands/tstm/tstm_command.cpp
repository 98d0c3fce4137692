#include "host/commands/tstm/tstm_command.h"

#include "host/layer/entity_host.h"
#include "host/layer/host_windows.h"

#ifdef TARSIL_WITH_DIALOGS
#include "editors/mtext_dlg/acad_mtext_dlg.h"
#endif

namespace tarsil {
namespace {

void OpenMTextDialog([[maybe_unused]] AcDbObjectId mtext,
                     [[maybe_unused]] const AcGePoint3d& insertion) {
#ifdef TARSIL_WITH_DIALOGS
    CAcadMTextDlg dialog(host::HostFrame());
    dialog.SetObject(mtext, insertion);
    dialog.exec();
#endif
}

MTextEditorOpener& Opener() {
    static MTextEditorOpener opener = OpenMTextDialog;
    return opener;
}

}  // namespace

MTextEditorOpener SetMTextEditorOpener(MTextEditorOpener opener) {
    MTextEditorOpener previous = std::move(Opener());
    Opener() = opener ? std::move(opener) : MTextEditorOpener(OpenMTextDialog);
    return previous;
}

void RunTstm() {
    if (!host::RequireHostWindow(L"TSTM")) return;
    layer::EntitySelection selection;
    const int status = selection.SelectOne(L"\nSelect MText or ENTER for new MText:  ",
                                           L"\nSelect objects to remove: ", L"MTEXT");
    AcDbObjectId mtext;
    AcGePoint3d insertion;
    if (status == layer::kPromptOk) {
        const std::vector<AcDbObjectId> ids = selection.Ids();
        selection.Clear();
        if (ids.empty()) return;
        mtext = ids.front();
    } else if (status == layer::kPromptError) {
        // Enter: a new MText where the user points, as the host gives the point.
        if (layer::GetPoint(nullptr, L"\nSpecify start point of text: ", insertion) !=
            layer::kPromptOk)
            return;
    } else {
        return;
    }
    Opener()(mtext, insertion);
}

void EditMTextFor(const wchar_t* command, AcDbObjectId mtext) {
    if (!host::RequireHostWindow(command) || mtext.isNull()) return;
    Opener()(mtext, AcGePoint3d());
}

}  // namespace tarsil
