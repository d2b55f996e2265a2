// Zarvik: the public interface an application is written against.
// Texts are 8-bit, in the program's code page: 1252, or UTF-8 when its manifest declares it.
// Every function that can fail returns a status code (ZK_Status), ZK_OK (0) on success; the
// comments below name the codes each function reports or returns.
// Places, sizes and widths (of windows, forms, items and grid columns) are in 96-DPI units: the
// toolkit scales them to the DPI of the window they land on, so that at 96 DPI they are pixels.
// Font sizes are in points.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform_types.h"

// ---------------------------------------------------------------------------------------------
// Keywords: property keys, item kinds, data types and event names (property keys match in any case)
// ---------------------------------------------------------------------------------------------
inline constexpr char ZK_MENU[] = "MENU";
inline constexpr char ZK_LF[] = "LF";
inline constexpr char ZK_NAME[] = "NAME";
inline constexpr char ZK_BKCOL[] = "BKCOL";
inline constexpr char ZK_TXCOL[] = "TXCOL";
inline constexpr char ZK_EDGE[] = "EDGE";
inline constexpr char ZK_MODAL[] = "MODAL";
inline constexpr char ZK_STBAR[] = "STBAR";
inline constexpr char ZK_RESIZE[] = "RESIZE";
inline constexpr char ZK_ENABLE[] = "ENABLE";
inline constexpr char ZK_VISIBLE[] = "VISIBLE";
inline constexpr char ZK_PASSWORD[] = "PASSWORD";
inline constexpr char ZK_MULTILINE[] = "MULTILINE";
inline constexpr char ZK_CHECK[] = "CHECK";
inline constexpr char ZK_VALUE[] = "VALUE";
inline constexpr char ZK_BUTTON[] = "BUTTON";
inline constexpr char ZK_TYPE[] = "TYPE";
inline constexpr char ZK_LENGTH[] = "LENGTH";
inline constexpr char ZK_FORMAT[] = "FORMAT";
inline constexpr char ZK_REMARK[] = "REMARK";
inline constexpr char ZK_LABEL[] = "LABEL";
inline constexpr char ZK_NOTNULL[] = "NOTNULL";
inline constexpr char ZK_EDIT[] = "EDIT";
inline constexpr char ZK_TXHPOS[] = "TXHPOS";
inline constexpr char ZK_TXVPOS[] = "TXVPOS";
inline constexpr char ZK_FTNAME[] = "FTNAME";
inline constexpr char ZK_FTSIZE[] = "FTSIZE";
inline constexpr char ZK_FTBOLD[] = "FTBOLD";
inline constexpr char ZK_FTITALIC[] = "FTITALIC";
inline constexpr char ZK_FTULINE[] = "FTULINE";
inline constexpr char ZK_BRDSIZE[] = "BRDSIZE";
inline constexpr char ZK_BRDCOL[] = "BRDCOL";
inline constexpr char ZK_BRDSTYLE[] = "BRDSTYLE";
inline constexpr char ZK_RETURN[] = "RETURN";
inline constexpr char ZK_ADDVALUE[] = "ADDVALUE";
inline constexpr char ZK_CLEARVALUE[] = "CLEARVALUE";
// Keyboard-first forms, all opt-in: a menu entry's shortcut; a form's default and cancel buttons,
// its check of every input on OK, its smallest size and its filling the main window; an item's
// anchors and its place at run time; a file dialog's filter and default extension.
inline constexpr char ZK_KEY[] = "KEY";
inline constexpr char ZK_KEYFIRST[] = "KEYFIRST";
inline constexpr char ZK_DEFAULT[] = "DEFAULT";
inline constexpr char ZK_CANCEL[] = "CANCEL";
inline constexpr char ZK_VALIDATE[] = "VALIDATE";
inline constexpr char ZK_MINSIZE[] = "MINSIZE";
inline constexpr char ZK_FILL[] = "FILL";
inline constexpr char ZK_ANCHOR[] = "ANCHOR";
inline constexpr char ZK_PLACE[] = "PLACE";
inline constexpr char ZK_FILTER[] = "FILTER";
inline constexpr char ZK_EXT[] = "EXT";
// Keys of a DATAGRID item and of its columns: the user may add rows (Insert, Tab past the last
// cell), delete the selected rows (Delete), paste (Ctrl+V); a column's width (96-DPI units).
inline constexpr char ZK_ADDROWS[] = "ADDROWS";
inline constexpr char ZK_DELROWS[] = "DELROWS";
inline constexpr char ZK_PASTE[] = "PASTE";
inline constexpr char ZK_WIDTH[] = "WIDTH";

// Item kinds ("EDIT", "BUTTON" and "CHECK" are also property keys, with the same text).
inline constexpr char ZK_STATIC[] = "STATIC";
inline constexpr char ZK_RECT[] = "RECT";
inline constexpr char ZK_BUTTONSYS[] = "BUTTONSYS";
inline constexpr char ZK_CHECKSYS[] = "CHECKSYS";
inline constexpr char ZK_COMBOSYS[] = "COMBOSYS";
inline constexpr char ZK_DATAGRID[] = "DATAGRID";

// Data types of input items.
inline constexpr char ZK_STRING[] = "STRING";
inline constexpr char ZK_DATE[] = "DATE";
inline constexpr char ZK_CURRENCY[] = "CURRENCY";
// Data types of grid columns only: one of a list of texts (VALUE1, VALUE2...; EDIT=true allows
// others), and a check box (ZK_CHECK, its FORMAT "on/off" the texts it holds, "1/0" by default).
inline constexpr char ZK_CHOICE[] = "CHOICE";

// Events given to a form's event procedure.
inline constexpr char ZK_BEFORE[] = "BEFORE";
inline constexpr char ZK_ITEMCHG[] = "ITEMCHG";
inline constexpr char ZK_ITEMEXIT[] = "ITEMEXIT";
inline constexpr char ZK_ITEMCLIC[] = "ITEMCLIC";
inline constexpr char ZK_FORMOPENBEF[] = "FORMOPENBEF";
inline constexpr char ZK_FORMOPENAFT[] = "FORMOPENAFT";
inline constexpr char ZK_FORMCLOSE[] = "FORMCLOSE";
// Events of a DATAGRID item: a cell's accepted change, a row made current, a row activated, a
// column title clicked. ZK_FormGridGet tells which row and column.
inline constexpr char ZK_CELLCHG[] = "CELLCHG";
inline constexpr char ZK_ROWCHG[] = "ROWCHG";
inline constexpr char ZK_ROWACT[] = "ROWACT";
inline constexpr char ZK_COLSORT[] = "COLSORT";
// Rows added (Insert, Tab past the last cell), rows about to be deleted (Delete), a paste (Ctrl+V
// or ZK_FormGridPaste): each vetoed by a non-zero answer. ZK_FormGridGet tells which rows.
inline constexpr char ZK_ROWINS[] = "ROWINS";
inline constexpr char ZK_ROWDEL[] = "ROWDEL";
inline constexpr char ZK_CELLPASTE[] = "CELLPASTE";

// Other toolkit constants.
inline constexpr char ZK_LANGUAGE[] = "FR";
inline constexpr char ZK_DEFAULT_FONT[] = "Courier New";
#include "zarvik/version.h"  // ZK_VERSION
inline constexpr char ZK_PLATFORM[] = "WIN";
inline constexpr char ZK_CLASS_POPUP[] = "ZKPOPUP";
inline constexpr char ZK_CLASS_DATAGRID[] = "ZKDATAGRID";
// The registered window message (RegisterWindowMessage) with which another program asks a
// window its name, wParam and lParam 0: a form's dialog answers a global atom of the form's name,
// an item's control (a grid's list) an atom of "form.item", any other window 0. The atom's text
// is the window's handle in 8 hexadecimal digits, a space, then the name; the asker reads the
// atom and deletes it.
inline constexpr char ZK_NAME_QUERY[] = "ZarvikNameQuery";

// ---------------------------------------------------------------------------------------------
// Status codes: 1..999 a fault in the caller's request, 1000..1999 a failed system service
// ---------------------------------------------------------------------------------------------
enum ZK_Status : int {
  ZK_OK = 0,
  ZK_ERR_NAME_EMPTY = 1,
  ZK_ERR_WINDOW_EXISTS = 2,
  ZK_ERR_WINDOW_NOT_FOUND = 4,
  ZK_ERR_NO_MAIN_WINDOW = 5,
  ZK_ERR_MENU_TEXT_EMPTY = 10,
  ZK_ERR_MENU_COLUMN = 11,
  ZK_ERR_MENU_ROW = 12,
  ZK_ERR_MENU_NAME_EMPTY = 13,
  ZK_ERR_MENU_NO_COMMAND = 15,
  ZK_ERR_ITEM_NOT_FOUND = 18,
  ZK_ERR_KEYWORD_UNKNOWN = 19,
  ZK_ERR_ITEM_KIND = 20,
  ZK_ERR_DATA_TYPE = 21,
  ZK_ERR_ITEM_EXISTS = 22,
  ZK_ERR_TYPE_NOT_ALLOWED = 23,
  ZK_ERR_FORMAT_MISSING = 24,
  ZK_ERR_BORDER_STYLE = 25,
  ZK_ERR_NAME_HAS_DOT = 26,
  ZK_ERR_NOT_A_GRID = 27,
  ZK_ERR_COLUMN_NOT_FOUND = 28,
  ZK_ERR_COLUMN_EXISTS = 29,
  ZK_ERR_ROW_RANGE = 30,
  ZK_ERR_GRID_VIRTUAL = 31,
  ZK_ERR_GRID_FULL = 32,
  ZK_ERR_LANGUAGE = 33,
  ZK_ERR_PASTE_REFUSED = 34,
  ZK_ERR_GRID_VETOED = 35,
  ZK_ERR_MENU_KEY = 36,       // KEY names no key a menu entry can take
  ZK_ERR_ANCHOR = 37,         // ANCHOR has a word other than LEFT, TOP, RIGHT, BOTTOM, FILL
  ZK_ERR_ITEM_NO_FOCUS = 38,  // a label or frame, or a disabled or hidden item
  ZK_ERR_FILE_NAME = 39,      // the chosen file's name does not fit the program's code page
  ZK_ERR_INPUT_REFUSED = 40,  // ZK_FormCheck found an input refused
  ZK_ERR_REGISTER_CLASS = 1000,
  ZK_ERR_CREATE_WINDOW = 1001,
  ZK_ERR_SYSTEM_METRICS = 1002,
  ZK_ERR_SET_WINDOW_TEXT = 1003,
  ZK_ERR_SYSTEM_PARAMETERS = 1004,
  ZK_ERR_CLIENT_RECT = 1005,
  ZK_ERR_CREATE_FONT = 1006,
  ZK_ERR_DELETE_OBJECT = 1011,
  ZK_ERR_MOVE_WINDOW = 1012,
  ZK_ERR_SELECT_OBJECT = 1013,
  ZK_ERR_BEGIN_PAINT = 1014,
  ZK_ERR_GLOBAL_ALLOC = 1015,
  ZK_ERR_GLOBAL_LOCK = 1016,
  ZK_ERR_SHOW_SCROLL_BAR = 1017,
  ZK_ERR_MODULE_OR_UPDATE = 1018,      // GetModuleHandleA at reset; UpdateWindow in a repaint
  ZK_ERR_INVALIDATE_OR_REDRAW = 1019,  // InvalidateRect in a repaint; RedrawWindow for an item
  ZK_ERR_DIALOG_RUN = 1021,
  ZK_ERR_GLOBAL_FREE = 1022,
  ZK_ERR_END_DIALOG = 1025,
  ZK_ERR_TEXT_COLOUR = 1026,
  ZK_ERR_CREATE_BRUSH = 1028,
  ZK_ERR_DC_COLOURS = 1029,
  ZK_ERR_SET_MENU = 1030,
  ZK_ERR_DESTROY_MENU = 1031,
  ZK_ERR_CREATE_MENU = 1032,
  ZK_ERR_APPEND_MENU = 1033,
  ZK_ERR_DESTROY_WINDOW = 1037,
  ZK_ERR_INIT_COMMON_CONTROLS = 1038,
  ZK_ERR_FOCUS_RECT = 1041,
  ZK_ERR_MOVE_TO = 1042,
  ZK_ERR_LINE_TO = 1043,
  ZK_ERR_CREATE_PEN = 1044,
  ZK_ERR_DRAW_TEXT = 1045,
  ZK_ERR_RECTANGLE = 1046,
  ZK_ERR_QUESTION_BOX = 1047,  // MessageBoxW
  ZK_ERR_FILE_DIALOG = 1048,   // GetOpenFileNameW or GetSaveFileNameW
};

// Every status code above but 0, in ascending order (the catalogue holds a message for each).
extern const int ZK_ALL_STATUS_CODES[];
extern const int ZK_ALL_STATUS_CODE_COUNT;

// ---------------------------------------------------------------------------------------------
// Form event procedure: (form name, item name or "", event name, dialog, message, wParam, lParam).
// 0 lets the toolkit go on; any other value stops its handling of the message and becomes the
// dialog procedure's result.
// ---------------------------------------------------------------------------------------------
using ZK_FormEventProc = int (*)(std::string form, std::string item, std::string event, HWND dialog,
                                 UINT message, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------------------------------------
// Catalogue language and error display
// ---------------------------------------------------------------------------------------------

// The language of error reports and validation messages, as the catalogue names it ("FR" as
// built; a message missing in it comes in "US"). 1 to 8 ASCII letters, any case; otherwise
// ZK_ERR_LANGUAGE.
int ZK_CatalogueLanguageSet(const std::string& language);
// Error reports shown in the Yes/No box (true, as built) or appended to "zarerror.txt".
void ZK_ErrorDisplaySet(bool shown);

// ---------------------------------------------------------------------------------------------
// Message box
// ---------------------------------------------------------------------------------------------

// Shows text in an OK box owned by the main window, with caption as its title.
// Returns ZK_OK, or ZK_ERR_NO_MAIN_WINDOW when the main window does not exist yet.
int ZK_MessageBox(const std::string& caption, const std::string& text);

#ifdef _WIN32
// ---------------------------------------------------------------------------------------------
// Main window, message loop, window operations
// ---------------------------------------------------------------------------------------------

// Creates the application's single main window with its own window procedure (first call also
// initialises the toolkit). Statuses ZK_ERR_NAME_EMPTY, ZK_ERR_WINDOW_EXISTS, ZK_ERR_NAME_HAS_DOT,
// ZK_ERR_CREATE_BRUSH, ZK_ERR_REGISTER_CLASS, ZK_ERR_CREATE_WINDOW, or those of
// ZK_WindowTitleSet and ZK_WindowMove.
int ZK_WindowMainCreate(const std::string& name, int showCommand, WNDPROC windowProc,
                        const std::string& properties, int x, int y, int width, int height);
// Runs the thread's messages until WM_QUIT and returns its exit code.
int ZK_MessageLoop();
// WM_PAINT bracket: begins painting the named window (statuses ZK_ERR_WINDOW_NOT_FOUND,
// ZK_ERR_BEGIN_PAINT) ...
int ZK_WindowSelect(const std::string& name);
// ... and ends it (statuses ZK_ERR_WINDOW_NOT_FOUND, ZK_ERR_CLIENT_RECT, ZK_ERR_SHOW_SCROLL_BAR).
int ZK_WindowRelease();
// Default handling of the current window's WM_DESTROY, WM_SIZE and WM_VSCROLL.
int ZK_WindowMessageAuto(UINT message, WPARAM wParam);
// Resets the current window's text surface and font (status ZK_ERR_WINDOW_NOT_FOUND or those of
// ZK_TextFontSet).
int ZK_WindowCls();
// Text font of the current paint context; "" and 0 keep face and size, 0/1 switch an attribute,
// other values keep it. Statuses ZK_ERR_WINDOW_NOT_FOUND, ZK_ERR_CREATE_FONT,
// ZK_ERR_SELECT_OBJECT, ZK_ERR_DELETE_OBJECT.
int ZK_TextFontSet(const std::string& face, int size, int bold, int italic, int underline);
// Statuses ZK_ERR_NAME_EMPTY and ZK_ERR_WINDOW_NOT_FOUND (both unreported),
// ZK_ERR_SET_WINDOW_TEXT.
int ZK_WindowTitleSet(const std::string& name, const std::string& title);
// Places a window within the work area (main window) or the main window's client area (forms)
// and shows it. Statuses ZK_ERR_WINDOW_NOT_FOUND, ZK_ERR_SYSTEM_PARAMETERS, ZK_ERR_CLIENT_RECT,
// ZK_ERR_MOVE_WINDOW.
int ZK_WindowMove(const std::string& name, int x, int y, int width, int height);

// ---------------------------------------------------------------------------------------------
// The everyday dialogs, each modal to `owner` (a window or open form; "" for the main window)
// ---------------------------------------------------------------------------------------------

// The answer of a question box.
enum ZK_Answer : int { ZK_ANSWER_YES = 1, ZK_ANSWER_NO = 2, ZK_ANSWER_CANCEL = 3 };
// Asks a question with the buttons Yes and No, and Cancel when `cancel` is true, in the
// catalogue's language (Oui, Non, Annuler as built); `answer` gets the button chosen (Escape and
// the close box choose Cancel). Statuses ZK_ERR_NO_MAIN_WINDOW, ZK_ERR_WINDOW_NOT_FOUND,
// ZK_ERR_QUESTION_BOX.
int ZK_QuestionAsk(const std::string& owner, const std::string& caption, const std::string& text,
                   bool cancel, ZK_Answer* answer);
// The system's Open and Save As dialogs. `path` comes with the file name to start from ("" for
// none) and leaves with the chosen file's whole path, or "" when the user cancelled. Properties:
// NAME (the title), FILTER ("description|pattern|...", several patterns joined by ","), EXT (the
// extension a typed name without one gets). Save asks before replacing a file. Statuses
// ZK_ERR_NO_MAIN_WINDOW, ZK_ERR_WINDOW_NOT_FOUND, ZK_ERR_FILE_DIALOG; ZK_ERR_FILE_NAME returned
// without a report.
int ZK_FileOpenAsk(const std::string& owner, const std::string& properties, std::string* path);
int ZK_FileSaveAsk(const std::string& owner, const std::string& properties, std::string* path);

// ---------------------------------------------------------------------------------------------
// Menus
// ---------------------------------------------------------------------------------------------

// Declares an entry at column (1..99) and row (1..99; row 1 titles the column); entry "-" is a
// separator. KEY gives it a shortcut ("Ctrl+S"), KEYFIRST even over a control's own keys.
// Statuses ZK_ERR_MENU_NAME_EMPTY, ZK_ERR_MENU_TEXT_EMPTY, ZK_ERR_MENU_NO_COMMAND,
// ZK_ERR_MENU_COLUMN, ZK_ERR_MENU_ROW, ZK_ERR_NO_MAIN_WINDOW, ZK_ERR_MENU_KEY.
int ZK_MenuAdd(const std::string& menu, const std::string& entry, int column, int row,
               const std::string& caption, const std::string& properties);
// Builds the menu bar of a window from the declared entries. Statuses ZK_ERR_MENU_NAME_EMPTY,
// ZK_ERR_WINDOW_NOT_FOUND, ZK_ERR_DESTROY_MENU, ZK_ERR_CREATE_MENU, ZK_ERR_APPEND_MENU,
// ZK_ERR_SET_MENU.
int ZK_MenuDisplay(const std::string& window, const std::string& menu,
                   const std::string& properties);
// The entry name of a menu command message, "" when the message is not one of that menu.
std::string ZK_MenuCommand(const std::string& menu, UINT message, WPARAM wParam);

// ---------------------------------------------------------------------------------------------
// Forms
// ---------------------------------------------------------------------------------------------

// Opens a form (modal: returns when it is closed). DEFAULT and CANCEL name its buttons for Enter
// and Escape, VALIDATE checks every input on OK, MINSIZE and FILL size it. Statuses
// ZK_ERR_NAME_EMPTY, ZK_ERR_NAME_HAS_DOT, ZK_ERR_NO_MAIN_WINDOW, ZK_ERR_WINDOW_EXISTS,
// ZK_ERR_CREATE_BRUSH, ZK_ERR_GLOBAL_ALLOC, ZK_ERR_GLOBAL_LOCK; ZK_ERR_DIALOG_RUN and
// ZK_ERR_GLOBAL_FREE are returned without a report.
int ZK_FormCreate(const std::string& name, const std::string& properties, int x, int y, int width,
                  int height, ZK_FormEventProc callback);
// Forgets a closed form and its items. Statuses ZK_ERR_WINDOW_NOT_FOUND, ZK_ERR_DELETE_OBJECT.
int ZK_FormClose(const std::string& name);
// How a form was closed: "OK" or "CANCEL" (its button, or Escape, or the close box of a form with
// a CANCEL button), "CLOSE" (its close box), or "" while it is open or when it is unknown.
std::string ZK_FormClosedBy(const std::string& form);
// Checks every typed input of an open form that the user can reach, in Tab order, as leaving it
// would: accepted ones are written as their FORMAT says and kept; the first refused one gets the
// focus and its message in the status bar. Returned, never reported: ZK_OK,
// ZK_ERR_WINDOW_NOT_FOUND, ZK_ERR_INPUT_REFUSED.
int ZK_FormCheck(const std::string& form);
#endif  // _WIN32

// ---------------------------------------------------------------------------------------------
// Form items
// ---------------------------------------------------------------------------------------------
#include "item_record.h"

// A copy of the item's record, or the empty record (kind "") when the form has no such item.
ItemRecord ZK_FormItemGet(const std::string& form, const std::string& item);

#ifdef _WIN32
// Declares an item of a form before the form opens. Statuses ZK_ERR_NAME_EMPTY,
// ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_ITEM_EXISTS, ZK_ERR_ITEM_KIND, ZK_ERR_BORDER_STYLE,
// ZK_ERR_DATA_TYPE, ZK_ERR_TYPE_NOT_ALLOWED, ZK_ERR_FORMAT_MISSING, ZK_ERR_ANCHOR.
int ZK_FormItemAdd(const std::string& form, const std::string& item, const std::string& kind,
                   int order, int x, int y, int width, int height, const std::string& properties);
// Changes an attribute or the value of a live item. PLACE ("x,y,width,height") moves and resizes
// it, ANCHOR sets the edges it follows. Returned, never reported: ZK_OK, ZK_ERR_ITEM_NOT_FOUND,
// ZK_ERR_KEYWORD_UNKNOWN, ZK_ERR_INVALIDATE_OR_REDRAW.
int ZK_FormItemSet(const std::string& form, const std::string& item, const std::string& attribute,
                   const std::string& value);
// Puts the keyboard focus on an item of an open form, as Tab would; the field the focus leaves
// does not take it back. Returned, never reported: ZK_OK, ZK_ERR_WINDOW_NOT_FOUND (the form is
// not open), ZK_ERR_ITEM_NOT_FOUND (no such item, or it has no control), ZK_ERR_ITEM_NO_FOCUS.
int ZK_FormItemFocus(const std::string& form, const std::string& item);
// Selects a font of the face, size (points) and styles into a drawing context, where it stays for
// the text drawn after it; the toolkit keeps nothing of it. Statuses ZK_ERR_CREATE_FONT,
// ZK_ERR_SELECT_OBJECT, ZK_ERR_DELETE_OBJECT.
int ZK_FormItemFontSet(HDC dc, const std::string& face, int size, bool bold, bool italic,
                       bool underline);
// Shows a text in an open form's status bar now; the next item or grid column with a remark
// replaces it. Returns ZK_OK, or ZK_ERR_WINDOW_NOT_FOUND (no open form with a status bar),
// without reporting.
int ZK_FormStatusSet(const std::string& form, const std::string& text);
#endif  // _WIN32

// ---------------------------------------------------------------------------------------------
// Data grids: a DATAGRID item gets its list when its columns are declared
// ---------------------------------------------------------------------------------------------
#include "grid_record.h"

// A virtual grid's cell procedure: puts the text of one cell of the application's rows into
// `text`, which comes empty. Asked only for the cells shown or copied. Returns 0; any other
// result leaves the cell blank.
using ZK_GridCellProc = int (*)(const std::string& form, const std::string& grid, int row,
                                const std::string& column, std::string& text);

// A grid's colour procedure: may set the text and background colours (COLORREF) of one cell,
// which come as -1 (the column's or the grid's own). Asked for the cells shown. Returns 0; any
// other result keeps the cell's own colours.
using ZK_GridColourProc = int (*)(const std::string& form, const std::string& grid, int row,
                                  const std::string& column, std::int32_t& text,
                                  std::int32_t& back);

#ifdef _WIN32
// Declares a column of a DATAGRID item: its place (order), width, title and properties (TYPE,
// FORMAT, LENGTH, NOTNULL, TXHPOS, REMARK, ENABLE, VISIBLE, BKCOL, TXCOL, and VALUE1... and EDIT
// for a CHOICE). Before the form opens, or live. Statuses ZK_ERR_NAME_EMPTY,
// ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID, ZK_ERR_COLUMN_NOT_FOUND, ZK_ERR_COLUMN_EXISTS,
// ZK_ERR_DATA_TYPE, ZK_ERR_FORMAT_MISSING, ZK_ERR_CREATE_WINDOW.
int ZK_FormGridColumnAdd(const std::string& form, const std::string& grid,
                         const std::string& column, int order, int width, const std::string& title,
                         const std::string& properties);
// Changes one attribute of a column, WIDTH and VISIBLE included, and a CHOICE column's entries
// (ADDVALUE appends one, CLEARVALUE empties them). Returned, never reported:
// ZK_OK, ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID, ZK_ERR_COLUMN_NOT_FOUND, ZK_ERR_KEYWORD_UNKNOWN.
int ZK_FormGridColumnSet(const std::string& form, const std::string& grid,
                         const std::string& column, const std::string& attribute,
                         const std::string& value);
// Inserts a row held by the toolkit before `row` (-1: after the last), its cells in column order.
// Returned, never reported: ZK_OK, ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID,
// ZK_ERR_COLUMN_NOT_FOUND, ZK_ERR_ROW_RANGE, ZK_ERR_GRID_VIRTUAL, ZK_ERR_GRID_FULL.
int ZK_FormGridRowInsert(const std::string& form, const std::string& grid, int row,
                         const std::vector<std::string>& cells);
// Deletes a held row. Returned: ZK_OK, ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID,
// ZK_ERR_ROW_RANGE, ZK_ERR_GRID_VIRTUAL.
int ZK_FormGridRowDelete(const std::string& form, const std::string& grid, int row);
// Sets the text of a held cell, as given. Returned: ZK_OK, ZK_ERR_ITEM_NOT_FOUND,
// ZK_ERR_NOT_A_GRID, ZK_ERR_COLUMN_NOT_FOUND, ZK_ERR_ROW_RANGE, ZK_ERR_GRID_VIRTUAL,
// ZK_ERR_GRID_FULL.
int ZK_FormGridCellSet(const std::string& form, const std::string& grid, int row,
                       const std::string& column, const std::string& text);
// The text of a cell (a virtual grid asks its procedure), "" when there is no such cell.
std::string ZK_FormGridCellGet(const std::string& form, const std::string& grid, int row,
                               const std::string& column);
// Makes the grid's rows the application's: `rows` of them, each cell asked of `proc` when shown.
// Call it again whenever the application's rows change; a null proc gives held rows again (none).
// Returned: ZK_OK, ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID, ZK_ERR_ROW_RANGE.
int ZK_FormGridVirtual(const std::string& form, const std::string& grid, int rows,
                       ZK_GridCellProc proc);
// Makes a cell current and shows it, and opens its editor when `edit` is true; raises no event.
// Returned: ZK_OK, ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID, ZK_ERR_COLUMN_NOT_FOUND,
// ZK_ERR_ROW_RANGE.
int ZK_FormGridSelect(const std::string& form, const std::string& grid, int row,
                      const std::string& column, bool edit);
// Sorts held rows by a column, on its type; on a virtual grid only marks the column's title.
// Raises no event. Returned: ZK_OK, ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID,
// ZK_ERR_COLUMN_NOT_FOUND.
int ZK_FormGridSort(const std::string& form, const std::string& grid, const std::string& column,
                    bool descending);
// What the toolkit knows of a grid; the empty record (rows 0, row -1) when there is no grid.
GridRecord ZK_FormGridGet(const std::string& form, const std::string& grid);
// A column's width in 96-DPI units as shown now (the user's drags included; 0 while hidden), or
// -1 when there is no such column.
int ZK_FormGridColumnWidth(const std::string& form, const std::string& grid,
                           const std::string& column);
// The selected rows in ascending order (their count is GridRecord::selected). Returned, never
// reported: ZK_OK, ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID.
int ZK_FormGridSelection(const std::string& form, const std::string& grid, std::vector<int>& rows);
// Selects the rows first to last (in either order), replacing the selection or, with `add`,
// adding to it; first -1 clears it. The current cell stays; raises no event. Returned:
// ZK_OK, ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID, ZK_ERR_ROW_RANGE.
int ZK_FormGridSelectRows(const std::string& form, const std::string& grid, int first, int last,
                          bool add);
// Pastes tab-separated rows at the current cell as Ctrl+V does: every cell checked first, then
// CELLPASTE. Returned: ZK_OK, ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID, ZK_ERR_PASTE_REFUSED (a
// cell refused, or nothing to paste into: its reason in the status bar), ZK_ERR_GRID_VETOED,
// ZK_ERR_GRID_FULL.
int ZK_FormGridPaste(const std::string& form, const std::string& grid, const std::string& text);
// Gives the grid a colour procedure for its cells (null: none). Returned: ZK_OK,
// ZK_ERR_ITEM_NOT_FOUND, ZK_ERR_NOT_A_GRID.
int ZK_FormGridColours(const std::string& form, const std::string& grid, ZK_GridColourProc proc);
#endif  // _WIN32
