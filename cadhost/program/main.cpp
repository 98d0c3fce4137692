// cadhost: the embedded CAD host.  It opens a drawing (or starts a new
// one), loads modules, and runs the command line from a script or from
// standard input, printing the command line to standard output; with
// --gui it does so in a window, where the command line is typed.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/rx/dynlinker.h"
#include "cadhost/rx/wide.h"
#include "cadhost/version.h"
#ifdef CADHOST_WITH_GUI
#include "cadhost/gui/run_window.h"
#endif

namespace {
// "dir/;dir2/": the folders the host searches for support files and modules.
std::wstring supportPath(const std::vector<std::string>& dirs) {
    std::wstring path;
    for (const std::string& d : dirs) {
        std::wstring w = cadhost::fromUtf8(d);
        if (!w.empty() && w.back() != L'/') w += L'/';
        path += w + L";";
    }
    return path;
}

int fail(const std::string& message, int code) {
    cadhost::flushCommandLine();
    std::cerr << "cadhost: " << message << "\n";
    return code;
}

// The drawing opened (or a new one) and the modules loaded: 0, or the
// program's exit status.
int start(const std::string& drawing, const std::vector<std::string>& modules) {
    if (drawing.empty()) {
        acDocManagerPtr()->newDocument();
    } else if (acDocManagerPtr()->openDocument(drawing) == nullptr) {
        return fail("cannot open drawing \"" + drawing + "\"", 2);
    }
    for (const std::string& module : modules) {
        const std::wstring name = cadhost::fromUtf8(module);
        if (!acrxDynamicLinker->loadModule(name.c_str(), true)) {
            cadhost::shutdownHost();
            return fail("cannot load module \"" + module + "\"", 3);
        }
    }
    return 0;
}

// After the command loop.  When the input ran out without QUIT nothing is
// saved on its own, but the user hears what was left unsaved.
void end() {
    if (!cadhost::quitRequested()) {
        for (int i = 0; i < acDocManagerPtr()->documentCount(); ++i) {
            const AcApDocument* doc = acDocManagerPtr()->document(i);
            if (doc->isModified())
                cadhost::writeCommandLine(L"Changes to \"" + std::wstring(doc->fileName()) +
                                          L"\" were not saved.\n");
        }
    }
    cadhost::shutdownHost();
}
}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"The embedded CAD host: runs a drawing's command line from a script or stdin"};
    std::string drawing;
    std::vector<std::string> modules;
    std::string script;
    std::vector<std::string> support{CADHOST_SUPPORT_DIR};
    app.add_option("drawing", drawing, "DXF drawing to open (a new drawing when absent)");
    app.add_option("--load", modules, "Module file to load (repeatable)");
    app.add_option("--script", script, "Read the command line from this file")
        ->check(CLI::ExistingFile);
    app.add_option("--support", support, "Support folders on ACADPREFIX (repeatable)")
        ->capture_default_str();
#ifdef CADHOST_WITH_GUI
    bool gui = false;
    app.add_flag("--gui", gui,
                 "Run in a window (drawing view and command line); script lines are typed "
                 "into it, then the window stays");
#endif
    app.set_version_flag("--version", cadhost::versionString());
    CLI11_PARSE(app, argc, argv);

    // A save past the file size limit fails with its reason (EFBIG) instead
    // of ending the program with the work in it.
    std::signal(SIGXFSZ, SIG_IGN);
    cadhost::initHost();
    cadhost::setVarInternal(L"ACADPREFIX", cadhost::VarValue::ofString(supportPath(support)));

    std::unique_ptr<std::ifstream> file;
    if (!script.empty()) {
        file = std::make_unique<std::ifstream>(script);
        if (!*file) return fail("cannot read script \"" + script + "\"", 2);
    }
#ifdef CADHOST_WITH_GUI
    if (gui) {
        cadhost::gui::WindowRun run;
        run.start = [&] { return start(drawing, modules); };
        run.end = end;
        for (std::string line; file && std::getline(*file, line);) run.scriptLines.push_back(line);
        return cadhost::gui::runWindow(argc, argv, run);
    }
#endif
    if (const int rc = start(drawing, modules); rc != 0) return rc;

    std::istream* in = file ? file.get() : &std::cin;
    const bool echo = file != nullptr || isatty(STDIN_FILENO) == 0;
    cadhost::setInputReader(
        [in]() -> std::optional<std::string> {
            std::string line;
            if (!std::getline(*in, line)) return std::nullopt;
            return line;
        },
        echo);
    cadhost::runCommandLoop();
    end();
    return 0;
}
