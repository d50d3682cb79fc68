// The host services behind the host functions, one small function each,
// named after its row of the table of host functions. Every service takes the
// serving host first, then the host function's own arguments (a by-address
// value as a pointer, the appended block last); src/ServiceTable.cpp turns
// them into host functions.
#pragma once

#include <array>
#include <string>

#include "host/Host.h"
#include "interface/HostFunctions.h"

namespace host::detail {

// The host functions of every row, by selector; null for the others.
const std::array<void*, kSelectorCount>& ServiceFunctions();

std::string FromPascal(const unsigned char* pascal);
// Writes at most 255 characters and the length byte into a 256-byte buffer.
void ToPascal(const std::string& text, unsigned char* buffer);

// The service's type for a row: Result(Host&, host function's parameters).
template <class HostFunctionPointer>
struct ServiceShape;
template <class R, class... A>
struct ServiceShape<R(KS_CDECL*)(A...)> {
    using type = R(Host&, A...);
};
template <int32_t Selector>
using ServiceType = typename ServiceShape<ks::iface::HostFunctionOf<Selector>>::type;

namespace services {
// One declaration per row: `void SetObjectSelected(Host&, ObjectHandle, Boolean);` and so on.
#define KS_DECLARE_SERVICE(selector, name, shape, contract) ServiceType<selector> name;
KS_HOST_FUNCTIONS(KS_DECLARE_SERVICE)
#undef KS_DECLARE_SERVICE
}  // namespace services

}  // namespace host::detail
