// TXString: construction, assignment, the buffer rules and access.
#include <cstring>
#include <functional>
#include <new>

#include "String.XChecks.h"

using ks::strings::BufferOwner;

namespace {

// The framing bytes around the text: the length byte and the terminator.
constexpr uint64_t kFraming = 2;
constexpr uint64_t kGrowthStep = 16;

uint32_t PascalLengthByte(uint32_t n) { return n < 255 ? n : 255; }

}  // namespace

// ---- construction -------------------------------------------------------------

TXString::TXString() : TDebugObject(), fBufferSize(0), fLength(0), fData(nullptr), fCString(nullptr) {
    EnsureSize(kDefaultCapacity);
}

TXString::TXString(const TXString& other) : TXString(TDebugObject(), other) {}

TXString::TXString(const char* sz) : TXString(TDebugObject(), sz) {}

TXString::TXString(const unsigned char* ps) : TXString(TDebugObject(), ps) {}

TXString::TXString(char ch, uint32_t nCount) : TXString(TDebugObject(), nCount) { SetLength(nCount, ch); }

TXString::TXString(const TDebugObject& owner, uint32_t nInitialSize)
    : TDebugObject(), fBufferSize(0), fLength(0), fData(nullptr), fCString(nullptr) {
    TDebugObject::operator=(owner);
    // A size no 32-bit buffer describes is refused; the string still gets a
    // buffer, the smallest, as every string has one.
    if (!EnsureSize(nInitialSize)) EnsureSize(0);
}

TXString::TXString(const TDebugObject& owner, const char* sz) : TXString(owner, 0u) {
    const char* szText = KS_CHECKED_C(sz);
    AppendBytes(szText, static_cast<uint32_t>(std::strlen(szText)));
}

TXString::TXString(const TDebugObject& owner, const unsigned char* ps) : TXString(owner, 0u) {
    const unsigned char* psText = KS_CHECKED_PASCAL(ps);
    AppendBytes(reinterpret_cast<const char*>(psText + 1), psText[0]);
}

TXString::TXString(const TDebugObject& owner, const TXString& other) : TXString(owner, other.fLength) {
    AppendBytes(other.fCString, other.fLength);
}

TXString::~TXString() { delete[] fData; }

TXString& TXString::operator=(const TXString& other) {
    if (this != &other) AssignBytes(other.fCString, other.fLength);
    return *this;
}

TXString& TXString::operator=(const char* sz) {
    const char* szText = KS_CHECKED_C(sz);
    AssignBytes(szText, static_cast<uint32_t>(std::strlen(szText)));
    return *this;
}

TXString& TXString::operator=(const unsigned char* ps) {
    const unsigned char* psText = KS_CHECKED_PASCAL(ps);
    AssignBytes(reinterpret_cast<const char*>(psText + 1), psText[0]);
    return *this;
}

TXString& TXString::operator=(int32_t n) {
    Clear(true);
    return Append(n);
}

// ---- the buffer -------------------------------------------------------------

bool TXString::ReallocBuffer(uint32_t newSize) {
    if (newSize < kFraming) {
        BreakIfAsked(DebugStop(BufferOwner(),
                               "TXString buffer must be large enough to hold Pascal length byte and C terminator "
                               "(newSize = %lu)",
                               static_cast<unsigned long>(newSize)));
        newSize = kFraming;  // the two framing bytes are never given up
    }
    if (fData != nullptr && newSize == fBufferSize) return true;
    auto* pNew = new (std::nothrow) unsigned char[newSize];
    if (pNew == nullptr) return false;
    if (fData != nullptr) {
        std::memcpy(pNew, fData, fBufferSize < newSize ? fBufferSize : newSize);
        delete[] fData;
    } else {
        pNew[0] = 0;
        pNew[1] = '\0';
    }
    fData = pNew;
    fCString = reinterpret_cast<char*>(pNew + 1);
    fBufferSize = newSize;
    return true;
}

bool TXString::EnsureSize(uint32_t n) {
    const uint64_t needed = n + kFraming;
    if (fData != nullptr && fBufferSize >= needed) return true;
    const uint64_t rounded = (needed + kGrowthStep - 1) / kGrowthStep * kGrowthStep;
    if (rounded > UINT32_MAX) return false;  // no 32-bit size describes it
    return ReallocBuffer(static_cast<uint32_t>(rounded));
}

void TXString::UpdateLength(uint32_t n) {
    fLength = n;
    fData[n + 1] = '\0';
    if (std::strlen(fCString) != n) KS_ASSERT_TEXT(BufferOwner(), "len == (size_t)lstrlen(&fData[1])");
    fData[0] = static_cast<unsigned char>(PascalLengthByte(n));
}

void TXString::RecomputeLength() {
    fData[fBufferSize - 1] = '\0';  // a caller that filled the whole buffer still ends inside it
    UpdateLength(static_cast<uint32_t>(std::strlen(fCString)));
}

void TXString::Compact() {
    if (!ReallocBuffer(fLength + static_cast<uint32_t>(kFraming)))
        KS_ASSERT_TEXT(BufferOwner(), "ReallocBuffer(fLength + 2)");
}

void TXString::Clear(bool keepBuffer) {
    fLength = 0;
    fData[0] = 0;
    fData[1] = '\0';
    if (!keepBuffer) Compact();
}

bool TXString::Reserve(uint32_t n) {
    if (n == 0) {
        Clear(false);
        return true;
    }
    if (n < fLength) {
        UpdateLength(n);
        return true;
    }
    return EnsureSize(n);
}

void TXString::SetLength(uint32_t n, char ch) {
    const uint32_t oldLength = fLength;
    if (!Reserve(n)) return;
    if (n > oldLength) std::memset(fCString + oldLength, ch, n - oldLength);
    UpdateLength(n);
}

bool TXString::Owns(const void* p) const {
    const std::less<const void*> before;
    return !before(p, fData) && before(p, fData + fBufferSize);
}

bool TXString::AppendBytes(const char* pChars, uint32_t nCount) {
    if (nCount == 0) return true;
    if (static_cast<uint64_t>(fLength) + nCount + kFraming > UINT32_MAX) return false;
    // The source may lie in this buffer, which growing frees.
    const bool bOwn = Owns(pChars);
    const std::ptrdiff_t offset = bOwn ? pChars - fCString : 0;
    if (!EnsureSize(fLength + nCount)) return false;
    if (bOwn) pChars = fCString + offset;
    std::memmove(fCString + fLength, pChars, nCount);
    UpdateLength(fLength + nCount);
    return true;
}

void TXString::AssignBytes(const char* pChars, uint32_t nCount) {
    if (Owns(pChars)) {
        // Part of this text: it fits where it is.
        std::memmove(fCString, pChars, nCount);
        UpdateLength(nCount);
        return;
    }
    Clear(true);
    AppendBytes(pChars, nCount);
}

// ---- access -------------------------------------------------------------------

const unsigned char* TXString::PascalString() const {
    if (fLength > 255) {
        BreakIfAsked(DebugStop(*this, "You are trying to convert to a Pascal string > 255 characters (%d to be exact).",
                               static_cast<int>(fLength)));
    }
    return fData;
}

unsigned char* TXString::PascalBuffer(uint32_t n) {
    Reserve(n);
    PascalString();
    return fData;
}

char* TXString::CharPtrAt(uint32_t nIndex, bool bAllowNull) {
    if (bAllowNull ? nIndex <= fLength : nIndex < fLength) return fCString + nIndex;
    KS_ASSERT_TEXT(*this, "(bAllowNull ? nIndex <= fLength : nIndex < fLength)");
    // Whatever the caller writes there lands in a byte nobody reads.
    static char sScratch;
    sScratch = '\0';
    return &sScratch;
}

char TXString::GetAt(uint32_t nIndex) const { return *const_cast<TXString*>(this)->CharPtrAt(nIndex, true); }

void TXString::SetCharAt(uint32_t n, char ch) {
    if (n < fLength) {
        fCString[n] = ch;
        if (ch == '\0') UpdateLength(n);  // a terminator ends the text there
    } else if (n == fLength) {
        Append(ch);
    } else {
        BreakIfAsked(DebugStop(*this, "TXString: Trying to set character beyond end of string."));
    }
}

void TXString::CopyTo(char* sz) const {
    const int32_t size = static_cast<int32_t>(fLength + 1);
    if (CheckWritableBlock(*this, KSPathBelowSdklib(__FILE__), __LINE__, "sz", sz, size))
        std::memcpy(sz, fCString, fLength + 1);
}

void TXString::CopyTo(unsigned char* ps) const {
    const int32_t size = fData[0] + 1;
    if (CheckWritableBlock(*this, KSPathBelowSdklib(__FILE__), __LINE__, "ps", ps, size))
        std::memcpy(ps, fData, static_cast<size_t>(size));
}
