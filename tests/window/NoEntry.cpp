// A DLL that is not a plug-in: it exports a function, but no `main`. The
// host program must refuse it with a clear message.
#include <cstdint>

extern "C" __declspec(dllexport) int32_t NotTheEntry() { return 0; }
