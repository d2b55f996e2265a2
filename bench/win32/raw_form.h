// The baseline: the same dialog, controls and drawing as a toolkit form, written directly against
// Win32 by hand, from a description compiled before any timing starts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bench_items.h"

namespace bench {

enum class RawKind { kStatic, kRect, kEdit, kButtonSys, kButton, kCheckSys, kCheck, kCombo };

// One control as a hand-written program would hold it: everything already decided.
struct RawControl {
  std::string name;  // what screen readers hear: the text it shows, else its window text
  RawKind kind;
  const char* className;
  std::string windowText;  // the item name, or "" (no text for a combo box)
  DWORD exStyle;
  DWORD style;
  int x, y, width, height;
  int id;  // order + 101, for every control
  std::vector<std::string> comboEntries;
  std::string editText;
  int limit;
  bool checked;
  // Owner drawing.
  COLORREF textColour;    // already defaulted
  COLORREF backColour;    // text background, already defaulted
  COLORREF groundColour;  // the erase: the form's background where no border fills
  int fillColour;         // -1: no fill
  std::string fontFace;   // "": the context's font
  int fontSize;
  bool bold, italic, underline;
  int borderStyle;  // 0 solid, 1 raised, 2 sunken
  int borderSize;
  COLORREF borderColour;
  UINT textFormat;
  std::wstring text;  // drawn text, in UTF-16 as a program of any code page draws it
  std::string remark;
  // The parts of its siblings it must not paint (a frame's items, the combo box a label reaches
  // over), in its own pixels: known once the controls stand, as a hand-written layout knows them.
  std::vector<RECT> leftOut;
};

struct RawForm {
  std::string caption;
  COLORREF backColour;
  std::vector<RawControl> controls;  // index = id - 102
  bool placed = false;               // leftOut found (at the first opening, before timing)
};

// Reads the items' property strings once, as a compiler would for a hand-written program.
RawForm RawFormCompile(const std::vector<BenchItem>& items, const std::string& formProperties);
// Opens the dialog modelessly under the baseline's dialog procedure; null on failure. The first
// opening finds what each drawn control leaves to its siblings.
HWND RawFormOpen(RawForm& form, HWND owner, int x, int y, int width, int height);
// The description of a control of an open dialog, or null.
const RawControl* RawControlOf(HWND control);
// Closes it as the close box does.
void RawFormClose(HWND dialog);
// GDI objects the baseline made and has not released yet.
long RawGdiCount();

// --- raw_access.cpp ---
// Puts the baseline's procedure in front of a control's own, as a hand-written program that names
// its controls for screen readers does: it answers their request and hands the rest on.
void RawAccessHook(HWND control, const RawControl& description);

// --- raw_paint.cpp ---
// Draws one owner-drawn control as the toolkit's painter does, with the same GDI calls.
void RawPaint(const RawControl& control, const DRAWITEMSTRUCT& request);
HBRUSH RawBrush(COLORREF colour);
void RawDelete(HGDIOBJ object);

}  // namespace bench
