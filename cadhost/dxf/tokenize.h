#pragma once

#include <string_view>
#include <vector>

#include "cadhost/dxf/tags.h"

namespace cadhost::dxf {

// Marks a Tag that came from no place in the file.
inline constexpr std::uint32_t kNoRaw = 0xFFFFFFFFu;

// Splits bytes [begin, end) of an already checked file into groups that
// remember where each came from.
Tags tokenize(std::string_view file, std::uint32_t begin, std::uint32_t end);

// A group looked at in place: the value lies in the bytes it was read from.
struct TagView {
    int code = 0;
    std::string_view value;
};
// The same groups as tokenize, copying nothing: `out` (emptied first) keeps
// its room from one record to the next.
void tokenizeViews(std::string_view file, std::uint32_t begin, std::uint32_t end,
                   std::vector<TagView>& out);

// Writes groups: unchanged ones as their original bytes, changed ones with
// their original code line and a new value, new ones formatted afresh.
class TagWriter {
  public:
    TagWriter(std::string_view file, bool crlf, int codeWidth)
        : file_(file), eol_(crlf ? "\r\n" : "\n"), codeWidth_(codeWidth) {}
    template <class Sink>
    void write(const Tags& tags, Sink&& sink) const {
        for (const Tag& t : tags) {
            if (t.rawStart != kNoRaw && !t.dirty) {
                sink(file_.substr(t.rawStart, t.rawEnd - t.rawStart));
                continue;
            }
            if (t.rawStart != kNoRaw) {
                sink(file_.substr(t.rawStart, t.rawValueOff - t.rawStart));
            } else {
                std::string code = std::to_string(t.code);
                if (static_cast<int>(code.size()) < codeWidth_)
                    code.insert(0, static_cast<std::size_t>(codeWidth_) - code.size(), ' ');
                sink(code);
                sink(eol_);
            }
            sink(t.value);
            sink(eol_);
        }
    }

  private:
    std::string_view file_;
    std::string_view eol_;
    int codeWidth_;
};

}  // namespace cadhost::dxf
