// Win32 files for the ledger: a handle that refuses writers and LockFileEx for the ledger's lock,
// CREATE_NEW without sharing for temporary files, FlushFileBuffers, a hard link for the backup,
// MoveFileExA over the old file, written through; the user's collation through LCMapStringA.
#include <windows.h>

#include <atomic>
#include <map>

#include "ledger.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

HANDLE Handle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

std::uint32_t LastError() {
  return GetLastError();
}

constexpr DWORD kChunk = 1u << 30;  // ReadFile and WriteFile take 32-bit sizes
constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

// The ledger's lock: one byte far past any ledger's end, so that it never stands in a reader's
// way (LockFileEx locks are mandatory within their range).
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;
constexpr DWORD kLockOffsetLow = 0xFFFFFFF0;

std::uint64_t Join(DWORD high, DWORD low) {
  return static_cast<std::uint64_t>(high) << 32 | low;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FolderOf(const std::string& path) {
  const std::string::size_type slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

bool KeepBackup(const std::string& path, const std::string& scratch, const std::string& backup,
                std::uint32_t& error) {
  if (!Exists(path)) return true;  // a new file: nothing to keep
  // File systems without hard links (FAT) get a copy.
  if (!CreateHardLinkA(scratch.c_str(), path.c_str(), nullptr) &&
      !CopyFileA(path.c_str(), scratch.c_str(), TRUE)) {
    error = LastError();
    return false;
  }
  if (MoveFileExA(scratch.c_str(), backup.c_str(), kMoveFlags)) return true;
  error = LastError();
  DeleteFileA(scratch.c_str());
  return false;
}

}  // namespace

PlatformFile::~PlatformFile() {
  if (Handle(handle_) != INVALID_HANDLE_VALUE) CloseHandle(Handle(handle_));
}

bool PlatformFile::OpenLocked(const std::string& path, LockState& lock) {
  Close();
  lock = LockState::Unavailable;
  // Readers may share it; writers, and whoever would delete or replace it, may not.
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error_ = LastError();
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  path_ = path;
  OVERLAPPED at = {};
  at.Offset = kLockOffsetLow;
  at.OffsetHigh = kLockOffsetHigh;
  if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    lock = LockState::Held;
  } else if (GetLastError() == ERROR_LOCK_VIOLATION) {
    lock = LockState::Elsewhere;
  }
  return true;
}

bool PlatformFile::OpenRead(const std::string& path) {
  Close();
  // No FILE_SHARE_WRITE: a file another program is writing is refused, not read half-done.
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) error_ = LastError();
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return file != INVALID_HANDLE_VALUE;
}

bool PlatformFile::Size(std::uint64_t& size) {
  LARGE_INTEGER bytes;
  if (!GetFileSizeEx(Handle(handle_), &bytes)) {
    error_ = LastError();
    return false;
  }
  size = static_cast<std::uint64_t>(bytes.QuadPart);
  return true;
}

bool PlatformFile::Stamp(FileStamp& stamp) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(Handle(handle_), &info)) {
    error_ = LastError();
    return false;
  }
  stamp.exists = true;
  stamp.volume = info.dwVolumeSerialNumber;
  stamp.index = Join(info.nFileIndexHigh, info.nFileIndexLow);
  stamp.size = Join(info.nFileSizeHigh, info.nFileSizeLow);
  stamp.written = Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
  return true;
}

bool PlatformFile::Read(char* data, std::size_t size, std::size_t& got) {
  DWORD count = 0;
  if (!ReadFile(Handle(handle_), data, size < kChunk ? static_cast<DWORD>(size) : kChunk, &count,
                nullptr)) {
    error_ = LastError();
    return false;
  }
  got = count;
  return true;
}

bool PlatformFile::CreateNew(const std::string& path, const std::string&) {
  Close();
  // No sharing: while it is being written, no other process can open, rename or delete it.
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) error_ = LastError();
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return file != INVALID_HANDLE_VALUE;
}

bool PlatformFile::Write(const char* data, std::size_t size) {
  while (size > 0) {
    DWORD count = 0;
    if (!WriteFile(Handle(handle_), data, size < kChunk ? static_cast<DWORD>(size) : kChunk, &count,
                   nullptr)) {
      error_ = LastError();
      return false;
    }
    data += count;
    size -= count;
  }
  return true;
}

bool PlatformFile::Flush() {
  if (FlushFileBuffers(Handle(handle_))) return true;
  error_ = LastError();
  return false;
}

bool PlatformFile::Close() {
  const HANDLE file = Handle(handle_);
  handle_ = -1;
  if (file == INVALID_HANDLE_VALUE || CloseHandle(file)) return true;
  error_ = LastError();
  return false;
}

void PlatformFile::Swap(PlatformFile& other) {
  std::swap(handle_, other.handle_);
  std::swap(error_, other.error_);
  path_.swap(other.path_);
}

bool PlatformExistsError(std::uint32_t error) {
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

bool PlatformMissingError(std::uint32_t error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool PlatformWritable(const std::string& path, std::uint32_t& error) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return true;
  error = ERROR_ACCESS_DENIED;
  return false;
}

bool PlatformStamp(const std::string& path, FileStamp& stamp) {
  stamp = FileStamp();
  // No access asked: no share mode can refuse it.
  const HANDLE file =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return PlatformMissingError(GetLastError());
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(file, &info) != 0;
  if (known) {
    stamp.exists = true;
    stamp.volume = info.dwVolumeSerialNumber;
    stamp.index = Join(info.nFileIndexHigh, info.nFileIndexLow);
    stamp.size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    stamp.written = Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
  }
  CloseHandle(file);
  return known;
}

bool PlatformFolderExists(const std::string& path) {
  const std::string folder = FolderOf(path);
  if (folder.empty()) return true;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlatformCommit(PlatformFile& file, const std::string& temporary, const std::string& path,
                    const std::string& backup, const std::string& scratch, PlatformFile& lock,
                    LockState& lockState, std::uint32_t& error) {
  // A file with open handles cannot be replaced: the temporary file and the lock let go first.
  const std::string held = lock.IsOpen() ? lock.Path() : std::string();
  lock.Close();
  bool done = file.Close();
  if (!done) error = file.error();
  done = done && KeepBackup(path, scratch, backup, error);
  if (done && !MoveFileExA(temporary.c_str(), path.c_str(), kMoveFlags)) {
    error = LastError();
    done = false;
  }
  if (!done) DeleteFileA(temporary.c_str());
  const std::string& relock = done ? path : held;
  lockState = LockState::Unavailable;
  if (!relock.empty() && (!lock.OpenLocked(relock, lockState) || lockState != LockState::Held))
    lock.Close();
  return done;
}

void PlatformRemove(const std::string& path) {
  DeleteFileA(path.c_str());
}

std::vector<std::string> PlatformFolderNames(const std::string& path, const std::string& prefix) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((FolderOf(path) + prefix + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void PlatformRemoveLeftover(const std::string& path, int age) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return;
  }
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t written =
      Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
  const std::uint64_t current = Join(now.dwHighDateTime, now.dwLowDateTime);
  if (current < written || current - written < static_cast<std::uint64_t>(age) * 10000000u) return;
  // Fails while a save holds it (no sharing) or while it is a link of a ledger held open.
  DeleteFileA(path.c_str());
}

std::uint64_t PlatformUniqueNumber() {
  static std::atomic<std::uint64_t> counter{0};
  LARGE_INTEGER clock;
  QueryPerformanceCounter(&clock);
  std::uint64_t mixed = static_cast<std::uint64_t>(GetCurrentProcessId()) << 40 ^
                        static_cast<std::uint64_t>(clock.QuadPart) ^
                        (++counter * 0x9E3779B97F4A7C15u);
  mixed ^= mixed >> 31;
  return mixed * 0xBF58476D1CE4E5B9u;
}

std::string PlatformErrorText(std::uint32_t error) {
  char buffer[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, buffer, sizeof buffer, nullptr);
  while (length > 0 && (buffer[length - 1] == '\n' || buffer[length - 1] == '\r' ||
                        buffer[length - 1] == ' ' || buffer[length - 1] == '.')) {
    --length;
  }
  if (length == 0) return "erreur " + std::to_string(error);
  return std::string(buffer, length);
}

std::uint32_t PlatformNoMemoryError() {
  return ERROR_NOT_ENOUGH_MEMORY;
}

void UserCollation(const char* text, std::size_t size, std::string& key) {
  // A label is at most 100 characters: its key fits this buffer; ask for the size otherwise.
  char buffer[1024];
  const int length = static_cast<int>(size);
  int keySize =
      LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text, length, buffer, sizeof buffer);
  if (keySize > 0) {
    key.append(buffer, static_cast<std::size_t>(keySize));
    return;
  }
  keySize = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text, length, nullptr, 0);
  if (keySize <= 0) {
    ByteCollation(text, size, key);
    return;
  }
  const std::size_t start = key.size();
  key.resize(start + static_cast<std::size_t>(keySize));
  LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text, length, &key[start], keySize);
}

void PlatformFoldTable(unsigned char (&fold)[256]) {
  // Two characters are the same for Find when their sort keys without case and accents have the
  // same primary weights (the bytes before the first separator, 1); a character with none, such
  // as the soft hyphen, is ignored.
  std::map<std::string, unsigned char> classes;
  fold[0] = 0;
  for (int c = 1; c < 256; ++c) {
    const char text = static_cast<char>(c);
    char key[64];
    const int size =
        LCMapStringA(LOCALE_USER_DEFAULT,
                     LCMAP_SORTKEY | NORM_IGNORECASE | NORM_IGNORENONSPACE | SORT_STRINGSORT, &text,
                     1, key, sizeof key);
    if (size <= 0) {
      fold[c] = static_cast<unsigned char>(c);
      continue;
    }
    int primary = 0;
    while (primary < size && key[primary] != 1 && key[primary] != 0) ++primary;
    if (primary == 0) {
      fold[c] = 0;
      continue;
    }
    const auto inserted = classes.emplace(std::string(key, primary), static_cast<unsigned char>(c));
    fold[c] = inserted.first->second;
  }
}

}  // namespace carnet
