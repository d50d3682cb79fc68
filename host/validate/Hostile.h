// The hostile host: stands between the plug-in and the substitute host's
// functions, withholds some, answers others at the edges, fails
// allocations and duplications, changes the keys under the plug-in's feet and
// calls the plug-in again from inside the functions that call it back.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <vector>

#include "host/Host.h"
#include "validate/Choices.h"

namespace validate {

struct Hostility {
    std::bitset<host::kSelectorCount> withheld;
    // The point count answered instead of the host's own, and whether it is
    // drawn anew on every call. Points beyond those picked are made up.
    bool lieAboutPointCount = false;
    bool pointCountEachCall = false;
    int32_t pointCount = 0;
    // Coordinates of picked and current points replaced by these values, on
    // every answer (always the same place) or by chance on each.
    std::vector<double> edgeCoordinates;
    bool edgeOnEveryAnswer = false;
    uint32_t edgePercent = 0;
    bool nullContainer = false;
    bool nullParent = false;
    uint32_t nullDuplicatePercent = 0;
    int allocationFailsAt = 0;  // the n-th allocation answers null (0: none does)
    bool keysFlicker = false;   // the keys change before every host call
    bool oddDialogs = false;    // dialogs meet odd items, odd numbers, and may never be confirmed
    bool reenterVisit = false;  // the plug-in is called again between the objects of a visit
    bool reenterDialog = false; // ... and from inside its dialogs
    // The answers hold still while nothing changes: a cursor event that finds
    // the host as the last one left it must change nothing on screen.
    bool steady = true;
    // The points the host answers are the ones it drew the preview for, so
    // the preview erases itself: nothing may stay on screen after event 4.
    bool coherent = true;
};

// What the hostile host saw, for the checks.
struct Observed {
    int64_t largestCountShown = 0;  // data-bar values, numbers typed in dialogs, point counts answered
    int firstKeyPresses = 0;        // the first modifier key going down
    long hostCalls = 0;
};

class Interposer {
public:
    // Installs itself on `host` for its lifetime. `reenter` is called at each
    // point where the plug-in may be called again.
    Interposer(host::Host& host, const Hostility& hostility, Choices& choices, std::function<void()> reenter);
    ~Interposer();
    Interposer(const Interposer&) = delete;
    Interposer& operator=(const Interposer&) = delete;

    const Observed& Seen() const { return fSeen; }
    void NoteCountShown(int64_t count);
    void NoteKeys(const host::ModifierKeys& keys);

    // Used by the host functions it installs.
    static Interposer& Current();
    host::Host& Host() { return fHost; }
    const Hostility& Hostile() const { return fHostility; }
    Choices& Choose() { return fChoices; }
    void BeforeCall();
    void Reenter();
    void QueueDialogActions(int32_t dialog);
    double Edge(double value);
    int allocations = 0;

private:
    host::Host& fHost;
    Hostility fHostility;
    Choices& fChoices;
    std::function<void()> fReenter;
    Observed fSeen;
    bool fReentering = false;
    Interposer* fPrevious;
};

}  // namespace validate
