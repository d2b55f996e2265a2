// Files as the ledger needs them: reading under a lock, writing a flushed temporary file of its
// own, keeping a backup and putting the new file in place in one step; the user's folding for
// Find. POSIX in ledger_platform_posix.cpp, Win32 in ledger_platform_win32.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace carnet {

// Whether this program holds a file's lock.
enum class LockState {
  Held,         // taken: another Carnet opening the file learns it is open here
  Elsewhere,    // another program holds it
  Unavailable,  // the file system has no locks, or the file is not open
};

// What tells one version of a file from another: which file the name leads to, its size and
// the time it was last written.
struct FileStamp {
  bool exists = false;
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  std::uint64_t size = 0;
  std::uint64_t written = 0;  // nanoseconds (POSIX) or 100-nanosecond units (Windows)
  bool operator==(const FileStamp& other) const {
    return exists == other.exists && volume == other.volume && index == other.index &&
           size == other.size && written == other.written;
  }
};

// An open file; closed, without a word, when it goes. Failures leave the system's error number.
class PlatformFile {
 public:
  PlatformFile() = default;
  ~PlatformFile();
  PlatformFile(const PlatformFile&) = delete;
  PlatformFile& operator=(const PlatformFile&) = delete;

  // Opens for reading and tries the ledger's lock, which lasts until Close and which the system
  // lets go when the process dies: on Windows, a handle that refuses writers and an exclusive
  // byte-range lock past the end of the file (LockFileEx); on POSIX, flock. Other programs may
  // still read the file.
  bool OpenLocked(const std::string& path, LockState& lock);
  bool OpenRead(const std::string& path);
  bool Size(std::uint64_t& size);
  bool Stamp(FileStamp& stamp);
  // Reads up to `size` bytes; `got` is 0 at the end of the file.
  bool Read(char* data, std::size_t size, std::size_t& got);
  // Creates `path`, which must not exist (else the error says so), for writing, with the
  // permissions of `like` when that exists. While it is open no other process can remove it:
  // no sharing on Windows, an exclusive flock on POSIX.
  bool CreateNew(const std::string& path, const std::string& like);
  // Writes all of it.
  bool Write(const char* data, std::size_t size);
  // Until the bytes are on the disk.
  bool Flush();
  bool Close();
  bool IsOpen() const { return handle_ != -1; }
  std::uint32_t error() const { return error_; }
  void Swap(PlatformFile& other);
  // The file OpenLocked opened, for the lock to be taken again after a replace.
  const std::string& Path() const { return path_; }
  void SetPath(const std::string& path) { path_ = path; }

 private:
  std::intptr_t handle_ = -1;  // a file descriptor, or a HANDLE
  std::uint32_t error_ = 0;
  std::string path_;
};

// True when the error says the file already exists (CreateNew), or that it does not.
bool PlatformExistsError(std::uint32_t error);
bool PlatformMissingError(std::uint32_t error);

// False, with the "access denied" error, when `path` exists and is marked read-only: a
// read-only ledger is never replaced, on any system.
bool PlatformWritable(const std::string& path, std::uint32_t& error);
// The stamp of the file at `path` (exists is false when there is none); false when the system
// cannot tell.
bool PlatformStamp(const std::string& path, FileStamp& stamp);
bool PlatformFolderExists(const std::string& path);

// Puts the flushed temporary `file`, written at `temporary`, in place of `path` in one step,
// written through. First, when `path` exists, its content becomes `backup` in one step too,
// through `scratch` (a hard link, or a copy where the file system has none). `lock`, which may
// hold `path` (on Windows it lets go for the replace), holds the new file afterwards. On failure
// `path` and `backup` are as they were, the temporary file is removed and `lock` holds `path`
// again when it did.
bool PlatformCommit(PlatformFile& file, const std::string& temporary, const std::string& path,
                    const std::string& backup, const std::string& scratch, PlatformFile& lock,
                    LockState& lockState, std::uint32_t& error);
void PlatformRemove(const std::string& path);
// The names of the entries of the folder of `path` that start with `prefix`.
std::vector<std::string> PlatformFolderNames(const std::string& path, const std::string& prefix);
// Removes the file unless a process holds it open (a save writing it, or the lock of the ledger
// it is a link of) or it changed less than `age` seconds ago.
void PlatformRemoveLeftover(const std::string& path, int age);
// A number that differs for every call in this process and between processes, for names.
std::uint64_t PlatformUniqueNumber();

// The system's text for an error number, without a final period or line break.
std::string PlatformErrorText(std::uint32_t error);
std::uint32_t PlatformNoMemoryError();

// For each code page 1252 byte, the byte that stands for it when case and accents are ignored,
// or 0 when it is ignored altogether: the user's collation on Windows (LCMapStringA sort keys
// without case and accents), a fixed table of the Latin letters elsewhere.
void PlatformFoldTable(unsigned char (&fold)[256]);

}  // namespace carnet
