// Native handle and message types used in the toolkit's records and interface.
// On Windows they are the Win32 types; elsewhere opaque values that compare equal and have a null.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
using HWND = void*;
using HBRUSH = void*;
using HMENU = void*;
using HFONT = void*;
using HINSTANCE = void*;
using HDC = void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT = unsigned int;
using COLORREF = std::uint32_t;
#endif
