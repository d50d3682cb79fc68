// TXString: searching, comparing and reading numbers.
//
// Single characters are matched with the C library's multibyte rules: a byte
// that belongs to a character of two or more bytes (lead or trail byte) never
// matches a single character, neither in the text nor in a character set.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "String.XChecks.h"

namespace {

// Calls visit(index) for every byte of the text that is a character of its
// own, in order; stops early when visit returns true and gives that index.
template <class TVisit>
int32_t ForEachSingleByte(const char* pText, uint32_t nLength, TVisit visit) {
    std::mbstate_t state{};
    uint32_t i = 0;
    while (i < nLength) {
        const size_t size = std::mbrlen(pText + i, nLength - i, &state);
        if (size == 0 || size == 1 || size == static_cast<size_t>(-1) || size == static_cast<size_t>(-2)) {
            // A single byte, or one the rules cannot place: it stands alone.
            state = std::mbstate_t{};
            if (visit(i)) return static_cast<int32_t>(i);
            ++i;
        } else {
            i += static_cast<uint32_t>(size);
        }
    }
    return -1;
}

// The single-byte characters of a set.
struct TCharSet {
    bool fMember[256] = {};

    TCharSet(const char* pSet, uint32_t nLength) {
        ForEachSingleByte(pSet, nLength, [&](uint32_t i) {
            fMember[static_cast<unsigned char>(pSet[i])] = true;
            return false;
        });
    }
    bool Holds(char ch) const { return fMember[static_cast<unsigned char>(ch)]; }
};

int FoldCase(char ch) { return std::tolower(static_cast<unsigned char>(ch)); }

// stricmp / strnicmp: byte order after folding to lower case.
int32_t CompareFolded(const char* a, const char* b, size_t nLimit) {
    for (size_t i = 0; i < nLimit; ++i) {
        const int ca = FoldCase(a[i]);
        const int cb = FoldCase(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
    return 0;
}

TXString SetFromPascal(const unsigned char* psCharSet) { return TXString(psCharSet); }

}  // namespace

int32_t ks::strings::FindBytes(const char* pText, uint32_t nLength, const char* pSub, uint32_t nSubLength,
                               uint32_t nStart, bool bIgnoreCase) {
    if (nSubLength > nLength) return -1;
    for (uint32_t at = nStart; at <= nLength - nSubLength; ++at) {
        uint32_t k = 0;
        if (bIgnoreCase) {
            while (k < nSubLength && std::toupper(static_cast<unsigned char>(pText[at + k])) ==
                                         std::toupper(static_cast<unsigned char>(pSub[k])))
                ++k;
        } else {
            while (k < nSubLength && pText[at + k] == pSub[k]) ++k;
        }
        if (k == nSubLength) return static_cast<int32_t>(at);
    }
    return -1;
}

int32_t TXString::Find(char ch, uint32_t start) const {
    return ForEachSingleByte(fCString, fLength, [&](uint32_t i) { return i >= start && fCString[i] == ch; });
}

int32_t TXString::ReverseFind(char ch) const {
    int32_t last = -1;
    ForEachSingleByte(fCString, fLength, [&](uint32_t i) {
        if (fCString[i] == ch) last = static_cast<int32_t>(i);
        return false;
    });
    return last;
}

int32_t TXString::FindOneOf(const char* szCharSet) const {
    const char* szSet = KS_CHECKED_C(szCharSet);
    const TCharSet set(szSet, static_cast<uint32_t>(std::strlen(szSet)));
    return ForEachSingleByte(fCString, fLength, [&](uint32_t i) { return set.Holds(fCString[i]); });
}

int32_t TXString::FindNotOneOf(const char* szCharSet) const {
    const char* szSet = KS_CHECKED_C(szCharSet);
    const TCharSet set(szSet, static_cast<uint32_t>(std::strlen(szSet)));
    return ForEachSingleByte(fCString, fLength, [&](uint32_t i) { return !set.Holds(fCString[i]); });
}

int32_t TXString::ReverseFindOneOf(const char* szCharSet) const {
    const char* szSet = KS_CHECKED_C(szCharSet);
    const TCharSet set(szSet, static_cast<uint32_t>(std::strlen(szSet)));
    int32_t last = -1;
    ForEachSingleByte(fCString, fLength, [&](uint32_t i) {
        if (set.Holds(fCString[i])) last = static_cast<int32_t>(i);
        return false;
    });
    return last;
}

int32_t TXString::ReverseFindNotOneOf(const char* szCharSet) const {
    const char* szSet = KS_CHECKED_C(szCharSet);
    const TCharSet set(szSet, static_cast<uint32_t>(std::strlen(szSet)));
    int32_t last = -1;
    ForEachSingleByte(fCString, fLength, [&](uint32_t i) {
        if (!set.Holds(fCString[i])) last = static_cast<int32_t>(i);
        return false;
    });
    return last;
}

int32_t TXString::FindOneOf(const unsigned char* psCharSet) const {
    return FindOneOf(SetFromPascal(KS_CHECKED_PASCAL(psCharSet)).CString());
}
int32_t TXString::FindNotOneOf(const unsigned char* psCharSet) const {
    return FindNotOneOf(SetFromPascal(KS_CHECKED_PASCAL(psCharSet)).CString());
}
int32_t TXString::ReverseFindOneOf(const unsigned char* psCharSet) const {
    return ReverseFindOneOf(SetFromPascal(KS_CHECKED_PASCAL(psCharSet)).CString());
}
int32_t TXString::ReverseFindNotOneOf(const unsigned char* psCharSet) const {
    return ReverseFindNotOneOf(SetFromPascal(KS_CHECKED_PASCAL(psCharSet)).CString());
}

int32_t TXString::Find(const char* szSub, uint32_t nFirst, bool ignoreCase) const {
    const char* szText = KS_CHECKED_C(szSub);
    if (nFirst >= fLength) {
        KS_ASSERT_TEXT(*this, "nFirst < fLength");
        return -1;
    }
    return ks::strings::FindBytes(fCString, fLength, szText, static_cast<uint32_t>(std::strlen(szText)), nFirst,
                                  ignoreCase);
}

int32_t TXString::Find(const unsigned char* psSub, uint32_t nFirst, bool ignoreCase) const {
    const TXString sub(KS_CHECKED_PASCAL(psSub));
    return Find(sub.CString(), nFirst, ignoreCase);
}

// When every character belongs to the run, the run is the whole text.
TXString TXString::LeadingRunIn(const char* szCharSet) const {
    const int32_t end = FindNotOneOf(szCharSet);
    return end < 0 ? TXString(static_cast<const TDebugObject&>(*this), *this) : Left(static_cast<uint32_t>(end));
}

TXString TXString::LeadingRunNotIn(const char* szCharSet) const {
    const int32_t end = FindOneOf(szCharSet);
    return end < 0 ? TXString(static_cast<const TDebugObject&>(*this), *this) : Left(static_cast<uint32_t>(end));
}

TXString TXString::LeadingRunIn(const unsigned char* psCharSet) const {
    return LeadingRunIn(SetFromPascal(KS_CHECKED_PASCAL(psCharSet)).CString());
}

TXString TXString::LeadingRunNotIn(const unsigned char* psCharSet) const {
    return LeadingRunNotIn(SetFromPascal(KS_CHECKED_PASCAL(psCharSet)).CString());
}

int32_t TXString::Compare(const char* sz) const { return std::strcmp(fCString, KS_CHECKED_C(sz)); }

// A Pascal string is compared over the shorter of the two lengths; when that
// common prefix is equal, any difference in length answers 1 ("abc" against
// "ab" and against "abcd" alike): callers ask for equality, not order.
int32_t TXString::Compare(const unsigned char* ps) const {
    const unsigned char* psText = KS_CHECKED_PASCAL(ps);
    const size_t nCommon = fLength < psText[0] ? fLength : psText[0];
    const int32_t order = std::strncmp(fCString, reinterpret_cast<const char*>(psText + 1), nCommon);
    if (order != 0) return order;
    return fLength == psText[0] ? 0 : 1;
}

int32_t TXString::CompareIgnoringCase(const char* sz) const {
    return CompareFolded(fCString, KS_CHECKED_C(sz), static_cast<size_t>(-1));
}

int32_t TXString::CompareIgnoringCase(const unsigned char* ps) const {
    const unsigned char* psText = KS_CHECKED_PASCAL(ps);
    const TXString text(psText);
    const size_t nCommon = fLength < psText[0] ? fLength : psText[0];
    const int32_t order = CompareFolded(fCString, text.CString(), nCommon);
    if (order != 0) return order;
    return fLength == psText[0] ? 0 : 1;
}

int32_t TXString::ToInteger() const { return std::atoi(fCString); }

double TXString::ToReal() const { return std::atof(fCString); }
