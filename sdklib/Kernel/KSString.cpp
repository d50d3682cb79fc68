// Bounded copies, appends, inserts, deletes and exact comparisons of Pascal
// and C strings.
#include "kernel/KSString.h"

#include <cstring>

#include "kernel/KSDevelopers.h"

namespace {

constexpr uint32_t kMaxPascalLength = 255;

uint32_t Min(uint32_t a, uint32_t b) { return a < b ? a : b; }

// A Pascal capacity above 256 is a caller's mistake; the copy goes on with 256.
uint32_t CheckedPascalCapacity(uint32_t n) {
    if (n > kPascalBufferSize) {
        KS_ASSERT_TEXT(DeveloperOwner(kDeveloperFloat, false), "n <= 256");
        return kPascalBufferSize;
    }
    return n;
}

// Length of the C string in the first n bytes; n when none ends there.
uint32_t BoundedLength(const char* sz, uint32_t n) {
    const void* pEnd = std::memchr(sz, '\0', n);
    return pEnd != nullptr ? static_cast<uint32_t>(static_cast<const char*>(pEnd) - sz) : n;
}

// Room the appends to a Pascal string work with: no more than a Pascal buffer.
uint32_t PascalRoom(const unsigned char* psDst, uint32_t n) {
    const uint32_t capacity = Min(n, kPascalBufferSize);
    return psDst[0] + 1u >= capacity ? 0 : capacity - 1 - psDst[0];
}

}  // namespace

// ---- copy and convert ---------------------------------------------------------

void CopyPascalToPascal(const unsigned char* psSrc, unsigned char* psDst, uint32_t n) {
    if (n == 0 || psDst == nullptr) return;
    if (psSrc == nullptr || psSrc[0] == 0) {
        psDst[0] = 0;
        return;
    }
    n = CheckedPascalCapacity(n);
    const uint32_t count = Min(psSrc[0], n - 1);
    std::memmove(psDst + 1, psSrc + 1, count);
    psDst[0] = static_cast<unsigned char>(count);
}

void CopyCToPascal(const char* szSrc, unsigned char* psDst, uint32_t n) {
    if (n == 0 || psDst == nullptr) return;
    const uint32_t limit = CheckedPascalCapacity(n) - 1;
    uint32_t count = 0;
    if (szSrc != nullptr) {
        count = BoundedLength(szSrc, limit);
        std::memmove(psDst + 1, szSrc, count);
    }
    psDst[0] = static_cast<unsigned char>(count);
}

void CopyTextToPascal(const void* pText, uint32_t nCount, unsigned char* psDst, uint32_t n) {
    if (n == 0 || psDst == nullptr) return;
    if (pText == nullptr) {
        psDst[0] = 0;
        return;
    }
    // With 256 as the limit the length byte always holds the count.
    const uint32_t count = Min(CheckedPascalCapacity(n) - 1, nCount);
    std::memmove(psDst + 1, pText, count);
    psDst[0] = static_cast<unsigned char>(count);
}

void CopyPascalToC(const unsigned char* psSrc, char* szDst, uint32_t n) {
    if (n == 0 || szDst == nullptr) return;
    if (psSrc == nullptr) {
        szDst[0] = '\0';
        return;
    }
    n = CheckedPascalCapacity(n);
    const uint32_t count = Min(psSrc[0], n - 1);
    // strncpy rules, front to back, so a Pascal string converts in place.
    uint32_t i = 0;
    for (; i < count && psSrc[i + 1] != '\0'; ++i) szDst[i] = static_cast<char>(psSrc[i + 1]);
    for (; i <= count; ++i) szDst[i] = '\0';
}

void CopyCToC(const char* szSrc, char* szDst, uint32_t n) {
    if (n == 0 || szDst == nullptr) return;
    const uint32_t count = szSrc != nullptr ? BoundedLength(szSrc, n - 1) : 0;
    if (count > 0) std::memmove(szDst, szSrc, count);
    szDst[count] = '\0';
}

void CopyTextToC(const void* pText, uint32_t nCount, char* szDst, uint32_t n) {
    if (n == 0 || szDst == nullptr) return;
    const uint32_t count = pText != nullptr ? Min(n - 1, nCount) : 0;
    if (count > 0) std::memmove(szDst, pText, count);
    szDst[count] = '\0';
}

// ---- append -------------------------------------------------------------------

unsigned char* AppendPascalToPascal(unsigned char* psDst, const unsigned char* psSrc, uint32_t n) {
    if (psDst == nullptr || psSrc == nullptr) return psDst;
    const uint32_t add = Min(psSrc[0], PascalRoom(psDst, n));
    std::memmove(psDst + 1 + psDst[0], psSrc + 1, add);
    psDst[0] = static_cast<unsigned char>(psDst[0] + add);
    return psDst;
}

unsigned char* AppendCToPascal(unsigned char* psDst, const char* szSrc, uint32_t n) {
    if (psDst == nullptr || szSrc == nullptr) return psDst;
    const uint32_t room = PascalRoom(psDst, n);
    uint32_t add = 0;
    while (add < room && szSrc[add] != '\0') {
        psDst[1 + psDst[0] + add] = static_cast<unsigned char>(szSrc[add]);
        ++add;
    }
    psDst[0] = static_cast<unsigned char>(psDst[0] + add);
    return psDst;
}

unsigned char* AppendTextToPascal(unsigned char* psDst, const void* pText, uint32_t nCount, uint32_t n) {
    if (psDst == nullptr || pText == nullptr) return psDst;
    const uint32_t add = Min(nCount, PascalRoom(psDst, n));
    std::memmove(psDst + 1 + psDst[0], pText, add);
    psDst[0] = static_cast<unsigned char>(psDst[0] + add);
    return psDst;
}

char* AppendPascalToC(char* szDst, const unsigned char* psSrc, uint32_t n) {
    if (n == 0 || szDst == nullptr || psSrc == nullptr) return szDst;
    const uint32_t length = BoundedLength(szDst, n);
    // A Pascal text needs at most 256 bytes with its terminator.
    CopyPascalToC(psSrc, szDst + length, Min(n - length, kPascalBufferSize));
    return szDst + length;
}

char* AppendCToC(char* szDst, const char* szSrc, uint32_t n) {
    if (n == 0 || szDst == nullptr || szSrc == nullptr) return szDst;
    const uint32_t length = BoundedLength(szDst, n);
    CopyCToC(szSrc, szDst + length, n - length);
    return szDst;
}

char* AppendTextToC(char* szDst, const void* pText, uint32_t nCount, uint32_t n) {
    if (n == 0 || szDst == nullptr || pText == nullptr) return szDst;
    const uint32_t length = BoundedLength(szDst, n);
    CopyTextToC(pText, nCount, szDst + length, n - length);
    return szDst;
}

// ---- insert and delete ------------------------------------------------------------

void InsertPascalIntoPascal(const unsigned char* psSrc, unsigned char* psDst, uint8_t pos) {
    if (psSrc == nullptr || psDst == nullptr || pos == 0) return;
    const uint32_t length = psDst[0];
    const uint32_t at = Min(pos, length + 1);  // beyond the end: appended
    const uint32_t count = Min(psSrc[0], kMaxPascalLength - length);
    if (count == 0) return;
    unsigned char inserted[kPascalBufferSize];  // psSrc may be psDst itself
    std::memcpy(inserted, psSrc + 1, count);
    std::memmove(psDst + at + count, psDst + at, length + 1 - at);
    std::memcpy(psDst + at, inserted, count);
    psDst[0] = static_cast<unsigned char>(length + count);
}

void DeleteFromPascal(unsigned char* ps, uint8_t pos, uint8_t count) {
    if (ps == nullptr || pos == 0 || count == 0 || pos > ps[0]) return;
    const uint32_t length = ps[0];
    const uint32_t removed = Min(count, length - pos + 1);
    std::memmove(ps + pos, ps + pos + removed, length + 1 - pos - removed);
    ps[0] = static_cast<unsigned char>(length - removed);
}

void DeleteFromC(char* sz, uint32_t pos, uint32_t count) {
    if (sz == nullptr) return;
    const size_t length = std::strlen(sz);
    if (pos > length) return;
    if (count > length - pos) count = static_cast<uint32_t>(length - pos);
    if (count != 0) std::memmove(sz + pos, sz + pos + count, length - pos - count + 1);
}

// ---- comparison ---------------------------------------------------------------------

bool PascalEqualsPascal(const unsigned char* psA, const unsigned char* psB) {
    if (psA == nullptr || psB == nullptr || psA[0] != psB[0]) return PascalIsEmpty(psA) && PascalIsEmpty(psB);
    return std::memcmp(psA, psB, psA[0] + 1u) == 0;
}

bool PascalEqualsC(const unsigned char* ps, const char* sz) {
    if (ps != nullptr && sz != nullptr) {
        // The C string must end right after the Pascal text; it is never read beyond its end.
        return BoundedLength(sz, ps[0] + 1u) == ps[0] && std::memcmp(sz, ps + 1, ps[0]) == 0;
    }
    return PascalIsEmpty(ps) && CIsEmpty(sz);
}

bool CEqualsC(const char* szA, const char* szB) {
    if (szA != nullptr && szB != nullptr) return std::strcmp(szA, szB) == 0;
    return CIsEmpty(szA) && CIsEmpty(szB);
}

uint8_t PascalLength(const unsigned char* ps) { return ps != nullptr ? ps[0] : 0; }

bool PascalIsEmpty(const unsigned char* ps) { return ps == nullptr || ps[0] == 0; }

bool CIsEmpty(const char* sz) { return sz == nullptr || sz[0] == '\0'; }
