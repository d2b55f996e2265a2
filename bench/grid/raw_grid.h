// The grid benchmarks' baseline: the same dialog and owner-data list view as a toolkit form with a
// grid, written directly against Win32 by hand, and the cell texts both sides show.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

constexpr int kGridColumns = 3;

// The text of a generated cell: a date, a label and an amount, a different one per row.
void GridCell(int row, int column, std::string& text);

// Opens a modeless dialog holding a list view of `rows` rows and the grid's three columns, with a
// status bar; the same template, styles and placement as the toolkit's form. Null on failure.
HWND RawGridOpen(HWND owner, int rows);
// Its list view.
HWND RawGridList(HWND dialog);
// Closes it as the close box does.
void RawGridClose(HWND dialog);

}  // namespace bench
