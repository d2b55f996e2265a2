// zkprobe: reads a running Velmo's (or another toolkit program's) windows from outside its
// process, as an accessibility client would, and prints them one per line as key=value pairs for
// the end-to-end scripts.
// Texts are read as UTF-16 and printed in code page 1252 (Velmo's), or in UTF-8 after the option
// --utf8, with every byte outside printable ASCII (and '"', '\') written as \xHH, so scripts
// compare them with plain ASCII patterns.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr char kMainClass[] = "Main";
constexpr char kDialogClass[] = "#32770";
// The toolkit's error reports are message boxes, dialogs too, but never forms.
constexpr char kErrorCaption[] = "Zarvik Error";
constexpr int kPollMs = 100;
// The code page texts are printed in: 1252, or 65001 with --utf8.
UINT gCodePage = 1252;

std::string escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string className(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Wide text turned into the code page the texts are printed in.
std::string fromWide(const std::wstring& wide) {
  if (wide.empty()) return "";
  const int size =
      WideCharToMultiByte(gCodePage, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return "";
  std::vector<char> buffer(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(gCodePage, 0, wide.c_str(), -1, buffer.data(), size, nullptr, nullptr);
  return buffer.data();
}

// WM_GETTEXT is marshalled across processes by the system, unlike most control messages.
std::string windowText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return "";
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 2, L'\0');
  SendMessageW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return fromWide(buffer.data());
}

// Across processes the ANSI CB_GETLBTEXT returns only the first character; the wide one is whole.
std::string comboEntry(HWND combo, LRESULT index) {
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR || length < 0) return "";
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 2, L'\0');
  if (SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(buffer.data())) == CB_ERR)
    return "";
  return fromWide(buffer.data());
}

// SB_GETTEXT writes into a buffer of the caller's address space, so the buffer must live in the
// status bar's process: a block allocated there and read back.
bool statusText(HWND bar, std::string* text) {
  DWORD processId = 0;
  GetWindowThreadProcessId(bar, &processId);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return false;
  const LRESULT length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0));
  const SIZE_T count = static_cast<SIZE_T>(length) + 2;
  const SIZE_T size = count * sizeof(wchar_t);
  void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  bool read = false;
  if (remote != nullptr) {
    std::vector<wchar_t> buffer(count, L'\0');
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(remote));
    SIZE_T got = 0;
    read = ReadProcessMemory(process, remote, buffer.data(), size, &got) != 0;
    buffer[count - 1] = L'\0';
    if (read) *text = fromWide(buffer.data());
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return read;
}

// A block of memory in another process, for the messages whose buffers the control writes or
// reads in its own address space.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, SIZE_T size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
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
  SIZE_T size_;
};

constexpr int kCellChars = 4096;

// A list view's cell, asked with the wide message: the item and its text buffer in the list's
// process.
std::string listCell(HWND list, int row, int column) {
  RemoteBlock block(list, sizeof(LVITEMW) + kCellChars * sizeof(wchar_t));
  if (!block.ok()) return "";
  LVITEMW item = {};
  item.iSubItem = column;
  item.cchTextMax = kCellChars;
  item.pszText = reinterpret_cast<wchar_t*>(block.at(sizeof item));
  if (!block.write(0, &item, sizeof item)) return "";
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(block.at(0)));
  std::vector<wchar_t> text(kCellChars + 1, L'\0');
  block.read(sizeof item, text.data(), kCellChars * sizeof(wchar_t));
  return fromWide(text.data());
}

// The titles of a list view's columns, joined by "|".
std::string listTitles(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const LRESULT count = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
  std::string titles;
  for (LRESULT i = 0; i < count; ++i) {
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
    const char* arrow = (item.fmt & HDF_SORTUP) ? "^" : ((item.fmt & HDF_SORTDOWN) ? "v" : "");
    titles += (i ? "|" : "") + fromWide(text.data()) + arrow;
  }
  return titles;
}

// The list's open cell editor, an edit control among its children.
// A grid's open editor: an edit, or a choice's combo box.
HWND listEditor(HWND list) {
  for (HWND child = GetWindow(list, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string kind = className(child);
    if ((lstrcmpiA(kind.c_str(), "Edit") == 0 || lstrcmpiA(kind.c_str(), "ComboBox") == 0) &&
        IsWindowVisible(child))
      return child;
  }
  return nullptr;
}

HWND mainWindow() {
  return FindWindowA(kMainClass, nullptr);
}

DWORD processOf(HWND window) {
  DWORD processId = 0;
  if (window != nullptr) GetWindowThreadProcessId(window, &processId);
  return processId;
}

struct TopLevelWalk {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM data) {
  auto* walk = reinterpret_cast<TopLevelWalk*>(data);
  if (processOf(window) == walk->processId) walk->windows.push_back(window);
  return TRUE;
}

// The top-level windows of Velmo's process, in Z order (topmost first).
std::vector<HWND> velmoWindows() {
  TopLevelWalk walk{processOf(mainWindow()), {}};
  if (walk.processId != 0) EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&walk));
  return walk.windows;
}

bool isDialog(HWND window) {
  return className(window) == kDialogClass && IsWindowVisible(window);
}

// The visible top-level form of Velmo's process nearest the top, or null.
HWND topLevelForm() {
  for (HWND window : velmoWindows())
    if (isDialog(window) && windowText(window) != kErrorCaption) return window;
  return nullptr;
}

// The open form: a top-level one, else a borderless form inside the main window (EDGE=false).
HWND formWindow() {
  if (HWND form = topLevelForm()) return form;
  HWND main = mainWindow();
  for (HWND child = main ? GetWindow(main, GW_CHILD) : nullptr; child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    if (isDialog(child)) return child;
  return nullptr;
}

// A message box of Velmo's: a dialog of its process with that caption.
HWND boxOf(const std::string& caption) {
  for (HWND window : velmoWindows())
    if (isDialog(window) && windowText(window) == caption) return window;
  return nullptr;
}

BOOL CALLBACK collectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

// Direct children only, in the order the system keeps them (creation order for a dialog).
std::vector<HWND> children(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> direct;
  for (HWND child : all)
    if (GetParent(child) == parent) direct.push_back(child);
  return direct;
}

HWND childById(HWND form, int id) {
  return form == nullptr ? nullptr : GetDlgItem(form, id);
}

// Static texts and rectangles carry no identifier: they are found by their window text, the
// item's name.
HWND childByKey(HWND form, const std::string& key) {
  if (!key.empty() && key.find_first_not_of("0123456789") == std::string::npos)
    return childById(form, std::atoi(key.c_str()));
  if (form == nullptr) return nullptr;
  for (HWND child : children(form))
    if (windowText(child) == key) return child;
  return nullptr;
}

std::string rectPairs(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  char text[96];
  std::snprintf(text, sizeof text, "x=%ld y=%ld w=%ld h=%ld", rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top);
  return text;
}

std::string stateOf(HWND window) {
  char text[96];
  std::snprintf(text, sizeof text, "visible=%d enabled=%d style=0x%08lX",
                IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0,
                static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)));
  return text;
}

std::string topLevelLine(const char* what, HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  char size[64];
  std::snprintf(size, sizeof size, " cw=%ld ch=%ld", client.right, client.bottom);
  return std::string(what) + " class=" + escaped(className(window)) + " text=\"" +
         escaped(windowText(window)) + "\" " + stateOf(window) + " " + rectPairs(window) + size;
}

std::string childLine(HWND form, HWND child) {
  const std::string kind = className(child);
  std::string line = "item id=" + std::to_string(GetDlgCtrlID(child)) + " class=" + escaped(kind);
  std::string text = windowText(child);
  if (kind == STATUSCLASSNAMEA) statusText(child, &text);
  line += " text=\"" + escaped(text) + "\" " + stateOf(child) + " " + rectPairs(child);

  RECT rect = {};
  GetWindowRect(child, &rect);
  POINT origin = {rect.left, rect.top};
  ScreenToClient(form, &origin);
  line += " cx=" + std::to_string(origin.x) + " cy=" + std::to_string(origin.y);

  if (lstrcmpiA(kind.c_str(), "Button") == 0) {
    const LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_3STATE ||
        type == BS_AUTO3STATE)
      line += " check=" + std::to_string(SendMessageA(child, BM_GETCHECK, 0, 0));
  }
  if (kind == WC_LISTVIEWA) {
    HWND editor = listEditor(child);
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, " rows=%ld selected=%ld current=%ld top=%ld editor=%d",
                  static_cast<long>(SendMessageW(child, LVM_GETITEMCOUNT, 0, 0)),
                  static_cast<long>(SendMessageW(child, LVM_GETSELECTEDCOUNT, 0, 0)),
                  static_cast<long>(
                      SendMessageW(child, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)),
                  static_cast<long>(SendMessageW(child, LVM_GETTOPINDEX, 0, 0)),
                  editor != nullptr ? 1 : 0);
    line += numbers;
    line += " titles=\"" + escaped(listTitles(child)) + "\"";
    if (editor != nullptr) line += " editortext=\"" + escaped(windowText(editor)) + "\"";
  }
  if (lstrcmpiA(kind.c_str(), "ComboBox") == 0) {
    const LRESULT selected = SendMessageA(child, CB_GETCURSEL, 0, 0);
    const LRESULT count = SendMessageA(child, CB_GETCOUNT, 0, 0);
    line += " count=" + std::to_string(count) + " cursel=" + std::to_string(selected);
    line += " seltext=\"" + escaped(selected == CB_ERR ? "" : comboEntry(child, selected)) + "\"";
    std::string entries;
    for (LRESULT i = 0; i < count; ++i) entries += (i ? "|" : "") + comboEntry(child, i);
    line += " entries=\"" + escaped(entries) + "\"";
  }
  return line;
}

// The control that has the keyboard focus in Velmo's GUI thread; the edit of a combo box counts
// as its combo box.
HWND focusedControl(HWND form) {
  if (form == nullptr) return nullptr;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info)) return nullptr;
  HWND focus = info.hwndFocus;
  while (focus != nullptr && GetParent(focus) != nullptr && GetParent(focus) != form)
    focus = GetParent(focus);
  return focus != nullptr && GetParent(focus) == form ? focus : nullptr;
}

HWND statusBar(HWND form) {
  for (HWND child : children(form))
    if (className(child) == STATUSCLASSNAMEA) return child;
  return nullptr;
}

std::string statusOf(HWND form) {
  HWND bar = statusBar(form);
  if (bar == nullptr) return "";
  std::string text;
  if (!statusText(bar, &text)) text = windowText(bar);
  return text;
}

// IID_IAccessible by value: MinGW's import libraries define it twice.
constexpr GUID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// What an accessibility client reads of a window: name, role, state and description.
std::string accessLine(HWND window) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                        reinterpret_cast<void**>(&accessible))))
    return "access id=" + std::to_string(GetDlgCtrlID(window)) + " none";
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  BSTR description = nullptr;
  VARIANT role;
  VARIANT state;
  VariantInit(&role);
  VariantInit(&state);
  accessible->get_accName(self, &name);
  accessible->get_accDescription(self, &description);
  accessible->get_accRole(self, &role);
  accessible->get_accState(self, &state);
  accessible->Release();
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, " role=%ld state=0x%lX",
                role.vt == VT_I4 ? role.lVal : -1L,
                state.vt == VT_I4 ? static_cast<unsigned long>(state.lVal) : 0UL);
  const std::string line =
      "access id=" + std::to_string(GetDlgCtrlID(window)) + " class=" + escaped(className(window)) +
      " text=\"" + escaped(windowText(window)) + "\" name=\"" +
      escaped(fromWide(name != nullptr ? name : L"")) + "\"" + numbers + " description=\"" +
      escaped(fromWide(description != nullptr ? description : L"")) + "\"";
  SysFreeString(name);
  SysFreeString(description);
  return line;
}

// Name changes and live-region changes of Velmo's windows, as a screen reader hears them.
void CALLBACK onAccessEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD,
                            DWORD) {
  if (object != OBJID_CLIENT || window == nullptr) return;
  const char* what = event == EVENT_OBJECT_NAMECHANGE ? "name-change" : "live-region";
  std::printf("event %s %s\n", what, accessLine(window).c_str() + 7);
  std::fflush(stdout);
}

int watchEvents(DWORD milliseconds) {
  const DWORD velmo = processOf(mainWindow());
  if (velmo == 0) return 1;
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, 0x8019, nullptr, onAccessEvent,
                                       velmo, 0, WINEVENT_OUTOFCONTEXT);
  if (hook == nullptr) return 1;
  std::printf("watching\n");
  std::fflush(stdout);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  UnhookWinEvent(hook);
  return 0;
}

int usage() {
  std::fputs(
      "usage: zkprobe [--utf8] COMMAND   (--utf8: texts in UTF-8, else in code page 1252)\n"
      "  windows            Velmo's top-level windows\n"
      "  main               the main window\n"
      "  form               the open form (top-level, else one inside the main window) and its\n"
      "                     controls in creation order\n"
      "  item ID|NAME       one control of the open form (a static by its item name); a list\n"
      "                     view also gives rows, selection, current row, top row, editor, titles\n"
      "  cell ID ROW COL    the text of a list view's cell\n"
      "  clipboard          the clipboard's Unicode text, in code page 1252\n"
      "  rows ID FIRST N    N rows of a list view from FIRST, cells separated by |\n"
      "  focus              the control with the keyboard focus\n"
      "  foreground         the desktop's foreground window, and the control of its thread that\n"
      "                     has the focus (where the keys go), with its text\n"
      "  status             the form's status bar text\n"
      "  close              posts a plain WM_CLOSE to the open form\n"
      "  close-main         posts WM_CLOSE to the main window\n"
      "  redraw ID|NAME     has the system repaint one control of the open form, erasing it first\n"
      "  error              the text of a toolkit error report on screen (exit 1 when none)\n"
      "  box CAPTION        the message of Velmo's message box with that caption (exit 1: none)\n"
      "  press CAPTION ID   clicks the button ID of that message box\n"
      "  access             what an accessibility client reads of the open form's controls\n"
      "  events MS          name and live-region changes of Velmo's controls for MS milliseconds\n"
      "  terminate          ends Velmo at once (clean-up after a failed test)\n"
      "  wait MS CHECK...   repeats a check until it holds (exit 0) or MS have passed (exit 1)\n"
      "checks: has-main, no-main, has-form, no-form, focus-is ID, status-is TEXT,\n"
      "        foreground-is CAPTION (the foreground window's caption),\n"
      "        text-is ID TEXT, visible-is ID 0|1, check-is ID N, cell-is ID ROW COL TEXT,\n"
      "        current-is ID ROW, editor-is ID 0|1, rows-is ID N\n",
      stderr);
  return 2;
}

// One check, true when it holds now.
bool holds(const std::vector<std::string>& check) {
  if (check.empty()) return false;
  const std::string& what = check[0];
  HWND form = formWindow();
  if (what == "has-main") return mainWindow() != nullptr;
  if (what == "no-main") return mainWindow() == nullptr;
  if (what == "has-form") return form != nullptr;
  if (what == "no-form") return mainWindow() != nullptr && topLevelForm() == nullptr;
  if (check.size() < 2) return false;
  if (what == "status-is") return form != nullptr && escaped(statusOf(form)) == check[1];
  if (what == "foreground-is") return escaped(windowText(GetForegroundWindow())) == check[1];
  const int id = std::atoi(check[1].c_str());
  if (what == "focus-is") {
    HWND focus = focusedControl(form);
    return focus != nullptr && GetDlgCtrlID(focus) == id;
  }
  HWND control = childById(form, id);
  if (control == nullptr || check.size() < 3) return false;
  if (what == "text-is") return escaped(windowText(control)) == check[2];
  if (what == "visible-is") return (IsWindowVisible(control) ? "1" : "0") == check[2];
  if (what == "check-is")
    return SendMessageA(control, BM_GETCHECK, 0, 0) == std::atoi(check[2].c_str());
  if (what == "current-is")
    return SendMessageW(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) ==
           std::atoi(check[2].c_str());
  if (what == "editor-is") return (listEditor(control) != nullptr ? "1" : "0") == check[2];
  if (what == "rows-is")
    return SendMessageW(control, LVM_GETITEMCOUNT, 0, 0) == std::atoi(check[2].c_str());
  if (what == "cell-is" && check.size() >= 5)
    return escaped(listCell(control, std::atoi(check[2].c_str()), std::atoi(check[3].c_str()))) ==
           check[4];
  return false;
}

int run(const std::vector<std::string>& args) {
  if (args.empty()) return usage();
  const std::string& command = args[0];
  if (command == "windows") {
    for (HWND window : velmoWindows()) std::printf("%s\n", topLevelLine("window", window).c_str());
    return 0;
  }
  if (command == "main") {
    HWND window = mainWindow();
    if (window == nullptr) return 1;
    std::printf("%s\n", topLevelLine("main", window).c_str());
    return 0;
  }
  if (command == "terminate") {
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processOf(mainWindow()));
    if (process == nullptr) return 1;
    const bool ended = TerminateProcess(process, 99) != 0;
    CloseHandle(process);
    return ended ? 0 : 1;
  }
  if (command == "error") {
    HWND box = boxOf(kErrorCaption);
    if (box == nullptr) return 1;
    for (HWND child : children(box))
      if (lstrcmpiA(className(child).c_str(), "Static") == 0 && !windowText(child).empty())
        std::printf("%s\n", escaped(windowText(child)).c_str());
    return 0;
  }
  if (command == "box" && args.size() == 2) {
    // A message box's text is its static 0xFFFF.
    HWND message = childById(boxOf(args[1]), 0xFFFF);
    if (message == nullptr) return 1;
    std::printf("%s\n", escaped(windowText(message)).c_str());
    return 0;
  }
  if (command == "press" && args.size() == 3) {
    HWND button = childById(boxOf(args[1]), std::atoi(args[2].c_str()));
    return button != nullptr && PostMessageA(button, BM_CLICK, 0, 0) ? 0 : 1;
  }
  if (command == "events" && args.size() == 2)
    return watchEvents(static_cast<DWORD>(std::atoi(args[1].c_str())));
  if (command == "close-main") {
    HWND window = mainWindow();
    return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  HWND form = formWindow();
  if (command == "form") {
    if (form == nullptr) return 1;
    std::printf("%s\n", topLevelLine("form", form).c_str());
    for (HWND child : children(form)) std::printf("%s\n", childLine(form, child).c_str());
    return 0;
  }
  if (command == "item" && args.size() == 2) {
    HWND control = childByKey(form, args[1]);
    if (control == nullptr) return 1;
    std::printf("%s\n", childLine(form, control).c_str());
    return 0;
  }
  if (command == "clipboard") {
    if (!OpenClipboard(nullptr)) return 1;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (text != nullptr) std::printf("%s\n", escaped(fromWide(text)).c_str());
    if (text != nullptr) GlobalUnlock(data);
    CloseClipboard();
    return text != nullptr ? 0 : 1;
  }
  if (command == "cell" && args.size() == 4) {
    HWND control = childByKey(form, args[1]);
    if (control == nullptr) return 1;
    std::printf(
        "%s\n",
        escaped(listCell(control, std::atoi(args[2].c_str()), std::atoi(args[3].c_str()))).c_str());
    return 0;
  }
  if (command == "rows" && args.size() == 4) {
    HWND control = childByKey(form, args[1]);
    if (control == nullptr) return 1;
    HWND header = reinterpret_cast<HWND>(SendMessageW(control, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    const int first = std::atoi(args[2].c_str());
    for (int row = first; row < first + std::atoi(args[3].c_str()); ++row) {
      std::string line;
      for (int column = 0; column < columns; ++column)
        line += (column ? "|" : "") + escaped(listCell(control, row, column));
      std::printf("%s\n", line.c_str());
    }
    return 0;
  }
  if (command == "access") {
    if (form == nullptr) return 1;
    for (HWND child : children(form)) std::printf("%s\n", accessLine(child).c_str());
    return 0;
  }
  if (command == "focus") {
    HWND focus = focusedControl(form);
    if (focus == nullptr) return 1;
    std::printf("focus id=%d class=%s\n", GetDlgCtrlID(focus), escaped(className(focus)).c_str());
    return 0;
  }
  if (command == "foreground") {
    HWND window = GetForegroundWindow();
    if (window == nullptr) return 1;
    std::printf("%s\n", topLevelLine("foreground", window).c_str());
    // Where the keys go: the control with the focus in the foreground window's thread.
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
        info.hwndFocus != nullptr) {
      std::printf("keys id=%d class=%s text=\"%s\" root=\"%s\"\n", GetDlgCtrlID(info.hwndFocus),
                  escaped(className(info.hwndFocus)).c_str(),
                  escaped(windowText(info.hwndFocus)).c_str(),
                  escaped(windowText(GetAncestor(info.hwndFocus, GA_ROOT))).c_str());
    }
    return 0;
  }
  if (command == "close") {
    return form != nullptr && PostMessageA(form, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (command == "redraw" && args.size() == 2) {
    HWND control = childByKey(form, args[1]);
    return control != nullptr && RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE)
               ? 0
               : 1;
  }
  if (command == "status") {
    if (form == nullptr) return 1;
    std::printf("%s\n", escaped(statusOf(form)).c_str());
    return 0;
  }
  if (command == "wait" && args.size() >= 3) {
    const DWORD limit = static_cast<DWORD>(std::atoi(args[1].c_str()));
    const std::vector<std::string> check(args.begin() + 2, args.end());
    const DWORD start = GetTickCount();
    for (;;) {
      if (holds(check)) return 0;
      if (GetTickCount() - start >= limit) return 1;
      Sleep(kPollMs);
    }
  }
  return usage();
}
}  // namespace

int main(int argc, char** argv) {
  CoInitialize(nullptr);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "--utf8") {
    gCodePage = CP_UTF8;
    args.erase(args.begin());
  }
  const int status = run(args);
  CoUninitialize();
  return status;
}
