// The staged tree holds the core under its name and plug-ins under their ".dll" names,
// with the SONAME and RUNPATH that let one plug-in link against another.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const baseFile = "0000BA5E-0000-4000-8000-000000000001.dll";
const char* const derivedFile = "0000DE21-0000-4000-8000-000000000002.dll";

std::string DynamicSection(const fs::path& library) {
  std::string command = "readelf -d '" + library.string() + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string output;
  std::array<char, 512> buffer;
  while (pipe && fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
  return output;
}

// Loads a bare file name by trying each folder of a search list in order, the way the
// engine's loader resolves plug-in names.
void* LoadFromSearchFolders(const char* bareName, std::initializer_list<fs::path> folders) {
  for (const fs::path& folder : folders) {
    fs::path candidate = folder / bareName;
    if (fs::exists(candidate)) return dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  return nullptr;
}

TEST(InstallTree, StageHoldsTheCoreLibrary) {
  EXPECT_TRUE(fs::exists(fs::path(KELVANE_STAGE_DIR) / "libCorelith.so"));
  EXPECT_TRUE(fs::is_directory(fs::path(KELVANE_STAGE_DIR) / "channels"));
  EXPECT_TRUE(fs::is_directory(fs::path(KELVANE_STAGE_DIR) / "3rd"));
}

TEST(InstallTree, PluginsCarryTheirFileNameAsSonameAndOriginRunpath) {
  for (const char* file : {baseFile, derivedFile}) {
    std::string dynamic = DynamicSection(fs::path(TEST_CHANNELS_DIR) / file);
    EXPECT_NE(dynamic.find(std::string("Library soname: [") + file + "]"), std::string::npos)
        << dynamic;
    EXPECT_NE(dynamic.find("(RUNPATH)            Library runpath: [$ORIGIN:$ORIGIN/..]"),
              std::string::npos)
        << dynamic;
  }
  std::string derived = DynamicSection(fs::path(TEST_CHANNELS_DIR) / derivedFile);
  EXPECT_NE(derived.find(std::string("Shared library: [") + baseFile + "]"), std::string::npos)
      << derived;
}

TEST(InstallTree, BarePluginNameLoadsFromSearchFolder) {
  void* base = LoadFromSearchFolders(baseFile, {fs::temp_directory_path(), TEST_CHANNELS_DIR});
  ASSERT_NE(base, nullptr) << dlerror();
  auto value = reinterpret_cast<int (*)()>(dlsym(base, "BasePluginValue"));
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value(), 41);
  dlclose(base);
}

TEST(InstallTree, DerivedPluginFindsItsBaseThroughRunpath) {
  // Started from another folder: the dependency is found through $ORIGIN, not the
  // current directory.
  fs::path previous = fs::current_path();
  fs::current_path(fs::temp_directory_path());
  void* derived = LoadFromSearchFolders(derivedFile, {TEST_CHANNELS_DIR});
  fs::current_path(previous);
  ASSERT_NE(derived, nullptr) << dlerror();
  auto value = reinterpret_cast<int (*)()>(dlsym(derived, "DerivedPluginValue"));
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value(), 42);
  dlclose(derived);
}

}  // namespace
