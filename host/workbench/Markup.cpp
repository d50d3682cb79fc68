#include "workbench/Markup.h"

#include <algorithm>
#include <charconv>

namespace workbench {

namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0.
std::size_t SequenceLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf;  // the allowed range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf)
        length = 2;
    else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0) low = 0xa0;
        if (lead == 0xed) high = 0x9f;  // no surrogates
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0) low = 0x90;
        if (lead == 0xf4) high = 0x8f;
    } else
        return 0;
    if (at + length > text.size()) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xbf) return 0;
    return length;
}

}  // namespace

std::string EscapeMarkup(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = SequenceLength(text, i);
            out += length == 0 ? std::string("\xEF\xBF\xBD") : text.substr(i, length);
            i += std::max<std::size_t>(length, 1);
            continue;
        }
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            case '\n':
            case '\r':
            case '\t':
                out += static_cast<char>(c);
                break;
            default:
                out += c < 0x20 || c == 0x7f ? std::string("\xEF\xBF\xBD") : std::string(1, static_cast<char>(c));
        }
        ++i;
    }
    return out;
}

std::string SheetNumber(double value) {
    constexpr double kMost = 1e6;
    if (value != value) value = 0.0;  // NaN: off the sheet at any rate
    value = std::clamp(value, -kMost, kMost);
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    return text == "-0.00" ? "0.00" : text;
}

}  // namespace workbench
