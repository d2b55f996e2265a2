// Failing system calls on demand: the toolkit is linked into each test program statically, so its
// calls to the system go through the program's own import table, whose entry for one function a
// test may point at a stand-in for one scope.
#pragma once

#include <windows.h>

#include <cstring>

namespace support {

class ImportPatch {
 public:
  // Replaces the program's import of dll!function (names without regard to case for the DLL).
  ImportPatch(const char* dll, const char* function, const void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; descriptor->Name != 0 && slot_ == nullptr; ++descriptor) {
      if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), dll) != 0) continue;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
      auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
      for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        const auto* byName =
            reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
        slot_ = reinterpret_cast<ULONG_PTR*>(&addresses->u1.Function);
        break;
      }
    }
    if (slot_ == nullptr) return;
    original_ = *slot_;
    write(reinterpret_cast<ULONG_PTR>(replacement));
  }
  ~ImportPatch() {
    if (slot_ != nullptr) write(original_);
  }
  // False when the program does not import the function (the test cannot fail it then).
  bool active() const { return slot_ != nullptr; }
  // The real function, for stand-ins that call through.
  template <typename Function>
  Function original() const {
    return reinterpret_cast<Function>(original_);
  }
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

 private:
  void write(ULONG_PTR value) {
    DWORD protection = 0;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
    *slot_ = value;
    VirtualProtect(slot_, sizeof *slot_, protection, &protection);
  }

  ULONG_PTR* slot_ = nullptr;
  ULONG_PTR original_ = 0;
};

}  // namespace support
