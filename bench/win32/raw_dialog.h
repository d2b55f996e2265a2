// The baselines' dialog, from the same in-memory template as a toolkit form's.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// Opens a modeless dialog from the same in-memory template as a toolkit form's; null on failure.
HWND RawDialogOpen(HWND owner, const std::string& caption, int x, int y, int width, int height,
                   DLGPROC proc, LPARAM parameter);

}  // namespace bench
