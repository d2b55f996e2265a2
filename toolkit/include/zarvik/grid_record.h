// GridRecord: what the toolkit tells an application about a DATAGRID item (ZK_FormGridGet),
// with the cell of the grid event raised last.
#pragma once

#include <string>

#include "field_value.h"

struct GridRecord {
  int rows = 0;              // number of rows
  int columns = 0;           // number of columns
  bool virtualRows = false;  // the application holds the rows (ZK_FormGridVirtual)
  int row = -1;              // the current row, -1 when there is none
  std::string column;        // the current column, "" when the grid has none
  bool editing = false;      // the cell editor is open
  std::string sortColumn;    // the column of the last sort, "" when none (COLSORT: the one asked)
  bool descending = false;   // that sort runs from the highest value down
  int eventRow = -1;         // the row of the last grid event (-1 for COLSORT)
  std::string eventColumn;   // its column
  std::string text;          // CELLCHG: the cell's new text, as checked and written back
  std::string previous;      // CELLCHG: the text the cell had before
  FieldValue field;          // CELLCHG: the text as typed, and the date or amount read from it
};
