// Internal interface of the window layer: the window record, the window registry and the
// toolkit-wide window state. Not installed.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "zarvik.h"

// --- window_registry.cpp -----------------------------------------------------------------------

// Everything the toolkit knows about one window or form, held by value in the registry.
struct WindowRecord {
  std::string title;                   // NAME of the main window, form name for a form, last title set
  HWND hwnd = nullptr;                 // the live window or dialog; null when there is none
  ZK_FormEventProc callback = nullptr; // forms: the application's event procedure
  std::int32_t x = 0;                  // placement as last requested, pixels
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t textX = 0;              // text output position on the drawing surface
  std::int32_t textY = 0;
  std::int32_t lineCount = 0;          // text lines on the surface: the vertical scroll range
  std::int32_t firstLine = 0;          // first and last visible line: the scroll position
  std::int32_t lastLine = 0;
  bool scrollEnabled = false;          // vertical scrolling of the text surface is wanted
  std::string fontName;                // text font face, size in points and styles
  std::int32_t fontSize = 0;
  bool fontBold = false;
  bool fontItalic = false;
  bool fontUnderline = false;
  bool scrollBarShown = false;         // the vertical scroll bar has been shown
  std::uint32_t backColour = 0;        // background colour (BKCOL)
  HBRUSH backBrush = nullptr;          // solid brush of backColour
  bool statusBar = false;              // forms: the form has a status bar
  bool modal = false;                  // forms: the form runs modally
  HWND statusBarHwnd = nullptr;        // forms: the status bar control
  HMENU menuHandle = nullptr;          // the menu bar shown on this window
  std::string menuName;                // the menu shown on this window
  std::string statusMessage;           // forms: a validation message waiting for the status bar
  std::string properties;              // the property string given at creation
  std::string closedBy;                // forms: "OK", "CANCEL" or "CLOSE"
  bool resizable = true;               // main window: sizing frame and maximize box
};

// The registry: window name (case-sensitive, byte order) to record.
using ZK_WindowRegistry = std::map<std::string, WindowRecord>;

// A copy of the record registered under name, or the default record; never inserts.
WindowRecord ZK_WindowLookupIntl(const std::string& name);
// Inserts the record, or replaces the whole record stored under name.
void ZK_WindowStoreIntl(const std::string& name, const WindowRecord& record);
// Texts empty, numbers 0, handles null, flags false, resizable true.
WindowRecord ZK_WindowDefaultIntl();
// Forgets one window (form closing); the native objects it names are not touched.
void ZK_WindowRemoveIntl(const std::string& name);
// Forgets every window (toolkit reset).
void ZK_WindowRegistryClearIntl();
// The registry itself, for walks in name order (reverse lookup) and for tests.
const ZK_WindowRegistry& ZK_WindowRegistryIntl();

// Toolkit-wide window state, one instance for the process.
struct ZK_WindowGlobals {
  std::string mainWindowName;     // empty until the main window exists
  std::string currentWindowName;  // the window that operations without a window argument act on
  std::string activeFormName;     // the form that gets dialog keyboard handling; empty when none
  bool ready = false;             // the toolkit has been initialised
  HINSTANCE instance = nullptr;   // module handle for classes, windows and dialogs
};
extern ZK_WindowGlobals ZK_globals;

#ifdef _WIN32
// --- reset.cpp (window operations) -------------------------------------------------------------

// Empties the registry, the menu table and the item table, and initialises the platform's common
// controls. Statuses 1018, 1002, 1038.
int ZK_ResetZarvikIntl();

// --- message_loop.cpp --------------------------------------------------------------------------

// Repaints the current window. Statuses 4, 1019, 1018 (reported with the caller's context).
int ZK_WindowRedrawIntl();
#endif  // _WIN32
