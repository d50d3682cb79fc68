// Words of the binary interface between the host and the plug-in.
//
// The interface is spelled with fixed-width types so that it means the same on
// the 32-bit Windows DLL (where long is 32 bits) and on a 64-bit Linux build
// (where it is not): long is int32_t, short is int16_t, a Boolean is one byte.
#pragma once

#include <cstdint>

// Every host function, the lookup and the plug-in entry use the C calling
// convention: arguments in declared order, removed by the caller.
#if defined(_WIN32) && !defined(_WIN64)
#define KS_CDECL __cdecl
#else
#define KS_CDECL
#endif

// One byte, 0 false and 1 true; any nonzero value reads as true.
using Boolean = uint8_t;

// A relocatable block of host memory: the address of the block's master
// pointer. The block may move whenever the host runs, so callers re-read
// through the handle after every host call.
using Handle = void**;

// The host's opaque reference to one object of the drawing.
struct KSObjectOpaque;
using ObjectHandle = KSObjectOpaque*;

struct CallbackBlock;

// Function called by the host for each visited object (KS_ForEachObject).
using ObjectVisitor = void(KS_CDECL*)(ObjectHandle object, CallbackBlock* callbacks, void* env);

// Event handler of a modal layout dialog (KS_RunDialog).
using DialogHandler = void(KS_CDECL*)(int32_t dialog, int32_t* item, int32_t data, void* userData);
