// Random sequences of edits on a TXString, step by step against a
// std::string and a model of the buffer's size: text, Pascal length byte, C
// terminator and the growth rule after every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>

#include "StringTestSupport.h"

namespace {

class TModel {
public:
    std::string text;
    uint32_t bufferSize = 32;

    // The growth rule: only when too small, to n + 2 rounded up to 16.
    void Need(size_t n) {
        if (bufferSize < n + 2) bufferSize = static_cast<uint32_t>((n + 2 + 15) / 16 * 16);
    }
    void Compact() { bufferSize = static_cast<uint32_t>(text.size() + 2); }
};

size_t FindModel(const std::string& text, const std::string& sub, size_t from, bool ignoreCase) {
    if (!ignoreCase) return text.find(sub, from);
    auto upper = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    };
    return upper(text).find(upper(sub), from);
}

class TRandomEdits {
public:
    explicit TRandomEdits(uint32_t seed) : fRandom(seed) {}

    uint32_t Below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(fRandom); }

    // Texts from a small alphabet, so finds hit, blanks trim and CRs expand.
    std::string Text(uint32_t maxLength) {
        static const char kAlphabet[] = "abcAB \t\r\nxy";
        std::string text(Below(maxLength + 1), ' ');
        for (char& c : text) c = kAlphabet[Below(sizeof kAlphabet - 1)];
        return text;
    }

private:
    std::mt19937 fRandom;
};

void ExpectSame(const TXString& s, const TModel& model, const std::string& step) {
    ASSERT_EQ(Text(s), model.text) << step;
    ASSERT_EQ(s.CString()[s.GetLength()], '\0') << step;
    ASSERT_EQ(LengthByte(s), std::min<size_t>(model.text.size(), 255)) << step;
    ASSERT_EQ(s.BufferSize(), model.bufferSize) << step;
}

void RunSequence(uint32_t seed) {
    TRandomEdits r(seed);
    TXString s;
    TModel model;
    for (int stepIndex = 0; stepIndex < 400; ++stepIndex) {
        const size_t length = model.text.size();
        std::string step;
        switch (r.Below(16)) {
            case 0: {
                const std::string add = r.Text(r.Below(8) == 0 ? 120 : 12);
                step = "Append \"" + add + "\"";
                s.Append(add.c_str());
                model.text += add;
                model.Need(model.text.size());
                break;
            }
            case 1: {
                const char ch = r.Text(1).empty() ? 'q' : 'z';
                step = "Append char";
                s.Append(ch);
                model.text += ch;
                model.Need(model.text.size());
                break;
            }
            case 2: {
                const auto pos = r.Below(static_cast<uint32_t>(length) + 4);
                const std::string add = r.Text(10);
                step = "Insert " + std::to_string(pos) + " \"" + add + "\"";
                s.Insert(pos, add.c_str());
                model.text.insert(std::min<size_t>(pos, length), add);  // beyond the end: appended
                model.Need(model.text.size());
                break;
            }
            case 3: {
                const auto pos = r.Below(static_cast<uint32_t>(length) + 2);
                const auto cnt = 1 + r.Below(5);
                step = "Insert chars " + std::to_string(pos) + " x" + std::to_string(cnt);
                s.Insert(pos, 'k', cnt);
                model.text.insert(std::min<size_t>(pos, length), cnt, 'k');
                model.Need(model.text.size());
                break;
            }
            case 4: {
                const auto pos = r.Below(static_cast<uint32_t>(length) + 2);
                const auto count = r.Below(12);
                step = "Delete " + std::to_string(pos) + " " + std::to_string(count);
                s.Delete(pos, count);
                if (pos < length) model.text.erase(pos, count);
                break;
            }
            case 5: {
                const std::string find = r.Text(2);
                const std::string repl = r.Text(3);
                const bool ignoreCase = r.Below(2) == 1;
                step = "Replace \"" + find + "\" by \"" + repl + "\"";
                s.Replace(find.c_str(), repl.c_str(), ignoreCase);
                if (!find.empty()) {
                    const size_t before = model.text.size();
                    size_t pos = 0;
                    while (pos < model.text.size()) {
                        const size_t at = FindModel(model.text, find, pos, ignoreCase);
                        if (at == std::string::npos) break;
                        model.text.replace(at, find.size(), repl);
                        pos = at + repl.size();
                    }
                    model.Need(std::max(before, model.text.size()));
                }
                break;
            }
            case 6: {
                const auto first = r.Below(static_cast<uint32_t>(length) + 2);
                const auto count = r.Below(static_cast<uint32_t>(length) + 2);
                step = "Mid " + std::to_string(first) + " " + std::to_string(count);
                const TXString part = s.Mid(first, count);
                const std::string expected = first < length ? model.text.substr(first, count) : std::string();
                ASSERT_EQ(Text(part), expected) << step;
                if (r.Below(2) == 0) {
                    s = part;
                    model.text = expected;
                    model.Need(expected.size());
                }
                break;
            }
            case 7: {
                const char ch = "abcAx\r"[r.Below(6)];
                const auto start = r.Below(static_cast<uint32_t>(length) + 2);
                step = "Find char";
                const size_t at = model.text.find(ch, start);
                ASSERT_EQ(s.Find(ch, start), at == std::string::npos ? -1 : static_cast<int32_t>(at)) << step;
                const size_t last = model.text.rfind(ch);
                ASSERT_EQ(s.ReverseFind(ch), last == std::string::npos ? -1 : static_cast<int32_t>(last)) << step;
                if (length > 0) {
                    const std::string sub = r.Text(2);
                    const auto from = r.Below(static_cast<uint32_t>(length));
                    const bool ignoreCase = r.Below(2) == 1;
                    const size_t found = FindModel(model.text, sub, from, ignoreCase);
                    ASSERT_EQ(s.Find(sub.c_str(), from, ignoreCase),
                              found == std::string::npos ? -1 : static_cast<int32_t>(found))
                        << "Find \"" << sub << "\" from " << from;
                }
                break;
            }
            case 8: {
                step = "TrimLeading";
                s.TrimLeading();
                model.text.erase(0, std::min(model.text.find_first_not_of(" \t"), model.text.size()));
                break;
            }
            case 9: {
                step = "TrimTrailing";
                s.TrimTrailing();
                const size_t last = model.text.find_last_not_of(" \t");
                if (last != std::string::npos) model.text.erase(last + 1);
                break;
            }
            case 10: {
                const bool upper = r.Below(2) == 0;
                step = upper ? "ToUpper" : "ToLower";
                upper ? s.ToUpper() : s.ToLower();
                for (char& c : model.text)
                    c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c))
                                                : std::tolower(static_cast<unsigned char>(c)));
                break;
            }
            case 11: {
                step = "Reverse";
                s.Reverse();
                std::reverse(model.text.begin(), model.text.end());
                break;
            }
            case 12: {
                const auto n = r.Below(r.Below(6) == 0 ? 320 : 40);
                step = "SetLength " + std::to_string(n);
                s.SetLength(n, '-');
                if (n == 0) {
                    model.text.clear();
                    model.Compact();
                } else {
                    model.text.resize(n, '-');
                    model.Need(n);
                }
                break;
            }
            case 13: {
                const bool keep = r.Below(2) == 0;
                step = keep ? "Clear(true)" : "Clear(false)";
                s.Clear(keep);
                model.text.clear();
                if (!keep) model.Compact();
                break;
            }
            case 14: {
                const int32_t n = static_cast<int32_t>(r.Below(100000)) - 50000;
                const std::string tail = model.text.substr(0, std::min<size_t>(length, 20));
                step = "Format";
                // The argument points into the string being formatted.
                s.Format("%d<%s>", static_cast<int>(n), s.Left(static_cast<uint32_t>(tail.size())).CString());
                model.text = std::to_string(n) + "<" + tail + ">";
                model.Compact();
                break;
            }
            default: {
                const bool toCRLF = r.Below(2) == 0;
                step = toCRLF ? "CRToCRLF" : "CRLFToLF";
                if (toCRLF) {
                    s.CRToCRLF();
                    if (model.text.find("\r\n") == std::string::npos) {
                        std::string out;
                        for (char c : model.text) {
                            out += c;
                            if (c == '\r') out += '\n';
                        }
                        model.text = out;
                        model.Need(out.size());
                    }
                } else {
                    s.CRLFToLF();
                    std::string out;
                    for (size_t i = 0; i < model.text.size(); ++i)
                        if (!(model.text[i] == '\r' && i + 1 < model.text.size() && model.text[i + 1] == '\n'))
                            out += model.text[i];
                    model.text = out;
                }
                break;
            }
        }
        ExpectSame(s, model, "step " + std::to_string(stepIndex) + ": " + step);
    }
}

class TXStringRandomEdits : public ::testing::TestWithParam<uint32_t> {};

TEST_P(TXStringRandomEdits, FollowTheModelStepByStep) { RunSequence(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Seeds, TXStringRandomEdits, ::testing::Range<uint32_t>(1, 41));

}  // namespace
