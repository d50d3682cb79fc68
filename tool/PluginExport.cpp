// The plug-in library's one export, `main`. Only the shared library compiles
// this file: the tool's code is a static library of its own, whose headers
// the tests read, and a test program has a `main` of its own.
//
// C++ reserves the name `main` for the program's entry, so the function has
// another name here and is exported under `main`: by an assembler label on
// ELF, by the module-definition file on Windows.
#include "tool/ToolEntry.h"

#if defined(_WIN32)
extern "C" int32_t KS_CDECL PluginMain(int32_t event, int32_t message1, int32_t message2, void* userData,
                                       CallbackBlock* callbacks);
#else
extern "C" __attribute__((visibility("default"))) int32_t PluginMain(int32_t event, int32_t message1, int32_t message2,
                                                                     void* userData,
                                                                     CallbackBlock* callbacks) __asm__("main");
#endif

extern "C" int32_t KS_CDECL PluginMain(int32_t event, int32_t message1, int32_t message2, void* userData,
                                       CallbackBlock* callbacks) {
    return ToolMain(event, message1, message2, userData, callbacks);
}
