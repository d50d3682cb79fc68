// A plug-in that answers every event like a tool that collects points with
// one click, and crashes on the click itself: the workbench must report the
// crash with its event and script line and keep the transcript.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int32_t CrashingMain(int32_t event, int32_t, int32_t, void*,
                                                                       void*) __asm__("main");

extern "C" int32_t CrashingMain(int32_t event, int32_t, int32_t, void*, void*) {
    if (event == 100) {
        volatile int32_t* nowhere = nullptr;
        return *nowhere;
    }
    if (event == 105) return 1;
    if (event == 5) return 17001;
    return 0;
}
