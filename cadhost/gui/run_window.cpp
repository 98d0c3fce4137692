#include "cadhost/gui/run_window.h"

#include <QApplication>

#include "cadhost/editor/host.h"
#include "cadhost/gui/main_window.h"
#include "cadhost/gui/prompt_pump.h"

namespace cadhost::gui {

int runWindow(int& argc, char** argv, const WindowRun& run) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cadhost"));
    // The window closing must not end the application under the host's
    // feet: the host ends it when its command loop is done.
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindow window;
    window.attachToHost();
    window.show();
    int rc = run.start ? run.start() : 0;
    if (rc == 0) {
        for (const std::string& line : run.scriptLines) window.pump()->addScriptLine(line);
        runCommandLoop();
        if (run.end) run.end();
    }
    window.detachFromHost();
    return rc;
}

}  // namespace cadhost::gui
