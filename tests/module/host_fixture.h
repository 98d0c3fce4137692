#pragma once

// What the module's tests share: a host with its command line and alerts
// captured, a recorder standing in for the host's LISP, the samples.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/host.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/rx/adsdefs.h"
#include "host/layer/lisp_queue.h"

namespace tarsil::testing {

// What the style that replaces the host's text commands queues when it is
// installed and when it is taken back, as RecordingLisp writes it.
inline const std::vector<std::wstring> kInstallCalls = {
    L"queue (setq __cmdecho (getvar \"CMDECHO\")) (setvar \"CMDECHO\" 0)",
    L"queue (command \".undefine\" \"DDEDIT\")",
    L"define C:DDEDIT 2802",
    L"queue (command \".undefine\" \"DTEXT\")",
    L"define C:DTEXT 2803",
    L"queue (command \".undefine\" \"TEXT\")",
    L"define C:TEXT 2804",
    L"queue (setvar \"CMDECHO\" __cmdecho)",
};

inline const std::vector<std::wstring> kRestoreCalls = {
    L"queue (setq __cmdecho (getvar \"CMDECHO\")) (setvar \"CMDECHO\" 0)",
    L"undefine C:DDEDIT 2802",
    L"queue (command \".redefine\" \"DDEDIT\")",
    L"undefine C:DTEXT 2803",
    L"queue (command \".redefine\" \"DTEXT\")",
    L"undefine C:TEXT 2804",
    L"queue (command \".redefine\" \"TEXT\")",
    L"queue (setvar \"CMDECHO\" __cmdecho)",
};

// Records the module's LISP calls, one line each ("queue EXPR",
// "define NAME CODE", "undefine NAME CODE"); expressions in fail_queue
// are refused as the host refuses an expression it can't queue.
class RecordingLisp : public host::LispBackend {
  public:
    RecordingLisp() : previous_(host::SetLispBackend(this)) {}
    ~RecordingLisp() override { host::SetLispBackend(previous_); }

    int Queue(const wchar_t* expression) override {
        calls.push_back(L"queue " + std::wstring(expression));
        return fail_queue.count(expression) != 0 ? RTERROR : RTNORM;
    }
    int Define(const wchar_t* name, short code) override {
        calls.push_back(L"define " + std::wstring(name) + L" " + std::to_wstring(code));
        return RTNORM;
    }
    int Undefine(const wchar_t* name, short code) override {
        calls.push_back(L"undefine " + std::wstring(name) + L" " + std::to_wstring(code));
        return RTNORM;
    }
    std::vector<std::wstring> TakeCalls() { return std::exchange(calls, {}); }

    std::vector<std::wstring> calls;
    std::set<std::wstring> fail_queue;

  private:
    host::LispBackend* previous_;
};

// The host, fresh for each test, with what it prints and alerts kept.
class HostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cadhost::resetHost();
        cadhost::setCommandLineSink([this](const std::wstring& text) { output_ += text; });
        cadhost::setAlertHandler([this](const std::wstring& text) { alerts_.push_back(text); });
    }
    void TearDown() override {
        cadhost::resetHost();
        cadhost::setCommandLineSink({});
        cadhost::setAlertHandler({});
    }

    static int IntVar(const wchar_t* name) {
        const auto value = cadhost::getVar(name);
        return value ? static_cast<int>(value->integer) : -1;
    }
    static void SetShortVar(const wchar_t* name, short value) {
        cadhost::setVarInternal(name, cadhost::VarValue::ofShort(value));
    }
    std::wstring TakeOutput() { return std::exchange(output_, {}); }

    std::wstring output_;
    std::vector<std::wstring> alerts_;
};

inline std::filesystem::path SamplePath(const char* name = "hebrew_r2000.dxf") {
    return std::filesystem::path(TARSIL_SOURCE_DIR) / "samples" / name;
}

// The handle of the first entity of a type in the ENTITIES section of a
// DXF file ("TEXT" -> "36").
inline std::wstring FirstHandleOf(const std::filesystem::path& dxf, const std::string& type) {
    std::ifstream in(dxf, std::ios::binary);
    std::string code, value, entity, section;
    auto trimmed = [](std::string& s) {
        s.erase(s.find_last_not_of("\r ") + 1);
        s.erase(0, s.find_first_not_of(' '));
    };
    // Only ENTITIES: what lies in a block definition cannot be selected.
    while (std::getline(in, code) && std::getline(in, value)) {
        trimmed(code);
        trimmed(value);
        if (code == "0") entity = value;
        if (code == "2" && entity == "SECTION") section = value;
        if (code == "5" && entity == type && section == "ENTITIES")
            return std::wstring(value.begin(), value.end());
    }
    return {};
}

// A copy of a module file named tarsil2.arx in the folder, with the
// default map beside it.
inline void InstallModule(const std::filesystem::path& module,
                          const std::filesystem::path& folder) {
    std::filesystem::copy_file(module, folder / "tarsil2.arx");
    std::filesystem::copy_file(std::filesystem::path(TARSIL_SOURCE_DIR) / "resources/default.map",
                               folder / "default.map");
}

// The settings file as the module in the folder saves it.
inline std::string SavedSettings(const std::filesystem::path& folder, int style) {
    return "[General]\r\nDdeditStyle=" + std::to_string(style) +
           "\r\nFontMapFile=" + (folder / "default.map").string() + "\r\n";
}

}  // namespace tarsil::testing
