// What users type at the host: UTF-8 read and written back, LISP text read
// and printed back, points, numbers and integers.  Reading must never crash, and what is printed
// must read back to the same value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cadhost/editor/parse.h"
#include "cadhost/lisp/value.h"
#include "cadhost/rx/wide.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text =
        cadhost::fromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    // Whatever was read is characters UTF-8 can carry: writing and reading
    // them again must give them back.
    if (cadhost::fromUtf8(cadhost::toUtf8(text)) != text) std::abort();
    cadhost::parsePoint(text);
    cadhost::parseReal(text);
    cadhost::parseInteger(text);
    try {
        for (const auto& value : cadhost::lisp::read(text)) {
            const std::wstring printed = cadhost::lisp::print(value);
            const auto again = cadhost::lisp::read(printed);
            // Reals print with six digits, so only the shape is compared.
            if (again.size() != 1 || again[0].kind != value.kind) std::abort();
        }
    } catch (const cadhost::lisp::LispError&) {
    }
    return 0;
}
