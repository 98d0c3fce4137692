// uni_to_ansi_t and ansi_to_uni_t with any length, also beyond the text.
#include <cstdint>
#include <string>

#include "fuzz/hebrew/fuzz_text.h"
#include "hebrew/converters.h"

using namespace tarsil::hebrew;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t length = data[0];
    const std::wstring text = fuzzing::ToWide(data + 1, size - 1, true);
    const std::string bytes = fuzzing::Narrowed(text);

    uni_to_ansi_t narrow(text.c_str(), length);
    const std::size_t want = length == 0 || length > bytes.size() ? bytes.size() : length;
    if (std::string(narrow.get()) != bytes.substr(0, want)) fuzzing::Fail();

    ansi_to_uni_t widen(bytes.c_str(), length);
    const wchar_t* w = widen.get();
    for (std::size_t i = 0; i < want; ++i)
        if (w[i] != static_cast<unsigned char>(bytes[i])) fuzzing::Fail();
    if (w[want] != 0) fuzzing::Fail();
    return 0;
}
