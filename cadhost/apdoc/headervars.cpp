#include "cadhost/apdoc/headervars.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cadhost/rx/wide.h"

namespace cadhost {
namespace {
struct Line {
    std::string text;
    std::string end;  // "\n" or "\r\n" or "" at the end of the file
};

std::vector<Line> splitLines(const std::string& s) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const auto nl = s.find('\n', pos);
        if (nl == std::string::npos) {
            lines.push_back({s.substr(pos), ""});
            break;
        }
        const bool cr = nl > pos && s[nl - 1] == '\r';
        lines.push_back({s.substr(pos, nl - pos - (cr ? 1 : 0)), cr ? "\r\n" : "\n"});
        pos = nl + 1;
    }
    return lines;
}

std::string trimmed(const std::string& s) {
    const auto a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

int codeOf(const std::string& s) {
    return std::atoi(trimmed(s).c_str());
}

// The header's groups: [first, last) line pairs of each variable.
struct HeaderVar {
    std::string name;
    std::size_t first, last;
};

struct Header {
    std::vector<HeaderVar> vars;
    std::size_t endsec = 0;  // line of the "0" before ENDSEC
    bool found = false;
};

Header scanHeader(const std::vector<Line>& lines) {
    Header h;
    bool inHeader = false;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const int code = codeOf(lines[i].text);
        const std::string value = trimmed(lines[i + 1].text);
        if (!inHeader) {
            if (code == 2 && value == "HEADER") inHeader = true;
            continue;
        }
        if (code == 0) {
            if (!h.vars.empty()) h.vars.back().last = i;
            h.endsec = i;
            h.found = true;
            break;
        }
        if (code == 9) {
            if (!h.vars.empty()) h.vars.back().last = i;
            h.vars.push_back({value, i, i});
        }
    }
    return h;
}

std::string number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.16g", v);
    std::string s = buf;
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    return s;
}

// The groups that carry a variable's value.
std::vector<std::pair<int, std::string>> groupsOf(const SysVarInfo& info, const VarValue& v) {
    switch (v.type) {
        case RTREAL:
            return {{40, number(v.real)}};
        case RTSHORT:
            return {{70, std::to_string(v.integer)}};
        case RTLONG:
            return {{90, std::to_string(v.integer)}};
        case RTSTR:
            return {{info.name == L"CLAYER" ? 8 : 7, toUtf8(v.text)}};
        case RT3DPOINT:
            return {{10, number(v.point[0])}, {20, number(v.point[1])}, {30, number(v.point[2])}};
        default:
            return {};
    }
}
}  // namespace

void readHeaderVars(const std::string& dxf, DrawingVars& vars) {
    const std::vector<Line> lines = splitLines(dxf);
    const Header h = scanHeader(lines);
    for (const HeaderVar& hv : h.vars) {
        for (const SysVarInfo& info : allSysVars()) {
            if (!info.inDrawing || toUtf8(info.header) != hv.name) continue;
            VarValue v;
            v.type = info.type;
            for (std::size_t i = hv.first + 2; i + 1 < hv.last + 1 && i + 1 < lines.size();
                 i += 2) {
                const int code = codeOf(lines[i].text);
                const std::string value = trimmed(lines[i + 1].text);
                if (code >= 10 && code <= 39)
                    v.point[(code / 10) - 1] = std::atof(value.c_str());
                else if (code >= 40 && code <= 59)
                    v.real = std::atof(value.c_str());
                else if (code >= 60 && code <= 99)
                    v.integer = std::atol(value.c_str());
                else
                    v.text = fromUtf8(lines[i + 1].text);
            }
            vars[info.name] = v;
        }
    }
}

void writeHeaderVars(std::string& dxf, const DrawingVars& vars) {
    std::vector<Line> lines = splitLines(dxf);
    Header h = scanHeader(lines);
    if (!h.found) return;
    const std::string eol = lines.empty() ? "\n" : lines.front().end;
    // Replace from the last variable back, so that earlier positions hold.
    struct Edit {
        std::size_t first, last;
        std::vector<Line> with;
    };
    std::vector<Edit> edits;
    for (const SysVarInfo& info : allSysVars()) {
        if (!info.inDrawing || info.header.empty()) continue;
        auto it = vars.find(info.name);
        if (it == vars.end()) continue;
        const std::string name = toUtf8(info.header);
        std::vector<Line> with{{"  9", eol}, {name, eol}};
        for (const auto& [code, value] : groupsOf(info, it->second)) {
            char c[16];
            std::snprintf(c, sizeof c, "%3d", code);
            with.push_back({c, eol});
            with.push_back({value, eol});
        }
        Edit e{h.endsec, h.endsec, with};
        for (const HeaderVar& hv : h.vars)
            if (hv.name == name) e = Edit{hv.first, hv.last, with};
        edits.push_back(std::move(e));
    }
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.first > b.first; });
    for (const Edit& e : edits) {
        lines.erase(lines.begin() + e.first, lines.begin() + e.last);
        lines.insert(lines.begin() + e.first, e.with.begin(), e.with.end());
    }
    std::string out;
    out.reserve(dxf.size() + 256);
    for (const Line& l : lines) out += l.text + l.end;
    dxf = std::move(out);
}

}  // namespace cadhost
