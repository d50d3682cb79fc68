// The digit pattern that the report tests match with: it must refuse as
// surely as it accepts, or a wrong text would pass on every target.
#include <gtest/gtest.h>

#include "TextPattern.h"

namespace {

struct PatternCase {
    const char* text;
    const char* pattern;
    bool matches;
};

TEST(DigitPattern, DigitsWhereMarkedAndEveryOtherCharacterItself) {
    const PatternCase cases[] = {
        {"took 12.345 s", "took #+.### s", true},
        {"took 0.345 s", "took #+.### s", true},
        {"took .345 s", "took #+.### s", false},  // one digit at least
        {"took 1.34 s", "took #+.### s", false},  // exactly three
        {"took 1.3456 s", "took #+.### s", false},
        {"took 1x345 s", "took #+.### s", false},  // '.' is itself, not any character
        {"f.cpp(7):", "f.cpp(#+):", true},
        {"f.cpp():", "f.cpp(#+):", false},
        {"f.cpp(7):x", "f.cpp(#+):", false},  // the whole text
        {"f.cpp(7)", "f.cpp(#+):", false},
        {"", "", true},
    };
    for (const PatternCase& c : cases) {
        EXPECT_EQ(ks::test::MatchesDigitPattern(c.text, c.pattern), c.matches) << c.text << " / " << c.pattern;
    }
}

}  // namespace
