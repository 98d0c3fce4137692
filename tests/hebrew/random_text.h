// Random lines that mix every kind of byte the reordering distinguishes.
#pragma once

#include <random>
#include <string>

namespace tarsil::hebrew::testing {

inline std::string RandomLine(std::mt19937& rng, std::size_t length) {
    // Weighted pools: Hebrew, Latin, digits, separators and terminators,
    // white space, space-like punctuation, brackets, controls, foreign bytes.
    static const std::string pools[] = {"\xE0\xE1\xE2\xE3\xEA\xF0\xF9\xFA",
                                        "abcXYZ",
                                        "0123456789",
                                        "+-,.:/#$%",
                                        "   \t\x0C",
                                        " .;,\"*@`~",
                                        "()[]{}<>",
                                        "\x01\x1F\n\x0B",
                                        "\x80\x9A\xA4\xDF\xFB\xFD\xFE\xFF!?&'"};
    static const int weights[] = {6, 5, 4, 3, 4, 3, 2, 1, 1};
    std::discrete_distribution<int> pick(std::begin(weights), std::end(weights));
    std::string s;
    while (s.size() < length) {
        const std::string& pool = pools[pick(rng)];
        s.push_back(pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng)]);
    }
    return s;
}

inline std::string RandomMask(std::mt19937& rng, std::size_t length) {
    std::string m;
    for (std::size_t i = 0; i < length; ++i) m.push_back(static_cast<char>(1 + rng() % 2));
    return m;
}

}  // namespace tarsil::hebrew::testing
