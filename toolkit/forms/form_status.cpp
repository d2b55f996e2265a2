// The text of a form's status bar, read and set directly: for the application
// (ZK_FormStatusSet) and for the grid, whose cells are not controls of their own.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {
HWND statusBarOf(const std::string& form) {
  const WindowRecord record = ZK_WindowLookupIntl(form);
  if (record.title.empty() || !record.statusBar || record.statusBarHwnd == nullptr) return nullptr;
  return IsWindow(record.statusBarHwnd) ? record.statusBarHwnd : nullptr;
}
}  // namespace

bool ZK_FormStatusGetIntl(const std::string& form, std::string* text) {
  HWND bar = statusBarOf(form);
  if (bar == nullptr) return false;
  const LRESULT length = LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0));
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buffer.data()));
  text->assign(buffer.data());
  return true;
}

bool ZK_FormStatusShowIntl(const std::string& form, const std::string& text) {
  HWND bar = statusBarOf(form);
  if (bar == nullptr) return false;
  SendMessageA(bar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return true;
}

int ZK_FormStatusSet(const std::string& form, const std::string& text) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  if (!ZK_FormStatusShowIntl(form, text)) return context.refuse(ZK_ERR_WINDOW_NOT_FOUND);
  return context.done();
}
