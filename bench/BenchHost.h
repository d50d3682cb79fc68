// The substitute host with the plug-in loaded and a drawing to work on, set
// up the way a user would: the tool chosen, points picked, the count typed
// into the count dialog.
#pragma once

#include <cstdint>
#include <vector>

#include "host/Host.h"
#include "host/Session.h"

namespace bench {

// Mode-bar group 1 holds the three modes.
inline constexpr int32_t kModeGroup = 1;
inline constexpr int32_t kSpanMode = 1;
inline constexpr int32_t kPartsMode = 2;
inline constexpr int32_t kPathMode = 3;

// A plan (or spatial) layer with one selected 2 by 1 rectangle; the call log
// is off so that it does not grow without end.
struct BenchHost {
    host::Host host;
    host::Session session{host};

    explicit BenchHost(bool spatial = false);

    // Types `count` into the count dialog.
    void SetCount(int32_t count);
    // The first point of a duplicating action at the origin, the cursor at
    // (1, 0): the preview is on screen.
    void StartDuplicating(int32_t mode, int32_t count);
    // Host calls made by one event, counted with the call log on for it.
    long CallsOf(int32_t event);
};

// Bytes the process holds on the heap now and at most since the last reset
// (counted by the bench program's operator new).
std::size_t HeapInUse();
std::size_t HeapPeak();
void ResetHeapPeak();

}  // namespace bench
