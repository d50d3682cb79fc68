// The high-resolution performance counter (QueryPerformanceCounter and
// QueryPerformanceFrequency; a monotonic clock in nanoseconds elsewhere).
#pragma once

#include <cstdint>

namespace ks::platform {

// Each returns false, leaving its output alone, when the counter is missing.
bool ReadPerformanceCounter(int64_t* pCount);
bool ReadPerformanceFrequency(int64_t* pTicksPerSecond);

}  // namespace ks::platform
