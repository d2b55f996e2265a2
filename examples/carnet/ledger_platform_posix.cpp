// POSIX files for the ledger: fsync, then rename over the old file, then fsync of the folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ledger.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

int Descriptor(std::intptr_t handle) {
  return static_cast<int>(handle);
}

std::uint32_t LastError() {
  return static_cast<std::uint32_t>(errno);
}

}  // namespace

PlatformFile::~PlatformFile() {
  if (handle_ >= 0) ::close(Descriptor(handle_));
}

bool PlatformFile::OpenRead(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) error_ = LastError();
  handle_ = fd;
  return fd >= 0;
}

bool PlatformFile::Size(std::uint64_t& size) {
  struct stat info;
  if (::fstat(Descriptor(handle_), &info) != 0) {
    error_ = LastError();
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    error_ = EISDIR;
    return false;
  }
  size = static_cast<std::uint64_t>(info.st_size);
  return true;
}

bool PlatformFile::Read(char* data, std::size_t size, std::size_t& got) {
  for (;;) {
    const ssize_t count = ::read(Descriptor(handle_), data, size);
    if (count >= 0) {
      got = static_cast<std::size_t>(count);
      return true;
    }
    if (errno != EINTR) {
      error_ = LastError();
      return false;
    }
  }
}

bool PlatformFile::Create(const std::string& path, const std::string& like) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    error_ = LastError();
    return false;
  }
  handle_ = fd;
  struct stat info;
  if (::stat(like.c_str(), &info) == 0) ::fchmod(fd, info.st_mode & 07777);
  return true;
}

bool PlatformFile::Write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t count = ::write(Descriptor(handle_), data, size);
    if (count < 0) {
      if (errno == EINTR) continue;
      error_ = LastError();
      return false;
    }
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

bool PlatformFile::Flush() {
  if (::fsync(Descriptor(handle_)) == 0) return true;
  error_ = LastError();
  return false;
}

bool PlatformFile::Close() {
  const int fd = Descriptor(handle_);
  handle_ = -1;
  if (fd < 0 || ::close(fd) == 0) return true;
  error_ = LastError();
  return false;
}

bool PlatformWritable(const std::string& path, std::uint32_t& error) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || (info.st_mode & 0222) != 0) return true;
  error = EACCES;
  return false;
}

bool PlatformReplace(const std::string& from, const std::string& to, std::uint32_t& error) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    error = LastError();
    return false;
  }
  // The rename itself lasts once the folder's entry is on the disk; file systems that cannot
  // flush a folder say so with an error that changes nothing here.
  const std::string::size_type slash = to.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : to.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  return true;
}

void PlatformRemove(const std::string& path) {
  ::unlink(path.c_str());
}

std::string PlatformErrorText(std::uint32_t error) {
  return std::strerror(static_cast<int>(error));
}

std::uint32_t PlatformNoMemoryError() {
  return ENOMEM;
}

void UserCollation(const char* text, std::size_t size, std::string& key) {
  ByteCollation(text, size, key);
}

}  // namespace carnet
