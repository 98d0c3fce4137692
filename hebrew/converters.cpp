#include "hebrew/converters.h"

#include <string>

#include "hebrew/narrow.h"

namespace tarsil::hebrew {
namespace {

std::size_t WholeLength(const wchar_t* text) {
    return text ? detail::NarrowLength(text) : 0;
}

std::size_t WholeLength(const char* text) {
    return text ? std::char_traits<char>::length(text) : 0;
}

}  // namespace

uni_to_ansi_t::uni_to_ansi_t(const wchar_t* text, std::size_t length) {
    if (length == 0) length = WholeLength(text);
    buffer_ = new char[length + 1]();
    const std::size_t n = text ? detail::NarrowLength(text, length) : 0;
    for (std::size_t i = 0; i < n; ++i) buffer_[i] = static_cast<char>(text[i]);
}

uni_to_ansi_t::~uni_to_ansi_t() {
    delete[] buffer_;
}

ansi_to_uni_t::ansi_to_uni_t(const char* text, std::size_t length) {
    if (length == 0) length = WholeLength(text);
    buffer_ = new wchar_t[length + 2]();
    for (std::size_t i = 0; text != nullptr && i < length && text[i] != 0; ++i)
        buffer_[i] = static_cast<unsigned char>(text[i]);
}

ansi_to_uni_t::~ansi_to_uni_t() {
    delete[] buffer_;
}

}  // namespace tarsil::hebrew
