// Message boxes and the system debug output.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/window.h"

namespace platform {

enum class MessageIcon { none, error, warning, information };

struct MessageBoxRequest {
  WindowHandle owner;  // may be null
  std::string text;
  std::string caption;
  MessageIcon icon;
};

// Shows a message box with an OK button and returns when it is closed.
void showMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                    MessageIcon icon = MessageIcon::none);

// Replaces the presenter of message boxes (the SDL window library installs one; tests install
// a capture); null restores the default, which prints them to standard error. Returns the
// previous presenter.
using MessageBoxPresenter = std::function<void(const MessageBoxRequest&)>;
MessageBoxPresenter setMessageBoxPresenter(MessageBoxPresenter presenter);

// Debug output: written to standard error when enabled (by setDebugOutputEnabled, or at start
// by a non-empty KELVANE_DEBUG_OUTPUT other than "0"), dropped otherwise.
void debugOutput(std::string_view text);
void setDebugOutputEnabled(bool enabled);
bool debugOutputEnabled();

}  // namespace platform
