#pragma once

// Runs a shell command line, keeping what it printed (standard error too)
// and how it ended; shared by the tests that drive the host program.
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace cadhost_test {

struct ProgramRun {
    std::string output;
    int exit_code = -1;  // also when the program did not exit by itself
};

inline ProgramRun RunShell(const std::string& command) {
    ProgramRun run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
    const int status = pclose(pipe);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// How often part occurs in text.
inline std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

}  // namespace cadhost_test
