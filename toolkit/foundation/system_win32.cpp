// Win32 answers to the foundation's system services.
#include <string>
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

unsigned ZK_SystemCodePageIntl() {
  return GetACP();
}

std::string ZK_SystemFrom1252Intl(const std::string& text) {
  constexpr UINT kCatalogueCodePage = 1252;
  if (text.empty() || GetACP() == kCatalogueCodePage) return text;
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  const int units = MultiByteToWideChar(kCatalogueCodePage, 0, text.data(), size, &wide[0], size);
  const int bytes =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (units == 0 || bytes == 0) return text;
  std::string converted(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), units, &converted[0], bytes, nullptr, nullptr);
  return converted;
}
