// Loads the plug-in as a real shared library and finds its entry by name.
#pragma once

#include <string>

#include "interface/CallbackBlock.h"

namespace host {

using PluginEntry = int32_t(KS_CDECL*)(int32_t event, int32_t message1, int32_t message2, void* userData,
                                       CallbackBlock* callbacks);

class PluginLibrary {
public:
    // Loads the library at `path` and looks up `main`; throws
    // std::runtime_error with the system's reason when either fails.
    explicit PluginLibrary(const std::string& path);
    // A plug-in linked into this program: nothing to load or unload.
    explicit PluginLibrary(PluginEntry entry) : fPath("(linked in)"), fEntry(entry) {}
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    PluginEntry Entry() const { return fEntry; }
    const std::string& Path() const { return fPath; }

private:
    std::string fPath;
    void* fLibrary = nullptr;
    PluginEntry fEntry = nullptr;
};

}  // namespace host
