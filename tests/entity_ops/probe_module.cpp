// A small module that puts the row collection on the host's command line,
// so that scripts can drive it end to end: EOROWS selects texts as rows,
// then EOALIGN, EOSPACE, EOEQUAL, EOJUST, EOINSPT and the restores work on
// them.  Built as entops_probe.arx.
#include <memory>

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/prompts.h"
#include "cadhost/editor/selection.h"
#include "cadhost/rx/dynlinker.h"
#include "host/entity_ops/multi_text.h"

namespace {

std::unique_ptr<tarsil::MultiText> rows;

void selectRows() {
    const ACHAR* prompts[2] = {L"\nSelect rows: ", L"\nRemove rows: "};
    resbuf* filter = acutBuildList(0, L"TEXT", 0);
    ads_name ss;
    const int rc = acedSSGet(L":$", prompts, nullptr, filter, ss);
    acutRelRb(filter);
    rows.reset();
    rows = std::make_unique<tarsil::MultiText>();
    if (rc == RTNORM) {
        for (AcDbObjectId id : cadhost::selectionSetIds(ss)) rows->AddText(id);
        acedSSFree(ss);
    }
    acutPrintf(L"eoprobe: rows %d\n", rows->RowCount());
}

bool haveRows() {
    if (rows) return true;
    acutPrintf(L"eoprobe: no rows\n");
    return false;
}

void align() {
    ACHAR edge[32] = {};
    if (!haveRows() || acedGetString(0, L"Edge [Left/Right/Center]: ", edge, 32) != RTNORM) return;
    bool done = false;
    if (edge[0] == L'L' || edge[0] == L'l') done = rows->AlignLeft();
    if (edge[0] == L'R' || edge[0] == L'r') done = rows->AlignRight();
    if (edge[0] == L'C' || edge[0] == L'c') done = rows->AlignCenter();
    acutPrintf(L"eoprobe: align %d\n", done ? 1 : 0);
}

void space() {
    ads_real distance = 0;
    if (!haveRows() || acedGetReal(L"Line distance: ", &distance) != RTNORM) return;
    acutPrintf(L"eoprobe: space %d\n", rows->SetLineDistance(distance) ? 1 : 0);
}

void equalize() {
    if (haveRows()) acutPrintf(L"eoprobe: distance %.6f\n", rows->EqualizeLineDistance());
}

tarsil::OperationText* askRow() {
    int index = 0;
    if (!haveRows() || acedGetInt(L"Row: ", &index) != RTNORM) return nullptr;
    return (*rows)[index];
}

void justify() {
    tarsil::OperationText* row = askRow();
    int justification = 0;
    if (row == nullptr || acedGetInt(L"Justification: ", &justification) != RTNORM) return;
    acutPrintf(L"eoprobe: justification %d\n", row->SetJustification(justification) ? 1 : 0);
}

void insertionPoint() {
    if (tarsil::OperationText* row = askRow())
        acutPrintf(L"eoprobe: insertion point %d\n", row->PickInsertionPoint() ? 1 : 0);
}

void restoreHorizontal() {
    if (haveRows()) acutPrintf(L"eoprobe: restore x %d\n", rows->RestoreHorizontal() ? 1 : 0);
}
void restoreVertical() {
    if (haveRows()) acutPrintf(L"eoprobe: restore y %d\n", rows->RestoreVertical() ? 1 : 0);
}
void restoreAll() {
    if (haveRows()) acutPrintf(L"eoprobe: restore all %d\n", rows->RestoreAll() ? 1 : 0);
}

AcEdCommandStack* commands() {
    return AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
}

void registerCommands() {
    AcEdCommandStack* stack = commands();
    if (stack == nullptr) return;
    struct Entry {
        const wchar_t* name;
        AcRxFunctionPtr fn;
    };
    for (const Entry& e :
         {Entry{L"EOROWS", selectRows}, Entry{L"EOALIGN", align}, Entry{L"EOSPACE", space},
          Entry{L"EOEQUAL", equalize}, Entry{L"EOJUST", justify}, Entry{L"EOINSPT", insertionPoint},
          Entry{L"EORESTH", restoreHorizontal}, Entry{L"EORESTV", restoreVertical},
          Entry{L"EORESTALL", restoreAll}})
        stack->addCommand(L"EOPROBE", e.name, e.name, ACRX_CMD_MODAL, e.fn);
}

}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    switch (msg) {
        case AcRx::kInitAppMsg:
            if (AcRxDynamicLinker* linker = acrxDynamicLinker) {
                linker->unlockApplication(appId);
                linker->registerAppMDIAware(appId);
            }
            registerCommands();
            break;
        case AcRx::kUnloadAppMsg:
            rows.reset();
            if (AcEdCommandStack* stack = commands()) stack->removeGroup(L"EOPROBE");
            break;
        default:
            break;
    }
    return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() {
    return ACRX_API_VERSION;
}
