// A model of TXString: its text as a std::string and its buffer's size by
// the growth rule. TXStringSteps.cpp edits a model alongside a TXString; after
// every step the two must agree in text, Pascal length byte, C terminator and
// buffer size.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>

#include "ModelSteps.h"
#include "StringTestSupport.h"

class TModel {
public:
    std::string text;
    uint32_t bufferSize = 32;  // TXString() makes room for 30 characters

    // The growth rule: only when too small, to n + 2 rounded up to 16.
    void Need(size_t n) {
        if (bufferSize < n + 2) bufferSize = static_cast<uint32_t>((n + 2 + 15) / 16 * 16);
    }
    void Compact() { bufferSize = static_cast<uint32_t>(text.size() + 2); }
    // The text a new TXString(owner, 0) took on by appending.
    static TModel Built(const std::string& text) {
        TModel model{text, 16};
        model.Need(text.size());
        return model;
    }
};

inline std::string UpperCased(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

inline std::string LowerCased(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

inline size_t FindModel(const std::string& text, const std::string& sub, size_t from, bool ignoreCase) {
    return ignoreCase ? UpperCased(text).find(UpperCased(sub), from) : text.find(sub, from);
}

// A search result as TXString gives it: -1 for none.
inline int32_t Found(size_t at) { return at == std::string::npos ? -1 : static_cast<int32_t>(at); }

// Empty when `s` holds the model's state; otherwise what differs.
inline std::string Mismatch(const TXString& s, const TModel& model) {
    if (Text(s) != model.text) return "text " + Quoted(Text(s)) + ", the model says " + Quoted(model.text);
    if (s.CString()[s.GetLength()] != '\0') return "no C terminator after the text";
    if (LengthByte(s) != std::min<size_t>(model.text.size(), 255))
        return "length byte " + std::to_string(LengthByte(s)) + " for " + std::to_string(model.text.size()) +
               " characters";
    if (s.BufferSize() != model.bufferSize)
        return "buffer size " + std::to_string(s.BufferSize()) + ", the model says " + std::to_string(model.bufferSize);
    return "";
}
