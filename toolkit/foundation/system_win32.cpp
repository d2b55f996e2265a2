// Win32 answers to the foundation's system services.
#include <vector>

#include "foundation/system.h"

std::uint32_t ZK_SystemLastErrorIntl() {
  return GetLastError();
}

void ZK_SystemLastErrorSetIntl(std::uint32_t error) {
  SetLastError(error);
}

std::string ZK_SystemErrorTextIntl(std::uint32_t error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
      nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&buffer),
      0, nullptr);
  std::string text;
  if (buffer != nullptr) {
    text.assign(buffer, length);
    LocalFree(buffer);
  }
  return text;
}

bool ZK_SystemAskYesNoIntl(const std::string& text, const std::string& title) {
  return MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_YESNO | MB_ICONERROR) == IDYES;
}

void ZK_SystemMessageBoxIntl(HWND owner, const std::string& text, const std::string& title) {
  MessageBoxA(owner, text.c_str(), title.c_str(), MB_OK);
}

void ZK_SystemPostQuitIntl(int exitCode) {
  PostQuitMessage(exitCode);
}

std::uint32_t ZK_SystemButtonFaceIntl() {
  return GetSysColor(COLOR_BTNFACE);
}

std::filesystem::path ZK_SystemProgramFolderIntl() {
  // Wide characters: the folder may hold names the ANSI code page cannot spell. A full buffer may
  // mean a cut name (GetModuleFileNameW), so it grows until the name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path();
    }
    if (buffer.size() >= 32768) return {};  // the longest path the system knows
    buffer.resize(buffer.size() * 2);
  }
}
