#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost::dxf {

// One group of a DXF file as read: where its code line starts and where its
// value lies in the file's bytes.  The file's bytes are the storage; a tag
// never owns text.
struct RawTag {
    std::uint32_t start;     // first byte of the group code line
    std::uint32_t valueOff;  // first byte of the value line
    std::uint32_t valueLen;  // value bytes without the line end
    std::int32_t code;
};

// One group of an object being read or changed.  The raw fields say where
// in the file it came from (rawStart is all ones for a group made here);
// `dirty` marks a changed value, the only thing formatted anew when saving.
struct Tag {
    int code = 0;
    std::string value;
    std::uint32_t rawStart = 0xFFFFFFFFu;  // code line start in the file
    std::uint32_t rawValueOff = 0;         // value line start
    std::uint32_t rawValueLen = 0;         // value length as read
    std::uint32_t rawEnd = 0;              // after the value's line end
    bool dirty = false;
};

using Tags = std::vector<Tag>;

}  // namespace cadhost::dxf
