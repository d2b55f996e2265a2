// Test host for forms: a toolkit with a main window, an event procedure that records every event
// it receives and answers as the test asks, and helpers that drive real controls.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "forms/forms_intl.h"
#include "support/pump.h"
#include "support/reports.h"
#include "support/texts.h"

namespace form_test {

inline const char kMain[] = "Main";

using support::pump;
using support::Reports;

// What the event procedure records and how it answers.
struct Recorder {
  std::vector<std::string> events;
  std::map<std::string, int> answers;  // event name to result; absent: 0
  bool takeOver = false;               // answer 1 to every BEFORE
  std::function<void(const std::string& event, HWND dialog)> action;  // runs before answering
};
inline Recorder& recorder() {
  static Recorder state;
  return state;
}

inline std::string messageName(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      return "WM_INITDIALOG";
    case WM_SYSCOMMAND:
      return "WM_SYSCOMMAND";
    case WM_COMMAND: {
      switch (HIWORD(wParam)) {
        case BN_CLICKED:
          return "WM_COMMAND/CLICKED";
        case EN_SETFOCUS:
          return "WM_COMMAND/EN_SETFOCUS";
        case EN_KILLFOCUS:
          return "WM_COMMAND/EN_KILLFOCUS";
        case CBN_SELCHANGE:
          return "WM_COMMAND/CBN_SELCHANGE";
        case CBN_SETFOCUS:
          return "WM_COMMAND/CBN_SETFOCUS";
        case CBN_KILLFOCUS:
          return "WM_COMMAND/CBN_KILLFOCUS";
        case BN_SETFOCUS:
          return "WM_COMMAND/SETFOCUS6";
        default:
          return "WM_COMMAND/" + std::to_string(HIWORD(wParam));
      }
    }
    default:
      return std::to_string(message);
  }
}

// BEFORE is recorded for the messages that carry the form's own events; other events always.
inline bool worthRecording(const std::string& event, UINT message, WPARAM wParam) {
  if (event != ZK_BEFORE) return true;
  if (message == WM_SYSCOMMAND) return (wParam & 0xFFF0) == SC_CLOSE;
  if (message != WM_COMMAND) return message == WM_INITDIALOG;
  const WORD code = HIWORD(wParam);
  return code == BN_CLICKED || code == EN_SETFOCUS || code == EN_KILLFOCUS ||
         code == CBN_SELCHANGE || code == CBN_SETFOCUS || code == CBN_KILLFOCUS ||
         code == BN_SETFOCUS;
}

inline int recordEvent(std::string form, std::string item, std::string event, HWND dialog,
                       UINT message, WPARAM wParam, LPARAM) {
  Recorder& r = recorder();
  if (worthRecording(event, message, wParam))
    r.events.push_back(event + " " + form + "." + item + " " + messageName(message, wParam));
  if (r.action) r.action(event, dialog);
  if (event == ZK_BEFORE && r.takeOver) return 1;
  const auto found = r.answers.find(event);
  return found == r.answers.end() ? 0 : found->second;
}

// A separator between the actions of a sequence.
inline void mark(const std::string& action) {
  recorder().events.push_back("--- " + action);
}

// The events recorded so far; the record starts again empty.
inline std::vector<std::string> take() {
  std::vector<std::string> all;
  all.swap(recorder().events);
  return all;
}

inline LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// Fresh toolkit and a visible main window, spread over the desktop by process so that the
// parallel test programs rarely cover each other.
class Toolkit {
 public:
  Toolkit() {
    recorder() = Recorder{};
    ZK_ResetZarvikIntl();
    const int slot = static_cast<int>(GetCurrentProcessId() % 8);
    ZK_WindowMainCreate(kMain, SW_SHOWNORMAL, mainProc, "name=Test des fiches", (slot % 4) * 60,
                        (slot / 4) * 60, 800, 600);
    main_ = ZK_WindowLookupIntl(kMain).hwnd;
  }
  ~Toolkit() {
    ZK_ErrorDisplaySet(true);
    if (main_ != nullptr) DestroyWindow(main_);
  }
  HWND main() const { return main_; }
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

 private:
  HWND main_ = nullptr;
};

inline HWND dialogOf(const std::string& form) {
  return ZK_WindowLookupIntl(form).hwnd;
}

inline HWND controlOf(const std::string& form, const std::string& item) {
  return ZK_FormItemGet(form, item).hwnd;
}

inline std::string textOf(HWND window) {
  return support::windowText(window);
}

// An event procedure that closes a modal run from inside: the close request waits in the
// dialog's own loop.
inline int closeAfterOpening(std::string, std::string, std::string event, HWND dialog, UINT, WPARAM,
                             LPARAM) {
  if (event == ZK_FORMOPENAFT) PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

// Characters typed into a control, as the keyboard would deliver them.
inline void type(HWND control, const std::string& text) {
  for (char c : text) SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Replaces a field's whole text the way a user would: select all, then type.
inline void retype(HWND control, const std::string& text) {
  SendMessageA(control, EM_SETSEL, 0, -1);
  SendMessageA(control, WM_CHAR, VK_BACK, 1);
  type(control, text);
}

inline std::string statusText(const std::string& form) {
  HWND bar = ZK_WindowLookupIntl(form).statusBarHwnd;
  char buffer[256] = {};
  SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

}  // namespace form_test
