// The system error number of the calling thread, in the numbering the engine reports.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr uint32_t errorSuccess = 0;
inline constexpr uint32_t errorFileNotFound = 2;
inline constexpr uint32_t errorPathNotFound = 3;
inline constexpr uint32_t errorAccessDenied = 5;
inline constexpr uint32_t errorNotEnoughMemory = 8;
inline constexpr uint32_t errorInvalidParameter = 87;
inline constexpr uint32_t errorModuleNotFound = 126;
inline constexpr uint32_t errorProcedureNotFound = 127;
inline constexpr uint32_t errorBadExecutableFormat = 193;

// The number left by the last failing platform call of this thread.
uint32_t lastError();
void setLastError(uint32_t error);

}  // namespace platform
