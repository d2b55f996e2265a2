// A grid's columns: declared like items (a name, an order, a width, a title and a property
// string with the keys items know), and changed at run time like items, through the items'
// keyword table; their widths read and set, a column hidden and shown again.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "foundation/foundation_intl.h"
#include "grid/grid_intl.h"

namespace {

// The item keywords a column takes: read and changed through the items' own rows
// (item_keywords.cpp), into the column's record. VALUE is the title; TYPE is declared only.
const char* const kColumnKeywords[] = {ZK_VALUE,  ZK_FORMAT, ZK_LENGTH, ZK_NOTNULL,
                                       ZK_TXHPOS, ZK_REMARK, ZK_ENABLE, ZK_VISIBLE,
                                       ZK_BKCOL,  ZK_TXCOL,  ZK_EDIT};

const ZK_ItemKeyword* columnKeyword(const std::string& word) {
  for (const char* name : kColumnKeywords)
    if (word == name) return ZK_ItemKeywordIntl(name);
  return nullptr;
}

// Reads a declaration's property string into the column; statuses 21 and 24.
int readColumn(const std::string& properties, ZK_GridColumn& column) {
  ItemRecord& field = column.field;
  ZK_ItemKeywordsDeclareIntl(properties, field);
  field.properties = properties;  // a choice's entries
  if (field.type.empty()) field.type = ZK_STRING;
  column.type = ZK_DataTypeIntl(field.type);
  if (column.type == nullptr) return ZK_ERR_DATA_TYPE;
  if (column.type->formatted && field.format.empty()) return ZK_ERR_FORMAT_MISSING;
  // Dates and amounts line up on the right unless told otherwise, as their fields do.
  if (ZK_PropertyGetIntl(ZK_TXHPOS, properties).empty()) field.textHPos = column.type->alignment;
  return ZK_OK;
}

void columnsChanged(ZK_Grid& grid) {
  grid.columnColours = false;
  grid.checkColumns = false;
  for (const ZK_GridColumn& column : grid.columns) {
    if (column.field.backColour != -1 || column.field.textColour != -1) grid.columnColours = true;
    if (column.field.type == ZK_CHECK) grid.checkColumns = true;
  }
}

// The width shown now, in 96-DPI units: the user's drags are the list's.
int shownWidth(const ZK_Grid& grid, int index) {
  const ZK_GridColumn& column = grid.columns[static_cast<std::size_t>(index)];
  if (!column.field.visible) return 0;
  if (grid.list == nullptr) return column.width;
  return ZK_UnscaleIntl(ListView_GetColumnWidth(grid.list, index),
                        ZK_WindowLookupIntl(grid.form).dpi);
}

// WIDTH and VISIBLE: a hidden column keeps its width for when it shows again, and the current
// cell leaves it.
void changeShown(ZK_Grid& grid, int index, const std::string& keyword, const std::string& value) {
  ZK_GridColumn& column = grid.columns[static_cast<std::size_t>(index)];
  if (keyword == ZK_WIDTH) {
    column.width = std::max(0, ZK_TextToIntIntl(value, 10));
  } else {
    const bool visible = !ZK_IsFalseIntl(value);
    if (!visible && column.field.visible) column.width = shownWidth(grid, index);
    column.field.visible = visible;
  }
  ZK_GridColumnWidthShowIntl(grid, index);
  if (!column.field.visible && grid.column == index) {
    int next = ZK_GridShownColumnIntl(grid, index, 1);
    if (next < 0) next = ZK_GridShownColumnIntl(grid, index, -1);
    if (grid.editor != nullptr && grid.editColumn == index) ZK_GridEditCancelIntl(grid);
    if (next >= 0) ZK_GridMoveIntl(grid, grid.row, next, nullptr);
  }
}

// ADDVALUE and CLEARVALUE: a choice's entries are its VALUE1, VALUE2... properties, which its
// editor, its check and a paste read; they are written again in order. An entry a property
// string cannot hold (empty, or with a ';') is left out; other types ignore both.
void changeChoices(ZK_GridColumn& column, const std::string& word, const std::string& value) {
  if (column.field.type != ZK_CHOICE) return;
  std::vector<std::string> entries;
  if (word == ZK_ADDVALUE) {
    entries = ZK_ChoicesIntl(column.field.properties);
    const std::string entry = ZK_PropertyGetIntl(ZK_VALUE, std::string(ZK_VALUE) + "=" + value);
    if (entry.empty() || value.find(';') != std::string::npos) return;
    entries.push_back(entry);
  }
  std::string kept;
  const std::string& properties = column.field.properties;
  for (std::size_t start = 0; start <= properties.size();) {
    std::size_t end = properties.find(';', start);
    if (end == std::string::npos) end = properties.size();
    const std::string part = properties.substr(start, end - start);
    const std::string key = ZK_UpperIntl(part.substr(0, part.find('=')));
    const bool numbered = key.size() > 5 && key.compare(0, 5, ZK_VALUE) == 0 &&
                          key.find_first_not_of("0123456789", 5) == std::string::npos;
    if (!numbered && !part.empty()) kept += (kept.empty() ? "" : ";") + part;
    start = end + 1;
  }
  for (std::size_t i = 0; i < entries.size(); ++i)
    kept += (kept.empty() ? "" : ";") + std::string(ZK_VALUE) + ZK_IntToTextIntl(int(i + 1), 10) +
            "=" + entries[i];
  column.field.properties = kept;
}

}  // namespace

int ZK_FormGridColumnAdd(const std::string& form, const std::string& grid,
                         const std::string& column, int order, int width, const std::string& title,
                         const std::string& properties) {
  const ZK_ContextGuard context(ZK_ItemKeyIntl(form, grid), "ZK_FormGridColumnAdd");
  if (form.empty()) return context.fail(ZK_ERR_NAME_EMPTY);
  int status = ZK_OK;
  ZK_Grid* g = ZK_GridOfItemIntl(form, grid, &status);
  if (g == nullptr) return context.fail(status);
  if (column.empty()) return context.fail(ZK_ERR_COLUMN_NOT_FOUND);
  if (ZK_GridColumnIndexIntl(*g, column) >= 0) return context.fail(ZK_ERR_COLUMN_EXISTS);

  ZK_GridColumn added;
  added.name = column;
  added.order = order;
  added.width = width;
  status = readColumn(properties, added);
  if (status != ZK_OK) return context.fail(status);
  added.field.value = title;
  added.slot = g->slots++;

  // After the columns of a lower or equal order: declaration order breaks ties.
  const auto place = std::find_if(g->columns.begin(), g->columns.end(),
                                  [order](const ZK_GridColumn& c) { return c.order > order; });
  const int index = static_cast<int>(place - g->columns.begin());
  g->columns.insert(place, added);
  columnsChanged(*g);
  // The current and edited cells keep their columns.
  if (g->list != nullptr && index <= g->column && g->columns.size() > 1) ++g->column;
  if (g->editor != nullptr && index <= g->editColumn) ++g->editColumn;
  if (g->list != nullptr) {
    if (!ZK_GridColumnInsertIntl(*g, index)) return context.fail(ZK_ERR_CREATE_WINDOW);
    InvalidateRect(g->list, nullptr, TRUE);
  }
  return context.done();
}

int ZK_FormGridColumnSet(const std::string& form, const std::string& grid,
                         const std::string& column, const std::string& attribute,
                         const std::string& value) {
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  const ZK_GridVisit visit;
  const ZK_GridColumnRef found = ZK_GridColumnOfIntl(form, grid, column);
  ZK_Grid* g = found.grid;
  const int index = found.index;
  if (g == nullptr) return context.refuse(found.status);
  const std::string word = ZK_UpperIntl(attribute);
  if (word == ZK_WIDTH || word == ZK_VISIBLE) {
    changeShown(*g, index, word, value);
    return context.done();
  }
  if (word == ZK_ADDVALUE || word == ZK_CLEARVALUE) {
    changeChoices(g->columns[static_cast<std::size_t>(index)], word, value);
    return context.done();
  }
  const ZK_ItemKeyword* keyword = columnKeyword(word);
  if (keyword == nullptr) return context.refuse(ZK_ERR_KEYWORD_UNKNOWN);
  ZK_ItemKeywordChangeIntl(*keyword, value, g->columns[static_cast<std::size_t>(index)].field);
  columnsChanged(*g);
  if (g->list != nullptr) {
    ZK_GridColumnShowIntl(*g, index);
    InvalidateRect(g->list, nullptr, TRUE);
    if (index == g->column && GetFocus() == g->list) ZK_GridShowRemarkIntl(*g);
  }
  return context.done();
}

int ZK_FormGridColumnWidth(const std::string& form, const std::string& grid,
                           const std::string& column) {
  const ZK_GridVisit visit;
  const ZK_GridColumnRef found = ZK_GridColumnOfIntl(form, grid, column);
  return found.grid == nullptr ? -1 : shownWidth(*found.grid, found.index);
}
