// Millisecond tick count of the process clock.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start; wraps like a 32-bit counter.
uint32_t tickCount();

}  // namespace platform
