// Reading another program's controls: texts through the messages the system carries across
// processes, status bars and list views through buffers in the program's own memory, and what
// the toolkit tells of the controls it draws itself through the accessibility interface.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>

#include "probe.h"

namespace {
constexpr int kCellChars = 4096;
// IID_IAccessible by value: MinGW's import libraries define it twice.
constexpr GUID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// A block of memory in another process, for the messages whose buffers the control writes or
// reads in its own address space.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, SIZE_T size) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           ProbeProcessOf(window));
    if (process_ != nullptr)
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  bool ok() const { return address_ != nullptr; }
  char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
  bool write(SIZE_T offset, const void* bytes, SIZE_T size) const {
    SIZE_T done = 0;
    return WriteProcessMemory(process_, at(offset), bytes, size, &done) && done == size;
  }
  bool read(SIZE_T offset, void* bytes, SIZE_T size) const {
    SIZE_T done = 0;
    return ReadProcessMemory(process_, at(offset), bytes, size, &done) && done == size;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

// The control's accessible object, or null; the caller releases it.
IAccessible* accessibleOf(HWND window) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                        reinterpret_cast<void**>(&accessible))))
    return nullptr;
  return accessible;
}

VARIANT self() {
  VARIANT child;
  child.vt = VT_I4;
  child.lVal = CHILDID_SELF;
  return child;
}

std::wstring taken(BSTR text) {
  std::wstring result = text != nullptr ? text : L"";
  SysFreeString(text);
  return result;
}

long accessibleState(HWND window) {
  IAccessible* accessible = accessibleOf(window);
  if (accessible == nullptr) return 0;
  VARIANT state;
  VariantInit(&state);
  accessible->get_accState(self(), &state);
  accessible->Release();
  return state.vt == VT_I4 ? state.lVal : 0;
}

bool drawnByToolkit(HWND control) {
  const std::string kind = ProbeClassName(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (lstrcmpiA(kind.c_str(), "Static") == 0) return (style & SS_TYPEMASK) == SS_OWNERDRAW;
  if (lstrcmpiA(kind.c_str(), "Button") == 0) return (style & BS_TYPEMASK) == BS_OWNERDRAW;
  return false;
}

bool isCheckBox(HWND control) {
  if (lstrcmpiA(ProbeClassName(control).c_str(), "Button") != 0) return false;
  const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE;
}
}  // namespace

std::wstring ProbeWindowText(HWND window) {
  // WM_GETTEXT is marshalled across processes by the system, unlike most control messages.
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return L"";
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 2, L'\0');
  SendMessageW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

std::wstring ProbeItemText(HWND control) {
  if (!drawnByToolkit(control)) return ProbeWindowText(control);
  // The toolkit keeps the item's name as the window text of a control it draws; what it draws
  // is the accessible name.
  IAccessible* accessible = accessibleOf(control);
  if (accessible == nullptr) return L"";
  BSTR name = nullptr;
  accessible->get_accName(self(), &name);
  accessible->Release();
  return taken(name);
}

bool ProbeChecked(HWND control) {
  if (isCheckBox(control)) return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return drawnByToolkit(control) && (accessibleState(control) & STATE_SYSTEM_CHECKED) != 0;
}

HWND ProbeFocused(HWND parent) {
  if (parent == nullptr) return nullptr;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(parent, nullptr), &info)) return nullptr;
  HWND focus = info.hwndFocus;
  while (focus != nullptr && GetParent(focus) != nullptr && GetParent(focus) != parent)
    focus = GetParent(focus);
  return focus != nullptr && GetParent(focus) == parent ? focus : nullptr;
}

bool ProbeStatusText(HWND form, std::wstring* text) {
  HWND bar = nullptr;
  for (HWND child : ProbeChildren(form))
    if (ProbeClassName(child) == STATUSCLASSNAMEA) bar = child;
  if (bar == nullptr) return false;
  // SB_GETTEXT writes into a buffer of the status bar's own process.
  const SIZE_T count = static_cast<SIZE_T>(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0))) + 2;
  RemoteBlock block(bar, count * sizeof(wchar_t));
  std::vector<wchar_t> buffer(count, L'\0');
  if (block.ok()) {
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(block.at(0)));
    block.read(0, buffer.data(), (count - 1) * sizeof(wchar_t));
    *text = buffer.data();
  } else {
    *text = ProbeWindowText(bar);
  }
  return true;
}

std::wstring ProbeListCell(HWND list, int row, int column) {
  RemoteBlock block(list, sizeof(LVITEMW) + kCellChars * sizeof(wchar_t));
  if (!block.ok()) return L"";
  LVITEMW item = {};
  item.iSubItem = column;
  item.cchTextMax = kCellChars;
  item.pszText = reinterpret_cast<wchar_t*>(block.at(sizeof item));
  if (!block.write(0, &item, sizeof item)) return L"";
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(block.at(0)));
  std::vector<wchar_t> text(kCellChars + 1, L'\0');
  block.read(sizeof item, text.data(), kCellChars * sizeof(wchar_t));
  return text.data();
}

int ProbeListRows(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

int ProbeListColumns(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

int ProbeListCurrent(HWND list) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

std::wstring ProbeListTitles(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int count = ProbeListColumns(list);
  std::wstring titles;
  for (int i = 0; i < count; ++i) {
    RemoteBlock block(header, sizeof(HDITEMW) + 256 * sizeof(wchar_t));
    if (!block.ok()) break;
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.cchTextMax = 256;
    item.pszText = reinterpret_cast<wchar_t*>(block.at(sizeof item));
    block.write(0, &item, sizeof item);
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(block.at(0)));
    std::vector<wchar_t> text(257, L'\0');
    block.read(sizeof item, text.data(), 256 * sizeof(wchar_t));
    block.read(0, &item, sizeof item);
    // The sort arrow: ^ ascending, v descending.
    const wchar_t* arrow =
        (item.fmt & HDF_SORTUP) ? L"^" : ((item.fmt & HDF_SORTDOWN) ? L"v" : L"");
    titles += (i ? L"|" : L"") + std::wstring(text.data()) + arrow;
  }
  return titles;
}

HWND ProbeListEditor(HWND list) {
  for (HWND child : ProbeChildren(list)) {
    const std::string kind = ProbeClassName(child);
    if ((lstrcmpiA(kind.c_str(), "Edit") == 0 || lstrcmpiA(kind.c_str(), "ComboBox") == 0) &&
        IsWindowVisible(child))
      return child;
  }
  return nullptr;
}

std::wstring ProbeComboEntry(HWND combo, LRESULT index) {
  // Across processes the ANSI CB_GETLBTEXT returns only the first character; the wide one is
  // whole.
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR || length < 0) return L"";
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 2, L'\0');
  if (SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(buffer.data())) == CB_ERR)
    return L"";
  return buffer.data();
}

std::string ProbeRectPairs(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  char text[96];
  std::snprintf(text, sizeof text, "x=%ld y=%ld w=%ld h=%ld", rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top);
  return text;
}

namespace {
std::string stateOf(HWND window) {
  char text[96];
  std::snprintf(text, sizeof text, "visible=%d enabled=%d style=0x%08lX",
                IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0,
                static_cast<unsigned long>(GetWindowLongW(window, GWL_STYLE)));
  return text;
}

std::string classShown(HWND window) {
  return ProbeShown(ProbeFromUtf8(ProbeClassName(window)));
}
}  // namespace

std::string ProbeTopLevelLine(const char* what, HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  char size[64];
  std::snprintf(size, sizeof size, " cw=%ld ch=%ld", client.right, client.bottom);
  return std::string(what) + " class=" + classShown(window) +
         " text=" + ProbeQuoted(ProbeWindowText(window)) + " " + stateOf(window) + " " +
         ProbeRectPairs(window) + size;
}

std::string ProbeChildLine(HWND form, HWND child) {
  const std::string kind = ProbeClassName(child);
  std::string line =
      "item id=" + std::to_string(GetDlgCtrlID(child)) + " class=" + classShown(child);
  std::wstring text = ProbeWindowText(child);
  if (kind == STATUSCLASSNAMEA) ProbeStatusText(form, &text);
  line += " text=" + ProbeQuoted(text) + " " + stateOf(child) + " " + ProbeRectPairs(child);

  RECT rect = {};
  GetWindowRect(child, &rect);
  POINT origin = {rect.left, rect.top};
  ScreenToClient(form, &origin);
  line += " cx=" + std::to_string(origin.x) + " cy=" + std::to_string(origin.y);

  if (isCheckBox(child)) line += " check=" + std::to_string(SendMessageW(child, BM_GETCHECK, 0, 0));
  if (kind == WC_LISTVIEWA) {
    HWND editor = ProbeListEditor(child);
    char numbers[160];
    std::snprintf(
        numbers, sizeof numbers, " rows=%d selected=%ld current=%d top=%ld editor=%d",
        ProbeListRows(child), static_cast<long>(SendMessageW(child, LVM_GETSELECTEDCOUNT, 0, 0)),
        ProbeListCurrent(child), static_cast<long>(SendMessageW(child, LVM_GETTOPINDEX, 0, 0)),
        editor != nullptr ? 1 : 0);
    line += numbers;
    line += " titles=" + ProbeQuoted(ProbeListTitles(child));
    if (editor != nullptr) line += " editortext=" + ProbeQuoted(ProbeWindowText(editor));
  }
  if (lstrcmpiA(kind.c_str(), "ComboBox") == 0) {
    const LRESULT selected = SendMessageW(child, CB_GETCURSEL, 0, 0);
    const LRESULT count = SendMessageW(child, CB_GETCOUNT, 0, 0);
    line += " count=" + std::to_string(count) + " cursel=" + std::to_string(selected);
    line += " seltext=" +
            ProbeQuoted(selected == CB_ERR ? std::wstring() : ProbeComboEntry(child, selected));
    std::wstring entries;
    for (LRESULT i = 0; i < count; ++i) entries += (i ? L"|" : L"") + ProbeComboEntry(child, i);
    line += " entries=" + ProbeQuoted(entries);
  }
  // Last, so that the older readers of these lines see what they saw.
  const std::wstring key = ProbeNameOf(child);
  if (!key.empty()) line += " key=" + ProbeShown(key);
  return line;
}

std::string ProbeAccessLine(HWND window) {
  const std::string id = "access id=" + std::to_string(GetDlgCtrlID(window));
  IAccessible* accessible = accessibleOf(window);
  if (accessible == nullptr) return id + " none";
  BSTR name = nullptr;
  BSTR description = nullptr;
  VARIANT role;
  VARIANT state;
  VariantInit(&role);
  VariantInit(&state);
  accessible->get_accName(self(), &name);
  accessible->get_accDescription(self(), &description);
  accessible->get_accRole(self(), &role);
  accessible->get_accState(self(), &state);
  accessible->Release();
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, " role=%ld state=0x%lX",
                role.vt == VT_I4 ? role.lVal : -1L,
                state.vt == VT_I4 ? static_cast<unsigned long>(state.lVal) : 0UL);
  return id + " class=" + classShown(window) + " text=" + ProbeQuoted(ProbeWindowText(window)) +
         " name=" + ProbeQuoted(taken(name)) + numbers +
         " description=" + ProbeQuoted(taken(description));
}
