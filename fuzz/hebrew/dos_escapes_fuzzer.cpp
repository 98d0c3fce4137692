// DecodeDosEscapes with any length: the result is terminated at the new
// length, never longer than the text, and the length shrinks by fours.
#include <cstdint>
#include <cwchar>

#include "fuzz/hebrew/fuzz_text.h"
#include "hebrew/codepage.h"

using namespace tarsil::hebrew;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t requested = data[0] == 0xFF ? SIZE_MAX : data[0];
    std::wstring text = fuzzing::ToWide(data + 1, size - 1, data[1] & 1);
    const std::size_t before = std::wcslen(text.c_str());
    const std::size_t scanned = requested < before ? requested : before;
    std::size_t length = requested;
    if (DecodeDosEscapes(text.data(), length) != 1) fuzzing::Fail();
    if (length > scanned || (scanned - length) % 4 != 0) fuzzing::Fail();
    if (length != scanned && std::wcslen(text.c_str()) != length) fuzzing::Fail();
    for (std::size_t i = 0; i < length; ++i)
        if (text[i] == 0) fuzzing::Fail();
    return 0;
}
