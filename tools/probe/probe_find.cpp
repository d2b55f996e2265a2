// Finding windows from outside their program: forms and items by the names the program gave
// them (asked of each form's dialog and of its controls with the toolkit's registered message),
// message boxes by their captions, and, for the older commands, the program's main window, its
// open form and a control by identifier or text.
#include <algorithm>
#include <cwchar>

#include "probe.h"
#include "zarvik/zarvik.h"

namespace {
constexpr char kDialogClass[] = "#32770";
// The toolkit's error reports are message boxes, dialogs too, but never forms.
const wchar_t kErrorCaption[] = L"Zarvik Error";
constexpr UINT kAskMs = 5000;  // a program that does not answer in that time is hung
constexpr ATOM kFirstStringAtom = 0xC000;

bool inScope(HWND window) {
  const DWORD program = ProbeStateGet().programId;
  return program == 0 || ProbeProcessOf(window) == program;
}

BOOL CALLBACK collect(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> all;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> scoped;
  for (HWND window : all)
    if (inScope(window)) scoped.push_back(window);
  return scoped;
}

bool isDialog(HWND window) {
  return ProbeClassName(window) == kDialogClass && IsWindowVisible(window);
}

std::wstring joined(const std::vector<std::wstring>& names) {
  std::wstring text;
  for (const std::wstring& name : names) text += (text.empty() ? L"" : L", ") + name;
  return text;
}

std::string openFormsNote() {
  std::vector<std::wstring> names;
  for (const ProbeForm& form : ProbeOpenForms()) names.push_back(form.name);
  if (names.empty()) return " (no form is open)";
  return " (open: " + ProbeToUtf8(joined(names)) + ")";
}
}  // namespace

std::string ProbeClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

DWORD ProbeProcessOf(HWND window) {
  DWORD processId = 0;
  if (window != nullptr) GetWindowThreadProcessId(window, &processId);
  return processId;
}

std::vector<HWND> ProbeChildren(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> direct;
  for (HWND child : all)
    if (GetParent(child) == parent) direct.push_back(child);
  return direct;
}

std::wstring ProbeNameOf(HWND window) {
  static const UINT query = RegisterWindowMessageA(ZK_NAME_QUERY);
  DWORD_PTR answer = 0;
  if (query == 0 || !SendMessageTimeoutW(window, query, 0, 0, SMTO_ABORTIFHUNG, kAskMs, &answer))
    return L"";
  // A string atom, whose reference the form handed over: read, then let go.
  if (answer < kFirstStringAtom || answer > 0xFFFF) return L"";
  const ATOM atom = static_cast<ATOM>(answer);
  wchar_t text[256] = {};
  const UINT length = GlobalGetAtomNameW(atom, text, 256);
  GlobalDeleteAtom(atom);
  // The window's handle, a space, the name: an atom of another window's is no answer.
  wchar_t handle[16];
  swprintf(handle, 16, L"%08lX ",
           static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window) & 0xFFFFFFFFu));
  const std::wstring told(text, length);
  if (told.size() <= 9 || lstrcmpiW(told.substr(0, 9).c_str(), handle) != 0) return L"";
  return told.substr(9);
}

std::vector<ProbeForm> ProbeOpenForms() {
  std::vector<ProbeForm> forms;
  const auto ask = [&](HWND dialog) {
    const std::wstring name = ProbeNameOf(dialog);
    if (!name.empty()) forms.push_back({dialog, name});
  };
  for (HWND window : topLevelWindows()) {
    if (!IsWindowVisible(window)) continue;
    if (isDialog(window)) ask(window);
    // A form without a frame (EDGE=false) lives inside its main window.
    for (HWND child : ProbeChildren(window))
      if (isDialog(child)) ask(child);
  }
  return forms;
}

HWND ProbeFormByName(const std::wstring& name) {
  for (const ProbeForm& form : ProbeOpenForms())
    if (form.name == name) return form.dialog;
  return nullptr;
}

HWND ProbeWindowByName(const std::wstring& name) {
  for (HWND window : topLevelWindows()) {
    if (!IsWindowVisible(window)) continue;
    if (ProbeFromUtf8(ProbeClassName(window)) == name || ProbeWindowText(window) == name)
      return window;
  }
  return nullptr;
}

ProbeResult ProbeFindForm(const std::wstring& name, HWND* form) {
  *form = ProbeFormByName(name);
  if (*form != nullptr) return {};
  return ProbeFail(kProbeNotFound, "no open form named " + ProbeQuoted(name) + openFormsNote());
}

std::vector<std::pair<std::wstring, HWND>> ProbeItemsOf(HWND form, const std::wstring& formName) {
  std::vector<std::pair<std::wstring, HWND>> items;
  const std::wstring prefix = formName + L".";
  for (HWND child : ProbeChildren(form)) {
    const std::wstring key = ProbeNameOf(child);
    if (key.compare(0, prefix.size(), prefix) == 0)
      items.emplace_back(key.substr(prefix.size()), child);
  }
  return items;
}

ProbeResult ProbeFindItem(const std::wstring& key, ProbeItem* item) {
  const size_t dot = key.find(L'.');
  if (dot == std::wstring::npos || dot == 0 || dot + 1 == key.size())
    return ProbeFail(kProbeUsage, "an item is named form.item, not " + ProbeQuoted(key));
  item->formName = key.substr(0, dot);
  item->itemName = key.substr(dot + 1);
  const ProbeResult found = ProbeFindForm(item->formName, &item->form);
  if (found.code != kProbeOk) return found;
  std::vector<std::wstring> names;
  for (const auto& [name, control] : ProbeItemsOf(item->form, item->formName)) {
    if (name == item->itemName) {
      item->control = control;
      return {};
    }
    names.push_back(name);
  }
  return ProbeFail(kProbeNotFound, "form " + ProbeQuoted(item->formName) + " has no item " +
                                       ProbeQuoted(item->itemName) +
                                       " (its items: " + ProbeToUtf8(joined(names)) + ")");
}

HWND ProbeMessageBox(const std::wstring& caption) {
  for (HWND window : topLevelWindows()) {
    if (isDialog(window) && ProbeWindowText(window) == caption && ProbeNameOf(window).empty())
      return window;
  }
  return nullptr;
}

std::wstring ProbeButtonText(HWND button) {
  std::wstring text;
  const std::wstring shown = ProbeWindowText(button);
  // "&&" shows one "&"; a single one underlines the next letter.
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == L'&' && i + 1 < shown.size()) ++i;
    text += shown[i];
  }
  return text;
}

HWND ProbeMainWindow() {
  for (HWND window : topLevelWindows())
    if (ProbeClassName(window) == ProbeStateGet().mainName) return window;
  return nullptr;
}

std::vector<HWND> ProbeProgramWindows() {
  const DWORD program = ProbeProcessOf(ProbeMainWindow());
  std::vector<HWND> windows;
  if (program == 0) return windows;
  for (HWND window : topLevelWindows())
    if (ProbeProcessOf(window) == program) windows.push_back(window);
  return windows;
}

HWND ProbeTopLevelForm() {
  for (HWND window : ProbeProgramWindows())
    if (isDialog(window) && ProbeWindowText(window) != kErrorCaption) return window;
  return nullptr;
}

HWND ProbeOpenForm() {
  if (HWND form = ProbeTopLevelForm()) return form;
  HWND main = ProbeMainWindow();
  if (main == nullptr) return nullptr;
  for (HWND child : ProbeChildren(main))
    if (isDialog(child)) return child;
  return nullptr;
}

HWND ProbeBoxOf(const std::wstring& caption) {
  for (HWND window : ProbeProgramWindows())
    if (isDialog(window) && ProbeWindowText(window) == caption) return window;
  return nullptr;
}

HWND ProbeControlByKey(const std::wstring& key) {
  HWND form = ProbeOpenForm();
  if (form == nullptr || key.empty()) return nullptr;
  if (std::all_of(key.begin(), key.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
    return GetDlgItem(form, _wtoi(key.c_str()));
  // Statics and rectangles carry no identifier; their window text is the item's name.
  for (HWND child : ProbeChildren(form))
    if (ProbeWindowText(child) == key) return child;
  return nullptr;
}
