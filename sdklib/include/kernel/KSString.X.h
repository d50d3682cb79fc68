// TXString, the kernel's growable string, and TXStringArray.
//
// One heap buffer serves at once as a Pascal string and as a C string:
// fData[0] is the length byte (the length, or 255 for longer texts),
// fData[1..fLength] are the characters and fData[fLength + 1] is NUL. The
// text can therefore go to the host, the C library or Windows without a copy.
// The buffer grows only when it must, to the needed length plus the two
// framing bytes rounded up to 16 bytes; it shrinks only in Format and
// Clear(false).
//
// Contract breaches are reported through the debug facility under the
// string's own owner (nobody unless one is given, so silent by default) or
// under the kernel developer responsible, and the operation goes on with a
// defined fallback. Nothing throws; an allocation that fails leaves the
// string as it was.
//
// Choices where a caller asks for something impossible:
// * Insert at a position beyond the end appends at the end.
// * Replace with an empty find text changes nothing.
// * A null C or Pascal argument counts as an empty text.
// * Format keeps the first 10239 characters of a longer result.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <type_traits>

#include "kernel/KSDebug.h"

class TXString : public TDebugObject {
public:
    // The longest text Format produces, and the size it formats into.
    static constexpr uint32_t kFormatBufferSize = 10240;
    static constexpr uint32_t kDefaultCapacity = 30;

    TXString();
    TXString(const TXString& other);
    TXString(const char* sz);
    TXString(const unsigned char* ps);
    TXString(char ch, uint32_t nCount);
    TXString(const TDebugObject& owner, uint32_t nInitialSize);
    TXString(const TDebugObject& owner, const char* sz);
    TXString(const TDebugObject& owner, const unsigned char* ps);
    TXString(const TDebugObject& owner, const TXString& other);
    virtual ~TXString();

    TXString& operator=(const TXString& other);
    TXString& operator=(const char* sz);
    TXString& operator=(const unsigned char* ps);
    TXString& operator=(int32_t n);

    // ---- buffer -----------------------------------------------------------
    // Sets the text to its first 0 characters; with keepBuffer false the
    // buffer is trimmed to the two framing bytes.
    void Clear(bool keepBuffer = true);
    // 0 clears and trims; below the length cuts the text; otherwise makes
    // room for n characters. False when the room could not be made.
    bool Reserve(uint32_t n);
    // Makes the text n characters long, filling new positions with ch.
    void SetLength(uint32_t n, char ch = ' ');
    // Trims the buffer to the text and its two framing bytes.
    void Compact();
    // After a caller wrote into the buffer (PascalBuffer, CString): takes the
    // length of the C string now in it.
    void RecomputeLength();

    // ---- access -------------------------------------------------------------
    uint32_t GetLength() const { return fLength; }
    bool IsEmpty() const { return fLength == 0; }
    uint32_t BufferSize() const { return fBufferSize; }
    const char* CString() const { return fCString; }
    char* CString() { return fCString; }
    // The Pascal form; a text over 255 characters is reported (the length
    // byte says 255).
    const unsigned char* PascalString() const;
    unsigned char* PascalBuffer(uint32_t n);
    // The address of character nIndex (bAllowNull admits the terminator); out
    // of range, a report and the address of a scratch byte.
    char* CharPtrAt(uint32_t nIndex, bool bAllowNull = false);
    char GetAt(uint32_t nIndex) const;
    char operator[](uint32_t nIndex) const { return GetAt(nIndex); }
    // Replaces character n, or appends at n == length.
    void SetCharAt(uint32_t n, char ch);
    void CopyTo(char* sz) const;
    void CopyTo(unsigned char* ps) const;

    // ---- editing ------------------------------------------------------------
    TXString& Append(const char* sz);
    TXString& Append(const unsigned char* ps);
    TXString& Append(const TXString& other);
    TXString& Append(char ch);
    TXString& Append(int32_t n);
    TXString& operator+=(const char* sz) { return Append(sz); }
    TXString& operator+=(const unsigned char* ps) { return Append(ps); }
    TXString& operator+=(const TXString& other) { return Append(other); }
    TXString& operator+=(char ch) { return Append(ch); }

    void Insert(uint32_t pos, const char* sz);
    void Insert(uint32_t pos, const unsigned char* ps);
    void Insert(uint32_t pos, char ch, uint32_t cnt = 1);
    void Delete(uint32_t pos, uint32_t count = 1);

    TXString Mid(uint32_t nFirst, uint32_t nCount) const;
    TXString Mid(uint32_t nFirst) const;
    TXString Left(uint32_t n) const;
    TXString Right(uint32_t n) const;

    // Replaces every occurrence of szFind, scanning forward; inserted text is
    // never scanned again. Returns the number of replacements.
    uint32_t Replace(const char* szFind, const char* szReplacement, bool ignoreCase = false);
    uint32_t Replace(const char* szFind, char chReplacement, bool ignoreCase = false);

    void ToUpper();
    void ToLower();
    void Reverse();
    void TrimLeading();
    void TrimTrailing();
    void Trim() {
        TrimTrailing();
        TrimLeading();
    }
    void CRToCRLF();
    void CRLFToLF();
    void EnsureTrailingBackslash();

    // ---- searching (0-based; -1 when not found) -----------------------------
    int32_t Find(char ch, uint32_t start = 0) const;
    int32_t ReverseFind(char ch) const;
    int32_t FindOneOf(const char* szCharSet) const;
    int32_t FindOneOf(const unsigned char* psCharSet) const;
    int32_t FindNotOneOf(const char* szCharSet) const;
    int32_t FindNotOneOf(const unsigned char* psCharSet) const;
    int32_t ReverseFindOneOf(const char* szCharSet) const;
    int32_t ReverseFindOneOf(const unsigned char* psCharSet) const;
    int32_t ReverseFindNotOneOf(const char* szCharSet) const;
    int32_t ReverseFindNotOneOf(const unsigned char* psCharSet) const;
    int32_t Find(const char* szSub, uint32_t nFirst = 0, bool ignoreCase = false) const;
    int32_t Find(const unsigned char* psSub, uint32_t nFirst = 0, bool ignoreCase = false) const;
    TXString LeadingRunIn(const char* szCharSet) const;
    TXString LeadingRunIn(const unsigned char* psCharSet) const;
    TXString LeadingRunNotIn(const char* szCharSet) const;
    TXString LeadingRunNotIn(const unsigned char* psCharSet) const;

    // ---- comparison, numbers, formatting ------------------------------------
    int32_t Compare(const char* sz) const;
    int32_t Compare(const unsigned char* ps) const;
    int32_t CompareIgnoringCase(const char* sz) const;
    int32_t CompareIgnoringCase(const unsigned char* ps) const;
    int32_t ToInteger() const;
    double ToReal() const;

    // printf rules; the result keeps at most 10239 characters, and a longer
    // one is reported. The arguments may point into this string.
    void Format(const char* szFormat, ...) KS_PRINTF_FORMAT(2, 3);
    void Format(const unsigned char* psFormat, ...);
    void FormatList(const char* szFormat, va_list ap) KS_PRINTF_FORMAT(2, 0);
    template <class TFormat, class... TArgs>
    requires std::is_same_v<TFormat, TXString>
    void Format(const TFormat& format, TArgs... args) {
        const TXString formatCopy(format);
        Format(formatCopy.CString(), args...);
    }

    // Between the Windows and the Macintosh character sets through the host;
    // the number of bytes produced.
    int32_t AnsiToMac();
    int32_t MacToAnsi();

protected:
    // The buffer operations everything rests on; see the class comment.
    bool ReallocBuffer(uint32_t newSize);
    bool EnsureSize(uint32_t n);
    void UpdateLength(uint32_t n);

private:
    bool AppendBytes(const char* pChars, uint32_t nCount);
    void AssignBytes(const char* pChars, uint32_t nCount);
    void InsertBytes(uint32_t pos, const char* pChars, uint32_t nCount);
    int32_t Convert(bool bToMac);
    bool Owns(const void* p) const;

    uint32_t fBufferSize;
    uint32_t fLength;
    unsigned char* fData;
    char* fCString;
};

TXString operator+(const TXString& a, const TXString& b);
TXString operator+(const TXString& a, const char* sz);
TXString operator+(const TXString& a, const unsigned char* ps);
TXString operator+(const TXString& a, char ch);
TXString operator+(char ch, const TXString& b);
TXString operator+(const char* sz, const TXString& b);
TXString operator+(const unsigned char* ps, const TXString& b);

// An ordered list of strings. Every allocated slot owns one TXString; slots
// beyond the count keep their objects (cleared) for reuse.
class TXStringArray {
public:
    explicit TXStringArray(uint32_t nInitialSlots = 0, int32_t blockSize = 10);
    ~TXStringArray();
    TXStringArray(const TXStringArray&) = delete;
    TXStringArray& operator=(const TXStringArray&) = delete;

    uint32_t GetCount() const { return fNumStringsStored; }
    uint32_t GetAllocatedCount() const { return fNumAllocated; }

    // Makes at least n slots, in whole blocks; false when an allocation
    // failed (the slots that got a string are kept).
    bool Reserve(uint32_t n);
    void SetCount(uint32_t n);
    void SetAt(uint32_t nIndex, const TXString& value);
    void SetAt(uint32_t nIndex, const char* sz);
    void SetAt(uint32_t nIndex, const unsigned char* ps);
    void Append(const TXString& value);
    void Append(const char* sz);
    void Append(const unsigned char* ps);
    void AppendAll(const TXStringArray& other);
    // Removes up to count strings from nIndex on; their objects are cleared
    // and kept behind the used ones.
    void RemoveAt(uint32_t nIndex, uint32_t count = 1);
    TXString& GetAt(uint32_t nIndex);
    const TXString& GetAt(uint32_t nIndex) const;
    TXString& operator[](uint32_t nIndex) { return GetAt(nIndex); }
    // The first index whose string equals sz ignoring case; 0 and
    // bFound false when there is none.
    uint32_t FindIgnoringCase(const char* sz, bool& bFound) const;

private:
    template <class T>
    void AssignAt(uint32_t nIndex, const T& value);
    template <class T>
    void AppendValue(const T& value);

    int32_t fBlockSize;
    uint32_t fNumStringsStored;
    uint32_t fNumAllocated;
    TXString** fStrings;
};
