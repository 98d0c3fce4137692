// Reads a saved drawing back without the editors' code: `dxftool list`
// gives each entity's stored string, `tarsiltext decode` its logical text.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tarsil::testing {

inline std::string RunTool(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    pclose(pipe);
    return out;
}

// One entity of a saved drawing as dxftool lists it.
struct ListedText {
    std::string style;
    std::string stored;  // bytes, \xHH escapes undone
};

// The entities of a drawing by handle; only those of `type` unless it is empty.
inline std::map<std::string, ListedText> ListTexts(const std::filesystem::path& dxf,
                                                   const std::string& type = "TEXT") {
    std::map<std::string, ListedText> texts;
    std::istringstream lines(RunTool(std::string(DXFTOOL) + " list '" + dxf.string() + "'"));
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream cut(line);
        for (std::string field; fields.size() < 5 && std::getline(cut, field, '\t');)
            fields.push_back(field);
        std::string raw, bytes;
        std::getline(cut, raw);
        if (fields.size() < 5 || (!type.empty() && fields[1] != type)) continue;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw.compare(i, 2, "\\x") == 0 && i + 3 < raw.size()) {
                bytes += static_cast<char>(std::stoi(raw.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                bytes += raw[i];
            }
        }
        texts[fields[0]] = {fields[3], bytes};
    }
    return texts;
}

// A stored string of one line decoded for the font type: one character per
// byte (the Windows layout's letters 0xE0..0xFA).
inline std::wstring Decoded(std::string stored, int fontType) {
    stored += '\n';
    // A file of this process alone: tests run side by side.
    char name[] = "/tmp/tarsil-decode-XXXXXX";
    const int fd = mkstemp(name);
    const bool written =
        fd >= 0 && write(fd, stored.data(), stored.size()) == ssize_t(stored.size());
    if (fd >= 0) close(fd);
    const std::string decoded = written ? RunTool(std::string(TARSILTEXT) + " decode --font-type " +
                                                  std::to_string(fontType) + " < " + name)
                                        : "<not written>";
    unlink(name);
    std::wstring out;
    for (unsigned char c : decoded) out += static_cast<wchar_t>(c);
    if (out.ends_with(L'\n')) out.pop_back();
    return out;
}

}  // namespace tarsil::testing
