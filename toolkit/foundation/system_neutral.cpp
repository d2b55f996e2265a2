// Neutral answers to the foundation's system services, for builds without Win32: no last error,
// no system texts, prompts written to the standard error stream and answered No, no program folder,
// code page 1252.
#include <cstdio>

#include "foundation/system.h"

std::uint32_t ZK_SystemLastErrorIntl() {
  return 0;
}

void ZK_SystemLastErrorSetIntl(std::uint32_t) {}

std::string ZK_SystemErrorTextIntl(std::uint32_t) {
  return "";
}

bool ZK_SystemAskYesNoIntl(const std::string& text, const std::string& title) {
  std::fprintf(stderr, "%s\n%s\n(answered No: no one to ask)\n", title.c_str(), text.c_str());
  return false;
}

void ZK_SystemMessageBoxIntl(HWND, const std::string& text, const std::string& title) {
  std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
}

void ZK_SystemPostQuitIntl(int) {}

// The classic light grey of button faces (192, 192, 192).
std::uint32_t ZK_SystemButtonFaceIntl() {
  return 0xC0C0C0;
}

std::filesystem::path ZK_SystemProgramFolderIntl() {
  return {};
}

unsigned ZK_SystemCodePageIntl() {
  return 1252;
}

std::string ZK_SystemFrom1252Intl(const std::string& text) {
  return text;
}
