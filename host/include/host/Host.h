// The substitute host: serves the plug-in's host functions from a small real
// drawing and user interface, records every call, and sends the plug-in its
// tool events through the exported `main`.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/CallLog.h"
#include "host/Dialogs.h"
#include "host/Document.h"
#include "host/Feedback.h"
#include "host/HandleHeap.h"
#include "host/PluginLibrary.h"
#include "host/Resources.h"
#include "host/UndoHistory.h"
#include "host/UserInterface.h"
#include "interface/CallbackBlock.h"
#include "interface/HostFunctions.h"

namespace host {

inline constexpr int32_t kSelectorCount = 982;

struct HostVersion {
    int16_t code = 1;
    uint8_t major = 11;
    uint8_t minor = 0;
    uint8_t maintenance = 0;
};

// The values the host answers for the three ways a tool collects points.
struct BehaviorValues {
    int32_t oneClick = 1;
    int32_t twoPoint = 2;
    int32_t multiPoint = 3;
};

// The tool's points in this action: those picked so far and the cursor.
struct ToolPoints {
    std::vector<Point3D> picked;
    Point3D cursor{0.0, 0.0, 0.0};
};

// What kind of fault the host noticed in the plug-in's calls.
enum class FaultKind {
    Protocol,   // a call the host cannot honour: an unknown or stale handle or object, a point not picked
    Undo,       // a change that undo could not take back
    Callbacks,  // a host function looked up through a callback block whose event is not the one running
    NonFinite,  // an object moved by a vector that is not finite
};

// A text the plug-in's debug facility forwarded through KS_Kludge.
struct DebugText {
    int16_t code = 0;
    std::string owner;
    std::string text;
};

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // ---- the plug-in ------------------------------------------------------
    void LoadPlugin(const std::string& path);
    // Uses a plug-in whose entry is linked into this program.
    void AttachPlugin(PluginEntry entry);
    bool PluginLoaded() const { return fPlugin != nullptr; }
    // Calls the plug-in's `main` with this host's callback block and the
    // tool's user-data slot, recording the event and its reply.
    int32_t SendEvent(int32_t event, int32_t message1 = 0, int32_t message2 = 0);
    // Calls `main` with another block and slot (nested calls, tests).
    int32_t SendEventWith(CallbackBlock* block, void** userData, int32_t event, int32_t message1 = 0,
                          int32_t message2 = 0);
    CallbackBlock* Block() { return &fBlock; }
    void*& UserData() { return fUserData; }

    // ---- which host functions exist ----------------------------------------
    void Disable(int32_t selector);
    void Enable(int32_t selector);
    void DisableAll();
    void EnableAll();
    bool Serves(int32_t selector) const;
    // The address the lookup gives for a selector, or null.
    void* FunctionFor(int32_t selector) const;
    // Installs a different function for a row's selector (tests that need a
    // host function to do something unusual, such as calling the plug-in
    // again): host.Override<ks::selector::kGetToolPointCount>(&MyCount). The
    // function has exactly the type the plug-in calls; null puts the host's
    // own service back.
    template <int32_t Selector>
    void Override(ks::iface::HostFunctionOf<Selector> function) {
        Install(Selector, reinterpret_cast<void*>(function));
    }

    // ---- state ------------------------------------------------------------
    CallLog log;
    HandleHeap memory;
    Document document;
    UndoHistory undo;
    FeedbackOverlay feedback;
    Resources resources;
    Dialogs dialogs;
    ModeBar modeBar;
    DataBar dataBar;
    std::string messageLine;  // Mac OS Roman bytes
    ModifierKeys keys;
    ToolPoints points;
    HostVersion version;
    BehaviorValues behavior;
    bool completionAllowed = true;
    // KS_DuplicateObject answers null on its n-th call (counted from 1 over
    // the host's life; 0: never), to try a host that fails part-way.
    int failDuplicateCall = 0;
    int duplicateCalls = 0;
    // KS_DuplicateObject answers null once the drawing holds this many
    // objects, as a host whose memory is full: a count of any size ends.
    std::size_t maxObjects = 2000000;
    std::map<int16_t, std::vector<uint8_t>> variables;  // host settings by number
    std::vector<DebugText> debugTexts;
    // Protocol faults the host noticed in the plug-in's calls (a stale handle,
    // a block freed twice, ...) and services that failed by throwing, which
    // the plug-in sees as a missing function. A well-behaved plug-in leaves
    // this empty.
    std::vector<std::string> faults;
    // For each fault: its kind and the host function that noticed it (-1
    // for the host itself, between calls).
    struct FaultOrigin {
        FaultKind kind;
        int32_t selector;
    };
    std::vector<FaultOrigin> faultOrigins;
    // The host function being served (-1 between calls).
    int32_t serving = -1;

    void Fault(const std::string& what, FaultKind kind = FaultKind::Protocol) {
        faults.push_back(what);
        faultOrigins.push_back({kind, serving});
    }

    // When set, every lookup through this host's callback block checks that
    // an event of this host is the one running (the innermost, when events
    // of several hosts nest): a lookup outside it means the plug-in kept a
    // block past its event, as a `gCBP` not restored does. A Callbacks fault.
    bool checkLookups = false;
    // The host's own function for a selector, for a replacement installed
    // with Override that hands the call on.
    static void* ServiceFunction(int32_t selector);

    // Clears the tool's user interface, as the host does when a tool is
    // chosen again.
    void ResetToolInterface();

    // The host whose lookup ran last: the host functions serve that host.
    // A host function that runs without any lookup has no host to serve and
    // must not throw through the plug-in: the process stops with a message.
    static Host& Serving();
    // Makes `host` the one the next host function serves, as its lookup
    // does: for a host function that ran other hosts' events (the plug-in
    // called again from inside it) before it hands its own call on.
    static void ServeNext(Host& host);

private:
    void Install(int32_t selector, void* function);

    int fSlot = -1;
    CallbackBlock fBlock{};
    void* fUserData = nullptr;
    std::unique_ptr<PluginLibrary> fPlugin;
    std::array<void*, kSelectorCount> fFunctions{};
    int fEventDepth = 0;
    std::bitset<kSelectorCount> fDisabled;
};

// Text of a Pascal string in the Mac OS Roman set as UTF-8, for transcripts
// ("∆X:" for the increment sign).
std::string PascalToDisplay(const unsigned char* pascal);
std::string MacRomanToDisplay(const std::string& bytes);

}  // namespace host
