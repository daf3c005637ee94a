// Whole-file reads and atomic whole-file writes (temporary file, flush, rename).
#include "host_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string_view>

#include "platform/errors.h"
#include "platform/files.h"

namespace platform {

namespace {

std::atomic<WriteStep> injectedFailure{WriteStep::none};

bool failsAt(WriteStep step) {
  if (injectedFailure.load() != step) return false;
  setLastError(errorAccessDenied);
  return true;
}

struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

void failWholeFileWritesAt(WriteStep step) { injectedFailure.store(step); }

namespace detail {

void setLastErrorFromErrno(int error) {
  switch (error) {
    case ENOENT: setLastError(errorFileNotFound); break;
    case ENOTDIR: setLastError(errorPathNotFound); break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: setLastError(errorAccessDenied); break;
    case ENOMEM: setLastError(errorNotEnoughMemory); break;
    default: setLastError(errorAccessDenied); break;
  }
}

std::optional<std::vector<uint8_t>> readHostFile(const std::string& hostPath) {
  FileDescriptor file{open(hostPath.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat info;
  if (file.fd < 0 || fstat(file.fd, &info) != 0) {
    setLastErrorFromErrno(errno);
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) {
    setLastError(errorAccessDenied);
    return std::nullopt;
  }
  std::vector<uint8_t> data;
  uint8_t buffer[65536];
  for (;;) {
    ssize_t got = read(file.fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      setLastErrorFromErrno(errno);
      return std::nullopt;
    }
    if (got == 0) return data;
    data.insert(data.end(), buffer, buffer + got);
  }
}

bool writeHostFileAtomically(const std::string& hostPath, std::span<const uint8_t> data) {
  std::string temporary = hostPath + ".tmp-XXXXXX";
  FileDescriptor file{failsAt(WriteStep::create) ? -1 : mkostemp(temporary.data(), O_CLOEXEC)};
  if (file.fd < 0) {
    if (injectedFailure.load() != WriteStep::create) setLastErrorFromErrno(errno);
    return false;
  }
  auto discard = [&] {
    unlink(temporary.c_str());
    return false;
  };
  if (failsAt(WriteStep::write)) return discard();
  size_t written = 0;
  while (written < data.size()) {
    ssize_t put = write(file.fd, data.data() + written, data.size() - written);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      setLastErrorFromErrno(errno);
      return discard();
    }
    written += static_cast<size_t>(put);
  }
  // mkostemp creates 0600; a replaced file keeps its permissions, a new one gets 0644.
  struct stat previous;
  fchmod(file.fd, stat(hostPath.c_str(), &previous) == 0 ? (previous.st_mode & 07777) : 0644);
  if (failsAt(WriteStep::flush) || fsync(file.fd) != 0) {
    if (injectedFailure.load() != WriteStep::flush) setLastErrorFromErrno(errno);
    return discard();
  }
  close(file.fd);
  file.fd = -1;
  if (failsAt(WriteStep::rename) || rename(temporary.c_str(), hostPath.c_str()) != 0) {
    if (injectedFailure.load() != WriteStep::rename) setLastErrorFromErrno(errno);
    return discard();
  }
  return true;
}

bool createHostFolders(const std::string& hostPath) {
  for (size_t i = 1; i <= hostPath.size(); ++i) {
    if (i != hostPath.size() && hostPath[i] != '/') continue;
    std::string prefix = hostPath.substr(0, i);
    if (mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) {
      setLastErrorFromErrno(errno);
      return false;
    }
  }
  return true;
}

}  // namespace detail
}  // namespace platform
