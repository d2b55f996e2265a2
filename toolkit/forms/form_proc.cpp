// The dialog procedure of every form: finds the form, offers each message to the event procedure
// first, initialises and closes the form, and hands colours, drawing and commands on.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "window/gdi_objects.h"

namespace {
constexpr char kProc[] = "ZK_FormProcIntl";
constexpr int kStatusBarId = 100;
constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP;
// A dialog procedure's answer when the form is not registered.
constexpr INT_PTR kNoForm = ZK_ERR_WINDOW_NOT_FOUND;

// Everything one message needs to know about its form.
struct FormMessage {
  HWND dialog;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::string form;    // the form's registry name
  std::string item;    // the item whose control is lParam, "" when none
  WindowRecord record; // the form's record as read for this message
};

int raise(const FormMessage& m, const char* event) {
  if (m.record.callback == nullptr) return 0;
  return m.record.callback(m.form, m.item, event, m.dialog, m.message, m.wParam, m.lParam);
}

// Items get controls for orders 1, 2, 3... up to the first number no item of the form carries;
// of two items with one number, the first in key order. The order index is read again whenever
// keys or orders have changed meanwhile (an event procedure may declare or forget items while the
// controls are being created).
void createControls(const FormMessage& m) {
  std::uint64_t version = ZK_ItemOrderVersionIntl();
  std::map<int, std::string> orders = ZK_ItemOrdersIntl(m.form);
  for (int order = 1;; ++order) {
    if (ZK_ItemOrderVersionIntl() != version) {
      version = ZK_ItemOrderVersionIntl();
      orders = ZK_ItemOrdersIntl(m.form);
    }
    const auto found = orders.find(order);
    if (found == orders.end()) return;
    ZK_FormCreateItem(m.dialog, m.form, found->second);
  }
}

INT_PTR onInitDialog(const FormMessage& m) {
  const int before = raise(m, ZK_FORMOPENBEF);
  if (before != 0) return before;
  createControls(m);
  HWND statusBar = nullptr;
  if (m.record.statusBar) {
    statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, kStatusBarStyle, 0, 0, 0, 0,
                                m.dialog, reinterpret_cast<HMENU>(kStatusBarId),
                                ZK_globals.instance, nullptr);
  }
  // Read afresh: the opening event may have changed the record through the toolkit.
  WindowRecord record = ZK_WindowLookupIntl(m.form);
  if (!record.title.empty()) {
    record.statusBarHwnd = statusBar;
    record.hwnd = m.dialog;
    ZK_WindowStoreIntl(m.form, record);
    ZK_WindowMove(m.form, record.x, record.y, record.width, record.height);
  }
  const int after = raise(m, ZK_FORMOPENAFT);
  return after != 0 ? after : TRUE;
}

INT_PTR onSize(const FormMessage& m) {
  if (!m.record.statusBar) return 0;
  // The status bar places itself along the dialog's new bottom edge.
  SendMessageA(m.record.statusBarHwnd, WM_SIZE, 0, 0);
  return TRUE;
}

INT_PTR onActivate(const FormMessage& m) {
  const WORD state = LOWORD(m.wParam);
  if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
    HWND foreground = GetForegroundWindow();
    // A null handle would match any record that has no window yet.
    ZK_globals.activeFormName = foreground != nullptr ? ZK_WindowNameByHandleIntl(foreground) : "";
  }
  return 0;
}

INT_PTR onDrawItem(FormMessage m) {
  const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
  if (draw == nullptr) return 0;
  m.item = ZK_FormItemByControlIntl(m.form, draw->hwndItem);
  if (m.item.empty()) return 0;
  return ZK_FormItemPaintIntl(m.dialog, m.message, m.wParam, m.lParam, m.form, m.item, m.record);
}

INT_PTR onColourEdit(const FormMessage& m) {
  if (m.item.empty()) return 0;
  HBRUSH brush = ZK_FormItemColourIntl(m.dialog, m.message, reinterpret_cast<HDC>(m.wParam),
                                       reinterpret_cast<HWND>(m.lParam), m.form, m.item, m.record);
  return reinterpret_cast<INT_PTR>(brush);
}

// The brushes of the form's items, last made by their colour requests.
void releaseItemBrushes(const std::string& form) {
  std::vector<std::string> keys;
  for (const auto& entry : ZK_ItemTableIntl())
    if (entry.first.substr(0, entry.first.find('.')) == form) keys.push_back(entry.first);
  for (const std::string& key : keys) {
    const auto found = ZK_ItemTableIntl().find(key);
    if (found == ZK_ItemTableIntl().end()) continue;
    ItemRecord item = found->second;
    if (item.backBrush == nullptr && item.textBrush == nullptr) continue;
    if (item.backBrush != nullptr) ZK_GdiDeleteIntl(item.backBrush);
    if (item.textBrush != nullptr) ZK_GdiDeleteIntl(item.textBrush);
    item.backBrush = nullptr;
    item.textBrush = nullptr;
    ZK_ItemStoreIntl(key, item);
  }
}

INT_PTR onClose(FormMessage m) {
  m.record = ZK_WindowLookupIntl(m.form);
  if (m.record.closedBy.empty()) m.record.closedBy = "CLOSE";
  ZK_WindowStoreIntl(m.form, m.record);
  const int veto = raise(m, ZK_FORMCLOSE);
  if (veto != 0) return veto;
  ZK_GridFormClosingIntl(m.form);

  if (m.record.statusBar && m.record.statusBarHwnd != nullptr) {
    if (!DestroyWindow(m.record.statusBarHwnd)) ZK_ErrorReportIntl(ZK_ERR_DESTROY_WINDOW);
    // A second close of an ended modal dialog must not destroy a stale handle.
    WindowRecord record = ZK_WindowLookupIntl(m.form);
    if (!record.title.empty()) {
      record.statusBarHwnd = nullptr;
      ZK_WindowStoreIntl(m.form, record);
    }
  }
  if (m.record.modal) {
    // A non-zero result lets the form's opener tell an ended run from a failed one.
    if (!EndDialog(m.dialog, 1)) ZK_ErrorReportIntl(ZK_ERR_END_DIALOG);
  } else if (!DestroyWindow(m.dialog)) {
    ZK_ErrorReportIntl(ZK_ERR_DESTROY_WINDOW);
  }
  releaseItemBrushes(m.form);
  ZK_globals.activeFormName.clear();
  return TRUE;
}

INT_PTR onSysCommand(const FormMessage& m) {
  // The low four bits of the command are the system's own.
  if ((m.wParam & 0xFFF0) != SC_CLOSE) return 0;
  return onClose(m);
}

bool isColourMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}
}  // namespace

INT_PTR CALLBACK ZK_FormProcIntl(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ZK_ContextSaveIntl();
  ZK_ContextSetIntl("", kProc);
  // While the dialog is being created its window is not registered yet: the active form name
  // still holds the form that ZK_FormCreate is opening.
  const std::string byHandle = ZK_WindowNameByHandleIntl(dialog);
  if (!byHandle.empty()) ZK_globals.activeFormName = byHandle;

  FormMessage m{dialog, message, wParam, lParam, ZK_globals.activeFormName, "", {}};
  m.record = ZK_WindowLookupIntl(m.form);
  // A colour answer is taken as a brush: the usual 4 would be an invalid handle there.
  if (m.record.title.empty()) return isColourMessage(message) ? 0 : kNoForm;
  m.item = ZK_FormItemByControlIntl(m.form, reinterpret_cast<HWND>(lParam));
  const int before = raise(m, ZK_BEFORE);
  if (before != 0) return before;

  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(m);
    case WM_SIZE:
      return onSize(m);
    case WM_ACTIVATE:
      return onActivate(m);
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(m.record.backBrush);
    case WM_CTLCOLOREDIT:
      return onColourEdit(m);
    case WM_DRAWITEM:
      return onDrawItem(m);
    case WM_COMMAND:
      return ZK_FormCommandIntl(dialog, message, wParam, lParam, m.form, m.item, m.record);
    case WM_NOTIFY:
      return ZK_GridNotifyIntl(dialog, lParam);
    case WM_SYSCOMMAND:
      return onSysCommand(m);
    default:
      return 0;
  }
}
