// The code page names of $DWGCODEPAGE and the characters of those the host
// has no table for, taken from the C library's iconv.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>

#include "cadhost/dxf/codepage.h"

namespace cadhost::dxf {
namespace {

struct NamedPage {
    const char* dxf;
    const char* iconv;  // null: the host's own table, or no upper half at all
    bool multiByte;
};

// Every name a drawing may carry, and what iconv calls it.
constexpr NamedPage kPages[] = {
    {"ANSI_1250", nullptr, false},
    {"ANSI_1251", nullptr, false},
    {"ANSI_1252", nullptr, false},
    {"ANSI_1253", nullptr, false},
    {"ANSI_1255", nullptr, false},
    {"DOS862", nullptr, false},
    {"ANSI_1254", "CP1254", false},
    {"ANSI_1256", "CP1256", false},
    {"ANSI_1257", "CP1257", false},
    {"ANSI_1258", "CP1258", false},
    {"ANSI_874", "CP874", false},
    {"ANSI_932", "CP932", true},
    {"ANSI_936", "CP936", true},
    {"ANSI_949", "CP949", true},
    {"ANSI_950", "CP950", true},
    {"ANSI_1361", "JOHAB", true},
    {"DOS437", "CP437", false},
    {"DOS850", "CP850", false},
    {"DOS852", "CP852", false},
    {"DOS855", "CP855", false},
    {"DOS857", "CP857", false},
    {"DOS860", "CP860", false},
    {"DOS861", "CP861", false},
    {"DOS863", "CP863", false},
    {"DOS864", "CP864", false},
    {"DOS865", "CP865", false},
    {"DOS866", "CP866", false},
    {"DOS869", "CP869", false},
    {"DOS932", "CP932", true},
    {"MACINTOSH", "MACINTOSH", false},
    {"MAC-ROMAN", "MACINTOSH", false},
    {"BIG5", "BIG5", true},
    {"KSC5601", "EUC-KR", true},
    {"JOHAB", "JOHAB", true},
    {"GB2312", "GB2312", true},
    {"ISO8859-1", "ISO-8859-1", false},
    {"ISO8859-2", "ISO-8859-2", false},
    {"ISO8859-3", "ISO-8859-3", false},
    {"ISO8859-4", "ISO-8859-4", false},
    {"ISO8859-5", "ISO-8859-5", false},
    {"ISO8859-6", "ISO-8859-6", false},
    {"ISO8859-7", "ISO-8859-7", false},
    {"ISO8859-8", "ISO-8859-8", false},
    {"ISO8859-9", "ISO-8859-9", false},
    {"ISO8859-10", "ISO-8859-10", false},
    // Plain ASCII and the reserved Unicode page have no 8-bit characters.
    {"ASCII", nullptr, false},
    {"ANSI_1200", nullptr, false},
};

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] == '_' ? '-' : static_cast<char>(a[i] | 0x20);
        const char y = b[i] == '_' ? '-' : static_cast<char>(b[i] | 0x20);
        if (x != y) return false;
    }
    return true;
}

const NamedPage* findPage(std::string_view name) {
    for (const NamedPage& p : kPages)
        if (sameName(p.dxf, name)) return &p;
    return nullptr;
}

// One conversion from a code page to UTF-32, closed with it.
class Converter {
  public:
    explicit Converter(const char* from) : cd_(iconv_open("UTF-32LE", from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // The character that exactly `bytes` make; 0 when they make none, -1
    // when they are the start of a longer sequence.
    long one(const char* bytes, std::size_t n) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char32_t out[4] = {};
        char* in = const_cast<char*>(bytes);
        char* dst = reinterpret_cast<char*>(out);
        std::size_t inLeft = n, outLeft = sizeof out;
        const std::size_t r = iconv(cd_, &in, &inLeft, &dst, &outLeft);
        if (r == static_cast<std::size_t>(-1) && errno == EINVAL) return -1;
        if (r == static_cast<std::size_t>(-1) || inLeft != 0) return 0;
        // Some converters hold a character back until the end (CP1258).
        iconv(cd_, nullptr, nullptr, &dst, &outLeft);
        const std::size_t made = (sizeof out - outLeft) / sizeof(char32_t);
        return made == 1 ? static_cast<long>(out[0]) : 0;
    }

  private:
    iconv_t cd_;
};

using Half = std::array<char16_t, 128>;

// Built once per code page; the tables live as long as the program.
const char16_t* iconvUpperHalf(const char* iconvName) {
    static std::mutex lock;
    static auto* tables = new std::map<std::string, std::unique_ptr<Half>>();
    const std::lock_guard<std::mutex> guard(lock);
    auto [it, added] = tables->try_emplace(iconvName);
    if (added) {
        Converter conv(iconvName);
        if (conv.ok()) {
            auto half = std::make_unique<Half>();
            for (int b = 0x80; b <= 0xFF; ++b) {
                const char byte = static_cast<char>(b);
                const long c = conv.one(&byte, 1);
                (*half)[b - 0x80] = c > 0 && c <= 0xFFFF ? static_cast<char16_t>(c) : 0;
            }
            it->second = std::move(half);
        }
    }
    return it->second ? it->second->data() : nullptr;
}
}  // namespace

CodePageInfo codePageInfo(std::string_view name) {
    CodePageInfo info;
    const NamedPage* page = findPage(name);
    if (page == nullptr) return info;
    info.windows = sameName(std::string_view(page->dxf).substr(0, 5), "ANSI_");
    info.multiByte = page->multiByte;
    if (page->iconv == nullptr) {
        info.source = ownUpperHalf(name) != nullptr ? CodePageInfo::Own : CodePageInfo::NoUpperHalf;
        return info;
    }
    Converter probe(page->iconv);
    if (!probe.ok()) return info;  // the C library lacks it: unknown after all
    info.source = CodePageInfo::Iconv;
    info.iconvName = page->iconv;
    return info;
}

const char16_t* upperHalf(std::string_view name) {
    if (const char16_t* own = ownUpperHalf(name)) return own;
    const NamedPage* page = findPage(name);
    if (page == nullptr || page->iconv == nullptr || page->multiByte) return nullptr;
    return iconvUpperHalf(page->iconv);
}

std::wstring toCodePage(std::wstring_view text, std::string_view name) {
    std::wstring out(text);
    const char16_t* upper = upperHalf(name);
    if (upper == nullptr) return out;
    for (wchar_t& c : out) {
        if (c < 0x80) continue;
        for (int b = 0; b < 128; ++b)
            if (upper[b] == static_cast<char32_t>(c)) {
                c = static_cast<wchar_t>(0x80 + b);
                break;
            }
    }
    return out;
}

std::vector<DecodedPiece> decodeBytes(std::u32string_view bytes, std::string_view name) {
    std::vector<DecodedPiece> out;
    out.reserve(bytes.size());
    const NamedPage* page = findPage(name);
    const char16_t* upper = upperHalf(name);
    std::unique_ptr<Converter> conv;
    if (page != nullptr && page->multiByte) {
        conv = std::make_unique<Converter>(page->iconv);
        if (!conv->ok()) conv.reset();
    }
    for (std::size_t i = 0; i < bytes.size();) {
        const char32_t b = bytes[i];
        if (b < 0x80 || b > 0xFF) {
            out.push_back({b, 1});
            ++i;
        } else if (conv) {
            // A lead byte and its trail bytes, at most four of them.
            char seq[4];
            long c = -1;
            std::size_t n = 0;
            while (c == -1 && n < 4 && i + n < bytes.size() && bytes[i + n] <= 0xFF) {
                seq[n] = static_cast<char>(bytes[i + n]);
                c = conv->one(seq, ++n);
            }
            if (c > 0) {
                out.push_back({static_cast<char32_t>(c), n});
                i += n;
            } else {
                out.push_back({0, 1});
                ++i;
            }
        } else if (upper != nullptr) {
            out.push_back({upper[b - 0x80], 1});
            ++i;
        } else {
            const bool known = page != nullptr;  // ASCII: nothing above 0x7F
            out.push_back({known ? 0 : b, 1});
            ++i;
        }
    }
    return out;
}

}  // namespace cadhost::dxf
