// The helper calls HelperStep chooses from, one function per family: every
// one writes into a guarded destination and compares all it wrote.
#include "HelperSteps.h"

#include <algorithm>
#include <iterator>

#include "GuardedBuffer.h"
#include "kernel/KSString.h"

namespace {

constexpr unsigned char kFill = 0x11;

struct TCall {
    TChoices& r;
    TStep& step;

    // Small, at the Pascal bounds and beyond them, or anything up to 260.
    uint32_t Capacity() {
        static const uint32_t kCapacities[] = {0, 1, 2, 3, 10, 255, 256, 257, 300};
        return r.Below(3) == 0 ? kCapacities[r.Below(static_cast<uint32_t>(std::size(kCapacities)))] : 1 + r.Below(260);
    }
    std::string SomeText() { return r.Text(r.Below(4) == 0 ? 255 : 20); }
    // Up to 510 characters, for the sources that are no Pascal strings.
    std::string LongText() { return SomeText() + (r.Below(2) == 0 ? SomeText() : std::string()); }
    void Named(const char* helper, const std::string& arguments, uint32_t n) {
        step.name = std::string(helper) + "(" + arguments + ", n " + std::to_string(n) + ")";
    }
    // What the destination's capacity guards must show after every call.
    void Within(const TGuarded& dst) { step.Holds("the bytes behind the capacity are untouched", dst.GuardsIntact()); }
};

// A C destination that already holds `head`: terminated when it fits, all
// `n` bytes of text when it does not.
void PutC(TGuarded& dst, const std::string& head, uint32_t n) {
    std::copy_n(head.begin(), std::min<size_t>(head.size(), n), dst.C());
    if (head.size() < n) dst.C()[head.size()] = '\0';
}

void PutPascal(TGuarded& dst, const std::string& head) {
    const auto ps = MakePascal(head);
    std::copy(ps.begin(), ps.end(), dst.P());
}

void CopyToPascal(TCall& c) {
    static const char* const kNames[] = {"CopyPascalToPascal", "CopyCToPascal", "CopyTextToPascal",
                                         "CopyCToPascal in place"};
    const uint32_t kind = c.r.Below(4);
    const uint32_t n = kind == 3 ? kPascalBufferSize : c.Capacity();
    const bool bNull = kind != 3 && c.r.Below(8) == 0;
    const std::string text = kind == 0 || kind == 3 ? c.SomeText() : c.LongText();
    const auto count =
        static_cast<uint32_t>(kind == 2 ? c.r.Below(static_cast<uint32_t>(text.size()) + 1) : text.size());
    const std::string given = bNull ? std::string() : text.substr(0, count);
    c.Named(kNames[kind], bNull ? "null" : Quoted(given), n);

    const uint32_t capacity = std::min(n, kPascalBufferSize);
    TGuarded dst(capacity, kFill);
    const auto ps = MakePascal(text);
    if (kind == 0) CopyPascalToPascal(bNull ? nullptr : ps.data(), dst.P(), n);
    if (kind == 1) CopyCToPascal(bNull ? nullptr : text.c_str(), dst.P(), n);
    if (kind == 2) CopyTextToPascal(bNull ? nullptr : text.data(), count, dst.P(), n);
    if (kind == 3) {
        PutC(dst, text, n);
        CopyCToPascal(dst.C(), dst.P(), n);
    }
    c.Within(dst);
    if (n > 0) c.step.Same("the copy", dst.Pascal(), given.substr(0, capacity - 1));
}

void CopyToC(TCall& c) {
    static const char* const kNames[] = {"CopyPascalToC", "CopyPascalToC in place", "CopyCToC", "CopyTextToC"};
    const uint32_t kind = c.r.Below(4);
    const bool bPascal = kind < 2;
    const uint32_t n = kind == 1 ? kPascalBufferSize : c.Capacity();
    const bool bNull = kind != 1 && c.r.Below(8) == 0;
    std::string text = bPascal ? c.SomeText() : c.LongText();
    // A NUL inside a Pascal text ends the copy.
    if (bPascal && !text.empty() && c.r.Below(4) == 0) text[c.r.Below(static_cast<uint32_t>(text.size()))] = '\0';
    const auto count =
        static_cast<uint32_t>(kind == 3 ? c.r.Below(static_cast<uint32_t>(text.size()) + 1) : text.size());
    c.Named(kNames[kind], bNull ? "null" : Quoted(text.substr(0, count)), n);

    const uint32_t capacity = bPascal ? std::min(n, kPascalBufferSize) : n;
    TGuarded dst(capacity, kFill);
    const auto ps = MakePascal(text);
    if (kind == 1) PutPascal(dst, text);
    // The bytes the copy writes: the text up to its first NUL, then NULs up
    // to the end of what it kept (one terminator for a C text).
    std::string expected = dst.Bytes();
    if (n > 0) {
        const std::string given = bNull ? std::string() : text.substr(0, count);
        const size_t kept = std::min<size_t>(given.size(), capacity - 1);
        const size_t textLength = std::min(given.find('\0'), kept);
        for (size_t i = 0; i <= kept; ++i) expected[i] = i < textLength ? given[i] : '\0';
    }

    if (kind == 0) CopyPascalToC(bNull ? nullptr : ps.data(), dst.C(), n);
    if (kind == 1) CopyPascalToC(dst.P(), dst.C(), n);
    if (kind == 2) CopyCToC(bNull ? nullptr : text.c_str(), dst.C(), n);
    if (kind == 3) CopyTextToC(bNull ? nullptr : text.data(), count, dst.C(), n);
    c.Within(dst);
    c.step.Same("the bytes written", dst.Bytes(), expected);
}

void AppendToPascal(TCall& c) {
    static const char* const kNames[] = {"AppendPascalToPascal", "AppendCToPascal", "AppendTextToPascal",
                                         "AppendPascalToPascal from itself"};
    const uint32_t kind = c.r.Below(4);
    const uint32_t n = c.Capacity();
    const uint32_t capacity = std::min(n, kPascalBufferSize);
    const uint32_t longest = capacity == 0 ? 0 : c.r.Below(4) == 0 ? capacity - 1 : std::min(capacity - 1, 30u);
    const std::string head = c.r.Text(longest);
    const std::string text = kind == 3 ? head : c.SomeText();
    c.Named(kNames[kind], Quoted(head) + " + " + Quoted(text), n);

    TGuarded dst(std::max(capacity, 1u), kFill);
    PutPascal(dst, head);
    const auto ps = MakePascal(text);
    unsigned char* result = nullptr;
    if (kind == 0) result = AppendPascalToPascal(dst.P(), ps.data(), n);
    if (kind == 1) result = AppendCToPascal(dst.P(), text.c_str(), n);
    if (kind == 2) result = AppendTextToPascal(dst.P(), text.data(), static_cast<uint32_t>(text.size()), n);
    if (kind == 3) result = AppendPascalToPascal(dst.P(), dst.P(), n);
    const size_t room = head.size() + 1 >= capacity ? 0 : capacity - 1 - head.size();
    c.Within(dst);
    c.step.Same("the text", dst.Pascal(), head + text.substr(0, room));
    c.step.Same<const void*>("the result", result, dst.P());
}

void AppendToC(TCall& c) {
    static const char* const kNames[] = {"AppendPascalToC", "AppendCToC", "AppendTextToC", "AppendCToC from itself"};
    const uint32_t kind = c.r.Below(4);
    const uint32_t n = c.Capacity();
    // Now and then a destination without a terminator within its capacity.
    const std::string head = c.r.Text(c.r.Below(4) == 0 ? n + 2 : std::min(n, 30u));
    const std::string text = kind == 3 ? head : c.SomeText();
    c.Named(kNames[kind], Quoted(head) + " + " + Quoted(text), n);

    TGuarded dst(n, kFill);
    PutC(dst, head, n);
    const std::string before = dst.Bytes();
    const auto ps = MakePascal(text);
    char* result = nullptr;
    if (kind == 0) result = AppendPascalToC(dst.C(), ps.data(), n);
    if (kind == 1) result = AppendCToC(dst.C(), text.c_str(), n);
    if (kind == 2) result = AppendTextToC(dst.C(), text.data(), static_cast<uint32_t>(text.size()), n);
    if (kind == 3) result = AppendCToC(dst.C(), dst.C(), n);
    c.Within(dst);
    // AppendPascalToC answers where the appended text starts.
    const size_t length = std::min<size_t>(head.size(), n);
    c.step.Same<const void*>("the result", result, kind == 0 ? dst.C() + length : dst.C());
    if (head.size() >= n) {
        c.step.Same("the destination without room", dst.Bytes(), before);
        return;
    }
    // A Pascal text needs at most 256 bytes with its terminator.
    const size_t limit = kind == 0 ? std::min<size_t>(n, head.size() + kPascalBufferSize) : n;
    c.step.Same("the text", dst.CText(), head + text.substr(0, limit - 1 - head.size()));
}

void InsertPascal(TCall& c) {
    const std::string head = c.SomeText();
    const bool bSelf = c.r.Below(6) == 0;
    const std::string text = bSelf ? head : c.SomeText();
    const auto pos = static_cast<uint8_t>(c.r.Below(std::min<uint32_t>(static_cast<uint32_t>(head.size()) + 4, 256)));
    c.step.name = "InsertPascalIntoPascal(" + (bSelf ? std::string("itself") : Quoted(text)) + ", " + Quoted(head) +
                  ", " + std::to_string(pos) + ")";
    TGuarded dst(kPascalBufferSize, kFill);
    PutPascal(dst, head);
    const auto ps = MakePascal(text);
    InsertPascalIntoPascal(bSelf ? dst.P() : ps.data(), dst.P(), pos);
    std::string expected = head;
    // Beyond the end appends; what does not fit in 255 characters is left out.
    if (pos > 0) expected.insert(std::min<size_t>(pos, head.size() + 1) - 1, text.substr(0, 255 - head.size()));
    c.Within(dst);
    c.step.Same("the text", dst.Pascal(), expected);
}

void DeleteText(TCall& c) {
    const bool bPascal = c.r.Below(2) == 0;
    const std::string head = c.SomeText();
    const uint32_t pos = c.r.Below(std::min<uint32_t>(static_cast<uint32_t>(head.size()) + 3, 256));
    const uint32_t count = c.r.Below(c.r.Below(4) == 0 ? 256 : 12);
    c.step.name = std::string(bPascal ? "DeleteFromPascal(" : "DeleteFromC(") + Quoted(head) + ", " +
                  std::to_string(pos) + ", " + std::to_string(count) + ")";
    std::string expected = head;
    if (bPascal) {
        TGuarded dst(kPascalBufferSize, kFill);
        PutPascal(dst, head);
        DeleteFromPascal(dst.P(), static_cast<uint8_t>(pos), static_cast<uint8_t>(count));
        if (pos > 0 && count > 0 && pos <= head.size()) expected.erase(pos - 1, count);  // 1-based
        c.Within(dst);
        c.step.Same("the text", dst.Pascal(), expected);
    } else {
        TGuarded dst(static_cast<uint32_t>(head.size()) + 1, kFill);
        PutC(dst, head, static_cast<uint32_t>(head.size()) + 1);
        DeleteFromC(dst.C(), pos, count);
        if (pos <= head.size()) expected.erase(pos, count);
        c.Within(dst);
        c.step.Same("the text", dst.CText(), expected);
    }
}

void CompareTexts(TCall& c) {
    const std::string a = c.SomeText();
    const uint32_t kind = c.r.Below(3);
    const std::string b = kind == 0   ? a
                          : kind == 1 ? a.substr(0, c.r.Below(static_cast<uint32_t>(a.size()) + 1))
                                      : c.SomeText();
    const bool aNull = c.r.Below(8) == 0;
    const bool bNull = c.r.Below(8) == 0;
    c.step.name = "PascalEqualsPascal, PascalEqualsC, CEqualsC, lengths and emptiness of " +
                  (aNull ? std::string("null") : Quoted(a)) + " and " + (bNull ? std::string("null") : Quoted(b));
    // A missing string equals only an empty one.
    const std::string textA = aNull ? std::string() : a;
    const std::string textB = bNull ? std::string() : b;
    const auto psA = MakePascal(a);
    const auto psB = MakePascal(b);
    const unsigned char* pa = aNull ? nullptr : psA.data();
    const char* szA = aNull ? nullptr : a.c_str();
    c.step.Same("PascalEqualsPascal", PascalEqualsPascal(pa, bNull ? nullptr : psB.data()), textA == textB);
    c.step.Same("PascalEqualsC", PascalEqualsC(pa, bNull ? nullptr : b.c_str()), textA == textB);
    c.step.Same("CEqualsC", CEqualsC(szA, bNull ? nullptr : b.c_str()), textA == textB);
    c.step.Same("PascalLength", static_cast<size_t>(PascalLength(pa)), textA.size());
    c.step.Same("PascalIsEmpty", PascalIsEmpty(pa), textA.empty());
    c.step.Same("CIsEmpty", CIsEmpty(szA), textA.empty());
}

void FormatTexts(TCall& c) {
    static const char* const kNames[] = {"FormatToPascal", "FormatPascalToPascal", "FormatPascalToPascal in place",
                                         "FormatPascalToC", "FormatToC"};
    const uint32_t kind = c.r.Below(5);
    const std::string text = c.r.Text(c.r.Below(4) == 0 ? 300 : 20);
    const auto n = static_cast<int>(c.r.Below(2000)) - 1000;
    c.step.name = std::string(kNames[kind]) + " of " + Quoted(text) + " and " + std::to_string(n);
    const std::string expected = kind == 0   ? text + "-" + std::to_string(n)
                                 : kind < 3  ? "<" + text + ">"
                                 : kind == 3 ? std::to_string(n) + ":" + text
                                             : text + "=" + std::to_string(n);
    int32_t length = 0;
    if (kind < 3) {
        // At most 255 characters kept, never more than 256 bytes written.
        TGuarded dst(kPascalBufferSize, kFill);
        const auto format = MakePascal("<%s>");
        if (kind == 2) PutPascal(dst, "<%s>");
        if (kind == 0) length = FormatToPascal(dst.P(), "%s-%d", text.c_str(), n);
        if (kind == 1) length = FormatPascalToPascal(dst.P(), format.data(), text.c_str());
        if (kind == 2) length = FormatPascalToPascal(dst.P(), dst.P(), text.c_str());
        c.Within(dst);
        c.step.Same("the text", dst.Pascal(), expected.substr(0, 255));
    } else {
        // The C formatters trust the caller's buffer, as sprintf does.
        TGuarded dst(static_cast<uint32_t>(expected.size()) + 1, kFill);
        if (kind == 3) length = FormatPascalToC(dst.C(), MakePascal("%d:%s").data(), n, text.c_str());
        if (kind == 4) length = FormatToC(dst.C(), "%s=%d", text.c_str(), n);
        c.Within(dst);
        c.step.Same("the text", dst.CText(), expected);
    }
    c.step.Same("the count", static_cast<size_t>(length), expected.size());
}

using THelperFunction = void (*)(TCall&);
constexpr THelperFunction kHelpers[] = {CopyToPascal, CopyToC,    AppendToPascal, AppendToC,
                                        InsertPascal, DeleteText, CompareTexts,   FormatTexts};

}  // namespace

TStep HelperStep(TChoices& choices) {
    TStep step;
    TCall call{choices, step};
    kHelpers[choices.Below(HelperFamilyCount())](call);
    return step;
}

uint32_t HelperFamilyCount() { return static_cast<uint32_t>(std::size(kHelpers)); }
