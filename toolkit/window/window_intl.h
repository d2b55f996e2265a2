// Internal interface of the window layer: the window record and the registry, the menu table, the
// layer's state, and the operations other files share. Not installed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "foundation/foundation_intl.h"
#include "window/gdi_objects.h"
#include "zarvik/zarvik.h"

// --- window_registry.cpp -----------------------------------------------------------------------

// Everything the toolkit knows about one window or form, held by value in the registry.
struct WindowRecord {
  std::string title;    // NAME of the main window, form name for a form, last title set
  HWND hwnd = nullptr;  // the live window or dialog; null when there is none
  ZK_FormEventProc callback = nullptr;  // forms: the application's event procedure
  std::int32_t x = 0;                   // placement as last requested, 96-DPI units
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t textX = 0;  // text output position on the drawing surface
  std::int32_t textY = 0;
  std::int32_t lineCount = 0;  // text lines on the surface: the vertical scroll range
  std::int32_t firstLine = 0;  // first and last visible line: the scroll position
  std::int32_t lastLine = 0;
  bool scrollEnabled = false;  // vertical scrolling of the text surface is wanted
  std::string fontName;        // text font face, size in points and styles
  std::int32_t fontSize = 0;
  bool fontBold = false;
  bool fontItalic = false;
  bool fontUnderline = false;
  bool scrollBarShown = false;   // the vertical scroll bar has been shown
  std::uint32_t backColour = 0;  // background colour (BKCOL)
  HBRUSH backBrush = nullptr;    // solid brush of backColour
  bool statusBar = false;        // forms: the form has a status bar
  bool modal = false;            // forms: the form runs modally
  HWND statusBarHwnd = nullptr;  // forms: the status bar control
  HMENU menuHandle = nullptr;    // the menu bar shown on this window
  std::string menuName;          // the menu shown on this window
  std::string statusMessage;     // forms: a validation message waiting for the status bar
  std::string properties;        // the property string given at creation
  std::string closedBy;          // forms: "OK", "CANCEL" or "CLOSE"
  bool resizable = true;         // main window: sizing frame and maximize box
  bool fills = false;            // forms: borderless, filling the main window's client area (FILL)
  int dpi = 96;  // the DPI its places and sizes (96-DPI units) and its forms' items are scaled to
};

// The registry: window name (case-sensitive, byte order) to record.
using ZK_WindowRegistry = std::map<std::string, WindowRecord>;

// A copy of the record registered under name, or the default record; never inserts.
WindowRecord ZK_WindowLookupIntl(const std::string& name);
// Inserts the record, or replaces the whole record stored under name.
void ZK_WindowStoreIntl(const std::string& name, const WindowRecord& record);
// Texts empty, numbers 0, handles null, flags false, resizable true.
WindowRecord ZK_WindowDefaultIntl();
// The default record of a new window: placed as requested, its background, its property string.
WindowRecord ZK_WindowNewIntl(int x, int y, int width, int height, std::uint32_t backColour,
                              HBRUSH backBrush, const std::string& properties);
// Forgets one window (form closing); the native objects it names are not touched.
void ZK_WindowRemoveIntl(const std::string& name);
// Forgets every window.
void ZK_WindowRegistryClearIntl();
// The registry itself, for walks in name order (reverse lookup) and for tests.
const ZK_WindowRegistry& ZK_WindowRegistryIntl();

// --- menu_table.cpp ----------------------------------------------------------------------------

// One menu entry, stored by value under menu name, "." and column * 100 + row.
struct MenuEntry {
  std::string name;            // entry name; "-" makes a separator
  std::string caption;         // shown text, "&" before the mnemonic
  bool enabled = false;        // false shows the entry greyed
  bool checked = false;        // shows a check mark
  std::int32_t commandId = 0;  // given by ZK_MenuDisplay; 0 while none
  int keyCode = 0;             // KEY: the shortcut's virtual key, 0 for none ...
  int keyModifiers = 0;        // ... and its ZK_KeyModifier bits
  bool keyFirst = false;       // KEYFIRST: the shortcut even where the focused control uses it
};

using ZK_MenuTable = std::map<std::string, MenuEntry>;

// A copy of the entry at that position, or the empty entry.
MenuEntry ZK_MenuEntryGetIntl(const std::string& menu, int column, int row);
// Stores the entry at that position, replacing the whole entry there.
void ZK_MenuEntryPutIntl(const std::string& menu, int column, int row, const MenuEntry& entry);
// column * 100 + row of the entry of that menu carrying the command id, or -1.
int ZK_MenuFindIntl(const std::string& menu, std::int32_t commandId);
// The table itself, for tests.
const ZK_MenuTable& ZK_MenuTableIntl();

// --- menu_keys.cpp -----------------------------------------------------------------------------

// The modifier keys of a shortcut.
enum ZK_KeyModifier : int { kKeyCtrl = 1, kKeyShift = 2, kKeyAlt = 4 };

// A shortcut of a displayed menu: the key and the command it sends to the menu's window.
struct ZK_MenuKey {
  HWND window = nullptr;  // the window showing the menu
  int code = 0;           // virtual key
  int modifiers = 0;      // ZK_KeyModifier bits
  int commandId = 0;      // the entry's command
  bool first = false;     // KEYFIRST: taken even from a control that uses the key
};

// Reads a key text such as "Ctrl+S", "Shift+F5" or "Delete"; false when it names no key the
// toolkit gives menus (a letter or digit needs Ctrl or Alt).
bool ZK_MenuKeyReadIntl(const std::string& text, int* code, int* modifiers);
// The key as menus show it at the right of their entries, in the catalogue's language.
std::string ZK_MenuKeyTextIntl(int code, int modifiers);
// The displayed shortcuts of a window are these from now on.
void ZK_MenuKeysSetIntl(HWND window, const std::vector<ZK_MenuKey>& keys);
// True when a control of that window class answers the key itself (an edit's Ctrl+C, a list's
// Delete): an ordinary shortcut leaves it to the control.
bool ZK_MenuKeyNeededIntl(const std::string& controlClass, int code, int modifiers);
// A key message of the message loop that is a displayed shortcut, sent to its window as the
// entry's command; false for any other message, which the loop then handles as before.
bool ZK_MenuKeyTranslateIntl(const MSG& message);

// --- question_box.cpp --------------------------------------------------------------------------

// The question box being opened: its buttons' texts, set by a hook on its activation.
struct ZK_QuestionHook {
  HHOOK hook = nullptr;
  std::wstring yes;
  std::wstring no;
  std::wstring cancel;
};

// --- window_state.cpp --------------------------------------------------------------------------

// The one drawing surface between ZK_WindowSelect and ZK_WindowRelease.
struct ZK_PaintContext {
  PAINTSTRUCT paint{};    // filled by BeginPaint
  HWND window = nullptr;  // the window being painted, for EndPaint
  HDC dc = nullptr;       // null outside a paint
};

// Everything the window layer keeps between calls, one instance for the process. The current
// window's name is the foundation's (ZK_FoundationState): reports name it.
struct ZK_WindowState {
  // --- one toolkit lifetime's
  ZK_WindowRegistry registry;    // every window and form by name
  ZK_MenuTable menus;            // every declared menu entry
  std::string mainWindowName;    // empty until the main window exists
  std::string activeFormName;    // the form that gets dialog keyboard handling; empty when none
  bool ready = false;            // the toolkit has been initialised
  HINSTANCE instance = nullptr;  // module handle for classes, windows and dialogs
  ZK_PaintContext paint;         // the main window's paint in progress
  std::map<HDC, ZK_SelectedFont> fonts;  // the toolkit's font in each drawing context
  std::vector<ZK_MenuKey> menuKeys;      // the shortcuts of displayed menus; empty for most
  ZK_QuestionHook question;              // the question box being opened, while it opens
  // --- kept by a reset
  ZK_GdiState gdi;  // counted GDI objects: they outlive the tables that named them
};

ZK_WindowState& ZK_WindowStateIntl();
// The current window, in the foundation's state.
const std::string& ZK_WindowCurrentIntl();
void ZK_WindowCurrentSetIntl(const std::string& name);

// Changes the record registered under name in place: change must make no native call, so that no
// handler re-entered meanwhile can have stored the record in between. False when none is
// registered.
template <typename Change>
bool ZK_WindowChangeIntl(const std::string& name, Change change) {
  ZK_WindowRegistry& registry = ZK_WindowStateIntl().registry;
  const auto found = registry.find(name);
  if (found == registry.end()) return false;
  change(found->second);
  return true;
}

// --- window_ops.cpp ----------------------------------------------------------------------------

// The window a system dialog is modal to: a registered window or open form by name, the main
// window for "". Null with the status (5: no main window, 4: no such window).
HWND ZK_DialogOwnerIntl(const std::string& owner, int* status);
// The borderless forms that fill the main window take its whole client area again.
void ZK_WindowFillIntl();

// --- reset.cpp (window operations) -------------------------------------------------------------

// Returns every layer's state to its start (ZK_StateResetIntl) and initialises the platform's
// common controls. Statuses 1018, 1002, 1038.
int ZK_ResetZarvikIntl();

// --- message_loop.cpp --------------------------------------------------------------------------

// Repaints the current window. Statuses 4, 1019, 1018 (reported with the caller's context).
int ZK_WindowRedrawIntl();
// The vertical scroll bar of a window's text surface: its lines, the visible ones as the page,
// and the position given; the bar is redrawn.
void ZK_WindowScrollBarSetIntl(const WindowRecord& record, int position);

// --- control_text.cpp --------------------------------------------------------------------------

// The control's whole window text ("" when it has none).
std::string ZK_ControlTextIntl(HWND control);
// The whole text of a combo box's list entry ("" when there is none at that index).
std::string ZK_ComboEntryIntl(HWND combo, WPARAM index);
// A text of the program's code page in UTF-16, for the system's wide functions.
std::wstring ZK_WideIntl(const std::string& text);
// A UTF-16 text in the program's code page; false when a character has no place there.
bool ZK_NarrowIntl(const std::wstring& wide, std::string* text);

// --- window_proc.cpp ---------------------------------------------------------------------------

// The procedure a window had before the toolkit put its own in front, and its character set.
struct ZK_ProcFront {
  WNDPROC original = nullptr;  // null: the window has none to hand messages on to
  bool unicode = false;        // called with CallWindowProcW rather than A
};
// The window's procedure as it stands now.
ZK_ProcFront ZK_ProcFrontOfIntl(HWND window);
// Puts proc in front of front.original; false when the system refused, the window keeping its own.
bool ZK_ProcFrontPutIntl(HWND window, const ZK_ProcFront& front, WNDPROC proc);
// Hands a message on to the procedure the front stands before.
LRESULT ZK_ProcFrontCallIntl(const ZK_ProcFront& front, HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam);

// --- dpi.cpp -----------------------------------------------------------------------------------

// The window's DPI: its monitor's with per-monitor awareness, else the system's; the system's for
// a null window.
int ZK_WindowDpiIntl(HWND window);
// 96-DPI units to pixels at a DPI, rounded as MulDiv rounds (half away from zero); exact at 96.
int ZK_ScaleIntl(int units, int dpi);
// Pixels at a DPI back to 96-DPI units.
int ZK_UnscaleIntl(int pixels, int dpi);
