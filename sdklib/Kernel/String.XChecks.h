// What the TXString sources share: the pointer checks every C or Pascal
// argument passes, and the owners of the kernel-wide reports.
#pragma once

#include "kernel/KSDevelopers.h"
#include "kernel/KSString.X.h"

namespace ks::strings {

// The host may look at the argument and offer a break; the operation goes on
// either way, with a null argument standing for an empty text.
inline const char* CheckedC(const TDebugObject& owner, const char* szFile, int32_t line, const char* szName,
                            const char* sz) {
    CheckCString(false, owner, szFile, line, szName, sz, 0, 0);
    return sz != nullptr ? sz : "";
}

inline const unsigned char* CheckedPascal(const TDebugObject& owner, const char* szFile, int32_t line,
                                          const char* szName, const unsigned char* ps) {
    static const unsigned char kEmpty[1] = {0};
    CheckPascalString(false, owner, szFile, line, szName, ps, 0, 0);
    return ps != nullptr ? ps : kEmpty;
}

// Reports of the buffer rules and of array misuse.
inline TDebugObject BufferOwner() { return DeveloperOwner(kDeveloperDebug, false); }

// First position at or after nStart where the nSubLength bytes of pSub occur
// in the nLength bytes of pText, comparing upper-cased bytes with
// bIgnoreCase; -1 when there is none.
int32_t FindBytes(const char* pText, uint32_t nLength, const char* pSub, uint32_t nSubLength, uint32_t nStart,
                  bool bIgnoreCase);

}  // namespace ks::strings

#define KS_CHECKED_C(sz) ks::strings::CheckedC(*this, KSPathBelowSdklib(__FILE__), __LINE__, #sz, (sz))
#define KS_CHECKED_PASCAL(ps) ks::strings::CheckedPascal(*this, KSPathBelowSdklib(__FILE__), __LINE__, #ps, (ps))
