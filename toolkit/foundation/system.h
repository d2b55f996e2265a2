// The few system services the foundation needs. system_win32.cpp gives the Win32 answers;
// system_neutral.cpp gives neutral ones where there is no Win32 (native Linux builds).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "zarvik/platform_types.h"

// The calling thread's last-error number, read and set.
std::uint32_t ZK_SystemLastErrorIntl();
void ZK_SystemLastErrorSetIntl(std::uint32_t error);
// The system's text for an error number, exactly as the system gives it ("" when it has none).
std::string ZK_SystemErrorTextIntl(std::uint32_t error);
// Shows a Yes/No question with an error icon, without owner; true when the answer is Yes.
bool ZK_SystemAskYesNoIntl(const std::string& text, const std::string& title);
// Shows an OK message owned by a window.
void ZK_SystemMessageBoxIntl(HWND owner, const std::string& text, const std::string& title);
// Posts the quit message that ends the message loop with this exit code.
void ZK_SystemPostQuitIntl(int exitCode);
// The desktop's button-face colour as a COLORREF.
std::uint32_t ZK_SystemButtonFaceIntl();
// The folder that holds the running program's file; empty when the system does not say.
std::filesystem::path ZK_SystemProgramFolderIntl();
// The code page of the program's 8-bit texts: the system's active code page (65001 when the
// program's manifest declares UTF-8).
unsigned ZK_SystemCodePageIntl();
// A text in code page 1252 (the catalogue's) written in the active code page; unchanged there.
std::string ZK_SystemFrom1252Intl(const std::string& text);
