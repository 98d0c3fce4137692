// Reads a saved drawing back without the editors' code: `dxftool list`
// gives an entity's stored string, `tarsiltext decode` the logical text of
// each of its pieces (the string cut at "\P", or at a dimension's "\X").
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tarsil::testing {

inline std::string RunTool(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    pclose(pipe);
    return out;
}

// The stored string of the entity with this handle, its \xHH escapes as bytes.
inline std::string ListedString(const std::string& dxf, const std::string& handle) {
    std::istringstream lines(RunTool(std::string(DXFTOOL) + " list '" + dxf + "'"));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(handle + "\t", 0) != 0) continue;
        const std::string escaped = line.substr(line.rfind('\t') + 1);
        std::string bytes;
        for (std::size_t i = 0; i < escaped.size(); ++i) {
            if (escaped.compare(i, 2, "\\x") == 0 && i + 3 < escaped.size() + 0) {
                bytes += static_cast<char>(std::stoi(escaped.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                bytes += escaped[i];
            }
        }
        return bytes;
    }
    return "<not listed>";
}

// Each piece of stored, cut at the separators, decoded for the font type:
// Windows-layout bytes, one string a piece.
inline std::vector<std::string> DecodedPieces(const std::string& stored, int fontType,
                                              const std::vector<std::string>& separators) {
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        bool cut = false;
        for (const std::string& s : separators)
            if (stored.compare(i, s.size(), s) == 0) {
                pieces.emplace_back();
                i += s.size() - 1;
                cut = true;
                break;
            }
        if (!cut) pieces.back() += stored[i];
    }
    const std::string input = std::string(TARSIL_BINARY_DIR) + "/mtext_decode_input.txt";
    {
        std::ofstream out(input, std::ios::binary);
        for (const std::string& p : pieces) out << p << '\n';
    }
    std::istringstream decoded(RunTool(std::string(TARSILTEXT) + " decode --font-type " +
                                       std::to_string(fontType) + " < '" + input + "'"));
    std::vector<std::string> out;
    std::string line;
    while (std::getline(decoded, line)) out.push_back(line);
    return out;
}

// Engine text (U+0000..U+00FF) as its bytes.
inline std::string Bytes(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += static_cast<char>(c);
    return out;
}

}  // namespace tarsil::testing
