// A text matcher that means the same on every target. GoogleTest's regular
// expressions are POSIX ones on Linux but a small subset on Windows, which
// refuses brackets, so the report texts with numbers in them are matched
// against a pattern of their own: '#' stands for one decimal digit, "#+" for
// one or more (as many as there are), every other character for itself.
#pragma once

#include <gmock/gmock.h>

#include <cctype>
#include <string>
#include <string_view>

namespace ks::test {

inline bool MatchesDigitPattern(std::string_view text, std::string_view pattern) {
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    size_t at = 0;
    for (size_t p = 0; p < pattern.size(); ++p) {
        if (pattern[p] != '#') {
            if (at == text.size() || text[at] != pattern[p]) return false;
            ++at;
            continue;
        }
        if (at == text.size() || !isDigit(text[at])) return false;
        ++at;
        if (p + 1 < pattern.size() && pattern[p + 1] == '+') {
            while (at < text.size() && isDigit(text[at])) ++at;
            ++p;
        }
    }
    return at == text.size();
}

MATCHER_P(FitsDigitPattern, pattern, std::string("fits the pattern \"") + pattern + "\"") {
    return MatchesDigitPattern(arg, pattern);
}

}  // namespace ks::test
