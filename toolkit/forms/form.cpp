// Forms as dialogs: opening a form from its in-memory template, forgetting a closed form, and the
// reverse lookup from a window handle to its registry name.
#include <windows.h>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "window/gdi_objects.h"

namespace {
constexpr char kDefaultCaption[] = "Zarvik Form";
// Framed, centred, sizable popup; "EDGE=false" (exactly) gives a borderless child instead.
constexpr DWORD kFramedStyle = 0x90CF0880;
constexpr DWORD kChildStyle = 0x50000000;

DWORD formStyle(const std::string& properties) {
  return ZK_PropertyGetIntl(ZK_EDGE, properties) == "false" ? kChildStyle : kFramedStyle;
}

// A form record left without a window by a run that failed still owns its brush.
void releaseStaleForm(const std::string& name) {
  const WindowRecord old = ZK_WindowLookupIntl(name);
  if (!old.title.empty() && old.hwnd == nullptr && old.backBrush != nullptr)
    ZK_GdiDeleteIntl(old.backBrush);
}

// The modal or modeless run of a stored form; the template block is freed here on every path.
// The form's name goes to the dialog procedure as the dialog's creation parameter.
int runForm(const std::string& name, bool modal, HWND owner, HGLOBAL block) {
  ZK_WindowState& state = ZK_WindowStateIntl();
  const auto* dialogTemplate = static_cast<LPCDLGTEMPLATEA>(GlobalLock(block));
  const LPARAM form = reinterpret_cast<LPARAM>(&name);
  if (modal) {
    const INT_PTR result =
        DialogBoxIndirectParamA(state.instance, dialogTemplate, owner, ZK_FormProcIntl, form);
    GlobalUnlock(block);
    // The dialog is gone now; it must not stay the target of the loop's keyboard handling.
    if (state.activeFormName == name) state.activeFormName.clear();
    const bool freed = GlobalFree(block) == nullptr;
    if (result == 0 || result == -1) return ZK_ERR_DIALOG_RUN;
    return freed ? ZK_OK : ZK_ERR_GLOBAL_FREE;
  }
  HWND dialog =
      CreateDialogIndirectParamA(state.instance, dialogTemplate, owner, ZK_FormProcIntl, form);
  GlobalUnlock(block);
  if (dialog == nullptr) {
    GlobalFree(block);
    return ZK_ERR_DIALOG_RUN;
  }
  // Initialisation has stored the record; an event procedure may even have forgotten it.
  ZK_WindowChangeIntl(name, [&](WindowRecord& r) { r.hwnd = dialog; });
  return GlobalFree(block) != nullptr ? ZK_ERR_GLOBAL_FREE : ZK_OK;
}
}  // namespace

std::string ZK_WindowNameByHandleIntl(HWND window) {
  for (const auto& entry : ZK_WindowRegistryIntl())
    if (entry.second.hwnd == window) return entry.first;
  return "";
}

int ZK_FormCreate(const std::string& name, const std::string& properties, int x, int y, int width,
                  int height, ZK_FormEventProc callback) {
  const ZK_ContextGuard context(name, "ZK_FormCreate", ZK_ContextMode::kSet);
  ZK_WindowState& state = ZK_WindowStateIntl();
  state.activeFormName = name;
  if (name.empty()) return context.fail(ZK_ERR_NAME_EMPTY);
  if (ZK_WindowLookupIntl(name).hwnd != nullptr) return context.fail(ZK_ERR_WINDOW_EXISTS);
  if (name.find('.') != std::string::npos) return context.fail(ZK_ERR_NAME_HAS_DOT);
  HWND owner = ZK_WindowLookupIntl(state.mainWindowName).hwnd;
  if (owner == nullptr) return context.fail(ZK_ERR_NO_MAIN_WINDOW);

  const std::string backText = ZK_PropertyGetIntl(ZK_BKCOL, properties);
  std::string caption = ZK_PropertyGetIntl(ZK_NAME, properties);
  if (caption.empty()) caption = kDefaultCaption;

  HGLOBAL block = nullptr;
  const int built =
      ZK_FormTemplateIntl(caption, formStyle(properties), x, y, width, height, &block);
  if (built != ZK_OK) return context.passBack(built);

  const std::uint32_t colour = ZK_ColourIntl(backText.empty() ? "white" : backText);
  HBRUSH brush = ZK_GdiBrushIntl(colour);
  if (brush == nullptr) return context.fail(ZK_ERR_CREATE_BRUSH, [&] { GlobalFree(block); });
  WindowRecord record = ZK_WindowNewIntl(x, y, width, height, colour, brush, properties);
  record.title = name;
  record.callback = callback;
  record.statusBar = !ZK_IsFalseIntl(ZK_PropertyGetIntl(ZK_STBAR, properties));
  record.modal = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_MODAL, properties));
  releaseStaleForm(name);
  ZK_WindowStoreIntl(name, record);
  const int status = runForm(name, record.modal, owner, block);
  return status == ZK_OK ? context.done() : context.refuse(status);
}

int ZK_FormClose(const std::string& name) {
  const ZK_ContextGuard context(name, "ZK_FormClose", ZK_ContextMode::kSet);
  // Its items, whose keys begin with the name and the dot: form "f" keeps away from form "fx".
  // They go even when the form never opened, or they would refuse to be declared again.
  ZK_FormItemBrushesReleaseIntl(name);
  for (const std::string& item : ZK_ItemNamesOfFormIntl(name))
    ZK_ItemRemoveIntl(ZK_ItemKeyIntl(name, item));
  if (const auto forget = ZK_FormsStateIntl().hooks.forget) forget(name);
  ZK_FormOptionsForgetIntl(name);
  const WindowRecord record = ZK_WindowLookupIntl(name);
  if (record.title.empty()) return context.fail(ZK_ERR_WINDOW_NOT_FOUND);

  // A brush the system refuses to delete is not lost: it is deleted again with the next deletion.
  // The form is forgotten either way, or it could never be opened again.
  ZK_WindowRemoveIntl(name);
  if (record.backBrush != nullptr && !ZK_GdiDeleteIntl(record.backBrush))
    return context.fail(ZK_ERR_DELETE_OBJECT);
  return context.done();
}
