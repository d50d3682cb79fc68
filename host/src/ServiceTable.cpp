// The host functions the substitute host serves: one per row of the table of
// host functions, each the trampoline of the service named after the row.
#include "src/Serve.h"
#include "src/Services.h"

namespace host::detail {

namespace {
std::array<void*, kSelectorCount> MakeServiceFunctions() {
    std::array<void*, kSelectorCount> functions{};
#define KS_SERVE(selector, name, shape, contract) functions[selector] = HostFunction<selector, &services::name>();
    KS_HOST_FUNCTIONS(KS_SERVE)
#undef KS_SERVE
    return functions;
}
}  // namespace

const std::array<void*, kSelectorCount>& ServiceFunctions() {
    static const std::array<void*, kSelectorCount> functions = MakeServiceFunctions();
    return functions;
}

}  // namespace host::detail
