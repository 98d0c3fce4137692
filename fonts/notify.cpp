#include "fonts/notify.h"

#include <cstdio>

#include "fonts/wide_text.h"

namespace tarsil {

namespace {

AlertSink* g_sink = nullptr;

}  // namespace

AlertSink* SetAlertSink(AlertSink* sink) {
    AlertSink* previous = g_sink;
    g_sink = sink;
    return previous;
}

void ShowAlert(const std::wstring& message) {
    if (g_sink != nullptr) {
        g_sink->Alert(message);
        return;
    }
    const std::string bytes = NarrowBytes(message);
    std::fprintf(stderr, "%s\n", bytes.c_str());
}

std::wstring FormatMessage(std::wstring_view pattern, std::initializer_list<std::wstring> args) {
    std::wstring out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' &&
            next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace tarsil
