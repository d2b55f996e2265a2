// A grid's columns: declared like items (a name, an order, a width, a title and a property
// string with the keys items know), and changed at run time like items. One table of keys serves
// both.
#include <windows.h>

#include <algorithm>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

int alignmentOf(const std::string& value) {
  const std::string word = ZK_UpperIntl(value);
  if (word == "CENTER" || word == "0") return 0;
  if (word == "RIGHT" || word == "1") return 1;
  return -1;
}

std::int32_t colourOf(const std::string& value) {
  return static_cast<std::int32_t>(ZK_ColourIntl(value));
}

using ColumnChange = void (*)(ZK_GridColumn&, const std::string&);

struct ColumnKey {
  const char* keyword;
  bool declared;  // read from the property string of ZK_FormGridColumnAdd (when not empty)
  bool changed;   // taken by ZK_FormGridColumnSet
  ColumnChange change;
};

// TYPE is read at declaration only, with its own checks; VALUE, the title, is changed only.
const ColumnKey kColumnKeys[] = {
    {ZK_VALUE, false, true, [](ZK_GridColumn& c, const std::string& v) { c.title = v; }},
    {ZK_FORMAT, true, true, [](ZK_GridColumn& c, const std::string& v) { c.rules.format = v; }},
    {ZK_LENGTH, true, true,
     [](ZK_GridColumn& c, const std::string& v) { c.rules.length = ZK_TextToIntIntl(v, 10); }},
    {ZK_NOTNULL, true, true,
     [](ZK_GridColumn& c, const std::string& v) { c.rules.notNull = ZK_IsTrueIntl(v); }},
    {ZK_TXHPOS, true, true,
     [](ZK_GridColumn& c, const std::string& v) { c.align = alignmentOf(v); }},
    {ZK_REMARK, true, true, [](ZK_GridColumn& c, const std::string& v) { c.remark = v; }},
    {ZK_ENABLE, true, true,
     [](ZK_GridColumn& c, const std::string& v) { c.enabled = !ZK_IsFalseIntl(v); }},
    {ZK_BKCOL, true, true,
     [](ZK_GridColumn& c, const std::string& v) { c.backColour = colourOf(v); }},
    {ZK_TXCOL, true, true,
     [](ZK_GridColumn& c, const std::string& v) { c.textColour = colourOf(v); }},
};

// Reads a declaration's property string into the column; statuses 21 and 24.
int readColumn(const std::string& properties, ZK_GridColumn& column) {
  std::string type = ZK_UpperIntl(ZK_PropertyGetIntl(ZK_TYPE, properties));
  if (type.empty()) type = ZK_STRING;
  if (type != ZK_STRING && type != ZK_DATE && type != ZK_CURRENCY) return ZK_ERR_DATA_TYPE;
  column.rules.type = type;
  for (const ColumnKey& key : kColumnKeys) {
    const std::string value = ZK_PropertyGetIntl(key.keyword, properties);
    if (key.declared && !value.empty()) key.change(column, value);
  }
  if (type != ZK_STRING && column.rules.format.empty()) return ZK_ERR_FORMAT_MISSING;
  // Dates and amounts line up on the right unless told otherwise, as their fields do.
  if (type != ZK_STRING && ZK_PropertyGetIntl(ZK_TXHPOS, properties).empty()) column.align = 1;
  return ZK_OK;
}

bool anyColumnColour(const ZK_Grid& grid) {
  for (const ZK_GridColumn& column : grid.columns)
    if (column.backColour != -1 || column.textColour != -1) return true;
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
  added.title = title;
  added.properties = properties;
  status = readColumn(properties, added);
  if (status != ZK_OK) return context.fail(status);
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
  const ZK_GridVisit visit;
  int status = ZK_OK;
  ZK_Grid* g = ZK_GridOfItemIntl(form, grid, &status);
  if (g == nullptr) return status;
  const int index = ZK_GridColumnIndexIntl(*g, column);
  if (index < 0) return ZK_ERR_COLUMN_NOT_FOUND;
  const std::string word = ZK_UpperIntl(attribute);
  const auto key =
      std::find_if(std::begin(kColumnKeys), std::end(kColumnKeys),
                   [&word](const ColumnKey& k) { return k.changed && word == k.keyword; });
  if (key == std::end(kColumnKeys)) return ZK_ERR_KEYWORD_UNKNOWN;
  key->change(g->columns[static_cast<std::size_t>(index)], value);
  g->columnColours = anyColumnColour(*g);
  if (g->list != nullptr) {
    ZK_GridColumnShowIntl(*g, index);
    InvalidateRect(g->list, nullptr, TRUE);
    if (index == g->column && GetFocus() == g->list) ZK_GridShowRemarkIntl(*g);
  }
  return ZK_OK;
}
