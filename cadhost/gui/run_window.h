#pragma once

// The host program with its window: the window comes up first, so that a
// module's splash and dialogs have their frame, then the drawing opens,
// modules load, the script's lines are typed, and the command line runs
// in the window until QUIT or the window is closed.
#include <functional>
#include <string>
#include <vector>

namespace cadhost::gui {

struct WindowRun {
    // Opens the drawing and loads the modules; a non-zero result ends the
    // program with it.
    std::function<int()> start;
    std::vector<std::string> scriptLines;
    // After the command loop: what was left unsaved, then the host shut down.
    std::function<void()> end;
};

int runWindow(int& argc, char** argv, const WindowRun& run);

}  // namespace cadhost::gui
