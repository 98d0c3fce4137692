#include "editors/text_dialog/acad_text_dlg.h"
#include "host/commands/tstt/run_text_editor.h"
#include "host/layer/host_windows.h"

namespace tarsil {

void RunTextEditor(std::vector<CTextProperties> records) {
    CAcadTextDlg dialog(host::HostFrame());
    dialog.SetRecords(std::move(records));
    dialog.exec();
}

}  // namespace tarsil
