// Stand-ins for system calls a test makes fail through an ImportPatch: the refused call leaves
// ERROR_NOT_ENOUGH_MEMORY; a clean-up after it succeeds and leaves an error number of its own
// behind, as a successful call may.
#pragma once

#include <windows.h>

namespace support {

inline HGDIOBJ WINAPI selectRefused(HDC, HGDIOBJ) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}

// The real DeleteObject, for the stand-in below: set it from the patch (ImportPatch::original).
inline decltype(&DeleteObject)& realDeleteObject() {
  static decltype(&DeleteObject) real = nullptr;
  return real;
}

inline BOOL WINAPI deleteLeavingItsOwnError(HGDIOBJ object) {
  const BOOL deleted = realDeleteObject()(object);
  SetLastError(ERROR_INVALID_HANDLE);
  return deleted;
}

}  // namespace support
