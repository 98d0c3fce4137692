#include "cadhost/editor/input.h"

#include <deque>

#include "cadhost/editor/cmdline.h"
#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
struct Frame {
    std::deque<std::wstring> lines;
    bool quiet = false;
};
struct InputState {
    std::deque<std::wstring> queue;
    std::vector<Frame> frames;
    LineReader reader;
    bool echo = true;
    std::function<bool(const std::wstring&)> transparent;
};
InputState& state() {
    static InputState s;
    return s;
}

InputLine classify(std::wstring text) {
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
    const std::wstring t = trim(text);
    if (t == L"^C" || equalsNoCase(t, L"ESC") || t == L"\x1b") return {InputLine::Escape, t};
    return {InputLine::Text, text};
}
}  // namespace

void pushInput(const std::wstring& line) {
    state().queue.push_back(line);
}
void pushInputs(const std::vector<std::wstring>& lines) {
    for (const auto& l : lines) pushInput(l);
}

void setInputReader(LineReader reader, bool echo) {
    state().reader = std::move(reader);
    state().echo = echo;
}

void clearInput() {
    state().queue.clear();
    state().frames.clear();
}

bool inputPending() {
    for (const auto& f : state().frames)
        if (!f.lines.empty()) return true;
    return !state().queue.empty();
}

bool echoSuppressed() {
    for (const auto& f : state().frames)
        if (f.quiet) return true;
    return false;
}

namespace {
// Second element: whether the line came from a place that should be echoed.
std::pair<InputLine, bool> next() {
    InputState& s = state();
    for (auto it = s.frames.rbegin(); it != s.frames.rend(); ++it) {
        if (!it->lines.empty()) {
            std::wstring line = it->lines.front();
            it->lines.pop_front();
            return {classify(line), !it->quiet};
        }
    }
    if (!s.queue.empty()) {
        std::wstring line = s.queue.front();
        s.queue.pop_front();
        return {classify(line), true};
    }
    if (s.reader) {
        flushCommandLine();
        if (auto line = s.reader()) return {classify(fromUtf8(*line)), s.echo};
    }
    return {InputLine{}, false};
}
}  // namespace

InputLine readInput() {
    return next().first;
}

void setTransparentRunner(std::function<bool(const std::wstring&)> runner) {
    state().transparent = std::move(runner);
}

InputLine promptInput(const std::wstring& prompt) {
    for (;;) {
        const bool quiet = echoSuppressed();
        if (!quiet) writeCommandLine(prompt);
        auto [line, echo] = next();
        if (!quiet && line.kind == InputLine::Text && echo) writeCommandLine(line.text + L"\n");
        const std::wstring t = trim(line.text);
        if (line.kind == InputLine::Text && t.size() > 1 && t[0] == L'\'' && state().transparent &&
            state().transparent(t)) {
            if (!quiet) writeCommandLine(L"Resuming command.\n");
            continue;
        }
        if (quiet || line.kind == InputLine::Text) return line;
        writeCommandLine(line.kind == InputLine::Escape ? L"*Cancel*\n" : L"\n");
        return line;
    }
}

InjectedInput::InjectedInput(std::vector<std::wstring> lines, bool quiet) {
    state().frames.push_back(Frame{std::deque<std::wstring>(lines.begin(), lines.end()), quiet});
}

InjectedInput::~InjectedInput() {
    if (!state().frames.empty()) state().frames.pop_back();
}

}  // namespace cadhost
