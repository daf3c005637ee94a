// The desktop chooser a file dialog runs: an injected program (KELVANE_FILE_CHOOSER), else
// zenity or kdialog from the search path when a display exists; and running it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace filedialog {

// The program and its arguments that ask for a file matching `pattern` ("*.kvn") under the
// description `filter`; nullopt when no chooser can be asked. KELVANE_FILE_CHOOSER, when
// set, names a program that receives the filter and the default extension instead; an
// empty value means no chooser.
std::optional<std::vector<std::string>> FindChooser(const std::string& filter,
                                                    const std::string& extension);

// The first line the program writes to its standard output, or "" when it fails, is
// cancelled (non-zero exit) or cannot be started.
std::string RunChooser(const std::vector<std::string>& command);

}  // namespace filedialog
