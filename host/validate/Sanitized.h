// Whether the validator was built with AddressSanitizer (the plug-in it loads
// is then built with it too): LeakSanitizer can then look for leaks after each
// scenario, and everything runs several times slower.
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MOVEDUP_VALIDATE_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MOVEDUP_VALIDATE_ASAN 1
#endif

namespace validate {

#if defined(MOVEDUP_VALIDATE_ASAN)
inline constexpr bool kSanitizedBuild = true;
#else
inline constexpr bool kSanitizedBuild = false;
#endif

// The seconds a scenario may run before it counts as a hang. The heaviest
// scenarios draw a preview of 10^4 outlines dozens of times, over a million
// host calls, in a few seconds natively; under the sanitizers the same takes
// several times as long and must not pass for a hang.
inline constexpr int kDefaultTimeoutSeconds = kSanitizedBuild ? 60 : 20;

}  // namespace validate
