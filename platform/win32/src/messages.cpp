// Message boxes through the installed presenter (standard error by default) and debug output.
#include "platform/messages.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

std::mutex presenterMutex;
MessageBoxPresenter presenter;

bool debugEnabledAtStart() {
  const char* value = std::getenv("KELVANE_DEBUG_OUTPUT");
  return value && *value && std::strcmp(value, "0") != 0;
}

std::atomic<bool> debugEnabled{debugEnabledAtStart()};

void printToStandardError(const MessageBoxRequest& request) {
  std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
}

}  // namespace

void showMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                    MessageIcon icon) {
  MessageBoxRequest request{owner, std::string(text), std::string(caption), icon};
  MessageBoxPresenter current;
  {
    std::lock_guard lock(presenterMutex);
    current = presenter;
  }
  if (current) current(request);
  else printToStandardError(request);
}

MessageBoxPresenter setMessageBoxPresenter(MessageBoxPresenter newPresenter) {
  std::lock_guard lock(presenterMutex);
  MessageBoxPresenter previous = std::move(presenter);
  presenter = std::move(newPresenter);
  return previous;
}

void debugOutput(std::string_view text) {
  if (!debugEnabled.load()) return;
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

void setDebugOutputEnabled(bool enabled) { debugEnabled.store(enabled); }
bool debugOutputEnabled() { return debugEnabled.load(); }

}  // namespace platform
