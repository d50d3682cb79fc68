// TXString: appending, inserting, deleting, cutting out, replacing and the
// whole-text edits (case, order, blanks, line ends).
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "String.XChecks.h"
#include "kernel/KSString.h"

TXString& TXString::Append(const char* sz) {
    const char* szText = KS_CHECKED_C(sz);
    AppendBytes(szText, static_cast<uint32_t>(std::strlen(szText)));
    return *this;
}

TXString& TXString::Append(const unsigned char* ps) {
    const unsigned char* psText = KS_CHECKED_PASCAL(ps);
    AppendBytes(reinterpret_cast<const char*>(psText + 1), psText[0]);
    return *this;
}

TXString& TXString::Append(const TXString& other) {
    AppendBytes(other.fCString, other.fLength);
    return *this;
}

TXString& TXString::Append(char ch) {
    if (ch != '\0') AppendBytes(&ch, 1);  // a terminator is no character of the text
    return *this;
}

TXString& TXString::Append(int32_t n) {
    char szNumber[16];
    const int length = std::snprintf(szNumber, sizeof szNumber, "%ld", static_cast<long>(n));
    AppendBytes(szNumber, static_cast<uint32_t>(length));
    return *this;
}

void TXString::InsertBytes(uint32_t pos, const char* pChars, uint32_t nCount) {
    if (nCount == 0) return;
    if (Owns(pChars)) {
        // Moving this text would move the source under our feet.
        TXString copy;
        copy.AppendBytes(pChars, nCount);
        if (copy.fLength == nCount) InsertBytes(pos, copy.fCString, nCount);
        return;
    }
    if (pos > fLength) {
        KS_ASSERT_TEXT(*this, "pos <= fLength");
        pos = fLength;  // beyond the end: appended
    }
    if (static_cast<uint64_t>(fLength) + nCount + 2 > UINT32_MAX || !EnsureSize(fLength + nCount)) return;
    std::memmove(fCString + pos + nCount, fCString + pos, fLength - pos);
    std::memcpy(fCString + pos, pChars, nCount);
    UpdateLength(fLength + nCount);
}

void TXString::Insert(uint32_t pos, const char* sz) {
    const char* szText = KS_CHECKED_C(sz);
    InsertBytes(pos, szText, static_cast<uint32_t>(std::strlen(szText)));
}

void TXString::Insert(uint32_t pos, const unsigned char* ps) {
    const unsigned char* psText = KS_CHECKED_PASCAL(ps);
    char szText[256];
    CopyPascalToC(psText, szText, sizeof szText);
    InsertBytes(pos, szText, static_cast<uint32_t>(std::strlen(szText)));
}

void TXString::Insert(uint32_t pos, char ch, uint32_t cnt) {
    if (cnt == 0) {
        KS_ASSERT_TEXT(*this, "cnt > 0");
        return;
    }
    if (ch == '\0') return;
    if (pos > fLength) {
        KS_ASSERT_TEXT(*this, "pos <= fLength");
        pos = fLength;
    }
    if (static_cast<uint64_t>(fLength) + cnt + 2 > UINT32_MAX || !EnsureSize(fLength + cnt)) return;
    std::memmove(fCString + pos + cnt, fCString + pos, fLength - pos);
    std::memset(fCString + pos, ch, cnt);
    UpdateLength(fLength + cnt);
}

void TXString::Delete(uint32_t pos, uint32_t count) {
    if (pos >= fLength) {
        KS_ASSERT_TEXT(*this, "pos < fLength");
        return;
    }
    if (count > fLength - pos) count = fLength - pos;
    std::memmove(fCString + pos, fCString + pos + count, fLength - pos - count);
    UpdateLength(fLength - count);
}

TXString TXString::Mid(uint32_t nFirst, uint32_t nCount) const {
    TXString result(static_cast<const TDebugObject&>(*this), 0u);
    if (nFirst >= fLength) {
        KS_ASSERT_TEXT(*this, "nFirst < fLength");
        return result;
    }
    if (static_cast<uint64_t>(nFirst) + nCount > fLength) {
        KS_ASSERT_TEXT(*this, "nFirst + nCount <= fLength");
        nCount = fLength - nFirst;
    }
    result.AppendBytes(fCString + nFirst, nCount);
    return result;
}

TXString TXString::Mid(uint32_t nFirst) const { return Mid(nFirst, nFirst < fLength ? fLength - nFirst : 0); }

TXString TXString::Left(uint32_t n) const { return Mid(0, n); }

TXString TXString::Right(uint32_t n) const {
    if (n > fLength) n = fLength;  // the whole text, never a position before it
    return Mid(fLength - n, n);
}

uint32_t TXString::Replace(const char* szFind, const char* szReplacement, bool ignoreCase) {
    // Copies: either text may lie in this string, which the edits move.
    const TXString find(KS_CHECKED_C(szFind));
    const TXString replacement(KS_CHECKED_C(szReplacement));
    if (find.fLength == 0) return 0;  // an empty text occurs everywhere; nothing is replaced
    uint32_t nReplaced = 0;
    uint32_t pos = 0;
    while (pos < fLength) {
        const int32_t found = ks::strings::FindBytes(fCString, fLength, find.fCString, find.fLength, pos, ignoreCase);
        if (found < 0) break;
        Delete(static_cast<uint32_t>(found), find.fLength);
        InsertBytes(static_cast<uint32_t>(found), replacement.fCString, replacement.fLength);
        pos = static_cast<uint32_t>(found) + replacement.fLength;
        ++nReplaced;
    }
    return nReplaced;
}

uint32_t TXString::Replace(const char* szFind, char chReplacement, bool ignoreCase) {
    const char szReplacement[2] = {chReplacement, '\0'};
    return Replace(szFind, szReplacement, ignoreCase);
}

void TXString::ToUpper() {
    for (uint32_t i = 0; i < fLength; ++i)
        fCString[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(fCString[i])));
}

void TXString::ToLower() {
    for (uint32_t i = 0; i < fLength; ++i)
        fCString[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(fCString[i])));
}

void TXString::Reverse() { std::reverse(fCString, fCString + fLength); }

void TXString::TrimLeading() {
    const uint32_t blanks = static_cast<uint32_t>(std::strspn(fCString, " \t"));
    if (blanks == 0) return;
    std::memmove(fCString, fCString + blanks, fLength - blanks);
    UpdateLength(fLength - blanks);
}

void TXString::TrimTrailing() {
    // Only blanks after the last other character go; a text of blanks alone stays.
    uint32_t end = fLength;
    while (end > 0 && (fCString[end - 1] == ' ' || fCString[end - 1] == '\t')) --end;
    if (end > 0 && end < fLength) UpdateLength(end);
}

void TXString::CRToCRLF() {
    if (std::strstr(fCString, "\r\n") != nullptr) return;  // already in CR LF form
    const uint32_t crs = static_cast<uint32_t>(std::count(fCString, fCString + fLength, '\r'));
    if (crs == 0 || static_cast<uint64_t>(fLength) + crs + 2 > UINT32_MAX || !EnsureSize(fLength + crs)) return;
    // From the back, so every character moves once.
    uint32_t to = fLength + crs;
    for (uint32_t from = fLength; from > 0; --from) {
        const char ch = fCString[from - 1];
        if (ch == '\r') fCString[--to] = '\n';
        fCString[--to] = ch;
    }
    UpdateLength(fLength + crs);
}

void TXString::CRLFToLF() {
    uint32_t to = 0;
    for (uint32_t from = 0; from < fLength; ++from) {
        if (fCString[from] == '\r' && from + 1 < fLength && fCString[from + 1] == '\n') continue;
        fCString[to++] = fCString[from];
    }
    if (to != fLength) UpdateLength(to);
}

void TXString::EnsureTrailingBackslash() {
    if (fLength == 0 || fCString[fLength - 1] != '\\') Append('\\');
}

// ---- concatenation ----------------------------------------------------------------

TXString operator+(const TXString& a, const TXString& b) { return TXString(a).Append(b); }
TXString operator+(const TXString& a, const char* sz) { return TXString(a).Append(sz); }
TXString operator+(const TXString& a, const unsigned char* ps) { return TXString(a).Append(ps); }
TXString operator+(const TXString& a, char ch) { return TXString(a).Append(ch); }
TXString operator+(char ch, const TXString& b) { return TXString(ch, 1).Append(b); }
TXString operator+(const char* sz, const TXString& b) { return TXString(sz).Append(b); }
TXString operator+(const unsigned char* ps, const TXString& b) { return TXString(ps).Append(b); }
