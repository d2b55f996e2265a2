// Win32 files for the ledger: FlushFileBuffers, then MoveFileExA over the old file, written
// through; and the user's collation through LCMapStringA sort keys.
#include <windows.h>

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

}  // namespace

PlatformFile::~PlatformFile() {
  if (Handle(handle_) != INVALID_HANDLE_VALUE) CloseHandle(Handle(handle_));
}

bool PlatformFile::OpenRead(const std::string& path) {
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

bool PlatformFile::Create(const std::string& path, const std::string&) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

bool PlatformWritable(const std::string& path, std::uint32_t& error) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return true;
  error = ERROR_ACCESS_DENIED;
  return false;
}

bool PlatformReplace(const std::string& from, const std::string& to, std::uint32_t& error) {
  // MoveFileExA: the replace is one step; MOVEFILE_WRITE_THROUGH returns once it is on disk.
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  error = LastError();
  return false;
}

void PlatformRemove(const std::string& path) {
  DeleteFileA(path.c_str());
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

}  // namespace carnet
