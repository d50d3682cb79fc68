// Memory, host facts and settings, string resources.
#include <cstring>

#include "src/Serve.h"
#include "src/Services.h"

namespace host::detail {

std::string FromPascal(const unsigned char* pascal) {
    if (pascal == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(pascal + 1), pascal[0]);
}

void ToPascal(const std::string& text, unsigned char* buffer) {
    const std::size_t length = text.size() < 255 ? text.size() : 255;
    buffer[0] = static_cast<unsigned char>(length);
    std::memcpy(buffer + 1, text.data(), length);
}

namespace services {

Handle AllocHandle(Host& host, int32_t size) { return host.memory.Allocate(size); }

void FreeHandle(Host& host, Handle handle) {
    if (handle == nullptr) return;
    if (!host.memory.Free(handle)) host.Fault("KS_FreeHandle of a handle that is not allocated");
}

void GetHostVersion(Host& host, int16_t* code, uint8_t* major, uint8_t* minor, uint8_t* maintenance, void*, void*) {
    if (code) *code = host.version.code;
    if (major) *major = host.version.major;
    if (minor) *minor = host.version.minor;
    if (maintenance) *maintenance = host.version.maintenance;
}

Boolean GetHostVariable(Host& host, int16_t variable, void* value) {
    auto it = host.variables.find(variable);
    if (it == host.variables.end() || value == nullptr) return 0;
    std::memcpy(value, it->second.data(), it->second.size());
    host.log.Note(host.log.Current(), "setting " + std::to_string(variable) + " = " +
                                          std::to_string(it->second.empty() ? 0 : it->second[0]));
    return 1;
}

Boolean SetHostVariable(Host& host, int16_t variable, const void* value) {
    auto it = host.variables.find(variable);
    if (it == host.variables.end() || value == nullptr) return 0;
    std::memcpy(it->second.data(), value, it->second.size());
    host.log.Note(host.log.Current(), "setting " + std::to_string(variable) + " = " +
                                          std::to_string(it->second.empty() ? 0 : it->second[0]));
    return 1;
}

void GetIndexedString(Host& host, int16_t list, int16_t index, unsigned char* text, Boolean) {
    if (text == nullptr) return;
    const std::string value = host.resources.String(list, index);
    ToPascal(value, text);
    host.log.Note(host.log.Current(), "\"" + MacRomanToDisplay(value) + "\"");
}

}  // namespace services
}  // namespace host::detail
