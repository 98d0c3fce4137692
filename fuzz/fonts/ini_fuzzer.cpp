// Feeds arbitrary bytes to the INI reader.  Checks that what was read,
// written, read again and written again gives the same bytes (unless an
// entry has an empty key: "=v" is written as "v", which reads back as the
// key v), that a lookup gives the last value of its key without the
// comment, and that a value set can be read back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fonts/ini_file.h"
#include "fonts/wide_text.h"

using namespace tarsil;

namespace {

bool IsFirstOfItsName(const HIniEx& ini, std::size_t index) {
    for (std::size_t i = 0; i < index; ++i) {
        if (ini.Sections()[i].name == ini.Sections()[index].name) return false;
    }
    return true;
}

void CheckLookups(const HIniEx& ini) {
    for (std::size_t s = 0; s < ini.Sections().size(); ++s) {
        if (!IsFirstOfItsName(ini, s)) continue;
        const HIniEx::Section& section = ini.Sections()[s];
        for (const HIniEx::Entry& entry : section.entries) {
            std::wstring expected;
            for (const HIniEx::Entry& other : section.entries) {
                if (other.key == entry.key) expected = other.value;
            }
            const std::size_t comment = expected.rfind(L';');
            if (comment != std::wstring::npos) expected.resize(comment);
            if (ini.GetValue(section.name, entry.key, L"\x01") != expected) __builtin_trap();
            ParseIntLikeAtoi(expected);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    HIniEx first;
    first.Parse(bytes);
    CheckLookups(first);
    bool empty_key = false;
    for (const auto& section : first.Sections()) {
        for (const auto& entry : section.entries) empty_key |= entry.key.empty();
    }
    const std::string written = first.Serialize();
    HIniEx second;
    second.Parse(written);
    if (!empty_key && second.Serialize() != written) __builtin_trap();

    // Set a value taken from the input into a section named by it.
    const std::size_t cut = size / 3;
    const std::wstring name = WidenBytes(bytes.substr(0, cut));
    std::wstring value = WidenBytes(bytes.substr(cut));
    for (wchar_t& c : value) {
        if (c == L';') c = L',';
    }
    first.SetValue(name, L"key", value);
    if (first.GetValue(name, L"key", L"\x01") != value) __builtin_trap();
    first.DeleteSection(name);
    first.Serialize();
    return 0;
}
