// POSIX files for the ledger: flock for the ledger's lock and for temporary files being written,
// fsync, a hard link for the backup, rename over the old file, then fsync of the folder.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <new>

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

FileStamp StampOf(const struct stat& info) {
  FileStamp stamp;
  stamp.exists = true;
  stamp.volume = static_cast<std::uint64_t>(info.st_dev);
  stamp.index = static_cast<std::uint64_t>(info.st_ino);
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.written = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
                  static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
  return stamp;
}

std::string FolderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// The rename itself lasts once the folder's entry is on the disk; file systems that cannot
// flush a folder say so with an error that changes nothing here.
void FlushFolder(const std::string& path) {
  const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// A copy of `from` at `to` (which must not exist), flushed: the backup where links are missing.
bool CopyFlushed(const std::string& from, const std::string& to, std::uint32_t& error) {
  PlatformFile source;
  PlatformFile copy;
  if (!source.OpenRead(from)) {
    error = source.error();
    return false;
  }
  if (!copy.CreateNew(to, from)) {
    error = copy.error();
    return false;
  }
  static constexpr std::size_t kPiece = 1u << 20;
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[kPiece]);
  bool done = buffer != nullptr;
  for (std::size_t got = 1; done && got > 0;) {
    done = source.Read(buffer.get(), kPiece, got) && copy.Write(buffer.get(), got);
  }
  if (done && copy.Flush() && copy.Close()) return true;
  error = buffer == nullptr ? ENOMEM : source.error() != 0 ? source.error() : copy.error();
  ::unlink(to.c_str());
  return false;
}

bool KeepBackup(const std::string& path, const std::string& scratch, const std::string& backup,
                std::uint32_t& error) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return true;  // a new file: nothing to keep
    error = LastError();
    return false;
  }
  if (::link(path.c_str(), scratch.c_str()) != 0) {
    // File systems without hard links (FAT, some network shares) get a copy.
    const int reason = errno;
    if (reason != EPERM && reason != ENOTSUP && reason != EOPNOTSUPP && reason != EMLINK &&
        reason != ENOSYS) {
      error = static_cast<std::uint32_t>(reason);
      return false;
    }
    if (!CopyFlushed(path, scratch, error)) return false;
  }
  const bool renamed = ::rename(scratch.c_str(), backup.c_str()) == 0;
  if (!renamed) error = LastError();
  // A rename between two links of one file does nothing: the backup was that file already.
  ::unlink(scratch.c_str());
  return renamed;
}

}  // namespace

PlatformFile::~PlatformFile() {
  if (handle_ >= 0) ::close(Descriptor(handle_));
}

bool PlatformFile::OpenLocked(const std::string& path, LockState& lock) {
  lock = LockState::Unavailable;
  if (!OpenRead(path)) return false;
  path_ = path;
  if (::flock(Descriptor(handle_), LOCK_EX | LOCK_NB) == 0) {
    lock = LockState::Held;
  } else if (errno == EWOULDBLOCK) {
    lock = LockState::Elsewhere;
  }
  return true;
}

bool PlatformFile::OpenRead(const std::string& path) {
  Close();
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

bool PlatformFile::Stamp(FileStamp& stamp) {
  struct stat info;
  if (::fstat(Descriptor(handle_), &info) != 0) {
    error_ = LastError();
    return false;
  }
  stamp = StampOf(info);
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

bool PlatformFile::CreateNew(const std::string& path, const std::string& like) {
  Close();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    error_ = LastError();
    return false;
  }
  handle_ = fd;
  // A cleaner that found the name a moment ago lets go at once: it keeps what changed lately.
  while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
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

void PlatformFile::Swap(PlatformFile& other) {
  std::swap(handle_, other.handle_);
  std::swap(error_, other.error_);
  path_.swap(other.path_);
}

bool PlatformExistsError(std::uint32_t error) {
  return error == EEXIST;
}

bool PlatformMissingError(std::uint32_t error) {
  return error == ENOENT || error == ENOTDIR;
}

bool PlatformWritable(const std::string& path, std::uint32_t& error) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || (info.st_mode & 0222) != 0) return true;
  error = EACCES;
  return false;
}

bool PlatformStamp(const std::string& path, FileStamp& stamp) {
  stamp = FileStamp();
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return PlatformMissingError(LastError());
  stamp = StampOf(info);
  return true;
}

bool PlatformFolderExists(const std::string& path) {
  struct stat info;
  return ::stat(FolderOf(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PlatformCommit(PlatformFile& file, const std::string& temporary, const std::string& path,
                    const std::string& backup, const std::string& scratch, PlatformFile& lock,
                    LockState& lockState, std::uint32_t& error) {
  if (!KeepBackup(path, scratch, backup, error)) {
    file.Close();
    ::unlink(temporary.c_str());
    return false;
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    error = LastError();
    file.Close();
    ::unlink(temporary.c_str());
    return false;
  }
  FlushFolder(path);
  // The temporary file's flock becomes the ledger's lock, with no moment unlocked between.
  lock.Swap(file);
  lock.SetPath(path);
  file.Close();
  lockState = LockState::Held;
  return true;
}

void PlatformRemove(const std::string& path) {
  ::unlink(path.c_str());
}

std::vector<std::string> PlatformFolderNames(const std::string& path, const std::string& prefix) {
  std::vector<std::string> names;
  DIR* folder = ::opendir(FolderOf(path).c_str());
  if (folder == nullptr) return names;
  while (const dirent* entry = ::readdir(folder)) {
    if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0)
      names.push_back(entry->d_name);
  }
  ::closedir(folder);
  return names;
}

void PlatformRemoveLeftover(const std::string& path, int age) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat held;
  struct stat named;
  // The status change counts too: a link made for a backup keeps the ledger's old write time.
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
      ::time(nullptr) - std::max(held.st_mtim.tv_sec, held.st_ctim.tv_sec) >= age &&
      ::lstat(path.c_str(), &named) == 0 && named.st_ino == held.st_ino &&
      named.st_dev == held.st_dev) {
    ::unlink(path.c_str());
  }
  ::close(fd);
}

std::uint64_t PlatformUniqueNumber() {
  static std::atomic<std::uint64_t> counter{0};
  const std::uint64_t clock =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::uint64_t mixed =
      static_cast<std::uint64_t>(::getpid()) << 40 ^ clock ^ (++counter * 0x9E3779B97F4A7C15u);
  mixed ^= mixed >> 31;
  return mixed * 0xBF58476D1CE4E5B9u;
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

void PlatformFoldTable(unsigned char (&fold)[256]) {
  // Code page 1252's Latin letters without case and accents; ligatures and the rest as they are.
  static const char kAccented[] =
      "\xC0\xC1\xC2\xC3\xC4\xC5"
      "a"
      "\xC7"
      "c"
      "\xC8\xC9\xCA\xCB"
      "e"
      "\xCC\xCD\xCE\xCF"
      "i"
      "\xD1"
      "n"
      "\xD2\xD3\xD4\xD5\xD6\xD8"
      "o"
      "\xD9\xDA\xDB\xDC"
      "u"
      "\xDD\x9F"
      "y"
      "\x8A"
      "s"
      "\x8E"
      "z";
  for (int c = 0; c < 256; ++c) fold[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) fold[c] = static_cast<unsigned char>(c + 32);
  const unsigned char* group = reinterpret_cast<const unsigned char*>(kAccented);
  while (*group != 0) {
    const unsigned char* base = group;
    while (*base >= 0x80) ++base;
    for (const unsigned char* p = group; p < base; ++p) {
      fold[*p] = *base;
      if (*p >= 0xC0 && *p <= 0xDE) fold[*p + 32] = *base;  // the small letter, 32 further
      if (*p == 0x8A || *p == 0x8E) fold[*p + 16] = *base;  // š and ž
    }
    group = base + 1;
  }
  fold[0xFF] = 'y';
  fold[0x8C] = 0x9C;  // Œ as œ
  fold[0xC6] = 0xE6;  // Æ as æ
}

}  // namespace carnet
