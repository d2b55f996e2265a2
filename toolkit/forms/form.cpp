// Forms as dialogs: opening a form from its in-memory template, forgetting a closed form, and the
// reverse lookup from a window handle to its registry name.
#include <windows.h>

#include <vector>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"
#include "window/gdi_objects.h"

namespace {
constexpr char kDefaultCaption[] = "Zarvik Form";
constexpr char kCreate[] = "ZK_FormCreate";
constexpr char kClose[] = "ZK_FormClose";
// Framed, centred, sizable popup; "EDGE=false" (exactly) gives a borderless child instead.
constexpr DWORD kFramedStyle = 0x90CF0880;
constexpr DWORD kChildStyle = 0x50000000;

DWORD formStyle(const std::string& properties) {
  return ZK_PropertyGetIntl(ZK_EDGE, properties) == "false" ? kChildStyle : kFramedStyle;
}

// Releases the brushes an item still holds from its last colour request.
void releaseItemBrushes(const ItemRecord& item) {
  if (item.backBrush != nullptr) ZK_GdiDeleteIntl(item.backBrush);
  if (item.textBrush != nullptr) ZK_GdiDeleteIntl(item.textBrush);
}

// A form record left without a window by a run that failed still owns its brush.
void releaseStaleForm(const std::string& name) {
  const WindowRecord old = ZK_WindowLookupIntl(name);
  if (!old.title.empty() && old.hwnd == nullptr && old.backBrush != nullptr)
    ZK_GdiDeleteIntl(old.backBrush);
}

// The modal or modeless run of a stored form; the template block is freed here on every path.
int runForm(const std::string& name, bool modal, HWND owner, HGLOBAL block) {
  const auto* dialogTemplate = static_cast<LPCDLGTEMPLATEA>(GlobalLock(block));
  if (modal) {
    const INT_PTR result = DialogBoxIndirectParamA(ZK_globals.instance, dialogTemplate, owner,
                                                   ZK_FormProcIntl, 0);
    GlobalUnlock(block);
    // The dialog is gone now; it must not stay the target of the loop's keyboard handling.
    if (ZK_globals.activeFormName == name) ZK_globals.activeFormName.clear();
    const bool freed = GlobalFree(block) == nullptr;
    if (result == 0 || result == -1) return ZK_ERR_DIALOG_RUN;
    return freed ? ZK_OK : ZK_ERR_GLOBAL_FREE;
  }
  HWND dialog = CreateDialogIndirectParamA(ZK_globals.instance, dialogTemplate, owner,
                                           ZK_FormProcIntl, 0);
  GlobalUnlock(block);
  if (dialog == nullptr) {
    GlobalFree(block);
    return ZK_ERR_DIALOG_RUN;
  }
  // Initialisation has rewritten the record; an event procedure may even have forgotten it.
  WindowRecord record = ZK_WindowLookupIntl(name);
  if (!record.title.empty()) {
    record.hwnd = dialog;
    ZK_WindowStoreIntl(name, record);
  }
  return GlobalFree(block) != nullptr ? ZK_ERR_GLOBAL_FREE : ZK_OK;
}
}  // namespace

std::string ZK_WindowNameByHandleIntl(HWND window) {
  for (const auto& entry : ZK_WindowRegistryIntl())
    if (entry.second.hwnd == window) return entry.first;
  return "";
}

int ZK_FormCreate(const std::string& name, const std::string& properties, int x, int y,
                  int width, int height, ZK_FormEventProc callback) {
  ZK_ContextSetIntl(name, kCreate);
  ZK_globals.activeFormName = name;
  if (name.empty()) return ZK_FailIntl(ZK_ERR_NAME_EMPTY);
  if (ZK_WindowLookupIntl(name).hwnd != nullptr) return ZK_FailIntl(ZK_ERR_WINDOW_EXISTS);
  if (name.find('.') != std::string::npos) return ZK_FailIntl(ZK_ERR_NAME_HAS_DOT);
  HWND owner = ZK_WindowLookupIntl(ZK_globals.mainWindowName).hwnd;
  if (owner == nullptr) return ZK_FailIntl(ZK_ERR_NO_MAIN_WINDOW);

  const std::string backText = ZK_PropertyGetIntl(ZK_BKCOL, properties);
  std::string caption = ZK_PropertyGetIntl(ZK_NAME, properties);
  if (caption.empty()) caption = kDefaultCaption;

  HGLOBAL block = nullptr;
  const int built = ZK_FormTemplateIntl(caption, formStyle(properties), x, y, width, height, &block);
  if (built != ZK_OK) return built;

  WindowRecord record = ZK_WindowDefaultIntl();
  record.title = name;
  record.callback = callback;
  record.x = x;
  record.y = y;
  record.width = width;
  record.height = height;
  record.backColour = ZK_ColourIntl(backText.empty() ? "white" : backText);
  record.backBrush = ZK_GdiBrushIntl(record.backColour);
  if (record.backBrush == nullptr) {
    {
      const ZK_LastErrorKeep keep;
      GlobalFree(block);
    }
    return ZK_FailIntl(ZK_ERR_CREATE_BRUSH);
  }
  record.statusBar = !ZK_IsFalseIntl(ZK_PropertyGetIntl(ZK_STBAR, properties));
  record.modal = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_MODAL, properties));
  record.properties = properties;
  releaseStaleForm(name);
  ZK_WindowStoreIntl(name, record);
  return runForm(name, record.modal, owner, block);
}

int ZK_FormClose(const std::string& name) {
  ZK_ContextSetIntl(name, kClose);
  const WindowRecord record = ZK_WindowLookupIntl(name);
  if (record.title.empty()) return ZK_FailIntl(ZK_ERR_WINDOW_NOT_FOUND);

  // The dot belongs to the prefix, so form "f" keeps away from the items of form "fx".
  const std::string prefix = name + ".";
  std::vector<std::string> keys;
  for (const auto& entry : ZK_ItemTableIntl())
    if (entry.first.compare(0, prefix.size(), prefix) == 0) keys.push_back(entry.first);
  for (const std::string& key : keys) {
    const auto found = ZK_ItemTableIntl().find(key);
    if (found == ZK_ItemTableIntl().end()) continue;
    const ItemRecord item = found->second;
    releaseItemBrushes(item);
    ZK_ItemRemoveIntl(key);
  }

  ZK_GridForgetFormIntl(name);
  if (record.backBrush != nullptr && !ZK_GdiDeleteIntl(record.backBrush))
    return ZK_FailIntl(ZK_ERR_DELETE_OBJECT);
  ZK_WindowRemoveIntl(name);
  return ZK_OK;
}
