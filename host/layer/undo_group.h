#pragma once

namespace tarsil::host {

// The host's undo group, through its UNDO command as a user would run it:
// begin ("G"), end ("E"), and take back the last group ("1").
void BeginUndoGroup();
void EndUndoGroup();
void UndoLastGroup();

}  // namespace tarsil::host
