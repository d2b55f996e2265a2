// The dialog procedure of every form: finds the form from its dialog, offers each message to the
// event procedure first, initialises and closes the form, and hands colours, drawing and commands
// to their handlers.
#include <windows.h>

#include <commctrl.h>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {
constexpr char kProc[] = "ZK_FormProcIntl";
constexpr int kStatusBarId = 100;
constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP;
// A dialog procedure's answer when the form is not registered.
constexpr INT_PTR kNoForm = ZK_ERR_WINDOW_NOT_FOUND;

// The form's name comes as the creation parameter of WM_INITDIALOG, the first message a dialog
// procedure gets, and stays with the dialog until it is destroyed: in the toolkit's table by
// dialog handle, since DWLP_USER is the application's by convention (its event procedures get the
// dialog), and a window property is fetched from another process on some systems at every read.
std::string formOf(HWND dialog, UINT message, LPARAM lParam) {
  std::unordered_map<HWND, std::string>& dialogs = ZK_FormsStateIntl().dialogs;
  const auto found = dialogs.find(dialog);
  if (found != dialogs.end()) return found->second;
  if (message != WM_INITDIALOG || lParam == 0) return "";
  const std::string& name = *reinterpret_cast<const std::string*>(lParam);
  dialogs.emplace(dialog, name);
  return name;
}

void forgetForm(HWND dialog) {
  ZK_FormsStateIntl().dialogs.erase(dialog);
}

// Items get controls for orders 1, 2, 3... up to the first number no item of the form carries;
// of two items with one number, the first in key order. The order index is read again whenever
// keys or orders have changed meanwhile (an event procedure may declare or forget items while the
// controls are being created).
void createControls(const ZK_FormMessage& m) {
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

INT_PTR onInitDialog(const ZK_FormMessage& m, const WindowRecord& form) {
  const int before = ZK_FormRaiseIntl(m, ZK_FORMOPENBEF);
  if (before != 0) return before;
  // The items are made, placed and drawn at the dialog's DPI.
  ZK_WindowChangeIntl(m.form, [&](WindowRecord& r) { r.dpi = ZK_WindowDpiIntl(m.dialog); });
  createControls(m);
  HWND statusBar = nullptr;
  if (form.statusBar) {
    statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, kStatusBarStyle, 0, 0, 0, 0, m.dialog,
                                reinterpret_cast<HMENU>(kStatusBarId),
                                ZK_WindowStateIntl().instance, nullptr);
  }
  const bool registered = ZK_WindowChangeIntl(m.form, [&](WindowRecord& r) {
    r.statusBarHwnd = statusBar;
    r.hwnd = m.dialog;
  });
  if (registered) {
    const WindowRecord placed = ZK_WindowLookupIntl(m.form);
    ZK_WindowMove(m.form, placed.x, placed.y, placed.width, placed.height);
    ZK_FormOptionsStartIntl(m, form);
  }
  const int after = ZK_FormRaiseIntl(m, ZK_FORMOPENAFT);
  return after != 0 ? after : TRUE;
}

INT_PTR onSize(const std::string& name, const WindowRecord& form) {
  // The status bar places itself along the dialog's new bottom edge, then the anchored items
  // find their places above it.
  if (form.statusBar) SendMessageA(form.statusBarHwnd, WM_SIZE, 0, 0);
  ZK_FormLayoutIntl(name);
  return form.statusBar ? TRUE : 0;
}

// The form went to a monitor of another scale: the dialog takes the rectangle the system
// suggests and every item its place at the new DPI; borders, pens and fonts of drawn items are
// made at it at their next paint, as at every paint, so nothing is kept to be released.
INT_PTR onDpiChanged(const ZK_FormMessage& m, const WindowRecord& form) {
  const int dpi = HIWORD(m.wParam);
  if (dpi <= 0) return 0;
  ZK_WindowChangeIntl(m.form, [&](WindowRecord& r) { r.dpi = dpi; });
  const auto* suggested = reinterpret_cast<const RECT*>(m.lParam);
  if (suggested != nullptr) {
    SetWindowPos(m.dialog, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // By name: a move re-enters this procedure, which may store records meanwhile.
  for (const std::string& item : ZK_ItemNamesOfFormIntl(m.form)) {
    const ItemRecord record = ZK_FormItemGet(m.form, item);
    if (record.hwnd == nullptr) continue;
    const RECT place = ZK_FormItemLaidOutIntl(m.form, record, dpi);
    MoveWindow(record.hwnd, place.left, place.top, place.right - place.left,
               place.bottom - place.top, FALSE);
    if (const auto rescale = ZK_FormsStateIntl().hooks.rescale)
      rescale(m.form, item, form.dpi, dpi);
  }
  onSize(m.form, form);
  InvalidateRect(m.dialog, nullptr, TRUE);
  return TRUE;
}

INT_PTR onActivate(const ZK_FormMessage& m) {
  const WORD state = LOWORD(m.wParam);
  if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
    HWND foreground = GetForegroundWindow();
    // A null handle would match any record that has no window yet.
    ZK_WindowStateIntl().activeFormName =
        foreground != nullptr ? ZK_WindowNameByHandleIntl(foreground) : "";
  }
  return 0;
}

INT_PTR onDrawItem(ZK_FormMessage m) {
  const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
  if (draw == nullptr) return 0;
  m.item = ZK_FormItemByControlIntl(m.form, draw->hwndItem);
  if (m.item.empty()) return 0;
  return ZK_FormItemPaintIntl(m);
}

INT_PTR onColourEdit(const ZK_FormMessage& m) {
  if (m.item.empty()) return 0;
  return reinterpret_cast<INT_PTR>(ZK_FormItemColourIntl(m));
}

INT_PTR onClose(const ZK_FormMessage& m, const ZK_ContextGuard& context) {
  if (ZK_FormCloseBoxIntl(m)) return TRUE;
  ZK_WindowChangeIntl(m.form, [](WindowRecord& r) {
    if (r.closedBy.empty()) r.closedBy = "CLOSE";
  });
  // As it stood before the event procedure was asked: closing ends what was opened.
  const WindowRecord form = ZK_WindowLookupIntl(m.form);
  const int veto = ZK_FormRaiseIntl(m, ZK_FORMCLOSE);
  if (veto != 0) return veto;
  if (const auto closing = ZK_FormsStateIntl().hooks.closing) closing(m.form);

  if (form.statusBar && form.statusBarHwnd != nullptr) {
    if (!DestroyWindow(form.statusBarHwnd)) context.report(ZK_ERR_DESTROY_WINDOW);
    // A second close of an ended modal dialog must not destroy a stale handle.
    ZK_WindowChangeIntl(m.form, [](WindowRecord& r) { r.statusBarHwnd = nullptr; });
  }
  if (form.modal) {
    // A non-zero result lets the form's opener tell an ended run from a failed one.
    if (!EndDialog(m.dialog, 1)) context.report(ZK_ERR_END_DIALOG);
  } else if (!DestroyWindow(m.dialog)) {
    context.report(ZK_ERR_DESTROY_WINDOW);
  }
  ZK_FormItemBrushesReleaseIntl(m.form);
  ZK_WindowStateIntl().activeFormName.clear();
  return TRUE;
}

bool isColourMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The messages whose handlers read the form's record as it stood before BEFORE.
bool readsRecord(UINT message) {
  return message == WM_INITDIALOG || message == WM_SIZE || message == WM_DPICHANGED ||
         message == WM_CTLCOLORDLG;
}

// record: the form's record as it stood before BEFORE, for the messages whose handlers read it.
INT_PTR dispatch(const ZK_ContextGuard& context, ZK_FormMessage m, const WindowRecord* record) {
  bool known = false;
  HWND window = nullptr;
  ZK_FormEventProc events = nullptr;
  {
    const ZK_WindowRegistry& registry = ZK_WindowRegistryIntl();
    const auto found = registry.find(m.form);
    known = found != registry.end() && !found->second.title.empty();
    window = known ? found->second.hwnd : nullptr;
    events = known ? found->second.callback : nullptr;
  }
  // A forgotten form, or a form of that name opened again on another dialog since. A colour
  // answer is taken as a brush: the usual 4 would be an invalid handle there.
  if (!known || (window != nullptr && window != m.dialog)) {
    return isColourMessage(m.message) ? 0 : kNoForm;
  }
  if (window == m.dialog) {
    std::string& active = ZK_WindowStateIntl().activeFormName;
    if (active != m.form) active = m.form;
  }
  m.item = ZK_FormItemByControlIntl(m.form, reinterpret_cast<HWND>(m.lParam));
  // The event procedure as the registry holds it now: the same one ZK_FormRaiseIntl would find.
  const int before =
      events != nullptr ? events(m.form, m.item, ZK_BEFORE, m.dialog, m.message, m.wParam, m.lParam)
                        : 0;
  if (before != 0) return before;

  switch (m.message) {
    case WM_INITDIALOG:
      return onInitDialog(m, *record);
    case WM_SIZE:
      return onSize(m.form, *record);
    case WM_GETMINMAXINFO:
      return ZK_FormMinSizeIntl(m);
    case WM_ACTIVATE:
      return onActivate(m);
    case WM_DPICHANGED:
      return onDpiChanged(m, *record);
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(record->backBrush);
    case WM_CTLCOLOREDIT:
      return onColourEdit(m);
    case WM_DRAWITEM:
      return onDrawItem(m);
    case WM_COMMAND:
      return ZK_FormCommandIntl(m);
    case WM_NOTIFY: {
      const auto notify = ZK_FormsStateIntl().hooks.notify;
      return notify != nullptr ? notify(m) : 0;
    }
    case WM_SYSCOMMAND:
      // The low four bits of the command are the system's own.
      return (m.wParam & 0xFFF0) == SC_CLOSE ? onClose(m, context) : 0;
    default:
      return 0;
  }
}
}  // namespace

INT_PTR CALLBACK ZK_FormProcIntl(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // Another program asking the form's name changes nothing and raises no event. A dialog
  // procedure gives the sender its answer through DWLP_MSGRESULT.
  if (ZK_NameQueryIntl(message)) {
    const LRESULT name = ZK_NameOfFormIntl(dialog, formOf(dialog, message, lParam));
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, name);
    return TRUE;
  }
  const ZK_ContextGuard context("", kProc, ZK_ContextMode::kSaveSetKeep);
  const std::string form = formOf(dialog, message, lParam);
  // The creation parameter is the toolkit's own: the form and its event procedure see
  // WM_INITDIALOG with lParam 0, no control.
  if (message == WM_INITDIALOG) lParam = 0;
  // The whole record is made and copied only for the handlers that read it: a grid's list sends
  // a hundred notifications a paint, and an empty record costs as much to make as a copy.
  const ZK_FormMessage m{dialog, message, wParam, lParam, form, ""};
  INT_PTR result = 0;
  if (readsRecord(message)) {
    const WindowRecord record = ZK_WindowLookupIntl(form);
    result = dispatch(context, m, &record);
  } else {
    result = dispatch(context, m, nullptr);
  }
  if (message == WM_NCDESTROY) {
    forgetForm(dialog);
    ZK_RefusalTakeIntl(dialog);
  }
  return result;
}

ZK_FormEventProc ZK_FormEventsIntl(const std::string& form) {
  const ZK_WindowRegistry& registry = ZK_WindowRegistryIntl();
  const auto found = registry.find(form);
  return found == registry.end() ? nullptr : found->second.callback;
}

int ZK_FormRaiseIntl(const ZK_FormMessage& m, const char* event) {
  const ZK_FormEventProc events = ZK_FormEventsIntl(m.form);
  if (events == nullptr) return 0;
  return events(m.form, m.item, event, m.dialog, m.message, m.wParam, m.lParam);
}
