// The kernel's responsible developers. A report names its developer by one
// bit of the owner masks, and the first owner built for a bit registers the
// name, so every place that reports for one developer takes it from here.
#pragma once

#include <cstdint>

#include "kernel/KSDebug.h"

struct TKernelDeveloper {
    const char* szName;
    uint32_t maskLow;
    uint32_t maskHigh;
};

inline constexpr TKernelDeveloper kDeveloperCharSets{"KernelCharSets", 0x20, 0};        // bit 5
inline constexpr TKernelDeveloper kDeveloperTextBuffers{"KernelTextBuffers", 0x40, 0};  // bit 6
inline constexpr TKernelDeveloper kDeveloperDebug{"KernelDebug", 0x80, 0};              // bit 7
inline constexpr TKernelDeveloper kDeveloperNumerics{"KernelNumerics", 0x4000, 0};      // bit 14
inline constexpr TKernelDeveloper kDeveloperAngles{"KernelAngles", 0x20000, 0};         // bit 17
inline constexpr TKernelDeveloper kDeveloperFloat{"KernelFloat", 0x200000, 0};          // bit 21
inline constexpr TKernelDeveloper kDeveloperPinning{"KernelPinning", 0, 0x1};           // bit 32

inline TDebugObject DeveloperOwner(const TKernelDeveloper& developer, Boolean bFlag) {
    return TDebugObject(developer.szName, developer.maskLow, developer.maskHigh, bFlag);
}
