// What a form asks for beyond the defaults, read once it is placed: its default and cancel
// buttons, the check of every input on OK, its smallest size, filling the main window, and the
// reference its anchored items keep their distances from. Forms that ask for none have no entry.
#include <algorithm>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

// A form's DEFAULT or CANCEL names one of its BUTTON items; any other name is left out.
std::string buttonNamed(const std::string& form, const std::string& item) {
  return !item.empty() && ZK_FormItemGet(form, item).kind == ZK_BUTTON ? item : "";
}

// "width,height" in 96-DPI units.
void readSize(const std::string& text, int* width, int* height) {
  const std::string::size_type comma = text.find(',');
  *width = std::max(0, ZK_TextToIntIntl(text.substr(0, comma), 10));
  *height =
      comma == std::string::npos ? 0 : std::max(0, ZK_TextToIntIntl(text.substr(comma + 1), 10));
}

bool anyAnchored(const std::string& form) {
  bool anchored = false;
  ZK_ItemsOfFormIntl(form, [&](const std::string&, const ItemRecord& item) {
    anchored = anchored || item.anchor != 0;
  });
  return anchored;
}

// The area of the form at its declared size: its frame as declared, less what the frame and the
// status bar take now. A form the main window was too small for is laid out as if it were not.
SIZE referenceOf(HWND dialog, const WindowRecord& declared, const WindowRecord& placed) {
  const SIZE area = ZK_FormAreaIntl(placed);
  RECT frame = {};
  RECT client = {};
  if (!GetWindowRect(dialog, &frame) || !GetClientRect(dialog, &client)) return area;
  const int bar = (client.bottom - client.top) - area.cy;
  SIZE reference = area;
  if (declared.width >= 1) {
    const int border = (frame.right - frame.left) - (client.right - client.left);
    reference.cx = ZK_ScaleIntl(declared.width, placed.dpi) - border;
  }
  if (declared.height >= 1) {
    const int border = (frame.bottom - frame.top) - (client.bottom - client.top);
    reference.cy = ZK_ScaleIntl(declared.height, placed.dpi) - border - bar;
  }
  return reference;
}

}  // namespace

const ZK_FormOptions* ZK_FormOptionsIntl(const std::string& form) {
  const std::map<std::string, ZK_FormOptions>& all = ZK_FormsStateIntl().formOptions;
  if (all.empty()) return nullptr;
  const auto found = all.find(form);
  return found == all.end() ? nullptr : &found->second;
}

void ZK_FormOptionsStartIntl(const ZK_FormMessage& m, const WindowRecord& declared) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  state.formOptions.erase(m.form);
  const std::string& properties = declared.properties;
  ZK_FormOptions options;
  options.defaultItem = buttonNamed(m.form, ZK_PropertyGetIntl(ZK_DEFAULT, properties));
  options.cancelItem = buttonNamed(m.form, ZK_PropertyGetIntl(ZK_CANCEL, properties));
  options.validate = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_VALIDATE, properties));
  readSize(ZK_PropertyGetIntl(ZK_MINSIZE, properties), &options.minWidth, &options.minHeight);
  options.anchored = anyAnchored(m.form);
  // Only a borderless form, a child of the main window, can fill it.
  const bool fills = ZK_IsTrueIntl(ZK_PropertyGetIntl(ZK_FILL, properties)) &&
                     (GetWindowLongA(m.dialog, GWL_STYLE) & WS_CHILD) != 0;
  const bool asked = !options.defaultItem.empty() || !options.cancelItem.empty() ||
                     options.validate || options.minWidth > 0 || options.minHeight > 0 ||
                     options.anchored || fills;
  if (!asked) return;

  const WindowRecord placed = ZK_WindowLookupIntl(m.form);
  options.referenceDpi = placed.dpi;
  options.reference = referenceOf(m.dialog, declared, placed);
  state.formOptions[m.form] = options;
  if (!options.defaultItem.empty()) {
    // Enter then presses it wherever the focus is, unless the focused control takes Enter itself.
    const ItemRecord button = ZK_FormItemGet(m.form, options.defaultItem);
    SendMessageA(m.dialog, DM_SETDEFID, static_cast<WPARAM>(button.controlId), 0);
  }
  if (fills) {
    ZK_WindowChangeIntl(m.form, [](WindowRecord& r) { r.fills = true; });
    ZK_WindowFillIntl();
  }
  // Placed smaller than declared (a small main window): the anchored items move in at once.
  ZK_FormLayoutIntl(m.form);
}

ZK_FormOptions& ZK_FormOptionsEnsureIntl(const std::string& form) {
  ZK_FormOptions& options = ZK_FormsStateIntl().formOptions[form];
  const WindowRecord record = ZK_WindowLookupIntl(form);
  if (options.reference.cx == 0 && options.reference.cy == 0 && record.hwnd != nullptr) {
    options.reference = ZK_FormAreaIntl(record);
    options.referenceDpi = record.dpi;
  }
  return options;
}

void ZK_FormOptionsForgetIntl(const std::string& form) {
  ZK_FormsStateIntl().formOptions.erase(form);
}
