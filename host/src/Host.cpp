#include "host/Host.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "interface/ToolProtocol.h"
#include "src/Services.h"

namespace host {

namespace {

// Each live host owns a slot; the slot's lookup function notes which host is
// serving before it hands out an address, because host functions have no
// argument that tells them.
constexpr int kSlots = 8;
Host* gSlots[kSlots] = {};
Host* gServing = nullptr;
// The hosts whose events are running, the innermost last.
std::vector<const Host*> gRunning;

template <int Slot>
void* KS_CDECL LookupInSlot(int32_t selector) {
    Host* host = gSlots[Slot];
    if (host == nullptr) return nullptr;
    gServing = host;
    if (host->checkLookups && (gRunning.empty() || gRunning.back() != host))
        host->Fault("selector " + std::to_string(selector) + " looked up through a callback block whose event " +
                        (gRunning.empty() ? "has ended" : "is not the one running") + " (gCBP not restored?)",
                    FaultKind::Callbacks);
    return host->FunctionFor(selector);
}

template <int... Slot>
constexpr std::array<CallbackLookup, kSlots> MakeLookups(std::integer_sequence<int, Slot...>) {
    return {&LookupInSlot<Slot>...};
}

constexpr std::array<CallbackLookup, kSlots> kLookups = MakeLookups(std::make_integer_sequence<int, kSlots>{});

}  // namespace

Host& Host::Serving() {
    if (gServing == nullptr) {
        // No host to record the fault on, and an exception would unwind
        // through the plug-in's frames: stop here.
        std::fputs("substitute host: a host function ran without a lookup\n", stderr);
        std::abort();
    }
    return *gServing;
}

void Host::ServeNext(Host& host) { gServing = &host; }

Host::Host() {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (gSlots[slot] == nullptr) {
            gSlots[slot] = this;
            fSlot = slot;
            break;
        }
    }
    if (fSlot < 0) throw std::runtime_error("too many hosts alive at once");
    fBlock.lookup = kLookups[fSlot];
    fFunctions = detail::ServiceFunctions();
    variables[kHostSettingAltCursors] = {0};   // cursors drawn in white: no
    variables[kHostSettingSpatialTool] = {0};  // the tool works in space: no
}

Host::~Host() {
    fPlugin.reset();
    gSlots[fSlot] = nullptr;
    if (gServing == this) gServing = nullptr;
}

void Host::LoadPlugin(const std::string& path) { fPlugin = std::make_unique<PluginLibrary>(path); }

void Host::AttachPlugin(PluginEntry entry) { fPlugin = std::make_unique<PluginLibrary>(entry); }

void* Host::ServiceFunction(int32_t selector) {
    if (selector < 0 || selector >= kSelectorCount) return nullptr;
    return detail::ServiceFunctions()[static_cast<std::size_t>(selector)];
}

int32_t Host::SendEvent(int32_t event, int32_t message1, int32_t message2) {
    return SendEventWith(&fBlock, &fUserData, event, message1, message2);
}

int32_t Host::SendEventWith(CallbackBlock* block, void** userData, int32_t event, int32_t message1, int32_t message2) {
    if (!fPlugin) throw std::logic_error("no plug-in loaded");
    LogEntry entry;
    entry.type = LogEntry::Type::Event;
    entry.selector = event;
    entry.name = "main";
    entry.args = {std::to_string(event), std::to_string(message1), std::to_string(message2)};
    const std::size_t index = log.Begin(std::move(entry));
    ++fEventDepth;
    gRunning.push_back(this);
    const int32_t reply = fPlugin->Entry()(event, message1, message2, userData, block);
    gRunning.pop_back();
    --fEventDepth;
    log.Finish(index, std::to_string(reply));
    if (fEventDepth == 0) {
        // An undo step lasts until the event that opened it returns.
        undo.Close();
        if (document.LooseCount() != 0)
            Fault("event " + std::to_string(event) + " left duplicated objects that were never inserted");
    }
    return reply;
}

void Host::Disable(int32_t selector) {
    if (selector >= 0 && selector < kSelectorCount) fDisabled.set(static_cast<std::size_t>(selector));
}

void Host::Enable(int32_t selector) {
    if (selector >= 0 && selector < kSelectorCount) fDisabled.reset(static_cast<std::size_t>(selector));
}

void Host::DisableAll() { fDisabled.set(); }
void Host::EnableAll() { fDisabled.reset(); }

bool Host::Serves(int32_t selector) const { return FunctionFor(selector) != nullptr; }

void* Host::FunctionFor(int32_t selector) const {
    if (selector < 0 || selector >= kSelectorCount || fDisabled.test(static_cast<std::size_t>(selector)))
        return nullptr;
    return fFunctions[static_cast<std::size_t>(selector)];
}

void Host::Install(int32_t selector, void* function) {
    const auto index = static_cast<std::size_t>(selector);
    fFunctions[index] = function != nullptr ? function : detail::ServiceFunctions()[index];
}

void Host::ResetToolInterface() {
    modeBar.groups.clear();
    dataBar.fields.clear();
    dataBar.shown.clear();
    messageLine.clear();
}

}  // namespace host
