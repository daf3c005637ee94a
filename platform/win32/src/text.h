// Text helpers shared by the platform sources.
#pragma once

#include <cctype>
#include <string_view>

namespace platform::detail {

// Equal ignoring ASCII letter case, as the file names and registry names of the engine's
// original system compare.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace platform::detail
