// DosToWin, WinToDos (byte and string forms), the reversed forms and the two
// layout tests, checked against their one-line definitions.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/hebrew/fuzz_text.h"
#include "hebrew/codepage.h"

using namespace tarsil::hebrew;

namespace {

bool HasEscape(const std::string& s) {
    return s.find("\\U+") != std::string::npos;
}

int Contains(const std::string& s, unsigned char first, unsigned char last) {
    if (HasEscape(s)) return 1;
    for (unsigned char b : s)
        if (b >= first && b <= last) return 1;
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool wide = data[0] & 1;
    const std::wstring text = fuzzing::ToWide(data + 1, size - 1, wide);
    const std::string bytes = fuzzing::Narrowed(text);

    for (unsigned char b : bytes) {
        const unsigned char w = DosToWin(b), d = WinToDos(b);
        if (b >= 0x80 && b <= 0x9A ? w != b + 0x60 : w != b) fuzzing::Fail();
        if (b >= 0xE0 && b <= 0xFA ? d != b - 0x60 : d != b) fuzzing::Fail();
    }
    std::string mapped(bytes.size() + 1, 'x');
    DosToWin(bytes.c_str(), mapped.data());
    WinToDos(mapped.c_str(), mapped.data());
    std::string reversed = bytes;
    DosToWinReversed(reversed.data(), reversed.data());

    std::vector<wchar_t> out(bytes.size() + 1, L'#');
    if (DosToWinReversed(text.c_str(), out.data()) != 1) fuzzing::Fail();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[bytes.size() - 1 - i]);
        if (out[i] != DosToWin(b) || static_cast<unsigned char>(reversed[i]) != DosToWin(b))
            fuzzing::Fail();
    }
    if (out[bytes.size()] != 0) fuzzing::Fail();
    if (WinToDosReversed(out.data(), out.data()) != 1) fuzzing::Fail();

    if (ContainsDosHebrew(text.c_str()) != (bytes.empty() ? 0 : Contains(bytes, 0x80, 0x9A)))
        fuzzing::Fail();
    if (ContainsWindowsHebrew(text.c_str()) != (bytes.empty() ? 0 : Contains(bytes, 0xE0, 0xFA)))
        fuzzing::Fail();
    return 0;
}
