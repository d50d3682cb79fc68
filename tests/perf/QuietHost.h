// A host that costs nothing: every host function answers at once from a few
// fixed values, allocates nothing and counts its calls. Handed to the plug-in
// for one event, it leaves only the plug-in's own work to time or to watch
// for heap use. Duplicates are one stand-in object, so a completion makes
// its copies without a drawing growing behind it.
#pragma once

#include <cstdint>

#include "interface/CallbackBlock.h"
#include "kernel/DKCoordTypes.h"

namespace quiet {

struct State {
    int32_t pointCount = 0;
    static constexpr int kMaxPoints = 4;
    Point3D points[kMaxPoints] = {};  // picked points; the last one repeats beyond
    Point3D cursor{1.0, 0.0, 0.0};
    bool keys[3] = {false, false, false};
    Cube3D bounds{Point3D(0.0, 0.0, 0.0), Point3D(2.0, 1.0, 0.0)};
    int16_t viewKind = 0;  // the layer's view: the plan

    // What happened: calls of any host function, feedback figures drawn,
    // duplicates made.
    long calls = 0;
    long draws = 0;
    long duplicates = 0;
};

// The one state all quiet hosts serve (host functions have no argument
// that would tell them apart).
State& Current();

// The block to hand the plug-in; its lookup counts nothing itself.
CallbackBlock* Block();

}  // namespace quiet
