// File queries and whole-file reads and writes on engine paths.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "host_files.h"
#include "platform/errors.h"
#include "platform/paths.h"

namespace platform {

namespace {

std::optional<std::string> hostPathOrError(std::string_view enginePath) {
  std::optional<std::string> host = resolveHostPath(enginePath);
  if (!host) setLastError(errorPathNotFound);
  return host;
}

}  // namespace

bool fileExists(std::string_view enginePath) { return fileAttributes(enginePath).has_value(); }

std::optional<uint32_t> fileAttributes(std::string_view enginePath) {
  std::optional<std::string> host = hostPathOrError(enginePath);
  if (!host) return std::nullopt;
  struct stat info;
  if (stat(host->c_str(), &info) != 0) {
    detail::setLastErrorFromErrno(errno);
    return std::nullopt;
  }
  uint32_t attributes = 0;
  if (S_ISDIR(info.st_mode)) attributes |= fileAttributeDirectory;
  if ((info.st_mode & S_IWUSR) == 0) attributes |= fileAttributeReadOnly;
  return attributes == 0 ? fileAttributeNormal : attributes;
}

std::optional<std::vector<uint8_t>> readWholeFile(std::string_view enginePath) {
  std::optional<std::string> host = hostPathOrError(enginePath);
  if (!host) return std::nullopt;
  return detail::readHostFile(*host);
}

bool writeWholeFile(std::string_view enginePath, std::span<const uint8_t> data) {
  std::optional<std::string> host = hostPathOrError(enginePath);
  return host && detail::writeHostFileAtomically(*host, data);
}

bool appendToFile(std::string_view enginePath, std::span<const uint8_t> data) {
  std::optional<std::string> host = hostPathOrError(enginePath);
  if (!host) return false;
  int fd = open(host->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    detail::setLastErrorFromErrno(errno);
    return false;
  }
  size_t written = 0;
  while (written < data.size()) {
    ssize_t put = write(fd, data.data() + written, data.size() - written);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) break;
    written += static_cast<size_t>(put);
  }
  if (written < data.size()) detail::setLastErrorFromErrno(errno);
  close(fd);
  return written == data.size();
}

std::optional<DirectoryListing> listDirectory(std::string_view enginePath) {
  std::optional<std::string> host = hostPathOrError(enginePath);
  if (!host) return std::nullopt;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(host->c_str()), closedir);
  if (!dir) {
    detail::setLastErrorFromErrno(errno);
    return std::nullopt;
  }
  DirectoryListing listing;
  while (dirent* entry = readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info;
    if (stat((*host + "/" + name).c_str(), &info) != 0) continue;  // dangling link
    (S_ISDIR(info.st_mode) ? listing.folders : listing.files).push_back(std::move(name));
  }
  std::sort(listing.files.begin(), listing.files.end());
  std::sort(listing.folders.begin(), listing.folders.end());
  return listing;
}

}  // namespace platform
