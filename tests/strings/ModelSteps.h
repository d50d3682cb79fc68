// What the model-checked steps over the strings share (TXStringSteps.h,
// HelperSteps.h): where their choices come from and the record of one step.
// The suites choose at random from a seed; the fuzzer reads its choices from
// the fuzz input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <type_traits>

class TChoices {
public:
    // A number from 0 to n - 1 (n > 0).
    virtual uint32_t Below(uint32_t n) = 0;
    // A text of at most maxLength characters, none of them NUL.
    virtual std::string Text(uint32_t maxLength) = 0;

protected:
    ~TChoices() = default;
};

// Random choices; texts from a small alphabet, so finds hit, blanks trim and
// CRs expand.
class TRandomChoices : public TChoices {
public:
    explicit TRandomChoices(uint32_t seed) : fRandom(seed) {}

    uint32_t Below(uint32_t n) override { return std::uniform_int_distribution<uint32_t>(0, n - 1)(fRandom); }
    std::string Text(uint32_t maxLength) override {
        static const char kAlphabet[] = "abcAB \t\r\nxy";
        std::string text(Below(maxLength + 1), ' ');
        for (char& c : text) c = kAlphabet[Below(sizeof kAlphabet - 1)];
        return text;
    }

private:
    std::mt19937 fRandom;
};

// A text as C source would write it, so a step's name and a mismatch can be
// read whatever bytes they hold.
inline std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out + "\"";
}

// One step: what was done and, where the code and the model differ, how.
class TStep {
public:
    std::string name;
    std::string mismatch;  // empty while everything agrees

    // Keeps the first difference: `what` gave `actual` where the model says
    // `expected`.
    template <class T>
    void Same(const char* what, const T& actual, const T& expected) {
        if (mismatch.empty() && !(actual == expected))
            mismatch = std::string(what) + " gave " + Shown(actual) + ", the model says " + Shown(expected);
    }
    void Holds(const char* what, bool bHolds) {
        if (mismatch.empty() && !bHolds) mismatch = "broken: " + std::string(what);
    }
    // A difference found elsewhere (empty: none), said of `what`.
    void Note(const std::string& what, const std::string& difference) {
        if (mismatch.empty() && !difference.empty()) mismatch = what + ": " + difference;
    }

private:
    static std::string Shown(const std::string& text) { return Quoted(text); }
    static std::string Shown(const void* p) {
        char text[32];
        std::snprintf(text, sizeof text, "%p", p);
        return text;
    }
    template <class T>
    requires std::is_arithmetic_v<T>
    static std::string Shown(T value) { return std::to_string(value); }
};
