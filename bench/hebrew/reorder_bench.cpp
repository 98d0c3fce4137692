// The three reorderings against GNU FriBidi's fribidi_log2vis on the same
// mixed line (Hebrew, Latin, digits, punctuation) of 80, 1024 and 1 MiB
// characters.  bench/hebrew/ratios.py turns the JSON output into the ratios.
#include <benchmark/benchmark.h>
#include <fribidi.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "hebrew/reorder.h"

namespace {

using namespace tarsil::hebrew;

// Words of one kind each, separated by spaces and now and then punctuation,
// the way drawing text mixes them.
std::string MixedLine(std::size_t length) {
    std::mt19937 rng(1255);
    const std::string punctuation = ".,:;-()\"'/%";
    std::string s;
    while (s.size() < length) {
        const int kind = static_cast<int>(rng() % 10);
        const int word = 1 + static_cast<int>(rng() % 8);
        for (int i = 0; i < word; ++i) {
            if (kind < 5)
                s.push_back(static_cast<char>(0xE0 + rng() % 27));
            else if (kind < 8)
                s.push_back(static_cast<char>('a' + rng() % 26));
            else
                s.push_back(static_cast<char>('0' + rng() % 10));
        }
        if (rng() % 4 == 0) s.push_back(punctuation[rng() % punctuation.size()]);
        s.push_back(' ');
    }
    s.resize(length);
    return s;
}

struct Line {
    std::vector<wchar_t> engine;  // Windows layout bytes as U+00bb
    std::vector<FriBidiChar> unicode;  // the same text in Unicode
    std::vector<unsigned char> mask;
};

const Line& LineOf(std::size_t length) {
    static std::vector<std::pair<std::size_t, Line>> cache;
    for (const auto& [n, line] : cache)
        if (n == length) return line;
    Line line;
    for (unsigned char b : MixedLine(length)) {
        line.engine.push_back(b);
        line.unicode.push_back(b >= 0xE0 && b <= 0xFA ? 0x05D0 + (b - 0xE0) : b);
        line.mask.push_back(b >= 0xE0 && b <= 0xFA ? 2 : 1);
    }
    line.engine.push_back(0);
    cache.emplace_back(length, std::move(line));
    return cache.back().second;
}

template <typename Run>
void Measure(benchmark::State& state, Run run) {
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) run(n);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
    state.counters["ns_per_char"] = benchmark::Counter(
        static_cast<double>(state.iterations() * n),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_LogicalToVisual(benchmark::State& state) {
    const Line& line = LineOf(static_cast<std::size_t>(state.range(0)));
    std::vector<wchar_t> out(line.engine.size());
    Measure(state, [&](std::size_t n) {
        benchmark::DoNotOptimize(LogicalToVisual(line.engine.data(), n, out.data(), nullptr, 0));
        benchmark::ClobberMemory();
    });
}

void BM_LogicalToVisualMasked(benchmark::State& state) {
    const Line& line = LineOf(static_cast<std::size_t>(state.range(0)));
    std::vector<wchar_t> out(line.engine.size());
    Measure(state, [&](std::size_t n) {
        benchmark::DoNotOptimize(
            LogicalToVisualMasked(line.engine.data(), n, out.data(), nullptr, 0, line.mask.data()));
        benchmark::ClobberMemory();
    });
}

void BM_VisualToLogical(benchmark::State& state) {
    const Line& line = LineOf(static_cast<std::size_t>(state.range(0)));
    std::vector<wchar_t> out(line.engine.size());
    Measure(state, [&](std::size_t n) {
        benchmark::DoNotOptimize(VisualToLogical(line.engine.data(), n, out.data(), nullptr, 0));
        benchmark::ClobberMemory();
    });
}

void BM_FriBidiLog2Vis(benchmark::State& state) {
    const Line& line = LineOf(static_cast<std::size_t>(state.range(0)));
    std::vector<FriBidiChar> out(line.unicode.size() + 1);
    Measure(state, [&](std::size_t n) {
        FriBidiParType direction = FRIBIDI_PAR_RTL;
        benchmark::DoNotOptimize(fribidi_log2vis(line.unicode.data(), static_cast<FriBidiStrIndex>(n),
                                                 &direction, out.data(), nullptr, nullptr,
                                                 nullptr));
        benchmark::ClobberMemory();
    });
}

constexpr std::int64_t kOneMiB = 1 << 20;

}  // namespace

BENCHMARK(BM_LogicalToVisual)->Arg(80)->Arg(1024)->Arg(kOneMiB);
BENCHMARK(BM_LogicalToVisualMasked)->Arg(80)->Arg(1024)->Arg(kOneMiB);
BENCHMARK(BM_VisualToLogical)->Arg(80)->Arg(1024)->Arg(kOneMiB);
BENCHMARK(BM_FriBidiLog2Vis)->Arg(80)->Arg(1024)->Arg(kOneMiB);

BENCHMARK_MAIN();
