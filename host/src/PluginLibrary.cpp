#include "host/PluginLibrary.h"

#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace host {

#if defined(_WIN32)

namespace {
std::string LastError() { return "system error " + std::to_string(static_cast<unsigned long>(GetLastError())); }
}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) : fPath(path) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) throw std::runtime_error("cannot load plug-in " + path + ": " + LastError());
    fLibrary = module;
    fEntry = reinterpret_cast<PluginEntry>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
    if (fEntry == nullptr) {
        const std::string reason = LastError();
        FreeLibrary(module);
        throw std::runtime_error("plug-in " + path + " has no entry 'main': " + reason);
    }
}

PluginLibrary::~PluginLibrary() {
    if (fLibrary != nullptr) FreeLibrary(static_cast<HMODULE>(fLibrary));
}

#else

PluginLibrary::PluginLibrary(const std::string& path) : fPath(path) {
    fLibrary = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (fLibrary == nullptr) throw std::runtime_error("cannot load plug-in: " + std::string(dlerror()));
    fEntry = reinterpret_cast<PluginEntry>(dlsym(fLibrary, "main"));
    if (fEntry == nullptr) {
        dlclose(fLibrary);
        throw std::runtime_error("plug-in " + path + " has no entry 'main'");
    }
}

PluginLibrary::~PluginLibrary() {
    if (fLibrary != nullptr) dlclose(fLibrary);
}

#endif

}  // namespace host
