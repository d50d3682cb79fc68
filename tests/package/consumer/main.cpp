// What another plug-in gets from the installed kernel: strings, coordinate
// types, the protocol's numbers and a KS_ call against a host that lacks
// every function.
#include <cstdio>

#include "callbacks/KSCallbacks.h"
#include "interface/ToolProtocol.h"
#include "kernel/DKCoordTypes.h"
#include "kernel/KSString.X.h"

namespace {
void* KS_CDECL NoFunction(int32_t) { return nullptr; }
}  // namespace

int main() {
    CallbackBlock block{NoFunction};
    gCBP = &block;
    TXString text("Move");
    text += "/Duplicate";
    const Point2D span(3.0, 4.0);
    const bool works =
        text.GetLength() == 14 && span.Length() == 5.0 && KS_GetToolPointCount(gCBP) == -1 && kToolEventComplete == 104;
    gCBP = nullptr;
    std::puts(works ? "the kernel package works" : "the kernel package is broken");
    return works ? 0 : 1;
}
