#pragma once

class QWidget;

namespace tarsil::host {

// The host's main frame, parent of the module's windows; null when the
// host runs without windows.
QWidget* HostFrame();
// Repaints the host's document window and then its main window at once.
void RepaintHostWindows();

}  // namespace tarsil::host
