#include <array>
#include <utility>

#include "hebrew/codepage.h"
#include "hebrew/narrow.h"

namespace tarsil::hebrew {
namespace {

using Table = std::array<unsigned char, 256>;
using Entry = std::pair<unsigned char, unsigned char>;

// Hebrew letter k in the DOS and Windows layouts.
constexpr unsigned char Dos(int k) {
    return static_cast<unsigned char>(0x80 + k);
}
constexpr unsigned char Win(int k) {
    return static_cast<unsigned char>(0xE0 + k);
}

enum Letter {
    kAlef,
    kBet,
    kGimel,
    kDalet,
    kHe,
    kVav,
    kZayin,
    kHet,
    kTet,
    kYod,
    kFinalKaf,
    kKaf,
    kLamed,
    kFinalMem,
    kMem,
    kFinalNun,
    kNun,
    kSamekh,
    kAyin,
    kFinalPe,
    kPe,
    kFinalTsadi,
    kTsadi,
    kQof,
    kResh,
    kShin,
    kTav,
    kLetterCount
};

// The Latin key that carries each letter on the standard Hebrew keyboard.
constexpr char kKeys[kLetterCount + 1] = "tcdsvuzjyhlfkonibxg;p.mera,";

// Bytes not listed map to themselves.
template <std::size_t N>
constexpr Table MakeTable(const std::array<Entry, N>& entries) {
    Table t{};
    for (int b = 0; b < 256; ++b) t[b] = static_cast<unsigned char>(b);
    for (const auto& [from, to] : entries) t[from] = to;
    return t;
}

constexpr Table k7BitToDosTable = MakeTable(std::array<Entry, 31>{{
    {'\'', ','},        {',', Dos(kTav)},      {'.', Dos(kFinalTsadi)},
    {'/', '.'},         {';', Dos(kFinalPe)},  {'a', Dos(kShin)},
    {'b', Dos(kNun)},   {'c', Dos(kBet)},      {'d', Dos(kGimel)},
    {'e', Dos(kQof)},   {'f', Dos(kKaf)},      {'g', Dos(kAyin)},
    {'h', Dos(kYod)},   {'i', Dos(kFinalNun)}, {'j', Dos(kHet)},
    {'k', Dos(kLamed)}, {'l', Dos(kFinalKaf)}, {'m', Dos(kTsadi)},
    {'n', Dos(kMem)},   {'o', Dos(kFinalMem)}, {'p', Dos(kPe)},
    {'q', '/'},         {'r', Dos(kResh)},     {'s', Dos(kDalet)},
    {'t', Dos(kAlef)},  {'u', Dos(kVav)},      {'v', Dos(kHe)},
    {'w', '`'},         {'x', Dos(kSamekh)},   {'y', Dos(kTet)},
    {'z', Dos(kZayin)},
}});

template <unsigned char (*Layout)(int), std::size_t Extra>
constexpr Table LettersToKeys(const std::array<Entry, Extra>& extra) {
    std::array<Entry, kLetterCount + Extra> all{};
    for (int k = 0; k < kLetterCount; ++k)
        all[k] = {Layout(k), static_cast<unsigned char>(kKeys[k])};
    for (std::size_t i = 0; i < Extra; ++i) all[kLetterCount + i] = extra[i];
    return MakeTable(all);
}

// "," and ";" are looked up here too, but map to themselves.
constexpr Table kWindowsTo7BitTable =
    LettersToKeys<Win>(std::array<Entry, 3>{{{'.', '/'}, {'/', 'q'}, {'`', 'w'}}});

constexpr Table kDosTo7BitTable = LettersToKeys<Dos>(
    std::array<Entry, 5>{{{'.', '/'}, {'/', 'q'}, {'`', 'w'}, {'\'', 'w'}, {',', '\''}}});

const Table* TableOfMode(int mode) {
    switch (mode) {
        case kWindowsTo7Bit:
            return &kWindowsTo7BitTable;
        case k7BitToDos:
            return &k7BitToDosTable;
        case kDosTo7Bit:
            return &kDosTo7BitTable;
        default:
            return nullptr;
    }
}

}  // namespace

std::int32_t ConvertCodeTable(const wchar_t* in, wchar_t* out, int mode) {
    if (in == nullptr || out == nullptr) return 0;
    std::size_t n = detail::NarrowLength(in);
    const bool keepLineFeed = n > 1 && in[n - 1] == L'\n';
    if (keepLineFeed) --n;

    // Pairs from both ends are swapped, so out may be in itself and nothing
    // needs a copy.
    const Table* table = TableOfMode(mode);
    const auto map = [table](wchar_t c) -> wchar_t {
        const auto byte = static_cast<unsigned char>(c);
        return table != nullptr ? (*table)[byte] : byte;
    };
    for (std::size_t i = 0, j = n; i < j--; ++i) {
        const wchar_t left = in[i], right = in[j];
        out[i] = map(right);
        out[j] = map(left);
    }
    std::size_t o = n;
    if (keepLineFeed) out[o++] = L'\n';
    out[o] = 0;
    return 0;
}

}  // namespace tarsil::hebrew
