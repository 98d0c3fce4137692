#pragma once

// The host's windows, parents of the dialogs that modules show.  Without
// a window (the command-line program) they are null.
class QWidget;

QWidget* acedGetAcadFrame();
QWidget* adsw_acadMainWnd();
QWidget* adsw_acadDocWnd();

namespace cadhost {
void setHostWindows(QWidget* mainWindow, QWidget* documentWindow);
}  // namespace cadhost
