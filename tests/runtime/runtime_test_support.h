// Fixtures of the runtime tests: a private registry store, captured message boxes and a
// temporary install directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "support/temp_folder.h"

// Points the registry store at a file of the test's own folder for the test's length.
class RegistryScope {
 public:
  explicit RegistryScope(const TempFolder& folder) {
    if (const char* old = std::getenv("KELVANE_REGISTRY")) previous = old;
    setenv("KELVANE_REGISTRY", (folder.path() / "registry").c_str(), 1);
  }
  ~RegistryScope() {
    if (previous.empty()) {
      unsetenv("KELVANE_REGISTRY");
    } else {
      setenv("KELVANE_REGISTRY", previous.c_str(), 1);
    }
  }
  RegistryScope(const RegistryScope&) = delete;
  RegistryScope& operator=(const RegistryScope&) = delete;

 private:
  std::string previous;
};

// Collects every message box shown while installed.
class BoxCapture {
 public:
  BoxCapture() {
    previous = platform::setMessageBoxPresenter(
        [this](const platform::MessageBoxRequest& request) { boxes.push_back(request); });
  }
  ~BoxCapture() { platform::setMessageBoxPresenter(previous); }
  BoxCapture(const BoxCapture&) = delete;
  BoxCapture& operator=(const BoxCapture&) = delete;

  std::vector<platform::MessageBoxRequest> boxes;

 private:
  platform::MessageBoxPresenter previous;
};

// A temporary install directory with its own registry store and captured boxes.
class RuntimeTest : public ::testing::Test {
 protected:
  RuntimeTest() : registry(folder) {}

  TempFolder folder;
  RegistryScope registry;
  BoxCapture boxCapture;
};
