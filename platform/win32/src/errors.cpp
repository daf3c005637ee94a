#include "platform/errors.h"

namespace platform {

namespace {
thread_local uint32_t threadLastError = errorSuccess;
}

uint32_t lastError() { return threadLastError; }
void setLastError(uint32_t error) { threadLastError = error; }

}  // namespace platform
