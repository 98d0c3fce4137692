#include "cadhost/editor/cmdline.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
CommandLineSink& sink() {
    static CommandLineSink s;
    return s;
}
AlertHandler& alertHandler() {
    static AlertHandler h;
    return h;
}
}  // namespace

std::wstring windowsFormat(const std::wstring& format) {
    std::wstring out;
    out.reserve(format.size() + 8);
    for (std::size_t i = 0; i < format.size(); ++i) {
        out += format[i];
        if (format[i] != L'%') continue;
        // Copy flags, width, precision up to the conversion letter.
        std::size_t j = i + 1;
        while (j < format.size() && std::wcschr(L"-+ #0123456789.*", format[j]) != nullptr) ++j;
        std::wstring spec = format.substr(i + 1, j - i - 1);
        if (j >= format.size()) {
            out += spec;
            i = j - 1;
            continue;
        }
        const wchar_t conv = format[j];
        if (conv == L'%') {
            out += spec + L"%";
        } else if (conv == L's' || conv == L'c' || conv == L'S' || conv == L'C') {
            out += spec + L"l" + wchar_t(conv == L'S' ? L's' : conv == L'C' ? L'c' : conv);
        } else if (conv == L'h' && j + 1 < format.size() &&
                   (format[j + 1] == L's' || format[j + 1] == L'c')) {
            out += spec + std::wstring(1, format[j + 1]);
            ++j;
        } else {
            out += spec + conv;
        }
        i = j;
    }
    return out;
}

void writeCommandLine(const std::wstring& text) {
    if (sink()) {
        sink()(text);
        return;
    }
    const std::string bytes = toUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void flushCommandLine() {
    std::fflush(stdout);
}

void setCommandLineSink(CommandLineSink s) {
    sink() = std::move(s);
}
void setAlertHandler(AlertHandler h) {
    alertHandler() = std::move(h);
}

std::wstring formatV(const ACHAR* format, va_list args) {
    const std::wstring fmt = windowsFormat(format);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        const int n = vswprintf(buffer.data(), buffer.size(), fmt.c_str(), copy);
        va_end(copy);
        if (n >= 0) return std::wstring(buffer.data(), static_cast<std::size_t>(n));
        if (buffer.size() > (1u << 20)) return {};
        buffer.resize(buffer.size() * 4);
    }
}
}  // namespace cadhost

int acutPrintf(const ACHAR* format, ...) {
    if (format == nullptr) return 0;
    va_list args;
    va_start(args, format);
    const std::wstring text = cadhost::formatV(format, args);
    va_end(args);
    cadhost::writeCommandLine(text);
    return static_cast<int>(text.size());
}

int acedAlert(const ACHAR* message) {
    const std::wstring text = message != nullptr ? message : L"";
    if (cadhost::alertHandler()) {
        cadhost::alertHandler()(text);
    } else {
        cadhost::writeCommandLine(L"\n** " + text + L"\n");
    }
    return RTNORM;
}
