// GridRecord: what the toolkit tells an application about a DATAGRID item (ZK_FormGridGet),
// with the cell of the grid event raised last.
#pragma once

#include <string>
#include <vector>

#include "field_value.h"

struct GridRecord {
  int rows = 0;              // number of rows
  int columns = 0;           // number of columns
  bool virtualRows = false;  // the application holds the rows (ZK_FormGridVirtual)
  int selected = 0;          // how many rows are selected (ZK_FormGridSelection lists them)
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
  // ROWINS: the rows added from eventRow; ROWDEL: how many rows go; CELLPASTE: the rows of the
  // pasted block from eventRow (its first column eventColumn) ...
  int blockRows = 0;
  int blockColumns = 0;               // CELLPASTE: ... its columns, shown ones in display order ...
  int addedRows = 0;                  // ... how many of its rows come after the grid's last ...
  std::vector<std::string> cells;     // ... its texts as checked, row by row (ROWDEL of held
                                      // rows: the deleted rows' texts, every column) ...
  std::vector<std::string> replaced;  // ... and the texts they replace ("" for added rows)
  std::vector<int> rowList;           // ROWDEL: the rows deleted, ascending
};
