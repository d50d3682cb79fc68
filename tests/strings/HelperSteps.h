// Model-checked calls of the Pascal and C string helpers (KSString.h): each
// step chooses a helper, a capacity (small, at the Pascal bounds, beyond
// them) and texts, calls it on a destination with guard bytes behind its
// capacity and compares the bytes it wrote with the rules of KSString.h.
// The helper test runs them from random seeds, the strings fuzzer from its
// input.
#pragma once

#include "ModelSteps.h"

// The helper family is the step's first choice, one of HelperFamilyCount().
// The committed fuzz inputs name families by their index: new ones go at
// the end.
TStep HelperStep(TChoices& choices);
uint32_t HelperFamilyCount();
