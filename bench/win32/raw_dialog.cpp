// The baselines' dialog: the same in-memory template as a toolkit form's, written by hand.
#include "raw_dialog.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace bench {

namespace {
void putWord(std::vector<BYTE>& bytes, std::size_t at, WORD value) {
  bytes[at] = static_cast<BYTE>(value & 0xFF);
  bytes[at + 1] = static_cast<BYTE>(value >> 8);
}
}  // namespace

HWND RawDialogOpen(HWND owner, const std::string& caption, int x, int y, int width, int height,
                   DLGPROC proc, LPARAM parameter) {
  // The same template as a form's: 1024 zeroed bytes of global memory, no controls, Arial 10.
  HGLOBAL block = GlobalAlloc(GMEM_ZEROINIT, 1024);
  if (block == nullptr) return nullptr;
  auto* bytes = static_cast<BYTE*>(GlobalLock(block));
  const LONG base = GetDialogBaseUnits();
  const int baseX = std::max(1, static_cast<int>(LOWORD(base)));
  const int baseY = std::max(1, static_cast<int>(HIWORD(base)));
  std::vector<BYTE> t(1024, 0);
  const DWORD style = 0x90CF0880;
  putWord(t, 0, static_cast<WORD>(style & 0xFFFF));
  putWord(t, 2, static_cast<WORD>(style >> 16));
  putWord(t, 10, static_cast<WORD>(MulDiv(x, 4, baseX)));
  putWord(t, 12, static_cast<WORD>(MulDiv(y, 8, baseY)));
  putWord(t, 14, static_cast<WORD>(MulDiv(width, 4, baseX)));
  putWord(t, 16, static_cast<WORD>(MulDiv(height, 8, baseY)));
  std::size_t at = 22;
  for (char ch : caption) {
    putWord(t, at, static_cast<BYTE>(ch));
    at += 2;
  }
  at += 2;
  putWord(t, at, 10);
  at += 2;
  for (const char* ch = "Arial"; *ch != 0; ++ch, at += 2) putWord(t, at, static_cast<WORD>(*ch));
  std::memcpy(bytes, t.data(), t.size());
  HWND dialog = CreateDialogIndirectParamA(
      GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes), owner, proc, parameter);
  GlobalUnlock(block);
  GlobalFree(block);
  return dialog;
}

}  // namespace bench
