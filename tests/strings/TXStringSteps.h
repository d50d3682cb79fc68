// Model-checked edits of a TXString: each step chooses an operation and its
// arguments, applies it to the string and to the model (TXStringModel.h),
// compares what it returns, then the whole state. The model test runs them
// from random seeds, the strings fuzzer from its input.
#pragma once

#include "ModelSteps.h"
#include "TXStringModel.h"

// The edit is the step's first choice, one of TXStringEditCount(). The
// committed fuzz inputs name edits by their index: new ones go at the end.
TStep TXStringStep(TChoices& choices, TXString& s, TModel& model);
uint32_t TXStringEditCount();
