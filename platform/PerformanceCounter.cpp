// The performance counter.
#include "platform/PerformanceCounter.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <ctime>
#endif

namespace ks::platform {

bool ReadPerformanceCounter(int64_t* pCount) {
    if (pCount == nullptr) return false;
#if defined(_WIN32)
    LARGE_INTEGER count;
    if (!QueryPerformanceCounter(&count)) return false;
    *pCount = count.QuadPart;
#else
    timespec now;
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return false;
    *pCount = static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
#endif
    return true;
}

bool ReadPerformanceFrequency(int64_t* pTicksPerSecond) {
    if (pTicksPerSecond == nullptr) return false;
#if defined(_WIN32)
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) return false;
    *pTicksPerSecond = frequency.QuadPart;
#else
    *pTicksPerSecond = 1000000000;
#endif
    return true;
}

}  // namespace ks::platform
