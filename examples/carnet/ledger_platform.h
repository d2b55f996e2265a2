// Files as the ledger needs them: reading, writing a flushed temporary file and putting it in
// place in one step. POSIX in ledger_platform_posix.cpp, Win32 in ledger_platform_win32.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace carnet {

// An open file; closed, without a word, when it goes. Failures leave the system's error number.
class PlatformFile {
 public:
  PlatformFile() = default;
  ~PlatformFile();
  PlatformFile(const PlatformFile&) = delete;
  PlatformFile& operator=(const PlatformFile&) = delete;

  bool OpenRead(const std::string& path);
  bool Size(std::uint64_t& size);
  // Reads up to `size` bytes; `got` is 0 at the end of the file.
  bool Read(char* data, std::size_t size, std::size_t& got);
  // Creates or empties `path` for writing, with the permissions of `like` when that exists.
  bool Create(const std::string& path, const std::string& like);
  // Writes all of it.
  bool Write(const char* data, std::size_t size);
  // Until the bytes are on the disk.
  bool Flush();
  bool Close();
  std::uint32_t error() const { return error_; }

 private:
  std::intptr_t handle_ = -1;  // a file descriptor, or a HANDLE
  std::uint32_t error_ = 0;
};

// False, with the "access denied" error, when `path` exists and is marked read-only: a
// read-only ledger is never replaced, on any system.
bool PlatformWritable(const std::string& path, std::uint32_t& error);
// Puts `from` in place of `to` in one step, `to` replaced if it exists; written through.
bool PlatformReplace(const std::string& from, const std::string& to, std::uint32_t& error);
void PlatformRemove(const std::string& path);
// The system's text for an error number, without a final period or line break.
std::string PlatformErrorText(std::uint32_t error);
std::uint32_t PlatformNoMemoryError();

}  // namespace carnet
