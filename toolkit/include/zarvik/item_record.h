// ItemRecord: everything the toolkit knows about one form item, held by value in the item table.
#pragma once

#include <cstdint>
#include <string>

#include "field_value.h"
#include "platform_types.h"

struct ItemRecord {
  std::string kind;             // one of the nine kind words; "" only for the empty record
  std::string format;           // FORMAT: date format or amount picture of a typed item
  int length = 0;               // LENGTH: maximum text of an EDIT item; 0 for no limit
  int order = 0;                // creation order number within the form, from 1
  HWND hwnd = nullptr;          // the native control; null until it is created
  std::string value;            // VALUE: caption or initial text
  bool notNull = false;         // NOTNULL: input required
  bool editable = false;        // EDIT: a COMBOSYS item also takes typed text
  bool checked = false;         // CHECK: check state as declared
  bool enabled = true;          // ENABLE: the item accepts input
  bool visible = true;          // VISIBLE: the item is shown
  bool password = false;        // PASSWORD: an EDIT masks what is typed
  bool multiLine = false;       // MULTILINE: an EDIT takes several lines
  std::int32_t backColour = 0;  // BKCOL as a COLORREF; -1 for unset
  std::int32_t textColour = 0;  // TXCOL as a COLORREF; -1 for unset
  HBRUSH backBrush = nullptr;   // brush of the background colour made at a colour request
  HBRUSH textBrush = nullptr;   // brush of the text colour made at a colour request
  int controlId = 0;            // order + 101 once the control exists
  int x = 0;                    // position and size in the form's client area, 96-DPI units,
  int y = 0;                    // for the form at its declared size (PLACE changes them)
  int width = 0;
  int height = 0;
  int anchor = 0;  // ANCHOR: edges kept at their distance, 1 left, 2 top, 4 right, 8 bottom;
                   // 16 fills the form; 0 as 3, left and top
  std::string buttonRole;  // BUTTON, upper case: "OK" or "CANCEL" closes the form
  std::string remark;      // REMARK: help text for the status bar
  std::string label;       // LABEL: the name screen readers give an input; "" for its label's
  std::string type;        // TYPE, upper case: "STRING", "DATE", "CURRENCY" or ""
  int textHPos = -1;       // TXHPOS: -1 left, 0 centre, 1 right
  int textVPos = -1;       // TXVPOS: -1 top, 0 centre, 1 bottom
  std::string fontName;    // FTNAME: "" keeps the drawing context's font
  int fontSize = 0;        // FTSIZE in points
  bool fontBold = false;   // FTBOLD, FTITALIC, FTULINE
  bool fontItalic = false;
  bool fontUnderline = false;
  int borderSize = 0;              // BRDSIZE in pixels
  std::int32_t borderColour = -1;  // BRDCOL of a SOLID border
  std::string borderStyle;         // BRDSTYLE: "SOLID", "3DOUT" or "3DIN"
  std::string properties;          // the whole property string as declared
  FieldValue field;                // the item's current value
};
