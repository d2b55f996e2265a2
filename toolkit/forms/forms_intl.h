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

// What a form asked for beyond the defaults, read when it opens and kept until ZK_FormClose
// (form_options.cpp).
struct ZK_FormOptions {
  std::string defaultItem;  // DEFAULT: the BUTTON Enter presses, drawn as the default
  std::string cancelItem;   // CANCEL: the BUTTON Escape presses; the close box closes as it does
  bool validate = false;    // VALIDATE: OK and the default button first check every input
  int minWidth = 0;         // MINSIZE: the smallest frame, 96-DPI units; 0 for none
  int minHeight = 0;
  bool anchored = false;  // an item has anchors: a change of size places the items again
  // The area (client less status bar) the items' places are meant for: the form at its declared
  // size, in pixels at referenceDpi; 0 x 0 until the form has been placed.
  SIZE reference = {0, 0};
  int referenceDpi = 96;
};

struct ZK_FormMessage;

// What the grid (toolkit/grid/, the layer above) does for the forms' DATAGRID items. The grid
// registers it the first time its state is used, so that the forms never name it; a null
// function does nothing (a grid without columns has no state and no list).
struct ZK_FormHooks {
  // Makes a DATAGRID item's control on its dialog; a status as ZK_FormCreateItem's.
  int (*create)(HWND dialog, const std::string& form, const std::string& item,
                int identifier) = nullptr;
  // WM_NOTIFY of a form's dialog; 0 when the notification is not the grid's.
  INT_PTR (*notify)(const ZK_FormMessage& m) = nullptr;
  void (*closing)(const std::string& form) = nullptr;  // the form closes (FORMCLOSE passed)
  void (*forget)(const std::string& form) = nullptr;   // ZK_FormClose forgets it
  // The form went from one DPI to another: an item's own sizes follow.
  void (*rescale)(const std::string& form, const std::string& item, int from, int to) = nullptr;
  // ZK_FormItemSet changed a DATAGRID item's colours, font or state.
  void (*changed)(const std::string& form, const std::string& item) = nullptr;
};

// What the toolkit keeps of one live control of an item, found from its handle: the procedure
// its hook hands messages on to (item_hook.cpp), and what its paints need once per layout and
// text rather than at every paint (item_overlap.cpp, item_paint.cpp).
struct ZK_ItemControl {
  ZK_ProcFront front;               // the control's procedure before the hook
  std::uint64_t placesVersion = 0;  // the placesVersion its leftOut was found at
  std::vector<RECT> leftOut;        // its siblings' parts it must not paint, in its own pixels
  std::string textSource;           // the last text it drew ...
  std::wstring text;                // ... in UTF-16, as drawn
};

// --- control_keys.cpp --------------------------------------------------------------------------

// The item table's entries by control handle, each handle's in key order (a handle may be named
// by several keys: null by every item whose control is not made yet, a reused handle by a closed
// form's records). The dialog procedure looks up the item of lParam for every message, most of
// them no control at all: one open-addressed array of handles, so that a lookup costs one probe
// of contiguous memory (a node-based hash or tree cost a cache miss a step, in every message).
// An entry is a node of the item table, which stays in place until its key is removed.
class ZK_ControlKeys {
 public:
  using Entry = const ZK_ItemTable::value_type*;
  void add(HWND control, Entry entry);
  void remove(HWND control, Entry entry);
  void clear();
  std::size_t size() const { return used_; }  // handles named
  // The handle's entries in key order, until visit returns true; false when none did.
  template <typename Visit>
  bool visit(HWND control, Visit visit) const {
    const std::size_t at = find(control);
    if (at == kNone) return false;
    if (visit(slots_[at].first)) return true;
    for (Entry entry : rest_[at])
      if (visit(entry)) return true;
    return false;
  }

 private:
  static constexpr std::size_t kNone = ~std::size_t{0};
  std::size_t find(HWND control) const;
  std::size_t home(HWND control) const;
  void grow();
  void vacate(std::size_t at);
  // A handle and its least key (most handles have one) side by side, four to a cache line, so
  // that a message's lookup reads one line and one page of this table; the other keys in a
  // second array of the same length, a power of two, at most half used. A free slot's handle is
  // kFree, which no window has.
  struct Slot {
    HWND handle;
    Entry first;
  };
  std::vector<Slot> slots_;
  std::vector<std::vector<Entry>> rest_;  // the other keys, in key order
  std::size_t used_ = 0;
};

// Everything the form layer keeps between calls, one instance for the process; all of it belongs
// to one toolkit lifetime, but the hooks, which the grid registers once for the process.
struct ZK_FormsState {
  ZK_ItemTable items;              // every declared item by key
  ZK_ControlKeys keysByControl;    // its entries by control handle
  std::uint64_t orderVersion = 0;  // changes whenever a key is added or removed or an order changes
  std::string entryText;           // the text of the item that last received the focus ...
  bool entryCheckState = false;    // ... and its check state: an exit compares with them (ITEMCHG)
  bool refocusing = false;         // a refused field is taking the focus back
  // While an item's control handles WM_KILLFOCUS: that control, and the window the focus goes
  // to (null: a window of another thread or program, or none).
  HWND focusFrom = nullptr;
  HWND focusTo = nullptr;
  // By form dialog: the refused control whose refusal waits, the focus having gone to another
  // window, for the user to come back to the form.
  std::map<HWND, HWND> refusalsAway;
  ZK_FormHooks hooks;  // the grid's answers for DATAGRID items
  // Every hooked item control by handle. Controls outlive the tables: a reset keeps these.
  std::unordered_map<HWND, ZK_ItemControl> controls;
  // The form of every open dialog, by handle, from its WM_INITDIALOG to its WM_NCDESTROY.
  std::unordered_map<HWND, std::string> dialogs;
  // Changes whenever an item control is made, moved, resized, shown, hidden or destroyed.
  std::uint64_t placesVersion = 1;
  // What open forms asked for beyond the defaults (form_options.cpp), by form name; only forms
  // that asked for something have one.
  std::map<std::string, ZK_FormOptions> formOptions;
  std::string buttonClosing;  // the form an OK or CANCEL button of is closing it now
};

ZK_FormsState& ZK_FormsStateIntl();

// --- item_table.cpp ----------------------------------------------------------------------------

std::string ZK_ItemKeyIntl(const std::string& form, const std::string& item);
// The record that stands for an item that does not exist.
ItemRecord ZK_ItemEmptyIntl();
// Inserts the record, or replaces the whole record stored under the key.
void ZK_ItemStoreIntl(const std::string& key, ItemRecord record);
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
// The stored record of the form's item, in place, or null; found through its control when that
// is given (the dialog procedure's messages name it), else by key. Valid until the next store
// or removal: for readers that make no native call meanwhile.
const ItemRecord* ZK_ItemFindIntl(const std::string& form, const std::string& item,
                                  HWND control = nullptr);

// --- item_kinds.cpp ----------------------------------------------------------------------------

// What a click on an item's control does.
enum class ZK_Click { kNothing, kToggle, kEvent };
// The window text a new control gets.
enum class ZK_ControlText { kNone, kEmpty, kItemName };
// What an item's value starts as once its control exists.
enum class ZK_InitialValue { kUnchanged, kValueText, kFirstEntry, kChecked };

// One kind of item: its native control and how the toolkit treats it.
struct ZK_ItemKind {
  std::string_view name;  // the kind word, as the application passes it (its length known)
  const char* className;  // the native control's class; null when none is made (DATAGRID)
  ZK_ControlText text;    // the new control's window text
  DWORD exStyle;
  DWORD style;                          // without the visibility bits
  DWORD (*styleOf)(const ItemRecord&);  // bits the record adds, or null
  bool identified;                      // the control carries the item's identifier, order + 101
  int fixedSize;            // the control is this many units square whatever its size; 0: its own
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
  kAnchor,             // edge words LEFT, TOP, RIGHT, BOTTOM, FILL (unknown ones are left out)
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
enum class ZK_Native { kNone, kEnable, kShow, kReturn, kAddValue, kClearValue, kAnchor, kPlace };

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

// --- form_layout.cpp ---------------------------------------------------------------------------

// The edges an item keeps its distance to when its form changes size (ItemRecord::anchor).
enum ZK_AnchorEdge : int {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
  kAnchorFill = 16,  // the item takes the form's whole area above its status bar
};
// Reads edge words separated by commas or blanks into `edges`; false when one is none of them
// (the known ones are read all the same).
bool ZK_AnchorReadIntl(const std::string& text, int* edges);

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

// How the rows of a typed grid column sort: by the collation of their texts, in time, or exactly.
enum class ZK_SortKey { kText, kDate, kAmount };

// One data type: its TYPE word and its rules. A new type is one row of kTypes (field_check.cpp)
// and its check; the grid's editors, paste, copy and sort ask the row.
struct ZK_DataType {
  std::string_view name;  // the TYPE word
  bool items;             // an EDIT or COMBOSYS item takes it; otherwise grid columns only
  bool formatted;         // it needs a FORMAT
  int alignment;          // the TXHPOS it takes when none is given: -1 left, 0 centre, 1 right
  // The check of a field's text: fills what check.value.text, as typed, becomes.
  void (*check)(const ItemRecord& item, ZK_FieldCheck& check);
  ZK_SortKey sortKey;
};

// The data type of a TYPE word (upper case), or null.
const ZK_DataType* ZK_DataTypeIntl(const std::string& word);
// A choice's entries: VALUE1, VALUE2... of the property string, up to the first empty one.
std::vector<std::string> ZK_ChoicesIntl(const std::string& properties);
// A check box column's two texts, from its FORMAT "on/off" ("1" and "0" when none is given).
struct ZK_CheckTexts {
  std::string on;
  std::string off;
};
ZK_CheckTexts ZK_CheckTextsIntl(const std::string& format);

// Checks text against the item's TYPE, FORMAT, LENGTH and NOTNULL. Nothing is stored or shown; a
// refusal reads its message from the catalogue.
ZK_FieldCheck ZK_FieldCheckIntl(const ItemRecord& item, const std::string& text);
// "Saisie incorrecte", or the catalogue's text for it in the application's language.
std::string ZK_FieldIncorrectTextIntl();
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
// parameter) and stays with the dialog (a window property of the toolkit's own).
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
// Answers a WM_GETOBJECT sent to an item's control: true with the answer when it is the client
// object the item names; false leaves the request to the control.
bool ZK_ItemAccessAnswerIntl(HWND control, WPARAM wParam, LPARAM lParam, LRESULT* answer);
// Tells accessibility clients that a run-time change of that keyword changed what they read.
void ZK_ItemAccessChangedIntl(const std::string& form, const std::string& item,
                              const std::string& keyword);
// Tells them that the status bar shows a new message, without moving the focus.
void ZK_ItemAccessAnnounceIntl(HWND statusBar);

// --- name_query.cpp ----------------------------------------------------------------------------

// The number of the registered message ZK_NAME_QUERY, with which another program asks names.
UINT ZK_NameQueryMessageIntl();
// True for that message. Registered messages take 0xC000 and above: any other message costs the
// dialog procedure and the item hook one comparison.
inline bool ZK_NameQueryIntl(UINT message) {
  return message >= 0xC000 && message == ZK_NameQueryMessageIntl();
}
// The answers, as the message's result: a global atom of the form's name for its dialog, or of
// "form.item" for an item's control on the form its parent shows, whose reference goes to the
// asker; 0 when the window has no name to tell.
LRESULT ZK_NameOfFormIntl(HWND dialog, const std::string& form);
LRESULT ZK_NameOfControlIntl(HWND control);

// --- item_hook.cpp -----------------------------------------------------------------------------

// Puts the toolkit's procedure in front of a new item control's own: it answers accessibility
// clients and keeps track of the control's place; every other message goes on unchanged.
void ZK_ItemHookIntl(HWND control);
// The control's entry, or null when it is not hooked. Valid until the next hook or destruction.
ZK_ItemControl* ZK_ItemControlIntl(HWND control);

// --- item_overlap.cpp --------------------------------------------------------------------------

// A control's rectangle (any one coordinate system for all) and whether the painter draws it.
struct ZK_ControlPlace {
  RECT rect;
  bool drawn;
};
// For each place, the rectangles (in its own coordinates, from its top left corner) that a drawn
// one must not paint: the places wholly inside it (a frame around items), and the parts of the
// places it overlaps that draw themselves (a label reaching over a combo box). Nothing is left out
// of what encloses it, nor of a drawn place it only partly overlaps. Empty for places not drawn.
std::vector<std::vector<RECT>> ZK_ItemOverlapsIntl(const std::vector<ZK_ControlPlace>& places);
// The parts of the control's rectangle its paint must leave to the form's other visible item
// controls, found again for the whole form whenever a control has moved, shown or hidden since.
std::vector<RECT> ZK_ItemLeftOutIntl(const std::string& form, HWND control);

// --- item_focus.cpp ----------------------------------------------------------------------------

// The focus leaving an item's control for the window `to`, while the control handles
// WM_KILLFOCUS (the hook of item_hook.cpp): the move becomes the current one until
// ZK_FocusLeftIntl puts back the outer one it returns.
struct ZK_FocusMove {
  HWND from = nullptr;
  HWND to = nullptr;
};
ZK_FocusMove ZK_FocusLeavingIntl(HWND control, HWND to);
void ZK_FocusLeftIntl(const ZK_FocusMove& outer);
// An editable combo box's text is an edit control of its own, which has the focus: it is
// watched too. Other controls need nothing more than their hook.
void ZK_ItemFocusWatchIntl(HWND control);
// The focus is leaving the control for a window outside the dialog: another top-level window
// of the program (a message box, another form, the main window) or another program. False when
// the control is not losing the focus (a combo box's pick) or is not watched.
bool ZK_FocusLeavesFormIntl(HWND dialog, HWND control);
// Remembers a refusal left pending while the user is away from the form, and takes it back
// (null when none); a dialog's pending refusal is forgotten when it is destroyed.
void ZK_RefusalAwayIntl(HWND dialog, HWND control);
HWND ZK_RefusalTakeIntl(HWND dialog);

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

// --- form_options.cpp --------------------------------------------------------------------------

// The options of an open form, or null when it asked for none (most forms).
const ZK_FormOptions* ZK_FormOptionsIntl(const std::string& form);
// The form has just been placed (WM_INITDIALOG): reads what it asks for and what its items'
// anchors need; the default button, and the main window filled.
void ZK_FormOptionsStartIntl(const ZK_FormMessage& m, const WindowRecord& declared);
// An anchor or a place changed at run time: the form keeps options from now on, its reference
// the area as it is.
ZK_FormOptions& ZK_FormOptionsEnsureIntl(const std::string& form);
void ZK_FormOptionsForgetIntl(const std::string& form);

// --- form_layout.cpp (continued) ---------------------------------------------------------------

// The area of an open form its items are laid out in: its client area less its status bar, in
// pixels (0 x 0 without a window).
SIZE ZK_FormAreaIntl(const WindowRecord& form);
// The item's rectangle in its dialog at a DPI: its place for the form's declared size, moved and
// stretched by the anchors with the form's growth since.
RECT ZK_FormItemLaidOutIntl(const std::string& form, const ItemRecord& item, int dpi);
// WM_SIZE: the anchored items follow the form's new size.
void ZK_FormLayoutIntl(const std::string& form);
// WM_GETMINMAXINFO: the smallest frame the form declared; 0 when it declared none.
INT_PTR ZK_FormMinSizeIntl(const ZK_FormMessage& m);
// ZK_FormItemSet of ANCHOR or PLACE ("x,y,width,height", an empty part kept): the control goes
// to the item's new place.
void ZK_FormItemPlaceIntl(const std::string& form, const std::string& item,
                          const std::string& place);

// --- form_keys.cpp -----------------------------------------------------------------------------

// A command from no item: Enter (IDOK) and Escape (IDCANCEL) press the form's DEFAULT and CANCEL
// buttons; true when one was pressed.
bool ZK_FormKeyPressIntl(const ZK_FormMessage& m);
// A click on a BUTTON of a form with options: an OK or CANCEL button closes it, OK and the default
// button checking every input first when the form asks. True when the click was handled here.
bool ZK_FormButtonIntl(const ZK_FormMessage& m, const ItemRecord& button);
// SC_CLOSE on a form with a CANCEL button: the form closes as that button closes it, or not at all
// while it is disabled (true: nothing more is done).
bool ZK_FormCloseBoxIntl(const ZK_FormMessage& m);
// The item is the form's DEFAULT button.
bool ZK_FormIsDefaultIntl(const std::string& form, const std::string& item);

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
