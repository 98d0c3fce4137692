#include "host/commands/tstt/tstt_command.h"

#include "host/commands/tstt/run_text_editor.h"
#include "host/commands/tstt/tstt_prompts.h"
#include "host/layer/host_windows.h"

namespace tarsil {

void TsttCommand() {
    if (!host::RequireHostWindow(L"TSTT")) return;
    if (auto records = AskForTextRecords()) RunTextEditor(std::move(*records));
}

void TsttNewText(const wchar_t* command) {
    if (!host::RequireHostWindow(command)) return;
    if (auto record = AskForNewText()) RunTextEditor({*record});
}

void TsttEditTexts(const wchar_t* command, const std::vector<AcDbObjectId>& texts) {
    if (texts.empty() || !host::RequireHostWindow(command)) return;
    RunTextEditor(RecordsOf(texts));
}

}  // namespace tarsil
