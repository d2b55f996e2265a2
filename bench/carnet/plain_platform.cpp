// The plain platform calls the ledger benchmark measures against: Win32 on Windows, POSIX
// elsewhere, each the shortest way to do the work.
#include "plain_platform.h"

#include <chrono>

#ifdef _WIN32
#include <windows.h>

#include "../win32/bench_measure.h"
#else
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#endif

namespace carnet_bench {

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

#ifdef _WIN32

// The form benchmarks' measure, the same for every row of every benchmark.
std::size_t PrivateBytes() {
  return bench::PrivateBytes();
}

bool PlainRead(const std::string& path, char*& bytes, std::size_t& size) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER length;
  DWORD got = 0;
  bool ok = GetFileSizeEx(file, &length) != 0;
  size = static_cast<std::size_t>(length.QuadPart);
  bytes = new char[size + 1];
  ok = ok && ReadFile(file, bytes, static_cast<DWORD>(size), &got, nullptr) && got == size;
  CloseHandle(file);
  return ok;
}

bool PlainWrite(const std::string& path, const std::string& bytes, bool flush) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  if (flush) ok = ok && FlushFileBuffers(file);
  return CloseHandle(file) && ok;
}

#else

std::size_t PrivateBytes() {
#ifdef __GLIBC__
  // glibc keeps freed blocks of up to 32 MB for later rather than give them back: what the
  // process holds is what it still uses.
  malloc_trim(0);
#endif
  std::ifstream status("/proc/self/status");
  std::string key;
  std::size_t kib = 0;
  while (status >> key) {
    if (key == "RssAnon:" && status >> kib) return kib * 1024;
    status.ignore(1 << 20, '\n');
  }
  return 0;
}

bool PlainRead(const std::string& path, char*& bytes, std::size_t& size) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  size = static_cast<std::size_t>(::lseek(fd, 0, SEEK_END));
  ::lseek(fd, 0, SEEK_SET);
  bytes = new char[size + 1];
  const bool ok = ::read(fd, bytes, size) == static_cast<ssize_t>(size);
  ::close(fd);
  return ok;
}

bool PlainWrite(const std::string& path, const std::string& bytes, bool flush) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return false;
  bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  if (flush) ok = ok && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

#endif

}  // namespace carnet_bench
