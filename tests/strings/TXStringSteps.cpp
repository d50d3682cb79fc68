// The edits TXStringStep chooses from, one function each: every one applies
// its operation to the string and to the model and compares what it returns.
#include "TXStringSteps.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "GuardedBuffer.h"

namespace {

// Edits that take the string's own text can double it, and replacing every
// character by a piece of it multiplies it: the tails taken as arguments stay
// short, and a text longer than kLongest is cut back before the next step,
// so that a long run of steps stays fast.
constexpr uint32_t kLongestTail = 32;
constexpr uint32_t kLongest = 2048;

struct TEdit {
    TChoices& r;
    TXString& s;
    TModel& m;
    TStep& step;

    uint32_t Length() const { return static_cast<uint32_t>(m.text.size()); }
    // Mostly short, now and then long enough to pass 255 and a growth step.
    uint32_t SomeLength(uint32_t shortLength) { return r.Below(8) == 0 ? 255 : shortLength; }
    std::string SomeText(uint32_t shortLength) { return r.Text(SomeLength(shortLength)); }
    // A character; with bMayBeNul, sometimes the terminator.
    char Char(bool bMayBeNul) {
        const std::string text = r.Text(1);
        if (!text.empty()) return text[0];
        return bMayBeNul && r.Below(4) == 0 ? '\0' : 'q';
    }
    void Took(std::string text) {
        m.text = std::move(text);
        m.Need(m.text.size());
    }
};

// A C argument: a new text or, now and then, a short tail of the string
// itself (which the edit may move or free while it reads it).
class TArgument {
public:
    TArgument(TEdit& e, uint32_t maxLength) {
        if (e.Length() > 0 && e.r.Below(6) == 0) {
            const uint32_t k = e.Length() - 1 - e.r.Below(std::min(e.Length(), kLongestTail));
            text = e.m.text.substr(k);
            fInside = e.s.CString() + k;
        } else {
            text = e.r.Text(maxLength);
        }
    }
    const char* C() const { return fInside != nullptr ? fInside : text.c_str(); }
    std::string Shown() const { return fInside != nullptr ? "the string from " + Quoted(text) : Quoted(text); }

    std::string text;

private:
    const char* fInside = nullptr;
};

int Sign(int32_t value) { return (value > 0) - (value < 0); }
int Sign(const std::string& a, const std::string& b) { return Sign(a.compare(b)); }

// A Pascal argument compares over the common length; any other difference in
// length answers 1.
int PascalOrder(const std::string& text, const std::string& other) {
    const size_t common = std::min(text.size(), other.size());
    const int order = Sign(text.substr(0, common), other.substr(0, common));
    return order != 0 ? order : text.size() == other.size() ? 0 : 1;
}

std::string ReplacedModel(std::string text, const std::string& find, const std::string& replacement, bool ignoreCase,
                          uint32_t& count) {
    count = 0;
    if (find.empty()) return text;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t at = FindModel(text, find, pos, ignoreCase);
        if (at == std::string::npos) break;
        text.replace(at, find.size(), replacement);
        pos = at + replacement.size();  // inserted text is not scanned again
        ++count;
    }
    return text;
}

void AppendText(TEdit& e) {
    const TArgument add(e, e.SomeLength(12));
    e.step.name = "Append(" + add.Shown() + ")";
    e.s.Append(add.C());
    e.Took(e.m.text + add.text);
}

void AppendPascal(TEdit& e) {
    const std::string add = e.SomeText(12);
    e.step.name = "Append(Pascal " + Quoted(add) + ")";
    e.s.Append(MakePascal(add).data());
    e.Took(e.m.text + add);
}

void AppendString(TEdit& e) {
    const bool bSelf = e.r.Below(3) == 0;
    const std::string add = bSelf ? e.m.text : e.SomeText(12);
    e.step.name = bSelf ? "Append(itself)" : "Append(TXString " + Quoted(add) + ")";
    if (bSelf)
        e.s.Append(e.s);
    else
        e.s += TXString(add.c_str());
    e.Took(e.m.text + add);
}

void AppendChar(TEdit& e) {
    const char ch = e.Char(true);
    e.step.name = "Append(char " + Quoted(std::string(1, ch)) + ")";
    e.s.Append(ch);
    if (ch != '\0') e.Took(e.m.text + ch);  // a terminator is no character
}

void AppendNumber(TEdit& e) {
    const auto n = static_cast<int32_t>(e.r.Below(65536) << 16 | e.r.Below(65536));
    e.step.name = "Append(" + std::to_string(n) + ")";
    e.s.Append(n);
    e.Took(e.m.text + std::to_string(n));
}

void InsertText(TEdit& e) {
    const uint32_t pos = e.r.Below(e.Length() + 4);
    std::string inserted;
    if (e.r.Below(3) == 0) {
        inserted = e.SomeText(10);
        e.step.name = "Insert(" + std::to_string(pos) + ", Pascal " + Quoted(inserted) + ")";
        e.s.Insert(pos, MakePascal(inserted).data());
    } else {
        const TArgument add(e, e.SomeLength(10));
        e.step.name = "Insert(" + std::to_string(pos) + ", " + add.Shown() + ")";
        e.s.Insert(pos, add.C());
        inserted = add.text;
    }
    std::string text = e.m.text;
    text.insert(std::min<size_t>(pos, text.size()), inserted);  // beyond the end: appended
    e.Took(text);
}

void InsertChars(TEdit& e) {
    const uint32_t pos = e.r.Below(e.Length() + 3);
    const uint32_t count = e.r.Below(6);
    const char ch = e.Char(true);
    e.step.name =
        "Insert(" + std::to_string(pos) + ", char " + Quoted(std::string(1, ch)) + ", " + std::to_string(count) + ")";
    e.s.Insert(pos, ch, count);
    if (count == 0 || ch == '\0') return;  // nothing to insert
    std::string text = e.m.text;
    text.insert(std::min<size_t>(pos, text.size()), count, ch);
    e.Took(text);
}

void Delete(TEdit& e) {
    const uint32_t pos = e.r.Below(e.Length() + 2);
    const uint32_t count = e.r.Below(12);
    e.step.name = "Delete(" + std::to_string(pos) + ", " + std::to_string(count) + ")";
    e.s.Delete(pos, count);
    if (pos < e.Length()) e.m.text.erase(pos, count);
}

void Replace(TEdit& e) {
    const std::string find = e.r.Text(2);
    const TArgument replacement(e, 3);
    const bool ignoreCase = e.r.Below(2) == 1;
    const bool bChar = replacement.text.size() == 1 && e.r.Below(2) == 0;
    e.step.name = "Replace(" + Quoted(find) + ", " + (bChar ? "char " : "") + replacement.Shown() +
                  (ignoreCase ? ", ignoring case)" : ")");
    const uint32_t count = bChar ? e.s.Replace(find.c_str(), replacement.text[0], ignoreCase)
                                 : e.s.Replace(find.c_str(), replacement.C(), ignoreCase);
    uint32_t expected = 0;
    const std::string text = ReplacedModel(e.m.text, find, replacement.text, ignoreCase, expected);
    e.step.Same("the count", count, expected);
    e.Took(text);
}

void Cut(TEdit& e) {
    const uint32_t length = e.Length();
    const uint32_t first = e.r.Below(length + 2);
    const uint32_t count = e.r.Below(length + 2);
    const uint32_t kind = e.r.Below(4);
    const TXString part = kind == 0   ? e.s.Mid(first, count)
                          : kind == 1 ? e.s.Mid(first)
                          : kind == 2 ? e.s.Left(first)
                                      : e.s.Right(first);
    static const char* const kNames[] = {"Mid", "Mid", "Left", "Right"};
    e.step.name = std::string(kNames[kind]) + "(" + std::to_string(first) +
                  (kind == 0 ? ", " + std::to_string(count) : std::string()) + ")";
    const std::string& text = e.m.text;
    const std::string expected = kind == 0   ? (first < length ? text.substr(first, count) : "")
                                 : kind == 1 ? (first < length ? text.substr(first) : "")
                                 : kind == 2 ? text.substr(0, first)
                                             : text.substr(length - std::min(first, length));
    e.step.Note("the part", Mismatch(part, TModel::Built(expected)));
    if (e.r.Below(2) == 0) {
        e.step.name += ", assigned";
        e.s = part;
        e.Took(expected);
    }
}

void Search(TEdit& e) {
    const std::string& text = e.m.text;
    const char ch = e.Char(true);
    const uint32_t start = e.r.Below(e.Length() + 2);
    e.step.name = "Find(char " + Quoted(std::string(1, ch)) + ", " + std::to_string(start) + "), ReverseFind";
    e.step.Same("Find", e.s.Find(ch, start), Found(text.find(ch, start)));
    e.step.Same("ReverseFind", e.s.ReverseFind(ch), Found(text.rfind(ch)));

    const std::string set = e.r.Text(3);
    const auto psSet = MakePascal(set);
    const bool bPascal = e.r.Below(2) == 0;
    e.step.name += ", the ...OneOf and LeadingRun... of " + std::string(bPascal ? "Pascal " : "") + Quoted(set);
    auto either = [&](auto call) { return bPascal ? call(psSet.data()) : call(set.c_str()); };
    e.step.Same("FindOneOf", either([&](auto x) { return e.s.FindOneOf(x); }), Found(text.find_first_of(set)));
    e.step.Same("FindNotOneOf", either([&](auto x) { return e.s.FindNotOneOf(x); }),
                Found(text.find_first_not_of(set)));
    e.step.Same("ReverseFindOneOf", either([&](auto x) { return e.s.ReverseFindOneOf(x); }),
                Found(text.find_last_of(set)));
    e.step.Same("ReverseFindNotOneOf", either([&](auto x) { return e.s.ReverseFindNotOneOf(x); }),
                Found(text.find_last_not_of(set)));
    const TXString runIn = either([&](auto x) { return e.s.LeadingRunIn(x); });
    const TXString runNotIn = either([&](auto x) { return e.s.LeadingRunNotIn(x); });
    e.step.Same("LeadingRunIn", Text(runIn), text.substr(0, text.find_first_not_of(set)));
    e.step.Same("LeadingRunNotIn", Text(runNotIn), text.substr(0, text.find_first_of(set)));

    // A piece of the text itself, so that some finds hit.
    const uint32_t from = e.r.Below(e.Length() + 2);
    const std::string sub =
        e.Length() > 0 && e.r.Below(3) == 0 ? text.substr(e.r.Below(e.Length()), 1 + e.r.Below(3)) : e.r.Text(2);
    const bool ignoreCase = e.r.Below(2) == 0;
    const int32_t found = e.r.Below(2) == 0 ? e.s.Find(MakePascal(sub).data(), from, ignoreCase)
                                            : e.s.Find(sub.c_str(), from, ignoreCase);
    e.step.name += ", Find(" + Quoted(sub) + ", " + std::to_string(from) + (ignoreCase ? ", ignoring case)" : ")");
    e.step.Same("Find", found, from < e.Length() ? Found(FindModel(text, sub, from, ignoreCase)) : -1);
}

void Trim(TEdit& e) {
    const uint32_t kind = e.r.Below(3);
    static const char* const kNames[] = {"TrimLeading", "TrimTrailing", "Trim"};
    e.step.name = kNames[kind];
    if (kind == 0) e.s.TrimLeading();
    if (kind == 1) e.s.TrimTrailing();
    if (kind == 2) e.s.Trim();
    std::string& text = e.m.text;
    if (kind != 0) {
        // Only blanks after the last other character go; blanks alone stay.
        const size_t last = text.find_last_not_of(" \t");
        if (last != std::string::npos) text.erase(last + 1);
    }
    if (kind != 1) text.erase(0, std::min(text.find_first_not_of(" \t"), text.size()));
}

void ChangeCase(TEdit& e) {
    const bool bUpper = e.r.Below(2) == 0;
    e.step.name = bUpper ? "ToUpper" : "ToLower";
    bUpper ? e.s.ToUpper() : e.s.ToLower();
    e.m.text = bUpper ? UpperCased(e.m.text) : LowerCased(e.m.text);
}

void Reverse(TEdit& e) {
    e.step.name = "Reverse";
    e.s.Reverse();
    std::reverse(e.m.text.begin(), e.m.text.end());
}

void Resize(TEdit& e) {
    const uint32_t n = e.r.Below(e.r.Below(6) == 0 ? 320 : 40);
    const uint32_t kind = e.r.Below(5);
    TModel& m = e.m;
    if (kind == 0) {
        const char ch = e.Char(false);
        e.step.name = "SetLength(" + std::to_string(n) + ", " + Quoted(std::string(1, ch)) + ")";
        e.s.SetLength(n, ch);
        m.text.resize(n, ch);
    } else if (kind == 1) {
        e.step.name = "Reserve(" + std::to_string(n) + ")";
        e.step.Same("Reserve", e.s.Reserve(n), true);
        if (n < m.text.size()) m.text.resize(n);
    } else if (kind == 2) {
        e.step.name = "Compact";
        e.s.Compact();
        m.Compact();
        return;
    } else {
        const bool bKeep = kind == 3;
        e.step.name = bKeep ? "Clear(true)" : "Clear(false)";
        e.s.Clear(bKeep);
        m.text.clear();
        if (!bKeep) m.Compact();
        return;
    }
    // Both clear and trim at 0, and otherwise make room by the growth rule.
    if (n == 0) {
        m.text.clear();
        m.Compact();
    } else {
        m.Need(n);
    }
}

// Sizes that no 32-bit buffer size describes (with the two framing bytes,
// rounded up to 16) are refused without an allocation: the string stays as
// it was, and one built with such a size is empty and usable.
void RefusedSizes(TEdit& e) {
    const uint32_t n = UINT32_MAX - e.r.Below(17);
    const uint32_t kind = e.r.Below(5);
    static const char* const kNames[] = {"Reserve", "SetLength", "Insert(0, 'i', n)", "TXString('t', n)",
                                         "TXString(owner, n)"};
    e.step.name = "Refused size " + std::to_string(n) + " in " + kNames[kind];
    if (kind == 0) e.step.Same("Reserve", e.s.Reserve(n), false);
    if (kind == 1) e.s.SetLength(n, 's');
    if (kind == 2) e.s.Insert(0, 'i', n);
    if (kind < 3) return;
    TXString built = kind == 3 ? TXString('t', n) : TXString(HeardOwner(), n);
    e.step.Note("the string built", Mismatch(built, TModel::Built("")));
    built.Append("usable");
    e.step.Note("the string built, then appended to", Mismatch(built, TModel::Built("usable")));
}

void Format(TEdit& e) {
    const auto n = static_cast<int32_t>(e.r.Below(100000)) - 50000;
    const uint32_t kind = e.r.Below(4);
    const std::string& text = e.m.text;
    std::string expected;
    if (kind == 0) {
        // The argument points into the string being formatted.
        const auto k = static_cast<int>(e.r.Below(std::min<uint32_t>(e.Length(), 20) + 1));
        e.step.name = "Format(\"%d<%.*s>\", " + std::to_string(n) + ", " + std::to_string(k) + ", itself)";
        e.s.Format("%d<%.*s>", static_cast<int>(n), k, e.s.CString());
        expected = std::to_string(n) + "<" + text.substr(0, k) + ">";
    } else if (kind == 1) {
        // Now and then wider than the bound: the result keeps its beginning.
        const auto width = static_cast<int>(e.r.Below(4) == 0 ? 10200 + e.r.Below(100) : e.r.Below(40));
        const std::string tail = e.r.Text(8);
        e.step.name = "Format(\"%*s|%s\", " + std::to_string(width) + ", \"\", " + Quoted(tail) + ")";
        e.s.Format("%*s|%s", width, "", tail.c_str());
        expected = std::string(width, ' ') + "|" + tail;
    } else if (kind == 2) {
        const std::string tail = e.r.Text(8);
        e.step.name = "Format(Pascal \"%d-%s\", " + std::to_string(n) + ", " + Quoted(tail) + ")";
        e.s.Format(MakePascal("%d-%s").data(), static_cast<int>(n), tail.c_str());
        expected = std::to_string(n) + "-" + tail;
    } else {
        e.step.name = "Format(TXString \"[%s]\", itself)";
        e.s.Format(TXString("[%s]"), e.s.CString());
        expected = "[" + text + "]";
    }
    e.m.text = expected.substr(0, TXString::kFormatBufferSize - 1);
    e.m.Compact();
}

void LineEnds(TEdit& e) {
    const uint32_t kind = e.r.Below(3);
    std::string out;
    const std::string& text = e.m.text;
    if (kind == 0) {
        e.step.name = "CRToCRLF";
        e.s.CRToCRLF();
        if (text.find("\r\n") != std::string::npos) return;  // already in CR LF form
        for (const char c : text) {
            out += c;
            if (c == '\r') out += '\n';
        }
    } else if (kind == 1) {
        e.step.name = "CRLFToLF";
        e.s.CRLFToLF();
        for (size_t i = 0; i < text.size(); ++i)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    } else {
        e.step.name = "EnsureTrailingBackslash";
        e.s.EnsureTrailingBackslash();
        out = text.empty() || text.back() != '\\' ? text + '\\' : text;
    }
    e.Took(out);
}

void Characters(TEdit& e) {
    const uint32_t length = e.Length();
    const uint32_t at = e.r.Below(length + 3);
    e.step.name = "GetAt(" + std::to_string(at) + ")";
    e.step.Same("GetAt", e.s.GetAt(at), at < length ? e.m.text[at] : '\0');
    const uint32_t n = e.r.Below(length + 3);
    const char ch = e.Char(true);
    e.step.name += ", SetCharAt(" + std::to_string(n) + ", " + Quoted(std::string(1, ch)) + ")";
    e.s.SetCharAt(n, ch);
    if (n < length && ch == '\0') {
        e.m.text.resize(n);  // a terminator ends the text there
    } else if (n < length) {
        e.m.text[n] = ch;
    } else if (n == length && ch != '\0') {
        e.Took(e.m.text + ch);
    }
}

void Compare(TEdit& e) {
    const std::string& text = e.m.text;
    const uint32_t kind = e.r.Below(4);
    std::string other = kind == 0   ? e.SomeText(6)
                        : kind == 1 ? text
                        : kind == 2 ? text.substr(0, e.r.Below(e.Length() + 1))
                                    : UpperCased(text);
    if (e.r.Below(4) == 0) other += e.r.Text(2);
    other = other.substr(0, 255);
    const auto ps = MakePascal(other);
    e.step.name = "Compare and CompareIgnoringCase with " + Quoted(other) + ", C and Pascal";
    e.step.Same("Compare(C)", Sign(e.s.Compare(other.c_str())), Sign(text, other));
    e.step.Same("Compare(Pascal)", Sign(e.s.Compare(ps.data())), PascalOrder(text, other));
    e.step.Same("CompareIgnoringCase(C)", Sign(e.s.CompareIgnoringCase(other.c_str())),
                Sign(LowerCased(text), LowerCased(other)));
    e.step.Same("CompareIgnoringCase(Pascal)", Sign(e.s.CompareIgnoringCase(ps.data())),
                PascalOrder(LowerCased(text), LowerCased(other)));
}

void PascalForms(TEdit& e) {
    const std::string& text = e.m.text;
    const std::string head = text.substr(0, 255);
    e.step.name = "PascalString, CopyTo(Pascal), CopyTo(C)";
    const unsigned char* ps = e.s.PascalString();
    e.step.Same("PascalString", std::string(ps + 1, ps + 1 + ps[0]), head);
    TGuarded pascal(256, 0x11);
    e.s.CopyTo(pascal.P());
    e.step.Holds("CopyTo(Pascal) stays within 256 bytes", pascal.GuardsIntact());
    e.step.Same("CopyTo(Pascal)", pascal.Pascal(), head);
    TGuarded c(e.Length() + 1, 0x11);
    e.s.CopyTo(c.C());
    e.step.Holds("CopyTo(C) stays within the length and terminator", c.GuardsIntact());
    e.step.Same("CopyTo(C)", c.CText(), text);

    const std::string other = e.SomeText(12);
    e.step.Note("TXString(Pascal " + Quoted(other) + ")",
                Mismatch(TXString(MakePascal(other).data()), TModel::Built(other)));
    const char ch = other.empty() ? 'r' : other[0];
    const uint32_t count = e.r.Below(40);
    TModel repeated = TModel::Built(std::string(count, ch));
    if (count == 0) repeated.Compact();  // SetLength(0) trims
    e.step.Note("TXString(char, " + std::to_string(count) + ")", Mismatch(TXString(ch, count), repeated));

    if (e.r.Below(2) == 0) {
        // Its own Pascal form: a longer text keeps its first 255 characters.
        e.step.name += ", assigned its own Pascal form";
        e.s = e.s.PascalString();
        e.m.text = head;
    } else {
        e.step.name += ", assigned Pascal " + Quoted(other);
        e.s = MakePascal(other).data();
        e.Took(other);
    }
}

TXString Concatenated(uint32_t form, const TXString& s, const char* sz, const unsigned char* ps, char ch) {
    switch (form) {
        case 0:
            return s + sz;
        case 1:
            return s + ps;
        case 2:
            return s + ch;
        case 3:
            return sz + s;
        case 4:
            return ps + s;
        case 5:
            return ch + s;
        default:
            return s + s;
    }
}

void Assign(TEdit& e) {
    const uint32_t kind = e.r.Below(4);
    if (kind == 0) {
        const TArgument value(e, e.SomeLength(12));
        e.step.name = "operator=(" + value.Shown() + ")";
        e.s = value.C();
        e.Took(value.text);
    } else if (kind == 1) {
        const auto n = static_cast<int32_t>(e.r.Below(65536) << 16 | e.r.Below(65536));
        e.step.name = "operator=(" + std::to_string(n) + ")";
        e.s = n;
        e.Took(std::to_string(n));
    } else if (kind == 2) {
        const std::string other = e.SomeText(6);
        const auto ps = MakePascal(other);
        const char ch = other.empty() ? 'c' : other[0];
        const uint32_t form = e.r.Below(7);
        e.step.name = "concatenation " + std::to_string(form) + " with " + Quoted(other);
        const std::string& text = e.m.text;
        const std::string expected[] = {text + other, text + other, text + ch,  other + text,
                                        other + text, ch + text,    text + text};
        e.s = Concatenated(form, e.s, other.c_str(), ps.data(), ch);
        e.Took(expected[form]);
    } else {
        e.step.name = "copy";
        const TXString copy(e.s);
        e.step.Note("the copy", Mismatch(copy, TModel::Built(e.m.text)));
    }
}

void RecomputeLength(TEdit& e) {
    const uint32_t at = e.r.Below(e.Length() + 1);  // the length: the terminator itself
    e.step.name = "RecomputeLength after a terminator written at " + std::to_string(at);
    e.s.CString()[at] = '\0';
    e.s.RecomputeLength();
    e.m.text.resize(at);
}

using TEditFunction = void (*)(TEdit&);
constexpr TEditFunction kEdits[] = {
    AppendText, AppendPascal, AppendString, AppendChar,  AppendNumber, InsertText,      InsertChars,  Delete,
    Replace,    Cut,          Search,       Trim,        ChangeCase,   Reverse,         Resize,       Format,
    LineEnds,   Characters,   Compare,      PascalForms, Assign,       RecomputeLength, RefusedSizes,
};

}  // namespace

TStep TXStringStep(TChoices& choices, TXString& s, TModel& model) {
    TStep step;
    std::string cut;
    if (model.text.size() > kLongest) {
        s.SetLength(kLongest / 4);
        model.text.resize(kLongest / 4);
        cut = ", after SetLength(" + std::to_string(kLongest / 4) + ")";
    }
    TEdit edit{choices, s, model, step};
    kEdits[choices.Below(TXStringEditCount())](edit);
    step.name += cut;
    step.Note("the string", Mismatch(s, model));
    return step;
}

uint32_t TXStringEditCount() { return static_cast<uint32_t>(std::size(kEdits)); }
