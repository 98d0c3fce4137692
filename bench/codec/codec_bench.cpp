// Decoding and encoding a million stored texts of 40 characters for each
// font type, beside the same work done by iconv (code page 862 <-> 1255)
// and fribidi_log2vis on the same texts in the same run.
#include <benchmark/benchmark.h>
#include <fribidi.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "hebrew/codec/drawing_text_codec.h"

namespace {

using tarsil::FontType;
using tarsil::hebrew::DecodeDrawingText;
using tarsil::hebrew::EncodeDrawingText;

constexpr std::size_t kTexts = 1'000'000;
constexpr std::size_t kLength = 40;

// Logical texts of Hebrew words, blanks, numbers and (where the font has
// Latin letters) Latin words, exactly kLength characters each.
std::vector<std::wstring> MakeLogicalTexts(bool with_latin) {
    std::mt19937 random(1255);
    std::vector<std::wstring> texts;
    texts.reserve(kTexts);
    for (std::size_t t = 0; t < kTexts; ++t) {
        std::wstring text;
        while (text.size() < kLength) {
            if (!text.empty()) text += L' ';
            const unsigned kind = random() % 8;
            const std::size_t word = 2 + random() % 6;
            for (std::size_t i = 0; i < word; ++i) {
                if (kind == 0) {
                    text += static_cast<wchar_t>(L'0' + random() % 10);
                } else if (kind == 1 && with_latin) {
                    text += static_cast<wchar_t>(L'a' + random() % 26);
                } else {
                    text += static_cast<wchar_t>(0xE0 + random() % 27);
                }
            }
        }
        text.resize(kLength);
        if (text.back() == L' ') text.back() = static_cast<wchar_t>(0xE0);
        texts.push_back(std::move(text));
    }
    return texts;
}

const std::vector<std::wstring>& LogicalTexts(FontType type) {
    static const std::vector<std::wstring> latin = MakeLogicalTexts(true);
    static const std::vector<std::wstring> hebrew_only = MakeLogicalTexts(false);
    return type == FontType::Hebrew7Bit || type == FontType::Hebrew7BitBackward ? hebrew_only
                                                                                : latin;
}

std::vector<std::wstring> StoredTexts(FontType type) {
    std::vector<std::wstring> stored = LogicalTexts(type);
    for (std::wstring& text : stored) EncodeDrawingText(text, type, {});
    return stored;
}

const std::vector<unsigned char>& AllOtherMask() {
    static const std::vector<unsigned char> mask(kLength, 1);
    return mask;
}

void BM_Decode(benchmark::State& state) {
    const auto type = static_cast<FontType>(state.range(0));
    const std::vector<std::wstring> stored = StoredTexts(type);
    std::wstring work;
    for (auto _ : state) {
        for (const std::wstring& text : stored) {
            work = text;
            DecodeDrawingText(work, type);
            benchmark::DoNotOptimize(work.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}

void BM_Encode(benchmark::State& state) {
    const auto type = static_cast<FontType>(state.range(0));
    const std::vector<std::wstring>& logical = LogicalTexts(type);
    std::wstring work;
    for (auto _ : state) {
        for (const std::wstring& text : logical) {
            work = text;
            EncodeDrawingText(work, type, AllOtherMask());
            benchmark::DoNotOptimize(work.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}

// The peer: the same texts as bytes, converted between the two code pages
// with iconv and reordered with fribidi in a right-to-left paragraph.
std::vector<std::string> AsBytes(const std::vector<std::wstring>& texts) {
    std::vector<std::string> bytes;
    bytes.reserve(texts.size());
    for (const std::wstring& text : texts) {
        std::string b(text.size(), '\0');
        for (std::size_t i = 0; i < text.size(); ++i) b[i] = static_cast<char>(text[i]);
        bytes.push_back(std::move(b));
    }
    return bytes;
}

class PeerPair {
  public:
    PeerPair(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            std::fprintf(stderr, "iconv_open(%s, %s) failed\n", to, from);
            std::exit(1);
        }
    }
    ~PeerPair() { iconv_close(cd_); }

    // Code page conversion, then reordering through Unicode and back.
    void DosToWindowsThenReorder(const std::string& in) {
        Convert(in);
        Reorder(FRIBIDI_CHAR_SET_CP1255);
    }
    // Reordering, then code page conversion.
    void ReorderThenWindowsToDos(const std::string& in) {
        converted_ = in;
        Reorder(FRIBIDI_CHAR_SET_CP1255);
        Convert(converted_);
    }
    const char* result() const { return converted_.data(); }

  private:
    void Convert(const std::string& in) {
        char* src = const_cast<char*>(in.data());
        std::size_t src_left = in.size();
        output_.resize(in.size() * 4 + 4);
        char* dst = output_.data();
        std::size_t dst_left = output_.size();
        iconv(cd_, &src, &src_left, &dst, &dst_left);
        converted_.assign(output_.data(), output_.size() - dst_left);
    }
    void Reorder(FriBidiCharSet charset) {
        const auto n = static_cast<FriBidiStrIndex>(converted_.size());
        logical_.resize(n + 1);
        visual_.resize(n + 1);
        fribidi_charset_to_unicode(charset, converted_.data(), n, logical_.data());
        FriBidiParType base = FRIBIDI_PAR_RTL;
        fribidi_log2vis(logical_.data(), n, &base, visual_.data(), nullptr, nullptr, nullptr);
        output_.resize(n * 4 + 4);
        const FriBidiStrIndex len =
            fribidi_unicode_to_charset(charset, visual_.data(), n, output_.data());
        converted_.assign(output_.data(), len);
    }

    iconv_t cd_;
    std::string output_;
    std::string converted_;
    std::vector<FriBidiChar> logical_;
    std::vector<FriBidiChar> visual_;
};

void BM_PeerDecode(benchmark::State& state) {
    const std::vector<std::string> stored = AsBytes(StoredTexts(FontType::HebrewNormal));
    PeerPair peer("CP1255", "CP862");
    for (auto _ : state) {
        for (const std::string& text : stored) {
            peer.DosToWindowsThenReorder(text);
            benchmark::DoNotOptimize(peer.result());
        }
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}

void BM_PeerEncode(benchmark::State& state) {
    const std::vector<std::string> logical = AsBytes(LogicalTexts(FontType::HebrewNormal));
    PeerPair peer("CP862", "CP1255");
    for (auto _ : state) {
        for (const std::string& text : logical) {
            peer.ReorderThenWindowsToDos(text);
            benchmark::DoNotOptimize(peer.result());
        }
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}

void FontTypes(benchmark::internal::Benchmark* b) {
    for (int type : {0, 1, 2, 3, 4, 5, 255}) b->Arg(type);
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Decode)->Apply(FontTypes);
BENCHMARK(BM_Encode)->Apply(FontTypes);
BENCHMARK(BM_PeerDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerEncode)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
