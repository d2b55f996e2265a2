// Real input: keys and clicks given to the system as its own keyboard and mouse give them
// (SendInput), so that they reach the program through its message queue, its dialog keyboard
// handling and its controls, as a user's do. Under Wine they reach the programs of the same
// desktop alike.
#include "probe.h"

namespace {
constexpr DWORD kCharacterMs = 10;  // between two typed characters
constexpr DWORD kSettleMs = 100;    // after an action, for the program to take it
constexpr DWORD kFocusMs = 2000;    // for the focus to reach a clicked item

struct NamedKey {
  const wchar_t* name;
  WORD key;
  bool extended;  // keys of the extended block: arrows, Home, End, Insert, Delete, pages
};

const NamedKey kKeys[] = {
    {L"Return", VK_RETURN, false}, {L"Enter", VK_RETURN, false}, {L"Tab", VK_TAB, false},
    {L"Escape", VK_ESCAPE, false}, {L"Esc", VK_ESCAPE, false},   {L"BackSpace", VK_BACK, false},
    {L"space", VK_SPACE, false},   {L"Delete", VK_DELETE, true}, {L"Insert", VK_INSERT, true},
    {L"Home", VK_HOME, true},      {L"End", VK_END, true},       {L"Prior", VK_PRIOR, true},
    {L"Page_Up", VK_PRIOR, true},  {L"Next", VK_NEXT, true},     {L"Page_Down", VK_NEXT, true},
    {L"Up", VK_UP, true},          {L"Down", VK_DOWN, true},     {L"Left", VK_LEFT, true},
    {L"Right", VK_RIGHT, true},    {L"ctrl", VK_CONTROL, false}, {L"control", VK_CONTROL, false},
    {L"alt", VK_MENU, false},      {L"shift", VK_SHIFT, false},  {L"super", VK_LWIN, true},
};

bool sameName(const std::wstring& a, const wchar_t* b) {
  return lstrcmpiW(a.c_str(), b) == 0;
}

INPUT keyInput(WORD key, bool extended, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

// A character the keyboard layout has a key for (with Shift at most) is typed with that key,
// as a user would; any other is given as the character itself.
void addCharacter(std::vector<INPUT>& inputs, wchar_t c) {
  if (c == L'\n' || c == L'\t') {
    const WORD key = c == L'\n' ? VK_RETURN : VK_TAB;
    inputs.push_back(keyInput(key, false, false));
    inputs.push_back(keyInput(key, false, true));
    return;
  }
  const SHORT scan = VkKeyScanW(c);
  const bool shift = (scan & 0x100) != 0;
  if (scan == -1 || (scan & 0x600) != 0) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(input);
    input.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(input);
    return;
  }
  const WORD key = static_cast<WORD>(scan & 0xFF);
  if (shift) inputs.push_back(keyInput(VK_SHIFT, false, false));
  inputs.push_back(keyInput(key, false, false));
  inputs.push_back(keyInput(key, false, true));
  if (shift) inputs.push_back(keyInput(VK_SHIFT, false, true));
}

ProbeResult send(std::vector<INPUT>& inputs) {
  if (inputs.empty()) return {};
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size())
    return ProbeFail(kProbeInput,
                     "the system refused the input (error " + std::to_string(GetLastError()) + ")");
  return {};
}

// One key with its modifiers, "ctrl+shift+End": pressed in order, released in reverse.
ProbeResult addChord(std::vector<INPUT>& inputs, const std::wstring& chord) {
  std::vector<INPUT> downs;
  size_t start = 0;
  while (start <= chord.size()) {
    size_t plus = chord.find(L'+', start);
    // A '+' at the very end is the key itself ("ctrl++").
    if (plus == start && plus + 1 == chord.size()) plus = std::wstring::npos;
    const std::wstring part = chord.substr(start, plus == std::wstring::npos ? plus : plus - start);
    const NamedKey* named = nullptr;
    for (const NamedKey& key : kKeys)
      if (sameName(part, key.name)) named = &key;
    if (named != nullptr) {
      downs.push_back(keyInput(named->key, named->extended, false));
    } else if (part.size() >= 2 && (part[0] == L'F' || part[0] == L'f') &&
               _wtoi(part.c_str() + 1) >= 1 && _wtoi(part.c_str() + 1) <= 24) {
      downs.push_back(
          keyInput(static_cast<WORD>(VK_F1 + _wtoi(part.c_str() + 1) - 1), false, false));
    } else if (part.size() == 1) {
      const SHORT scan = VkKeyScanW(part[0]);
      if (scan == -1) return ProbeFail(kProbeUsage, "no key for " + ProbeQuoted(part));
      if (scan & 0x100) downs.push_back(keyInput(VK_SHIFT, false, false));
      downs.push_back(keyInput(static_cast<WORD>(scan & 0xFF), false, false));
    } else {
      return ProbeFail(kProbeUsage,
                       "unknown key " + ProbeQuoted(part) + " in " + ProbeQuoted(chord));
    }
    if (plus == std::wstring::npos) break;
    start = plus + 1;
  }
  inputs.insert(inputs.end(), downs.begin(), downs.end());
  for (auto it = downs.rbegin(); it != downs.rend(); ++it) {
    INPUT up = *it;
    up.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  return {};
}

bool waitForFocus(HWND form, HWND control) {
  const DWORD start = GetTickCount();
  do {
    if (ProbeFocused(form) == control) return true;
    Sleep(20);
  } while (GetTickCount() - start < kFocusMs);
  return false;
}

bool isClass(HWND window, const char* name) {
  return lstrcmpiA(ProbeClassName(window).c_str(), name) == 0;
}
}  // namespace

ProbeResult ProbeClick(HWND control, int dx, int dy) {
  if (!IsWindowVisible(control))
    return ProbeFail(kProbeInput, "it is not visible: nothing to click");
  RECT rect = {};
  GetWindowRect(control, &rect);
  const POINT point = {dx >= 0 ? rect.left + dx : (rect.left + rect.right) / 2,
                       dy >= 0 ? rect.top + dy : (rect.top + rect.bottom) / 2};
  // Another window above it would take the click instead.
  HWND hit = WindowFromPoint(point);
  if (hit != nullptr && hit != control && !IsChild(control, hit) && hit != GetParent(control))
    return ProbeFail(kProbeInput, "it is covered there by a window of class " +
                                      ProbeClassName(hit) + " titled " +
                                      ProbeQuoted(ProbeWindowText(hit)));
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  // Each event carries the place: under Wine the pointer's own motion, reported back late by the
  // X server, could otherwise move the press elsewhere between the events.
  const DWORD flags[] = {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  std::vector<INPUT> inputs;
  for (DWORD button : flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the whole desktop.
    input.mi.dx = MulDiv(point.x - left, 65535, width > 1 ? width - 1 : 1);
    input.mi.dy = MulDiv(point.y - top, 65535, height > 1 ? height - 1 : 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | button;
    inputs.push_back(input);
  }
  const ProbeResult sent = send(inputs);
  if (sent.code != kProbeOk) return sent;
  Sleep(kSettleMs);
  return {};
}

ProbeResult ProbeKeys(const std::vector<std::wstring>& keys) {
  for (const std::wstring& chord : keys) {
    std::vector<INPUT> inputs;
    const ProbeResult parsed = addChord(inputs, chord);
    if (parsed.code != kProbeOk) return parsed;
    const ProbeResult sent = send(inputs);
    if (sent.code != kProbeOk) return sent;
    Sleep(kSettleMs);
  }
  return {};
}

ProbeResult ProbeTypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    std::vector<INPUT> inputs;
    addCharacter(inputs, c);
    const ProbeResult sent = send(inputs);
    if (sent.code != kProbeOk) return sent;
    Sleep(kCharacterMs);
  }
  Sleep(kSettleMs);
  return {};
}

ProbeResult ProbeFocus(const ProbeItem& item) {
  if (ProbeFocused(item.form) == item.control &&
      GetForegroundWindow() == GetAncestor(item.form, GA_ROOT))
    return {};
  const ProbeResult clicked = ProbeClick(item.control, -1, -1);
  if (clicked.code != kProbeOk) return clicked;
  // A click opens a drop-down list; Escape closes it again, leaving the focus in the box.
  if (isClass(item.control, "ComboBox") && SendMessageW(item.control, CB_GETDROPPEDSTATE, 0, 0))
    ProbeKeys({L"Escape"});
  if (waitForFocus(item.form, item.control)) return {};
  HWND focus = ProbeFocused(item.form);
  const std::wstring where = focus != nullptr ? ProbeNameOf(focus) : L"";
  return ProbeFail(kProbeInput, "the focus did not come to " +
                                    ProbeToUtf8(item.formName + L"." + item.itemName) +
                                    (where.empty() ? std::string(": it is elsewhere")
                                                   : ": it stays on " + ProbeToUtf8(where)));
}
