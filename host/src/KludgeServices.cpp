// KS_Kludge, the numbered miscellaneous service, and the string comparisons.
//
// Served codes: the debug facility's texts (2001, 2002, 2005) are kept in
// Host::debugTexts; its checks (2003, 2004, 2007, 2008) are answered 0, no
// break; 5678 converts one chunk of text between Windows-1252 and Mac OS
// Roman (host/CharacterSets.h). Any other code is refused as by a host that
// does not know it: false, and the output record is left alone.
#include "host/CharacterSets.h"
#include "interface/KSKludgeRecords.h"
#include "src/Serve.h"
#include "src/Services.h"

namespace host::detail {

namespace {

std::string Text(const char* sz) { return sz != nullptr ? sz : ""; }

void KeepDebugText(Host& host, int16_t code, const char* szOwner, const char* szText) {
    host.debugTexts.push_back({code, Text(szOwner), Text(szText)});
}

// One chunk: fCount source characters, one byte produced for each.
Boolean ConvertChunk(Host& host, const TKludgeConversionRecord* record, int16_t* copySize) {
    if (record == nullptr || copySize == nullptr || record->fCount < 0) return 0;
    const bool bToMac = record->fDirection == kConvertAnsiToMac;
    if (!bToMac && record->fDirection != kConvertMacToAnsi) return 0;
    const char* source = bToMac ? record->fAnsiSource : record->fMacSource;
    char* destination = bToMac ? record->fMacDestination : record->fAnsiDestination;
    if (source == nullptr || destination == nullptr) return 0;
    for (int16_t i = 0; i < record->fCount; ++i) {
        const auto byte = static_cast<unsigned char>(source[i]);
        destination[i] = static_cast<char>(bToMac ? WindowsToMacRoman(byte) : MacRomanToWindows(byte));
    }
    *copySize = record->fCount;
    host.log.Note(host.log.Current(), std::string(bToMac ? "to Mac OS Roman, " : "to Windows-1252, ") +
                                          std::to_string(record->fCount) + " characters");
    return 1;
}

}  // namespace

namespace services {

Boolean Kludge(Host& host, int16_t code, void* input, void* output) {
    switch (code) {
        case kKludgeDebugText: {
            const auto* record = static_cast<const TKludgeDebugTextRecord*>(input);
            if (record != nullptr) KeepDebugText(host, code, record->fOwnerName, record->fText);
            return 1;
        }
        case kKludgeDebugPrint:
            KeepDebugText(host, code, nullptr, static_cast<const char*>(input));
            return 1;
        case kKludgeOwnerNotice:
            KeepDebugText(host, code, static_cast<const char*>(input), nullptr);
            return 1;
        case kKludgeCheckBlock:
        case kKludgeCheckValues:
        case kKludgeCheckCString:
        case kKludgeCheckPascalString:
            if (output != nullptr) *static_cast<int32_t*>(output) = 0;  // no break asked
            return 1;
        case kKludgeAlturaBufFunctionAccess:
            return ConvertChunk(host, static_cast<const TKludgeConversionRecord*>(input),
                                static_cast<int16_t*>(output));
        default:
            return 0;
    }
}

Boolean EqualStrings(Host&, const char* first, const char* second, int16_t mode) {
    return TextsEqual(first, second, mode) ? 1 : 0;
}

int16_t CompareStrings(Host&, const char* first, const char* second, int16_t mode) {
    return CompareTexts(first, second, mode);
}

}  // namespace services
}  // namespace host::detail
