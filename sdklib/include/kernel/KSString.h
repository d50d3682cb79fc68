// Copying, appending, inserting, deleting, comparing and formatting text
// between Pascal strings (length byte first, no terminator) and C strings.
//
// Every destination is a caller's buffer whose whole capacity n (length byte
// or terminator included) is passed in; text is cut at its end, never written
// past it. A missing source gives an empty destination; a missing
// destination or a capacity of 0 writes nothing. A Pascal buffer holds at
// most 256 bytes: copies to or from one report a larger n ("n <= 256") and
// go on with 256, and appends to one treat a larger n as 256, so the length
// byte can never wrap.
//
// Choices where a caller asks for something impossible:
// * CopyTextToPascal with more than 255 characters keeps 255.
// * InsertPascalIntoPascal at a position beyond the end appends at the end.
// * FormatToPascal and FormatPascalToPascal keep the first 255 characters and
//   never write more than 256 bytes; the C formatters trust the caller's
//   buffer as sprintf does.
#pragma once

#include <cstdint>

#include "kernel/KSDebug.h"

inline constexpr uint32_t kPascalBufferSize = 256;

// ---- copy and convert -------------------------------------------------------
void CopyPascalToPascal(const unsigned char* psSrc, unsigned char* psDst, uint32_t n);
void CopyCToPascal(const char* szSrc, unsigned char* psDst, uint32_t n);
void CopyTextToPascal(const void* pText, uint32_t nCount, unsigned char* psDst, uint32_t n);
// A NUL inside the Pascal text ends the copy; the rest is filled with NUL.
void CopyPascalToC(const unsigned char* psSrc, char* szDst, uint32_t n);
void CopyCToC(const char* szSrc, char* szDst, uint32_t n);
void CopyTextToC(const void* pText, uint32_t nCount, char* szDst, uint32_t n);

// ---- append (n: capacity of the whole destination, its text included) --------
unsigned char* AppendPascalToPascal(unsigned char* psDst, const unsigned char* psSrc, uint32_t n);
unsigned char* AppendCToPascal(unsigned char* psDst, const char* szSrc, uint32_t n);
unsigned char* AppendTextToPascal(unsigned char* psDst, const void* pText, uint32_t nCount, uint32_t n);
// Returns where the appended text starts (the others return szDst).
char* AppendPascalToC(char* szDst, const unsigned char* psSrc, uint32_t n);
char* AppendCToC(char* szDst, const char* szSrc, uint32_t n);
char* AppendTextToC(char* szDst, const void* pText, uint32_t nCount, uint32_t n);

// ---- insert and delete ----------------------------------------------------------
// Inserts psSrc before character pos (1-based) of psDst, a 256-byte buffer;
// what does not fit in 255 characters is left out of the inserted text.
void InsertPascalIntoPascal(const unsigned char* psSrc, unsigned char* psDst, uint8_t pos);
// Removes count characters from pos (1-based) on.
void DeleteFromPascal(unsigned char* ps, uint8_t pos, uint8_t count);
// Removes count characters from pos (0-based) on.
void DeleteFromC(char* sz, uint32_t pos, uint32_t count);

// ---- comparison (exact; a missing string equals only an empty one) -------------
bool PascalEqualsPascal(const unsigned char* psA, const unsigned char* psB);
bool PascalEqualsC(const unsigned char* ps, const char* sz);
bool CEqualsC(const char* szA, const char* szB);
uint8_t PascalLength(const unsigned char* ps);
bool PascalIsEmpty(const unsigned char* ps);
bool CIsEmpty(const char* sz);

// ---- comparison by the host's rules (KS_EqualStrings mode 2, KS_CompareStrings
// mode 1 or 2); false or 0 when no host offers them ------------------------------
bool HostStringsEqual(const unsigned char* psA, const unsigned char* psB);
bool HostStringsEqual(const unsigned char* psA, const char* szB);
bool HostStringsEqual(const char* szA, const char* szB);
int16_t HostCompareStrings(const unsigned char* psA, const unsigned char* psB);
int16_t HostCompareStrings(const unsigned char* psA, const char* szB);
int16_t HostCompareStrings(const char* szA, const char* szB);
int16_t HostCompareStringsMode2(const unsigned char* psA, const unsigned char* psB);
int16_t HostCompareStringsMode2(const unsigned char* psA, const char* szB);
int16_t HostCompareStringsMode2(const char* szA, const char* szB);

// ---- formatting (printf rules; a Pascal format keeps its first 255 characters)
// Each returns the number of characters formatted.
int32_t FormatToC(char* szDst, const char* szFmt, ...) KS_PRINTF_FORMAT(2, 3);
int32_t FormatToPascal(unsigned char* psDst, const char* szFmt, ...) KS_PRINTF_FORMAT(2, 3);
int32_t FormatPascalToC(char* szDst, const unsigned char* psFmt, ...);
int32_t FormatPascalToPascal(unsigned char* psDst, const unsigned char* psFmt, ...);
