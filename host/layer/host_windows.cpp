#include "host/layer/host_windows.h"

#include "cadhost/editor/windows.h"
#include "host/layer/user_messages.h"

#ifdef TARSIL_HOST_WINDOWS_QT
#include <QWidget>
#endif

namespace tarsil::host {

QWidget* HostFrame() {
    return acedGetAcadFrame();
}

void RepaintHostWindows() {
#ifdef TARSIL_HOST_WINDOWS_QT
    for (QWidget* window : {adsw_acadDocWnd(), adsw_acadMainWnd()}) {
        if (window != nullptr) window->repaint();
    }
#endif
}

bool RequireHostWindow(const wchar_t* command) {
    if (HostFrame() != nullptr) return true;
    Print(std::wstring(command) + L" needs the window: run cadhost --gui.\n");
    return false;
}

}  // namespace tarsil::host
