// The glue's one piece of state and the wrappers built on other wrappers.
#include "callbacks/KSCallbacks.h"

CallbackBlock* gCBP = nullptr;

double KS_Selector82Value(CallbackBlock* callbacks, double value) {
    double result = 0.0;  // stays 0.0 when the host lacks the function
    KS_Selector82(callbacks, value, &result);
    return result;
}

double KS_Selector102Value(CallbackBlock* callbacks, double value) {
    double result = 0.0;
    KS_Selector102(callbacks, value, &result);
    return result;
}

void KS_Selector382On(CallbackBlock* callbacks, int32_t value) { KS_Selector382(callbacks, value, 1); }

void KS_Selector382Off(CallbackBlock* callbacks, int32_t value) { KS_Selector382(callbacks, value, 0); }
