#pragma once

// Where a group of an object's record is, by subclass: the rules the typed
// accessors read by, for groups held as Tags or looked at in place
// (TagView).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cadhost/dxf/codepage.h"
#include "cadhost/dxf/strings.h"

namespace cadhost::db {

struct GroupSpan {
    std::size_t begin, end;
};

// The groups of a subclass (after its 100 marker, the n-th one of that
// name), or every group after the first when the record has no markers
// (R12) or no subclass is asked for.  Extended data (codes from 1000 on)
// belongs to no subclass.
template <class Tag>
GroupSpan subclassGroups(const std::vector<Tag>& tags, std::string_view subclass,
                         int occurrence = 1) {
    std::size_t end = tags.size();
    for (std::size_t i = 1; i < tags.size(); ++i)
        if (tags[i].code >= 1000) {
            end = i;
            break;
        }
    bool markers = false;
    for (std::size_t i = 1; i < end && !markers; ++i) markers = tags[i].code == 100;
    if (subclass.empty() || !markers) return {std::min<std::size_t>(1, end), end};
    int seen = 0;
    for (std::size_t i = 1; i < end; ++i) {
        if (tags[i].code != 100 || dxf::trim(tags[i].value) != subclass || ++seen != occurrence)
            continue;
        // The next subclass, or an embedded object (101: the column data of
        // an MText from R2018 on, whose codes repeat the MText's own), ends it.
        std::size_t e = i + 1;
        while (e < end && tags[e].code != 100 && tags[e].code != 101) ++e;
        return {i + 1, e};
    }
    return {end, end};
}

// Index of the first group of a code in the span, outside "{...}" groups
// (102) of other applications; npos when there is none.
template <class Tag>
std::size_t findGroup(const std::vector<Tag>& tags, GroupSpan span, int code) {
    bool inGroup = false;
    for (std::size_t i = span.begin; i < span.end; ++i) {
        const Tag& t = tags[i];
        if (t.code == 102) {
            inGroup = !std::string_view(t.value).empty() && t.value[0] == '{';
            continue;
        }
        if (!inGroup && t.code == code) return i;
    }
    return std::string::npos;
}

// A string value as host text: the codec's characters, with the caret
// codes of control characters ("^J", and "^ " for a caret) undone.
std::wstring decodeValue(const dxf::StringCodec& codec, std::string_view raw);

}  // namespace cadhost::db
