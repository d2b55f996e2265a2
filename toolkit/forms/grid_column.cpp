// A grid's columns: declared like items (a name, an order, a width, a title and a property
// string with the keys items know), and changed at run time like items, through the items'
// keyword table.
#include <windows.h>

#include <algorithm>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

// The item keywords a column takes: read and changed through the items' own rows
// (item_keywords.cpp), into the column's record. VALUE is the title; TYPE is declared only.
const char* const kColumnKeywords[] = {ZK_VALUE,  ZK_FORMAT, ZK_LENGTH, ZK_NOTNULL, ZK_TXHPOS,
                                       ZK_REMARK, ZK_ENABLE, ZK_BKCOL,  ZK_TXCOL};

const ZK_ItemKeyword* columnKeyword(const std::string& word) {
  for (const char* name : kColumnKeywords)
    if (word == name) return ZK_ItemKeywordIntl(name);
  return nullptr;
}

// Reads a declaration's property string into the column; statuses 21 and 24.
int readColumn(const std::string& properties, ZK_GridColumn& column) {
  ItemRecord& field = column.field;
  ZK_ItemKeywordsDeclareIntl(properties, field);
  if (field.type.empty()) field.type = ZK_STRING;
  if (field.type != ZK_STRING && field.type != ZK_DATE && field.type != ZK_CURRENCY)
    return ZK_ERR_DATA_TYPE;
  if (field.type != ZK_STRING && field.format.empty()) return ZK_ERR_FORMAT_MISSING;
  // Dates and amounts line up on the right unless told otherwise, as their fields do.
  if (field.type != ZK_STRING && ZK_PropertyGetIntl(ZK_TXHPOS, properties).empty())
    field.textHPos = 1;
  return ZK_OK;
}

bool anyColumnColour(const ZK_Grid& grid) {
  for (const ZK_GridColumn& column : grid.columns)
    if (column.field.backColour != -1 || column.field.textColour != -1) return true;
  return false;
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
  g->columnColours = anyColumnColour(*g);
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
  const ZK_ItemKeyword* keyword = columnKeyword(ZK_UpperIntl(attribute));
  if (keyword == nullptr) return context.refuse(ZK_ERR_KEYWORD_UNKNOWN);
  ZK_ItemKeywordChangeIntl(*keyword, value, g->columns[static_cast<std::size_t>(index)].field);
  g->columnColours = anyColumnColour(*g);
  if (g->list != nullptr) {
    ZK_GridColumnShowIntl(*g, index);
    InvalidateRect(g->list, nullptr, TRUE);
    if (index == g->column && GetFocus() == g->list) ZK_GridShowRemarkIntl(*g);
  }
  return context.done();
}
