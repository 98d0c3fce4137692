#include "host/layer/host_windows.h"

#include "cadhost/editor/windows.h"

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

}  // namespace tarsil::host
