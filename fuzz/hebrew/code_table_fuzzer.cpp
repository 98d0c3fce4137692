// ConvertCodeTable: any mode, any text; the output keeps the narrowed length
// and, for a mode without a table, is the reversal.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/hebrew/fuzz_text.h"
#include "hebrew/codepage.h"

using namespace tarsil::hebrew;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    int mode = static_cast<std::int8_t>(data[0]);
    const bool wide = data[1] & 1;
    const std::wstring text = fuzzing::ToWide(data + 2, size - 2, wide);
    const std::string bytes = fuzzing::Narrowed(text);
    std::vector<wchar_t> out(bytes.size() + 1, L'#');
    if (ConvertCodeTable(text.c_str(), out.data(), mode) != 0) fuzzing::Fail();
    if (out[bytes.size()] != 0) fuzzing::Fail();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (out[i] == 0 || static_cast<std::uint32_t>(out[i]) > 0xFF) fuzzing::Fail();
    if (mode >= 3 || mode < 0) {
        std::string want = bytes;
        const bool keep = want.size() > 1 && want.back() == '\n';
        std::reverse(want.begin(), want.end() - (keep ? 1 : 0));
        for (std::size_t i = 0; i < want.size(); ++i)
            if (out[i] != static_cast<unsigned char>(want[i])) fuzzing::Fail();
    }
    std::wstring inPlace = text;
    ConvertCodeTable(inPlace.c_str(), inPlace.data(), mode);
    if (std::wcscmp(inPlace.c_str(), out.data()) != 0) fuzzing::Fail();
    return 0;
}
