#include "cadhost/editor/windows.h"

namespace {
QWidget* mainWindow = nullptr;
QWidget* documentWindow = nullptr;
}  // namespace

QWidget* acedGetAcadFrame() {
    return mainWindow;
}
QWidget* adsw_acadMainWnd() {
    return mainWindow;
}
QWidget* adsw_acadDocWnd() {
    return documentWindow;
}

namespace cadhost {
void setHostWindows(QWidget* main, QWidget* doc) {
    mainWindow = main;
    documentWindow = doc;
}
}  // namespace cadhost
