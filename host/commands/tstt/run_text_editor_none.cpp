// A build without the editors' windows: there is no editor to open.
#include "host/commands/tstt/run_text_editor.h"

namespace tarsil {

void RunTextEditor(std::vector<CTextProperties>) {}

}  // namespace tarsil
