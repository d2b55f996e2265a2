// The baseline's dialog: template in global memory, a bare dialog procedure that creates the
// controls, answers colours and draw requests, shows remarks in the status bar, and closes.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "raw_dialog.h"
#include "raw_form.h"
#include "zarvik/zarvik.h"

namespace bench {

namespace {
constexpr int kStatusBarId = 100;

// What one open dialog holds beyond its description.
struct Session {
  RawForm* form;
  HBRUSH dialogBrush;
  HWND statusBar;
  std::vector<HBRUSH> editBrushes;  // two per control: text, background
  int x, y, width, height;
};

RawKind kindOf(const std::string& kind) {
  if (kind == ZK_STATIC) return RawKind::kStatic;
  if (kind == ZK_RECT) return RawKind::kRect;
  if (kind == ZK_EDIT) return RawKind::kEdit;
  if (kind == ZK_BUTTONSYS) return RawKind::kButtonSys;
  if (kind == ZK_BUTTON) return RawKind::kButton;
  if (kind == ZK_CHECKSYS) return RawKind::kCheckSys;
  if (kind == ZK_CHECK) return RawKind::kCheck;
  return RawKind::kCombo;
}

int colourOr(const std::string& text, int unset) {
  return text.empty() ? unset : static_cast<int>(ZK_ColourIntl(text));
}

std::wstring wide(const std::string& text) {
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  if (length > 0)
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], length);
  return result;
}

bool drawn(RawKind kind) {
  return kind == RawKind::kStatic || kind == RawKind::kRect || kind == RawKind::kButton ||
         kind == RawKind::kCheck;
}

RawControl compile(const BenchItem& item, COLORREF formBack) {
  const std::string& p = item.properties;
  RawControl c{};
  c.kind = kindOf(item.kind);
  c.x = item.x;
  c.y = item.y;
  c.width = item.width;
  c.height = item.height;
  c.id = item.order + 101;
  c.windowText = item.name;
  c.limit = ZK_TextToIntIntl(ZK_PropertyGetIntl(ZK_LENGTH, p), 10);
  c.checked = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_CHECK, p));
  c.remark = ZK_PropertyGetIntl(ZK_REMARK, p);
  const std::string value = ZK_PropertyGetIntl(ZK_VALUE, p);
  switch (c.kind) {
    case RawKind::kStatic:
    case RawKind::kRect:
      c.className = "STATIC";
      c.style = WS_CHILD | WS_VISIBLE | SS_OWNERDRAW;
      break;
    case RawKind::kEdit:
      c.className = "EDIT";
      c.windowText = "";
      c.exStyle = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
      c.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
      c.editText = value;
      break;
    case RawKind::kButtonSys:
      c.className = "BUTTON";
      c.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_PUSHBUTTON;
      break;
    case RawKind::kButton:
      c.className = "BUTTON";
      c.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
      break;
    case RawKind::kCheckSys:
      c.className = "BUTTON";
      c.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_AUTOCHECKBOX;
      c.width = 14;
      c.height = 14;
      break;
    case RawKind::kCheck:
      c.className = "BUTTON";
      c.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_OWNERDRAW;
      break;
    case RawKind::kCombo:
      c.className = "ComboBox";
      c.style =
          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL | CBS_DROPDOWNLIST;
      for (int i = 1; i <= 50; ++i) {
        const std::string entry = ZK_PropertyGetIntl("VALUE" + std::to_string(i), p);
        if (entry.empty()) break;
        c.comboEntries.push_back(entry);
      }
      break;
  }
  const bool boxed = c.kind == RawKind::kButton || c.kind == RawKind::kCheck;
  std::string borderStyle = ZK_UpperIntl(ZK_PropertyGetIntl(ZK_BRDSTYLE, p));
  c.borderStyle = borderStyle == "3DOUT" ? 1 : (borderStyle == "3DIN" ? 2 : 0);
  c.borderSize = ZK_TextToIntIntl(ZK_PropertyGetIntl(ZK_BRDSIZE, p), 10);
  if (c.borderSize < 0 || c.borderSize > 16) c.borderSize = 0;
  c.fillColour = colourOr(ZK_PropertyGetIntl(ZK_BKCOL, p), -1);
  int text = colourOr(ZK_PropertyGetIntl(ZK_TXCOL, p), -1);
  if (c.kind == RawKind::kCheck) {
    if (c.borderStyle != 0) {
      if (c.fillColour == -1) c.fillColour = 0xFFFFFF;
      if (text == -1) text = 0;
    }
    if (c.borderSize < 1) c.borderSize = 1;
  }
  c.textColour = text == -1 ? 0 : static_cast<COLORREF>(text);
  c.backColour = c.fillColour != -1 ? static_cast<COLORREF>(c.fillColour)
                                    : (boxed ? GetSysColor(COLOR_BTNFACE) : formBack);
  // A label without border shows the form's background outside its text cells.
  const bool bordered = c.kind == RawKind::kButton || c.borderStyle != 0 || c.borderSize > 0;
  c.groundColour = bordered ? c.backColour : formBack;
  c.borderColour = static_cast<COLORREF>(colourOr(ZK_PropertyGetIntl(ZK_BRDCOL, p), 0));
  c.fontFace = ZK_PropertyGetIntl(ZK_FTNAME, p);
  c.fontSize = ZK_TextToIntIntl(ZK_PropertyGetIntl(ZK_FTSIZE, p), 10);
  if (c.fontSize < 1 || c.fontSize > 256) c.fontSize = 10;
  c.bold = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_FTBOLD, p));
  c.italic = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_FTITALIC, p));
  c.underline = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_FTULINE, p));
  const std::string h = ZK_UpperIntl(ZK_PropertyGetIntl(ZK_TXHPOS, p));
  const std::string v = ZK_UpperIntl(ZK_PropertyGetIntl(ZK_TXVPOS, p));
  if (c.kind == RawKind::kButton) {
    c.textFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  } else {
    c.textFormat = h == "CENTER" ? DT_CENTER : (h == "RIGHT" ? DT_RIGHT : DT_LEFT);
    if (v == "CENTER") {
      c.textFormat |= DT_VCENTER | DT_SINGLELINE;
    } else if (v == "BOTTOM") {
      c.textFormat |= DT_BOTTOM | DT_SINGLELINE | DT_WORDBREAK;
    } else {
      c.textFormat |= DT_WORDBREAK;
    }
  }
  std::string shown = c.kind != RawKind::kRect ? value : "";
  if (c.kind == RawKind::kButton && shown.empty()) shown = item.name;
  c.text = wide(shown);
  c.name = shown.empty() ? item.name : shown;
  return c;
}

Session* sessionOf(HWND dialog) {
  return reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// What each drawn control leaves to its siblings, from where the controls stand: a hand-written
// program knows its layout, so this is found once, at the first opening, before any timing.
void place(HWND dialog, RawForm& form) {
  std::vector<ZK_ControlPlace> places;
  for (const RawControl& c : form.controls) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, c.id), &rect);
    places.push_back({rect, drawn(c.kind)});
  }
  const std::vector<std::vector<RECT>> leftOut = ZK_ItemOverlapsIntl(places);
  for (std::size_t i = 0; i < form.controls.size(); ++i) form.controls[i].leftOut = leftOut[i];
  form.placed = true;
}

void createControls(HWND dialog, Session& s) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (const RawControl& c : s.form->controls) {
    const char* text = c.kind == RawKind::kCombo ? nullptr : c.windowText.c_str();
    HWND control =
        CreateWindowExA(c.exStyle, c.className, text, c.style, c.x, c.y, c.width, c.height, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    if (control == nullptr) continue;
    RawAccessHook(control, c);
    if (c.kind == RawKind::kEdit) {
      SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(c.limit), 0);
      SetWindowTextA(control, c.editText.c_str());
    } else if (c.kind == RawKind::kCheckSys) {
      if (c.checked) SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
    } else if (c.kind == RawKind::kCombo) {
      SendMessageA(control, CB_LIMITTEXT, static_cast<WPARAM>(c.limit), 0);
      for (const std::string& entry : c.comboEntries)
        SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
      SendMessageA(control, CB_SETCURSEL, 0, 0);
    }
  }
  if (!s.form->placed) place(dialog, *s.form);
  s.statusBar = CreateWindowExA(
      0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), instance, nullptr);
  MoveWindow(dialog, s.x, s.y, s.width, s.height, TRUE);
  ShowWindow(dialog, SW_SHOWNORMAL);
}

const RawControl* controlOf(const Session& s, int id) {
  const int index = id - 102;
  if (index < 0 || index >= static_cast<int>(s.form->controls.size())) return nullptr;
  return &s.form->controls[static_cast<std::size_t>(index)];
}

INT_PTR editColours(Session& s, HDC dc, HWND control) {
  const RawControl* c = controlOf(s, GetDlgCtrlID(control));
  if (c == nullptr) return 0;
  const std::size_t slot = static_cast<std::size_t>(c->id - 102) * 2;
  const COLORREF ink = c->textColour;
  const COLORREF paper = c->fillColour == -1 ? 0xFFFFFF : static_cast<COLORREF>(c->fillColour);
  HBRUSH text = RawBrush(ink);
  SetTextColor(dc, ink);
  HBRUSH back = RawBrush(paper);
  SetBkColor(dc, paper);
  RawDelete(s.editBrushes[slot]);
  RawDelete(s.editBrushes[slot + 1]);
  s.editBrushes[slot] = text;
  s.editBrushes[slot + 1] = back;
  return reinterpret_cast<INT_PTR>(back);
}

void close(HWND dialog, Session* s) {
  if (s->statusBar != nullptr) DestroyWindow(s->statusBar);
  DestroyWindow(dialog);
  for (HBRUSH brush : s->editBrushes) RawDelete(brush);
  RawDelete(s->dialogBrush);
  delete s;
}

INT_PTR CALLBACK rawProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* s = reinterpret_cast<Session*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    createControls(dialog, *s);
    return TRUE;
  }
  Session* s = sessionOf(dialog);
  if (s == nullptr) return 0;
  switch (message) {
    case WM_SIZE:
      if (s->statusBar != nullptr) SendMessageA(s->statusBar, WM_SIZE, 0, 0);
      return TRUE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(s->dialogBrush);
    case WM_CTLCOLOREDIT:
      return editColours(*s, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
      const auto* request = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const RawControl* c = controlOf(*s, static_cast<int>(request->CtlID));
      if (c == nullptr) return 0;
      RawPaint(*c, *request);
      if (c->kind == RawKind::kButton && (request->itemAction & ODA_FOCUS))
        SendMessageA(s->statusBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c->remark.c_str()));
      return TRUE;
    }
    case WM_COMMAND: {
      const WORD code = HIWORD(wParam);
      if (code == EN_SETFOCUS || code == CBN_SETFOCUS || code == BN_SETFOCUS) {
        const RawControl* c = controlOf(*s, LOWORD(wParam));
        if (c != nullptr)
          SendMessageA(s->statusBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c->remark.c_str()));
        return TRUE;
      }
      return 0;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CLOSE) return 0;
      SetWindowLongPtrA(dialog, DWLP_USER, 0);
      close(dialog, s);
      return TRUE;
    default:
      return 0;
  }
}

}  // namespace

RawForm RawFormCompile(const std::vector<BenchItem>& items, const std::string& formProperties) {
  RawForm form;
  form.caption = "Zarvik Form";
  form.backColour =
      static_cast<COLORREF>(colourOr(ZK_PropertyGetIntl(ZK_BKCOL, formProperties), 0xFFFFFF));
  // The description is indexed by control id, so items are placed by their order number.
  std::vector<BenchItem> sorted = items;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const BenchItem& a, const BenchItem& b) { return a.order < b.order; });
  for (const BenchItem& item : sorted) form.controls.push_back(compile(item, form.backColour));
  return form;
}

const RawControl* RawControlOf(HWND control) {
  const Session* s = sessionOf(GetParent(control));
  return s != nullptr ? controlOf(*s, GetDlgCtrlID(control)) : nullptr;
}

HWND RawFormOpen(RawForm& form, HWND owner, int x, int y, int width, int height) {
  auto* s = new Session{&form,   RawBrush(form.backColour),
                        nullptr, std::vector<HBRUSH>(form.controls.size() * 2, nullptr),
                        x,       y,
                        width,   height};
  HWND dialog =
      RawDialogOpen(owner, form.caption, x, y, width, height, rawProc, reinterpret_cast<LPARAM>(s));
  if (dialog == nullptr) {
    RawDelete(s->dialogBrush);
    delete s;
  }
  return dialog;
}

void RawFormClose(HWND dialog) {
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace bench
