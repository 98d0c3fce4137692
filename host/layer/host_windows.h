#pragma once

class QWidget;

namespace tarsil::host {

// The host's main frame, parent of the module's windows; null when the
// host runs without windows.
QWidget* HostFrame();
// Repaints the host's document window and then its main window at once.
void RepaintHostWindows();

// True when a dialog can be shown.  Without a host window (the headless
// program) prints one line naming the command and saying that it needs the
// window, and returns false: the command ends instead of blocking.
bool RequireHostWindow(const wchar_t* command);

}  // namespace tarsil::host
