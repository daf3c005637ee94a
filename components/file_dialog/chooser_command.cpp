// Finding and running the desktop chooser as a child process whose output is the path.
#include "chooser_command.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>

extern char** environ;

namespace filedialog {

namespace {

// True when `program` is an executable file in a folder of the POSIX search path.
bool OnSearchPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::stringstream folders(path);
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (folder.empty()) continue;
    const std::string candidate = folder + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
  }
  return false;
}

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && x11[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

}  // namespace

std::optional<std::vector<std::string>> FindChooser(const std::string& filter,
                                                    const std::string& extension) {
  if (const char* injected = std::getenv("KELVANE_FILE_CHOOSER")) {
    if (injected[0] == '\0') return std::nullopt;
    return std::vector<std::string>{injected, filter, extension};
  }
  if (!HasDisplay()) return std::nullopt;
  const std::string pattern = "*." + extension;
  if (OnSearchPath("zenity")) {
    return std::vector<std::string>{"zenity", "--file-selection",
                                    "--file-filter=" + filter + " | " + pattern};
  }
  if (OnSearchPath("kdialog")) {
    return std::vector<std::string>{"kdialog", "--getopenfilename", ".",
                                    pattern + "|" + filter};
  }
  return std::nullopt;
}

std::string RunChooser(const std::vector<std::string>& command) {
  if (command.empty()) return {};
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
  std::vector<char*> arguments;
  for (const std::string& argument : command) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  pid_t child = 0;
  const int started =
      posix_spawnp(&child, arguments[0], &actions, nullptr, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  std::string output;
  if (started == 0) {
    char chunk[512];
    for (ssize_t n; (n = read(pipeEnds[0], chunk, sizeof chunk)) > 0;) output.append(chunk, n);
  }
  close(pipeEnds[0]);
  if (started != 0) return {};
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  return output.substr(0, output.find('\n'));
}

}  // namespace filedialog
