#include "host/layer/undo_group.h"

#include "cadhost/editor/commandstack.h"
#include "cadhost/rx/adsdefs.h"

namespace tarsil::host {

void BeginUndoGroup() {
    acedCommandS(RTSTR, L"UNDO", RTSTR, L"G", RTNONE);
}

void EndUndoGroup() {
    acedCommandS(RTSTR, L"UNDO", RTSTR, L"E", RTNONE);
}

void UndoLastGroup() {
    acedCommandS(RTSTR, L"UNDO", RTSTR, L"1", RTNONE);
}

}  // namespace tarsil::host
