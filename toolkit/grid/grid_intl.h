// Internal interface of the grid layer (toolkit/grid/): a DATAGRID item's list, its rows, editors,
// keys, paste, copy and sort. Above the forms, whose internal header it includes. Not installed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "forms/forms_intl.h"
#include "zarvik/grid_record.h"
#include "zarvik/zarvik.h"

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
  // Erases the rows of those numbers (ascending, each once) in one pass over the rows.
  void Erase(const std::vector<int>& ascending);
  // A view of a cell, valid until the next change; "" for a slot the row does not have.
  std::string_view Cell(std::size_t row, std::size_t slot) const;
  bool Set(std::size_t row, std::size_t slot, std::string_view text);
  // Row i becomes the row that was at order[i]; order is a permutation of the rows.
  void Reorder(std::vector<std::uint32_t> order);
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

// --- grid_state.cpp ---

struct ZK_Grid;

// Everything the grid layer keeps between calls, one instance for the process.
struct ZK_GridState {
  // Every DATAGRID item's grid by key, and by its list view and editor, through which every cell
  // the list shows is asked for.
  std::map<std::string, std::unique_ptr<ZK_Grid>> grids;
  std::unordered_map<HWND, ZK_Grid*> gridsByWindow;
  int visits = 0;  // ZK_GridVisit objects alive now
  // Grids forgotten during a visit (their form closed from an event), kept until the last ends.
  std::vector<std::unique_ptr<ZK_Grid>> forgotten;
  // The keys of the last sort of held rows, kept for the next up to a size (grid_sort.cpp).
  std::vector<std::uint64_t> sortKeys;
};

// The grid layer's state; its first use registers the layer's reset and the forms' hooks.
ZK_GridState& ZK_GridStateIntl();

// --- grid_table.cpp ---

// One column of a grid, as declared and changed.
struct ZK_GridColumn {
  std::string name;
  int order = 0;  // place among the columns, as declared
  int width = 0;  // 96-DPI units as declared; the user's drags live in the control
  // Its keywords read as an item's: VALUE (the title), TYPE, FORMAT, LENGTH, NOTNULL (what its
  // editor checks), TXHPOS, REMARK, ENABLE (false: read-only), VISIBLE, BKCOL and TXCOL (-1
  // unset), EDIT (a CHOICE takes other texts); its properties hold a CHOICE's VALUE1...
  ItemRecord field;
  const ZK_DataType* type = nullptr;  // the row of field.type
  std::size_t slot = 0;               // where held rows keep its cells
};

// One grid and everything it holds.
struct ZK_Grid {
  std::string form;  // names given to the event and cell procedures
  std::string item;
  std::vector<ZK_GridColumn> columns;  // in display order: by order, then as declared
  std::size_t slots = 0;               // slots given to columns so far
  HWND list = nullptr;                 // the list view, while the form is open
  HWND editor = nullptr;               // the cell editor, while open: an edit or a combo box
  HWND editorEdit = nullptr;           // the edit inside a choice's combo box that takes text
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
  // What the grid knows of its list without asking it (a question is a message through the
  // list's subclass, and on some systems a trip to another process): no row other than `alone`
  // is selected (-1: no row is), or kSelectionUnknown; forgotten at any change of the selection
  // the list notifies.
  static constexpr int kSelectionUnknown = -2;
  int alone = kSelectionUnknown;
  // The current column was last found in view with this column, horizontal scroll position and
  // client width (viewColumn -1: not since the columns last changed).
  int viewColumn = -1;
  int viewScroll = 0;
  int viewWidth = 0;
  // The list's selection mark (the anchor of its Shift+click) as the grid last moved it, given to
  // the list before any message that may read it, not at every move.
  int mark = -1;
  bool markPending = false;
  bool moving = false;     // the current cell is moving: its frame waits for the list's repaint
  int paintFocus = -1;     // whether the grid had the focus in the paint under way; -1 not read
  GridRecord event;        // the cell of the event raised last
  std::string text;        // reused for the cell requests
  std::string name;        // reused for the column passed to the cell procedure
  bool forgotten = false;  // its form was forgotten during the visit
  // What the item's properties let the user do (ADDROWS, DELROWS, PASTE), read when the list is
  // made, and the application's colour procedure (ZK_FormGridColours).
  bool addRows = false;
  bool deleteRows = false;
  bool paste = false;
  ZK_GridColourProc colourProc = nullptr;
  bool checkColumns = false;  // a column is a CHECK, drawn as a box
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
void ZK_GridTableResetIntl(ZK_GridState& state);

// The grid's number of rows, held or virtual.
int ZK_GridRowCountIntl(const ZK_Grid& grid);
// The text of a cell, valid until the next request or change (a virtual grid asks its procedure;
// held rows are not copied). "" outside the grid.
std::string_view ZK_GridCellIntl(ZK_Grid& grid, int row, std::size_t column);
// The index of a named column, or -1.
int ZK_GridColumnIndexIntl(const ZK_Grid& grid, const std::string& column);
// Raises an event of the grid (its record's `event` already filled in) through the forms' one
// raising function. Its result, or 0 when the form has none. The grid may be forgotten after.
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
// Applies a column's width (0 while hidden) to the live list view.
void ZK_GridColumnWidthShowIntl(const ZK_Grid& grid, int index);

// --- grid_view.cpp ---
// Repaints the rows and leaves the column headers be: a themed header repaints slowly, and
// changes of rows, colours or order leave it as it was (a sort's arrow repaints itself).
void ZK_GridRowsRepaintIntl(const ZK_Grid& grid);

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

// The next shown column from `column` in a direction (+1, -1), `column` itself when shown and
// step is 0; -1 when there is none.
int ZK_GridShownColumnIntl(const ZK_Grid& grid, int column, int step);

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
// A cell takes a text already checked (`field`, what the check read) in place of `previous`: a
// held cell takes it, then CELLCHG is raised (a veto puts the old text back); a virtual grid's
// application stores it during the event. True when taken. The grid may be forgotten after.
bool ZK_GridCellChangeIntl(ZK_Grid& grid, int row, int column, const std::string& text,
                           const std::string& previous, const FieldValue& field,
                           const ZK_GridMessage& cause);
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

// --- grid_select.cpp ---

// The selected rows, ascending.
std::vector<int> ZK_GridSelectedIntl(const ZK_Grid& grid);
// Selects rows first to last, replacing the selection unless `add`; first -1 clears it.
void ZK_GridSelectRangeIntl(ZK_Grid& grid, int first, int last, bool add);
// Insert or Tab past the last cell: a row added at `row` through ROWINS. False when none was.
bool ZK_GridRowAddIntl(ZK_Grid& grid, int row, const ZK_GridMessage& cause);
// Delete: the selected rows (or the current one) deleted through ROWDEL.
void ZK_GridRowsDeleteIntl(ZK_Grid& grid, const ZK_GridMessage& cause);

// --- grid_paste.cpp ---

// Pastes tab-separated text at the current cell; a status as ZK_FormGridPaste's.
int ZK_GridPasteIntl(ZK_Grid& grid, const std::string& text, const ZK_GridMessage& cause);
// The clipboard's text in the program's code page (Unicode text preferred); false when none.
bool ZK_GridClipboardTextIntl(HWND owner, std::string* text);

// --- grid_check.cpp ---

// Draws the boxes of a row's CHECK cells over what the list drew.
void ZK_GridCheckBoxesDrawIntl(ZK_Grid& grid, HDC dc, int row);
// The box of a CHECK cell in the list's client area; false when the cell has none.
bool ZK_GridCheckBoxRectIntl(const ZK_Grid& grid, int row, int column, RECT* box);
// Toggles a CHECK cell through CELLCHG; false when it is not one or cannot change.
bool ZK_GridCheckToggleIntl(ZK_Grid& grid, int row, int column, const ZK_GridMessage& cause);

// --- grid_answer.cpp ---

// Puts the grids' window procedure in front of a form dialog's, once: the lists' custom-draw
// notifications are answered straight back, not through the dialog's DWLP_MSGRESULT.
void ZK_GridFrontIntl(HWND dialog);
// Gives the answer to a custom-draw notification the front is handling now; false when it is not
// that notification's (the answer then goes through DWLP_MSGRESULT).
bool ZK_GridAnswerDirectIntl(const void* notification, LRESULT value);
