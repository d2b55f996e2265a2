// Internal interface of the form layer. Not installed.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "zarvik/item_record.h"
#include "window/window_intl.h"
#include "zarvik/zarvik.h"

// --- item_table.cpp ----------------------------------------------------------------------------

// Item key (form name, ".", item name) to record, in byte order.
using ZK_ItemTable = std::map<std::string, ItemRecord>;

std::string ZK_ItemKeyIntl(const std::string& form, const std::string& item);
// The record that stands for an item that does not exist.
ItemRecord ZK_ItemEmptyIntl();
// Inserts the record, or replaces the whole record stored under the key.
void ZK_ItemStoreIntl(const std::string& key, const ItemRecord& record);
void ZK_ItemRemoveIntl(const std::string& key);
// Forgets every item (toolkit reset).
void ZK_ItemTableClearIntl();
// The table itself, for walks in key order.
const ZK_ItemTable& ZK_ItemTableIntl();
// The first key in key order, among those whose record has that control handle, that accept
// takes (given the key and form); "" when none.
std::string ZK_ItemKeyByControlIntl(HWND control,
                                    bool (*accept)(const std::string& key, const std::string& form),
                                    const std::string& form);
// Order number to item name for a form's items; of two with one number, the first in key order.
std::map<int, std::string> ZK_ItemOrdersIntl(const std::string& form);
// Changes each time a key is added or removed or a stored record's order changes.
std::uint64_t ZK_ItemOrderVersionIntl();

#ifdef _WIN32
// --- item_create.cpp ---------------------------------------------------------------------------

// Creates the native control of an item on the form's dialog. Statuses 18, 26, 1001, 1003.
int ZK_FormCreateItem(HWND parent, const std::string& form, const std::string& item);

// --- item_paint.cpp ----------------------------------------------------------------------------

// WM_DRAWITEM: draws an owner-drawn item; 1 when drawn, 0 otherwise.
int ZK_FormItemPaintIntl(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                         const std::string& form, const std::string& item,
                         const WindowRecord& formRecord);
// WM_CTLCOLOR...: the background brush for the item's control.
HBRUSH ZK_FormItemColourIntl(HWND dialog, UINT message, HDC dc, HWND control,
                             const std::string& form, const std::string& item,
                             const WindowRecord& formRecord);

// --- item_border.cpp ---------------------------------------------------------------------------

// A SOLID, 3DOUT or 3DIN border; background -1 fills nothing.
// Statuses 25, 1040, 1042, 1043, 1011 (returned; 1044, 1046 and 1028 reported on the way).
int ZK_FormItemBorderIntl(HDC dc, int left, int top, int right, int bottom,
                          const std::string& style, int size, std::int32_t colour,
                          std::int32_t background);
// The cross of a checked CHECK item. Statuses 1042 (a failing first move is also reported), 1043.
int ZK_FormItemCrossIntl(HDC dc, int left, int top, int right, int bottom, int lineWidth,
                         std::int32_t colour);

// --- item_font.cpp -----------------------------------------------------------------------------

// Puts back the font a context had before ZK_FormItemFontSet first selected one into it, and
// releases the toolkit's font. Status 1011 when it cannot be released.
int ZK_FormItemFontReleaseIntl(HDC dc);

// --- item_set.cpp ------------------------------------------------------------------------------

// Repaints one item's control. Statuses 18, 1019.
int ZK_FormItemRedrawIntl(const std::string& form, const std::string& item);
// The item of the form whose control is that handle (form compared without ASCII case), or "".
std::string ZK_FormItemByControlIntl(const std::string& form, HWND control);

// --- form_command.cpp --------------------------------------------------------------------------

// WM_COMMAND from an item's control: focus, validation, buttons, check items and their events.
int ZK_FormCommandIntl(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                       const std::string& form, const std::string& item,
                       const WindowRecord& formRecord);

// --- form.cpp ----------------------------------------------------------------------------------

// The registry name whose record has that window handle, "" when none has (name order).
std::string ZK_WindowNameByHandleIntl(HWND window);

// --- form_template.cpp -------------------------------------------------------------------------

// The dialog template of a form in zero-filled fixed global memory: at least 1024 bytes, more when
// the caption needs them; pixels become dialog units. The caller frees the block. Statuses 1015,
// 1016 (reported).
int ZK_FormTemplateIntl(const std::string& caption, DWORD style, int x, int y, int width,
                        int height, HGLOBAL* block);

// --- form_proc.cpp -----------------------------------------------------------------------------

// The dialog procedure of every form.
INT_PTR CALLBACK ZK_FormProcIntl(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
#endif  // _WIN32
