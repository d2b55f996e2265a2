// Internal interface of the form layer. Not installed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "window/window_intl.h"
#include "zarvik/item_record.h"
#include "zarvik/zarvik.h"

// --- forms_state.cpp ---------------------------------------------------------------------------

// Item key (form name, ".", item name) to record, in byte order.
using ZK_ItemTable = std::map<std::string, ItemRecord>;

struct ZK_Grid;

// Everything the form layer keeps between calls, one instance for the process; all of it belongs
// to one toolkit lifetime.
struct ZK_FormsState {
  ZK_ItemTable items;  // every declared item by key
  // Keys by control handle, each set in key order: the dialog procedure looks up the item of a
  // control for every message, which a walk of the whole table made cost as much as the table.
  std::map<HWND, std::set<std::string>> keysByControl;
  std::uint64_t orderVersion = 0;  // changes whenever a key is added or removed or an order changes
  std::string entryText;           // the text of the item that last received the focus ...
  bool entryCheckState = false;    // ... and its check state: an exit compares with them (ITEMCHG)
  bool refocusing = false;         // a refused field is taking the focus back
  // The data grids (grid_table.cpp): every DATAGRID item's grid by key, and by its list view and
  // editor, through which every cell the list shows is asked for.
  std::map<std::string, std::unique_ptr<ZK_Grid>> grids;
  std::unordered_map<HWND, ZK_Grid*> gridsByWindow;
  int gridVisits = 0;  // ZK_GridVisit objects alive now
  // Grids forgotten during a visit (their form closed from an event), kept until the last ends.
  std::vector<std::unique_ptr<ZK_Grid>> gridsForgotten;
};

ZK_FormsState& ZK_FormsStateIntl();

// --- item_table.cpp ----------------------------------------------------------------------------

std::string ZK_ItemKeyIntl(const std::string& form, const std::string& item);
// The record that stands for an item that does not exist.
ItemRecord ZK_ItemEmptyIntl();
// Inserts the record, or replaces the whole record stored under the key.
void ZK_ItemStoreIntl(const std::string& key, const ItemRecord& record);
void ZK_ItemRemoveIntl(const std::string& key);
// Forgets every item.
void ZK_ItemTableClearIntl();
// The table itself, for tests.
const ZK_ItemTable& ZK_ItemTableIntl();
// Changes the stored record of an item in one step: change must make no native call, so that no
// handler re-entered meanwhile can have stored the record in between. False when there is none.
bool ZK_ItemChangeIntl(const std::string& form, const std::string& item,
                       const std::function<void(ItemRecord&)>& change);
// The form's items in key order (its keys are contiguous in the table, since they share the
// prefix "form."): visit gets each item's name and record; nothing may be stored meanwhile.
void ZK_ItemsOfFormIntl(const std::string& form,
                        const std::function<void(const std::string&, const ItemRecord&)>& visit);
// The names of the form's items, in key order, for walks that change the table.
std::vector<std::string> ZK_ItemNamesOfFormIntl(const std::string& form);
// Order number to item name for a form's items; of two with one number, the first in key order.
std::map<int, std::string> ZK_ItemOrdersIntl(const std::string& form);
// Changes each time a key is added or removed or a stored record's order changes.
std::uint64_t ZK_ItemOrderVersionIntl();
// The item of the form whose control is that handle (form compared without ASCII case), or "".
std::string ZK_FormItemByControlIntl(const std::string& form, HWND control);

// --- item_kinds.cpp ----------------------------------------------------------------------------

// What a click on an item's control does.
enum class ZK_Click { kNothing, kToggle, kEvent };
// The window text a new control gets.
enum class ZK_ControlText { kNone, kEmpty, kItemName };
// What an item's value starts as once its control exists.
enum class ZK_InitialValue { kUnchanged, kValueText, kFirstEntry, kChecked };

// One kind of item: its native control and how the toolkit treats it.
struct ZK_ItemKind {
  const char* name;       // the kind word, as the application passes it
  const char* className;  // the native control's class; null when none is made (DATAGRID)
  ZK_ControlText text;    // the new control's window text
  DWORD exStyle;
  DWORD style;                          // without the visibility bits
  DWORD (*styleOf)(const ItemRecord&);  // bits the record adds, or null
  bool identified;                      // the control carries the item's identifier, order + 101
  int fixedSize;            // the control is this many pixels square whatever its size; 0: its own
  bool typed;               // takes a TYPE, STRING when none is given
  bool formatted;           // a DATE or CURRENCY TYPE needs a FORMAT
  bool drawn;               // drawn by the toolkit's painter (owner-drawn)
  bool enableApplies;       // ENABLE=false disables its control
  ZK_Click click;           // a click toggles its check state, raises ITEMCLIC, or does nothing
  ZK_InitialValue initial;  // the value's text is VALUE, or VALUE1 (selected), or its check
                            // state CHECK
  // Fills a new control from the declared record (limit, text, list, check), or null. Status 0,
  // or 1003 when the text cannot be set (not reported).
  int (*fill)(HWND control, const ItemRecord& declared);
};

// The kind of that word (compared exactly), or null.
const ZK_ItemKind* ZK_ItemKindIntl(const std::string& kind);

// --- item_keywords.cpp -------------------------------------------------------------------------

// How a keyword's text becomes a field's value.
enum class ZK_Reading {
  kNone,               // not read at this time
  kText,               // as it is
  kUpper,              // upper-cased (ASCII letters)
  kTrue,               // a true word (T, TRUE, Y, YES)
  kNotFalse,           // anything but a false word (F, FALSE, N, NO)
  kDecimal,            // decimal integer ("" and unreadable texts give 0)
  kColour,             // colour name or hexadecimal number ("" gives 0, black; "-1", unset)
  kColourOrUnset,      // "" gives -1, unset; otherwise as kColour
  kHorizontal,         // upper-cased: CENTER 0, RIGHT 1, anything else -1 (left)
  kHorizontalOrDigit,  // as kHorizontal, and "0" and "1" as CENTER and RIGHT
  kVertical,           // upper-cased: CENTER 0, BOTTOM 1, anything else -1 (top)
  kVerticalOrDigit,    // as kVertical, and "0" and "1" as CENTER and BOTTOM
  kBorderStyle,        // upper-cased; "" gives SOLID (the declaration checks the word)
};

// Where a keyword's value goes: one member of the record or of its value; none for a keyword
// that only acts on the control.
struct ZK_ItemField {
  constexpr ZK_ItemField() = default;
  constexpr ZK_ItemField(std::string ItemRecord::*member) : text(member) {}
  constexpr ZK_ItemField(int ItemRecord::*member) : number(member) {}
  constexpr ZK_ItemField(bool ItemRecord::*member) : flag(member) {}
  constexpr ZK_ItemField(std::string FieldValue::*member) : valueText(member) {}
  constexpr ZK_ItemField(bool FieldValue::*member) : valueFlag(member) {}
  constexpr bool empty() const {
    return text == nullptr && number == nullptr && flag == nullptr && valueText == nullptr &&
           valueFlag == nullptr;
  }

  std::string ItemRecord::*text = nullptr;
  int ItemRecord::*number = nullptr;
  bool ItemRecord::*flag = nullptr;
  std::string FieldValue::*valueText = nullptr;
  bool FieldValue::*valueFlag = nullptr;
};

// Declared numbers outside low..high become outside.
struct ZK_Range {
  int low;
  int high;
  int outside;
};

// What ZK_FormItemSet does to the control once the change is stored.
enum class ZK_Native { kNone, kEnable, kShow, kReturn, kAddValue, kClearValue };

// One item keyword: how ZK_FormItemAdd reads it, whether and how ZK_FormItemSet changes it, and
// what a change does to the control.
struct ZK_ItemKeyword {
  const char* name;
  ZK_ItemField field;   // the field it fills
  ZK_Reading declared;  // kNone: not read at declaration
  ZK_Range range;       // of a declared number
  ZK_Reading changed;   // kNone: ZK_FormItemSet refuses the keyword (19)
  ZK_Native native;
  ZK_ItemField changedField;  // the field a change fills instead, when it is another
};

// The keywords, in the order a declaration reads them.
const std::vector<ZK_ItemKeyword>& ZK_ItemKeywordsIntl();
// The keyword of that name (compared exactly), or null.
const ZK_ItemKeyword* ZK_ItemKeywordIntl(const std::string& name);
// Reads every keyword of a property string into a new record, as declared.
void ZK_ItemKeywordsDeclareIntl(const std::string& properties, ItemRecord& record);
// Reads one value into the record as a change of the keyword.
void ZK_ItemKeywordChangeIntl(const ZK_ItemKeyword& keyword, const std::string& value,
                              ItemRecord& record);

// --- field_check.cpp ---------------------------------------------------------------------------

// What the exit of a typed field makes of its text: the same rules for every editor of a value.
struct ZK_FieldCheck {
  bool refused = false;  // the focus goes back to the field
  std::string message;   // for the status bar: "Saisie obligatoire", "Saisie incorrecte" (or
                         // the catalogue's text in the application's language), or ""
  bool rewrite = false;  // the field then shows `shown` instead of what it holds
  std::string shown;     // the text cut to LENGTH, or the date or amount written in FORMAT
  FieldValue value;      // the item's value with the text, and the date or amount, read
};

// Checks text against the item's TYPE, FORMAT, LENGTH and NOTNULL. Nothing is stored or shown; a
// refusal reads its message from the catalogue.
ZK_FieldCheck ZK_FieldCheckIntl(const ItemRecord& item, const std::string& text);
// The text cut to an item's LENGTH in characters of the program's code page (0: not cut).
std::string ZK_LengthCutIntl(const std::string& text, int length);

// --- item_create.cpp ---------------------------------------------------------------------------

// The item's control rectangle in its dialog at a DPI (a fixed-size kind keeps its own size).
RECT ZK_ItemPlaceIntl(const ItemRecord& item, int dpi);
// Creates the native control of an item on the form's dialog, at the form's DPI. Statuses 18,
// 26, 1001, 1003.
int ZK_FormCreateItem(HWND parent, const std::string& form, const std::string& item);

// --- form_proc.cpp -----------------------------------------------------------------------------

// One message of a form's dialog, unpacked once by the dialog procedure for its handlers.
struct ZK_FormMessage {
  HWND dialog = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::string form;  // the form's registry name
  std::string item;  // the item the message concerns (its control is lParam), "" when none
};

// The dialog procedure of every form. The form's name comes with WM_INITDIALOG (the creation
// parameter) and stays with the dialog (DWLP_USER).
INT_PTR CALLBACK ZK_FormProcIntl(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Raises an event of the message's form and item with the message's values; 0 when the form has
// no event procedure, else its answer.
int ZK_FormRaiseIntl(const ZK_FormMessage& m, const char* event);
// The form's event procedure, null when it has none or is not registered.
ZK_FormEventProc ZK_FormEventsIntl(const std::string& form);

// --- item_access.cpp ---------------------------------------------------------------------------

// What assistive technology hears of an item; `known` false leaves the platform's own answers.
struct ZK_ItemAccess {
  bool known = false;
  std::string name;         // what a sighted user reads as the item's name
  LONG role = 0;            // a ROLE_SYSTEM_ value, 0 for the platform's own
  bool checked = false;     // a CHECK's cross
  std::string description;  // the REMARK the status bar shows while the item is current
};
// Answers the platform's accessibility requests to the control with the item's texts.
void ZK_ItemAccessAttachIntl(HWND control);
// Tells accessibility clients that a run-time change of that keyword changed what they read.
void ZK_ItemAccessChangedIntl(const std::string& form, const std::string& item,
                              const std::string& keyword);
// Tells them that the status bar shows a new message, without moving the focus.
void ZK_ItemAccessAnnounceIntl(HWND statusBar);

// --- name_query.cpp ----------------------------------------------------------------------------

// True for the registered message ZK_NAME_QUERY, with which another program asks names.
bool ZK_NameQueryIntl(UINT message);
// The answer of a form's dialog: a global atom of the form's name (asked for the dialog) or of
// "form.item" (asked for one of its item controls), whose reference goes to the asker; else 0.
// Given as the message's result (DWLP_MSGRESULT); returns TRUE, handled.
INT_PTR ZK_NameAnswerIntl(HWND dialog, WPARAM asked);

// --- form_command.cpp --------------------------------------------------------------------------

// WM_COMMAND from an item's control: focus, validation, buttons, check items and their events.
int ZK_FormCommandIntl(const ZK_FormMessage& m);

// --- item_paint.cpp ----------------------------------------------------------------------------

// WM_DRAWITEM: draws the owner-drawn item m.item; 1 when drawn, 0 otherwise.
int ZK_FormItemPaintIntl(const ZK_FormMessage& m);
// WM_CTLCOLOREDIT: the background brush for the control of m.item.
HBRUSH ZK_FormItemColourIntl(const ZK_FormMessage& m);
// Releases the brushes the form's items keep from their last colour requests (a refusal is
// reported, naming the caller).
void ZK_FormItemBrushesReleaseIntl(const std::string& form);

// --- item_border.cpp ---------------------------------------------------------------------------

// A SOLID, 3DOUT or 3DIN border, its size in 96-DPI units drawn at dpi; background -1 fills
// nothing. Statuses 25, 1040, 1042, 1043, 1011 (returned; 1044, 1046 and 1028 reported on the
// way, naming the caller).
int ZK_FormItemBorderIntl(HDC dc, int left, int top, int right, int bottom,
                          const std::string& style, int size, std::int32_t colour,
                          std::int32_t background, int dpi = 96);
// The cross of a checked CHECK item, its line width in 96-DPI units drawn at dpi. Statuses 1042
// (a failing first move is also reported), 1043.
int ZK_FormItemCrossIntl(HDC dc, int left, int top, int right, int bottom, int lineWidth,
                         std::int32_t colour, int dpi = 96);

// --- item_font.cpp -----------------------------------------------------------------------------

// ZK_FormItemFontSet with the size in points at dpi rather than at the context's resolution: a
// drawn item's font follows its form's DPI.
int ZK_ItemFontSelectIntl(HDC dc, const std::string& face, int size, bool bold, bool italic,
                          bool underline, int dpi);

// --- item_set.cpp ------------------------------------------------------------------------------

// Repaints one item's control. Statuses 18, 1019.
int ZK_FormItemRedrawIntl(const std::string& form, const std::string& item);

// --- form.cpp ----------------------------------------------------------------------------------

// The registry name whose record has that window handle, "" when none has (name order).
std::string ZK_WindowNameByHandleIntl(HWND window);

// --- form_template.cpp -------------------------------------------------------------------------

// The dialog template of a form in zero-filled fixed global memory: at least 1024 bytes, more when
// the caption needs them; pixels become dialog units. The caller frees the block. Statuses 1015,
// 1016 (reported, naming the caller).
int ZK_FormTemplateIntl(const std::string& caption, DWORD style, int x, int y, int width,
                        int height, HGLOBAL* block);

// --- form_status.cpp ---------------------------------------------------------------------------

// The text of an open form's status bar; false when the form shows none.
bool ZK_FormStatusGetIntl(const std::string& form, std::string* text);
// Shows a text in it; false when the form shows none.
bool ZK_FormStatusShowIntl(const std::string& form, const std::string& text);

// --- grid_*.cpp: the data grid -----------------------------------------------------------------
// A DATAGRID item with columns is a list view in report view and owner-data mode: it asks for
// the text of each cell it shows, so rows cost nothing until shown. Its rows are held by the
// toolkit (ZK_GridRows) or by the application (a row count and a cell procedure). A grid lives in
// the grid table as an object, reached by its key or its windows for the length of one visit (a
// message, a public call); an event procedure may forget it meanwhile, which marks it
// `forgotten` and keeps it in memory until the visit ends.

// --- grid_rows.cpp ---

// Rows of texts held compactly: a row's cells are written one after the other (a length, then
// the bytes) into large chunks, and a row is one 32-bit reference. Cells are kept by slot, a
// column's number for good, so that a column added later finds the rows without it empty.
class ZK_GridRows {
 public:
  ZK_GridRows();
  ~ZK_GridRows();
  ZK_GridRows(const ZK_GridRows&) = delete;
  ZK_GridRows& operator=(const ZK_GridRows&) = delete;

  std::size_t Count() const { return refs_.size(); }
  // Inserts a row before `at` (at most Count()); false when no more text fits.
  bool Insert(std::size_t at, const std::vector<std::string_view>& cells);
  void Erase(std::size_t at);
  // A view of a cell, valid until the next change; "" for a slot the row does not have.
  std::string_view Cell(std::size_t row, std::size_t slot) const;
  bool Set(std::size_t row, std::size_t slot, std::string_view text);
  // Row i becomes the row that was at order[i]; order is a permutation of the rows.
  void Reorder(const std::vector<std::uint32_t>& order);
  void Clear();
  // The bytes held: chunks and references.
  std::size_t Bytes() const;

 private:
  struct Chunk;
  bool Write(const std::vector<std::string_view>& cells, std::uint32_t* ref);
  void Release(std::uint32_t ref);
  void Compact();
  const char* At(std::uint32_t ref) const;

  std::vector<std::uint32_t> refs_;  // one per row, in the order shown: chunk and offset
  std::vector<Chunk> chunks_;        // some empty, ready for reuse
  std::size_t open_ = 0;             // the chunk new rows are written into
  std::size_t live_ = 0;             // bytes of rows in use
  std::size_t dead_ = 0;             // bytes of rows replaced or erased, until compacted
};

// --- grid_table.cpp ---

// One column of a grid, as declared and changed.
struct ZK_GridColumn {
  std::string name;
  int order = 0;  // place among the columns, as declared
  int width = 0;  // pixels as declared; the user's drags live in the control
  // Its keywords read as an item's: VALUE (the title), TYPE, FORMAT, LENGTH, NOTNULL (what its
  // editor checks), TXHPOS, REMARK, ENABLE (false: read-only), BKCOL and TXCOL (-1 unset).
  ItemRecord field;
  std::size_t slot = 0;  // where held rows keep its cells
};

// One grid and everything it holds.
struct ZK_Grid {
  std::string form;  // names given to the event and cell procedures
  std::string item;
  std::vector<ZK_GridColumn> columns;  // in display order: by order, then as declared
  std::size_t slots = 0;               // slots given to columns so far
  HWND list = nullptr;                 // the list view, while the form is open
  HWND editor = nullptr;               // the cell editor, while open
  HFONT font = nullptr;                // the item's font (FTNAME...), made by the toolkit
  ZK_GridRows rows;                    // held rows
  ZK_GridCellProc cellProc = nullptr;  // virtual rows: the application's procedure...
  int virtualCount = 0;                // ... and its number of rows
  int row = -1;                        // the current cell
  int column = 0;
  int editRow = -1;  // the cell being edited
  int editColumn = -1;
  std::string editBefore;    // the text that cell had when the editor opened
  bool statusSaved = false;  // the status bar text before a refusal's message...
  std::string statusBefore;  // ... to be put back when the edit ends
  std::string sortColumn;    // the last sort
  bool descending = false;
  COLORREF back = 0;  // the item's colours as applied (BKCOL, TXCOL or the system's)
  COLORREF ink = 0;
  bool columnColours = false;  // a column has colours of its own
  bool selecting = false;      // the grid is changing the list's selection itself
  // The list's focused row, as its notifications tell: asking the list walks its rows in some
  // list views.
  int focused = -1;
  GridRecord event;        // the cell of the event raised last
  std::string text;        // reused for the cell requests
  std::string name;        // reused for the column passed to the cell procedure
  bool forgotten = false;  // its form was forgotten during the visit
};

// A message a grid is handling, given on to the events it raises.
struct ZK_GridMessage {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Keeps every grid in memory while it lives: hold one for the length of any handling that calls
// out to the application, and stop when the grid comes back `forgotten` (or without its list).
class ZK_GridVisit {
 public:
  ZK_GridVisit();
  ~ZK_GridVisit();
  ZK_GridVisit(const ZK_GridVisit&) = delete;
  ZK_GridVisit& operator=(const ZK_GridVisit&) = delete;
};

// Key ("form.item") of a grid.
ZK_Grid* ZK_GridFindIntl(const std::string& form, const std::string& item);
// The grid of a list view or of its editor, or null.
ZK_Grid* ZK_GridByWindowIntl(HWND window);
// The grid of a DATAGRID item, made when it has none yet; null with the status (18, 27).
ZK_Grid* ZK_GridOfItemIntl(const std::string& form, const std::string& item, int* status);
// A grid and one of its columns, found by name.
struct ZK_GridColumnRef {
  ZK_Grid* grid = nullptr;  // null when not found, with the status (18, 27, 28)
  int index = -1;
  int status = ZK_OK;
};
ZK_GridColumnRef ZK_GridColumnOfIntl(const std::string& form, const std::string& item,
                                     const std::string& column);
// Records or forgets which grid a window belongs to.
void ZK_GridWindowIntl(HWND window, ZK_Grid* grid);
// The grids of a form, for the length of a visit.
std::vector<ZK_Grid*> ZK_GridsOfFormIntl(const std::string& form);
// Forgets the grids of a closed form (ZK_FormClose), or all of them (the forms layer's reset).
void ZK_GridForgetFormIntl(const std::string& form);
void ZK_GridTableResetIntl(ZK_FormsState& state);

// The grid's number of rows, held or virtual.
int ZK_GridRowCountIntl(const ZK_Grid& grid);
// The text of a cell, valid until the next request or change (a virtual grid asks its procedure;
// held rows are not copied). "" outside the grid.
std::string_view ZK_GridCellIntl(ZK_Grid& grid, int row, std::size_t column);
// The index of a named column, or -1.
int ZK_GridColumnIndexIntl(const ZK_Grid& grid, const std::string& column);
// Calls the form's event procedure for the grid with `event` already filled in. Its result, or 0
// when the form has none. The grid may be forgotten afterwards.
int ZK_GridRaiseIntl(const ZK_Grid& grid, const char* event, const ZK_GridMessage& cause);

// --- grid_create.cpp ---

// Makes a DATAGRID item's list view on its form's dialog, when it has columns; without columns
// nothing is made and the status is 0. Statuses 1001, 1006.
int ZK_GridCreateIntl(HWND dialog, const std::string& form, const std::string& item,
                      int identifier);
// Inserts one column into a live list view at its display index.
bool ZK_GridColumnInsertIntl(ZK_Grid& grid, int index);
// Applies a column's title and alignment to the live list view, and the sort arrows.
void ZK_GridColumnShowIntl(const ZK_Grid& grid, int index);
// The columns' widths, from one DPI to another (the form moved to a monitor of another scale).
void ZK_GridRescaleIntl(const ZK_Grid& grid, int from, int to);
// Applies the item's colours and font again after ZK_FormItemSet.
void ZK_GridItemChangedIntl(const std::string& form, const std::string& item);
// Tells the list view the number of rows, keeping the current cell within them.
void ZK_GridRowsChangedIntl(ZK_Grid& grid);

// --- grid_view.cpp ---

// WM_NOTIFY from a grid's list view: cell texts, colours, the current row, a title's click.
// Sets the dialog's answer itself; 0 when the notification is not a grid's.
INT_PTR ZK_GridNotifyIntl(const ZK_FormMessage& m);
// Makes a cell current (scrolled into view, repainted), its row alone selected or, with `extend`,
// the rows from the selection's anchor to it; with a cause, raises ROWCHG when the row changed.
// False when the grid was forgotten meanwhile.
bool ZK_GridMoveIntl(ZK_Grid& grid, int row, int column, const ZK_GridMessage* cause,
                     bool extend = false);
// Selects one row (none for -1) and makes it the list's focused row.
void ZK_GridSelectOnlyIntl(ZK_Grid& grid, int row);
// The status bar shows the current column's remark (or the grid's); false when neither has one.
bool ZK_GridShowRemarkIntl(const ZK_Grid& grid);
// The subclass procedure of a grid's list view: keys, clicks, focus, and its end.
LRESULT CALLBACK ZK_GridListProcIntl(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);

// --- grid_edit.cpp ---

// Opens the editor over the current cell, with `typed` replacing its text when not empty.
// False when the cell cannot be edited.
bool ZK_GridEditOpenIntl(ZK_Grid& grid, const std::string& typed);
// Checks and stores the editor's text: true when the editor is closed afterwards (accepted, or
// nothing to do); false when it stays open (refused or vetoed). The grid may be forgotten after.
bool ZK_GridEditCommitIntl(ZK_Grid& grid, const ZK_GridMessage& cause);
// Closes the editor without storing anything.
void ZK_GridEditCancelIntl(ZK_Grid& grid);
// A form closes: its grids' open edits are taken (with CELLCHG) when they can be, else dropped.
void ZK_GridFormClosingIntl(const std::string& form);
// Places the editor over its cell again after a scroll or a column's resize.
void ZK_GridEditPlaceIntl(const ZK_Grid& grid);
// The rectangle of a cell in the list view's client area; false when it has none.
bool ZK_GridCellRectIntl(const ZK_Grid& grid, int row, int column, RECT* cell);

// --- grid_sort.cpp ---

// Sorts held rows by a column's typed values (each read once), the current row following its
// row; marks the column's title and repaints. A virtual grid's rows are left to the application.
// Raises nothing.
void ZK_GridSortIntl(ZK_Grid& grid, int column, bool descending);

// --- grid_copy.cpp ---

// The selected rows (or the current one) on the clipboard as tab-separated text.
bool ZK_GridCopyIntl(ZK_Grid& grid);
