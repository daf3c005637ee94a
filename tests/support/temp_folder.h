// A fresh folder per test under the test output folder, named after the test area and
// the test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/paths.h"

class TempFolder {
 public:
  TempFolder() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::path(KELVANE_TEST_OUTPUT_DIR) /
            std::filesystem::path(KELVANE_TEST_SOURCE_DIR).filename() /
            (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }
  // The engine (Windows) form of a file in the folder.
  std::string engine(const std::string& relative = "") const {
    return platform::toEnginePath((path_ / relative).string());
  }
  void write(const std::string& relative, const std::string& content) const {
    std::filesystem::create_directories((path_ / relative).parent_path());
    std::ofstream(path_ / relative, std::ios::binary) << content;
  }
  std::string read(const std::string& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path path_;
};
