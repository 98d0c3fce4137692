// The three reorderings against GNU FriBidi's fribidi_log2vis on the same
// mixed text (Hebrew, Latin, digits, punctuation) in lines of 80, 1024 and 1 MiB
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

constexpr std::size_t kOneMiB = 1 << 20;

// One long mixed text; a benchmark of n characters reorders windows of it.
struct Text {
    std::vector<wchar_t> engine;       // Windows layout bytes as U+00bb
    std::vector<FriBidiChar> unicode;  // the same text in Unicode
    std::vector<unsigned char> mask;
};

const Text& TheText() {
    static const Text text = [] {
        Text t;
        for (unsigned char b : MixedLine(kOneMiB)) {
            const bool hebrew = b >= 0xE0 && b <= 0xFA;
            t.engine.push_back(b);
            t.unicode.push_back(hebrew ? 0x05D0 + (b - 0xE0) : b);
            t.mask.push_back(hebrew ? 2 : 1);
        }
        t.engine.push_back(0);
        return t;
    }();
    return text;
}

// Arguments: the line length, and whether every iteration takes the next
// window of the text (1) or the same first window again (0).  Repeating one
// short line lets the branch predictor learn it by heart, which no real
// caller sees; the varied windows measure the engine as drawings use it.
template <typename Run>
void Measure(benchmark::State& state, Run run) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const bool vary = state.range(1) != 0;
    std::size_t offset = 0;
    for (auto _ : state) {
        run(offset, n);
        if (vary) offset = offset + 2 * n <= kOneMiB ? offset + n : 0;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
    state.counters["ns_per_char"] =
        benchmark::Counter(static_cast<double>(state.iterations() * n),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_LogicalToVisual(benchmark::State& state) {
    const Text& text = TheText();
    std::vector<wchar_t> out(text.engine.size());
    Measure(state, [&](std::size_t at, std::size_t n) {
        benchmark::DoNotOptimize(LogicalToVisual(&text.engine[at], n, out.data(), nullptr, 0));
        benchmark::ClobberMemory();
    });
}

void BM_LogicalToVisualMasked(benchmark::State& state) {
    const Text& text = TheText();
    std::vector<wchar_t> out(text.engine.size());
    Measure(state, [&](std::size_t at, std::size_t n) {
        benchmark::DoNotOptimize(
            LogicalToVisualMasked(&text.engine[at], n, out.data(), nullptr, 0, &text.mask[at]));
        benchmark::ClobberMemory();
    });
}

void BM_VisualToLogical(benchmark::State& state) {
    const Text& text = TheText();
    std::vector<wchar_t> out(text.engine.size());
    Measure(state, [&](std::size_t at, std::size_t n) {
        benchmark::DoNotOptimize(VisualToLogical(&text.engine[at], n, out.data(), nullptr, 0));
        benchmark::ClobberMemory();
    });
}

void BM_FriBidiLog2Vis(benchmark::State& state) {
    const Text& text = TheText();
    std::vector<FriBidiChar> out(text.unicode.size() + 1);
    Measure(state, [&](std::size_t at, std::size_t n) {
        FriBidiParType direction = FRIBIDI_PAR_RTL;
        benchmark::DoNotOptimize(fribidi_log2vis(&text.unicode[at], static_cast<FriBidiStrIndex>(n),
                                                 &direction, out.data(), nullptr, nullptr,
                                                 nullptr));
        benchmark::ClobberMemory();
    });
}

// The floor that memory sets: read the wide line and write a wide line,
// as every reordering has to.
void BM_CopyLine(benchmark::State& state) {
    const Text& text = TheText();
    std::vector<wchar_t> out(text.engine.size());
    Measure(state, [&](std::size_t at, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) out[n - 1 - i] = text.engine[at + i];
        benchmark::ClobberMemory();
    });
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int vary : {1, 0})
        for (std::int64_t n : {std::int64_t{80}, std::int64_t{1024}, std::int64_t{kOneMiB}})
            b->Args({n, vary});
    b->ArgNames({"n", "varied"});
}

}  // namespace

BENCHMARK(BM_LogicalToVisual)->Apply(Sizes);
BENCHMARK(BM_LogicalToVisualMasked)->Apply(Sizes);
BENCHMARK(BM_VisualToLogical)->Apply(Sizes);
BENCHMARK(BM_FriBidiLog2Vis)->Apply(Sizes);
BENCHMARK(BM_CopyLine)->Apply(Sizes);

BENCHMARK_MAIN();
