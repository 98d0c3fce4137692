#pragma once

// The one source of the user's input: lines queued by a test, read from a
// script or standard input, or handed in by a command that runs another
// command (acedCommandS, LISP's command).  Prompts and the command loop
// both read from here, one input a line.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cadhost {

struct InputLine {
    enum Kind { Text, Escape, End } kind = End;
    std::wstring text;
};

// Appends a line at the end of the queue (what a test types).
void pushInput(const std::wstring& line);
void pushInputs(const std::vector<std::wstring>& lines);
// Where lines come from once the queue is empty; echo writes each line read
// after its prompt, as a transcript shows it.
using LineReader = std::function<std::optional<std::string>()>;
void setInputReader(LineReader reader, bool echo);
void clearInput();
bool inputPending();

// Reads the next input: "^C" or "ESC" (or the escape character) is Escape,
// no more input is End.
InputLine readInput();
// Writes the prompt, reads the answer and echoes it.
InputLine promptInput(const std::wstring& prompt);

// Lines given to a command run from code; they come before any other input
// for the life of this object, and what the command leaves unread is dropped.
class InjectedInput {
  public:
    explicit InjectedInput(std::vector<std::wstring> lines, bool quiet);
    ~InjectedInput();
    InjectedInput(const InjectedInput&) = delete;
    InjectedInput& operator=(const InjectedInput&) = delete;
};
// Runs "'NAME" typed at a prompt as a transparent command; returns false
// when NAME is no command, so that the text is the answer after all.
void setTransparentRunner(std::function<bool(const std::wstring&)> runner);
// True while injected input runs with command echo off.
bool echoSuppressed();

}  // namespace cadhost
