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
    // The last weight is for any byte but NUL, so that every byte's class
    // is compared now and then.
    static const int weights[] = {6, 5, 4, 3, 4, 3, 2, 1, 1, 2};
    std::discrete_distribution<int> pick(std::begin(weights), std::end(weights));
    std::string s;
    while (s.size() < length) {
        const int which = pick(rng);
        if (which == 9) {
            s.push_back(static_cast<char>(std::uniform_int_distribution<int>(1, 255)(rng)));
            continue;
        }
        const std::string& pool = pools[which];
        s.push_back(pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng)]);
    }
    return s;
}

// Long stretches of digits, separators and neutrals with a strong letter
// only now and then, so that long lines are cut into few, uneven pieces.
inline std::string SparseStrongLine(std::mt19937& rng, std::size_t length) {
    const std::string weak = "0123456789 +-,.:#%\t()!*";
    const std::string strong = "a\xE0Z\xFA";
    std::string s;
    while (s.size() < length) {
        if (rng() % 9000 == 0)
            s.push_back(strong[rng() % strong.size()]);
        else
            s.push_back(weak[rng() % weak.size()]);
    }
    return s;
}

inline std::string RandomMask(std::mt19937& rng, std::size_t length) {
    std::string m;
    for (std::size_t i = 0; i < length; ++i) m.push_back(static_cast<char>(1 + rng() % 2));
    return m;
}

}  // namespace tarsil::hebrew::testing
