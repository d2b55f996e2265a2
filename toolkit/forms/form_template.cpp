// The in-memory dialog template of a form: a standard template without controls, in fixed global
// memory, since forms have no dialog resources.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {
// The program's texts are in its active code page, 1252 or, by its manifest, UTF-8 (which takes
// no conversion flags: precomposed is the default anyway).
constexpr UINT kTextCodePage = CP_ACP;
constexpr SIZE_T kMinimumBlock = 1024;
// Fixed header (style to class), point size, "Arial" and its terminator, around the caption.
constexpr SIZE_T kHeaderBytes = 22;
constexpr SIZE_T kTrailerBytes = 2 + 12;
constexpr WORD kPointSize = 10;
constexpr wchar_t kTypeface[] = L"Arial";

void putWord(BYTE* at, WORD value) {
  at[0] = static_cast<BYTE>(value & 0xFF);
  at[1] = static_cast<BYTE>(value >> 8);
}

void putDword(BYTE* at, DWORD value) {
  putWord(at, static_cast<WORD>(value & 0xFFFF));
  putWord(at + 2, static_cast<WORD>(value >> 16));
}

// UTF-16 length of the caption; 0 for an empty or unconvertible text.
int captionLength(const std::string& caption) {
  if (caption.empty()) return 0;
  return MultiByteToWideChar(kTextCodePage, 0, caption.data(), static_cast<int>(caption.size()),
                             nullptr, 0);
}
}  // namespace

int ZK_FormTemplateIntl(const std::string& caption, DWORD style, int x, int y, int width,
                        int height, HGLOBAL* block) {
  // Failures are reported with the caller's context (ZK_FormCreate's).
  const ZK_ContextGuard context(ZK_ContextMode::kCallers);
  *block = nullptr;
  const int length = captionLength(caption);
  // A long caption gets a larger block rather than running past the usual 1024 bytes.
  const SIZE_T needed = kHeaderBytes + 2 * static_cast<SIZE_T>(length) + 2 + kTrailerBytes;
  const SIZE_T size = std::max(kMinimumBlock, needed);
  HGLOBAL memory = GlobalAlloc(GMEM_ZEROINIT, size);
  if (memory == nullptr) return context.fail(ZK_ERR_GLOBAL_ALLOC);
  auto* bytes = static_cast<BYTE*>(GlobalLock(memory));
  if (bytes == nullptr) return context.fail(ZK_ERR_GLOBAL_LOCK, [&] { GlobalFree(memory); });

  // Dialog units follow the system dialog font, as the template carries no DS_SETFONT.
  const LONG base = GetDialogBaseUnits();
  const int baseX = std::max(1, static_cast<int>(LOWORD(base)));
  const int baseY = std::max(1, static_cast<int>(HIWORD(base)));
  putDword(bytes + 0, style);
  putDword(bytes + 4, 0);
  putWord(bytes + 8, 0);
  putWord(bytes + 10, static_cast<WORD>(MulDiv(x, 4, baseX)));
  putWord(bytes + 12, static_cast<WORD>(MulDiv(y, 8, baseY)));
  putWord(bytes + 14, static_cast<WORD>(MulDiv(width, 4, baseX)));
  putWord(bytes + 16, static_cast<WORD>(MulDiv(height, 8, baseY)));
  putWord(bytes + 18, 0);
  putWord(bytes + 20, 0);

  BYTE* at = bytes + kHeaderBytes;
  if (length > 0) {
    auto* wide = reinterpret_cast<WCHAR*>(at);
    MultiByteToWideChar(kTextCodePage, 0, caption.data(), static_cast<int>(caption.size()), wide,
                        length);
  }
  at += 2 * static_cast<SIZE_T>(length) + 2;
  putWord(at, kPointSize);
  at += 2;
  for (const wchar_t* c = kTypeface; *c != 0; ++c, at += 2) putWord(at, static_cast<WORD>(*c));
  GlobalUnlock(memory);
  *block = memory;
  return ZK_OK;
}
