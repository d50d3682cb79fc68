// The records that the debug facility and the string class hand the host with
// KS_Kludge, and the request codes they go with.
//
// The host reads them byte by byte: the check records are packed, their
// fields following a 2-byte head without padding. On the 32-bit DLL every
// pointer is 4 bytes, which gives the offsets pinned below; a 64-bit build
// keeps the same order with 8-byte pointers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "interface/KSTypes.h"

enum : int16_t {
    kKludgeDebugText = 2001,          // TKludgeDebugTextRecord, no output
    kKludgeDebugPrint = 2002,         // the text itself, no output
    kKludgeCheckBlock = 2003,         // TKludgeCheckBlockRecord, output int32_t
    kKludgeCheckValues = 2004,        // TKludgeCheckValuesRecord, output int32_t
    kKludgeOwnerNotice = 2005,        // the owner's name itself, no output
    kKludgeCheckCString = 2007,       // TKludgeCheckStringRecord, output int32_t
    kKludgeCheckPascalString = 2008,  // TKludgeCheckStringRecord, output int32_t
};

struct TKludgeDebugTextRecord {
    const char* fOwnerName;
    const char* fText;
};

#pragma pack(push, 1)
struct TKludgeCheckBlockRecord {
    int16_t fReserved;
    const char* fOwnerName;
    const char* fFile;
    int32_t fLine;
    const char* fExpression;
    const void* fBlock;
    int32_t fSize;
};

struct TKludgeCheckValuesRecord {
    int16_t fReserved;
    const char* fOwnerName;
    int32_t fValues[5];
};

struct TKludgeCheckStringRecord {
    Boolean fStrict;
    uint8_t fReserved;
    const char* fOwnerName;
    const char* fFile;
    int32_t fLine;
    const char* fExpression;
    const void* fString;
    int32_t fValue1;
    int32_t fValue2;
};
#pragma pack(pop)

namespace ks::kludge {
inline constexpr size_t kP = sizeof(void*);
}

static_assert(offsetof(TKludgeDebugTextRecord, fText) == ks::kludge::kP &&
              sizeof(TKludgeDebugTextRecord) == 2 * ks::kludge::kP);

static_assert(offsetof(TKludgeCheckBlockRecord, fOwnerName) == 2 &&
              offsetof(TKludgeCheckBlockRecord, fFile) == 2 + ks::kludge::kP &&
              offsetof(TKludgeCheckBlockRecord, fLine) == 2 + 2 * ks::kludge::kP &&
              offsetof(TKludgeCheckBlockRecord, fExpression) == 6 + 2 * ks::kludge::kP &&
              offsetof(TKludgeCheckBlockRecord, fBlock) == 6 + 3 * ks::kludge::kP &&
              offsetof(TKludgeCheckBlockRecord, fSize) == 6 + 4 * ks::kludge::kP &&
              sizeof(TKludgeCheckBlockRecord) == 10 + 4 * ks::kludge::kP);
static_assert(offsetof(TKludgeCheckValuesRecord, fOwnerName) == 2 &&
              offsetof(TKludgeCheckValuesRecord, fValues) == 2 + ks::kludge::kP &&
              sizeof(TKludgeCheckValuesRecord) == 22 + ks::kludge::kP);
static_assert(offsetof(TKludgeCheckStringRecord, fReserved) == 1 &&
              offsetof(TKludgeCheckStringRecord, fOwnerName) == 2 &&
              offsetof(TKludgeCheckStringRecord, fFile) == 2 + ks::kludge::kP &&
              offsetof(TKludgeCheckStringRecord, fLine) == 2 + 2 * ks::kludge::kP &&
              offsetof(TKludgeCheckStringRecord, fExpression) == 6 + 2 * ks::kludge::kP &&
              offsetof(TKludgeCheckStringRecord, fString) == 6 + 3 * ks::kludge::kP &&
              offsetof(TKludgeCheckStringRecord, fValue1) == 6 + 4 * ks::kludge::kP &&
              offsetof(TKludgeCheckStringRecord, fValue2) == 10 + 4 * ks::kludge::kP &&
              sizeof(TKludgeCheckStringRecord) == 14 + 4 * ks::kludge::kP);

// The layout the host of the 32-bit DLL reads.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(void*) == 4);
#endif
static_assert(sizeof(void*) != 4 ||
              (offsetof(TKludgeCheckBlockRecord, fOwnerName) == 2 && offsetof(TKludgeCheckBlockRecord, fFile) == 6 &&
               offsetof(TKludgeCheckBlockRecord, fLine) == 10 && offsetof(TKludgeCheckBlockRecord, fExpression) == 14 &&
               offsetof(TKludgeCheckBlockRecord, fBlock) == 18 && offsetof(TKludgeCheckBlockRecord, fSize) == 22 &&
               sizeof(TKludgeCheckBlockRecord) == 26));
static_assert(sizeof(void*) != 4 ||
              (offsetof(TKludgeCheckValuesRecord, fValues) == 6 && sizeof(TKludgeCheckValuesRecord) == 26));
static_assert(sizeof(void*) != 4 ||
              (offsetof(TKludgeCheckStringRecord, fFile) == 6 && offsetof(TKludgeCheckStringRecord, fLine) == 10 &&
               offsetof(TKludgeCheckStringRecord, fExpression) == 14 &&
               offsetof(TKludgeCheckStringRecord, fString) == 18 && offsetof(TKludgeCheckStringRecord, fValue1) == 22 &&
               offsetof(TKludgeCheckStringRecord, fValue2) == 26 && sizeof(TKludgeCheckStringRecord) == 30));

// ---- character-set conversion (TXString::AnsiToMac, MacToAnsi) -------------

// One chunk of text converted by the host between the Windows (ANSI) and the
// Macintosh character sets. Output: int16_t, the bytes the host produced.
inline constexpr int16_t kKludgeAlturaBufFunctionAccess = 5678;
// At most this many source characters go to the host in one request.
inline constexpr int16_t kKludgeConversionChunk = 32;

enum : int32_t {
    kConvertAnsiToMac = 0,
    kConvertMacToAnsi = 1,
};

// Natural alignment; 24 bytes on the 32-bit DLL. Each direction fills its
// own source and destination slot and leaves the other two alone.
struct TKludgeConversionRecord {
    int32_t fDirection;       // kConvertAnsiToMac or kConvertMacToAnsi
    const char* fAnsiSource;  // AnsiToMac
    const char* fMacSource;   // MacToAnsi
    char* fAnsiDestination;   // MacToAnsi
    char* fMacDestination;    // AnsiToMac
    int16_t fCount;           // source characters in this chunk
    int16_t fReserved;        // MacToAnsi sets 0
};

static_assert(offsetof(TKludgeConversionRecord, fAnsiSource) == ks::kludge::kP &&
              offsetof(TKludgeConversionRecord, fCount) == 5 * ks::kludge::kP &&
              sizeof(TKludgeConversionRecord) == 6 * ks::kludge::kP);
static_assert(sizeof(void*) != 4 ||
              (offsetof(TKludgeConversionRecord, fAnsiSource) == 4 &&
               offsetof(TKludgeConversionRecord, fMacSource) == 8 &&
               offsetof(TKludgeConversionRecord, fAnsiDestination) == 12 &&
               offsetof(TKludgeConversionRecord, fMacDestination) == 16 &&
               offsetof(TKludgeConversionRecord, fCount) == 20 && offsetof(TKludgeConversionRecord, fReserved) == 22 &&
               sizeof(TKludgeConversionRecord) == 24));
