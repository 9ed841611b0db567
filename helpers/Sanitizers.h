#pragma once

// Whether this build runs under AddressSanitizer (with UndefinedBehaviorSanitizer beside it):
// the sanitizer build of the tests and fuzz drivers.
namespace sanitizers {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool active = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool active = true;
#else
constexpr bool active = false;
#endif
#else
constexpr bool active = false;
#endif

} // namespace sanitizers
