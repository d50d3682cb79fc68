// TXString: conversion between the Windows (ANSI) and the Macintosh
// character sets, done by the host a chunk at a time through KS_Kludge.
#include <cstring>
#include <new>

#include "String.XChecks.h"
#include "callbacks/KSCallbacks.h"
#include "interface/KSKludgeRecords.h"

namespace {

// Bytes of scratch per source character: the host may spell one character
// with several.
constexpr uint64_t kAnsiToMacGrowth = 3;
constexpr uint64_t kMacToAnsiGrowth = 4;

// One chunk through the host; false when the host did not convert it.
bool ConvertChunk(bool bToMac, const char* pSource, char* pDestination, int16_t nCount, int16_t& copySize) {
    TKludgeConversionRecord data{};
    if (bToMac) {
        data.fDirection = kConvertAnsiToMac;
        data.fAnsiSource = pSource;
        data.fMacDestination = pDestination;
    } else {
        data.fDirection = kConvertMacToAnsi;
        data.fMacSource = pSource;
        data.fAnsiDestination = pDestination;
        data.fReserved = 0;
    }
    data.fCount = nCount;
    copySize = 0;
    // Without a callback block there is no host to ask.
    if (gCBP == nullptr) return false;
    return KS_Kludge(gCBP, kKludgeAlturaBufFunctionAccess, &data, &copySize) != 0;
}

}  // namespace

int32_t TXString::AnsiToMac() { return Convert(true); }

int32_t TXString::MacToAnsi() { return Convert(false); }

int32_t TXString::Convert(bool bToMac) {
    if (fLength == 0) return 0;
    const uint64_t dstSize = fLength * (bToMac ? kAnsiToMacGrowth : kMacToAnsiGrowth);
    if (dstSize + 1 > UINT32_MAX) return 0;
    // One byte beyond the scratch size keeps room for the terminator even when
    // the host fills the scratch completely.
    char* const dst = new (std::nothrow) char[dstSize + 1]();
    if (dst == nullptr) return 0;
    const char* const src = fCString;
    const uint32_t nChars = fLength;

    const TDebugObject charSets = DeveloperOwner(kDeveloperCharSets, true);
    if (src == dst) KS_ASSERT_TEXT(charSets, bToMac ? "src != (unsigned char*)dst" : "(char*)src != dst");
    bool bConverted = true;
    uint64_t total = 0;
    if (nChars > dstSize) {
        KS_ASSERT_TEXT(charSets, "nChars <= dst_size");
        bConverted = false;
    } else {
        // The host has no capacity to go by; once the scratch is full no
        // further chunk is handed to it.
        for (uint32_t done = 0; done < nChars && total < dstSize; done += kKludgeConversionChunk) {
            const uint32_t left = nChars - done;
            const auto nCount = static_cast<int16_t>(left < 32 ? left : kKludgeConversionChunk);
            int16_t copySize = 0;
            if (!ConvertChunk(bToMac, src + done, dst + total, nCount, copySize)) {
                KS_ASSERT_TEXT(DeveloperOwner(kDeveloperFloat, false),
                               "KS_Kludge(gCBP, kKludgeAlturaBufFunctionAccess, &data, &copySize)");
                bConverted = false;
            }
            if (copySize > 0) total += static_cast<uint64_t>(copySize);
        }
    }
    if (total > dstSize) {
        BreakIfAsked(DebugStop(DeveloperOwner(kDeveloperTextBuffers, false),
                               bToMac ? "TXString::AnsiToMac overwrote buffer by %ld bytes!"
                                      : "VCMacToANSIString overwrote buffer by %ld bytes!",
                               static_cast<long>(total - dstSize)));
        total = dstSize;
    }
    // A chunk the host did not convert would leave a hole: the text stays as it was.
    if (bConverted) {
        dst[total] = '\0';
        AssignBytes(dst, static_cast<uint32_t>(std::strlen(dst)));
    }
    delete[] dst;
    return bConverted ? static_cast<int32_t>(total) : 0;
}
