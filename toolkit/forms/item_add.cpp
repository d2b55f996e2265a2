// Declaring a form item: checks the declaration, reads its property string once into an ItemRecord
// and stores it in the item table. Nothing native is made here.
#include <cstdint>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

const char* const kKinds[] = {ZK_STATIC,  ZK_RECT,     ZK_EDIT,     ZK_BUTTONSYS, ZK_BUTTON,
                              ZK_CHECKSYS, ZK_CHECK,   ZK_COMBOSYS, ZK_DATAGRID};

bool isKind(const std::string& kind) {
  for (const char* known : kKinds) {
    if (kind == known) return true;
  }
  return false;
}

int horizontalPosition(const std::string& text) {
  const std::string word = ZK_UpperIntl(text);
  if (word == "CENTER") return 0;
  if (word == "RIGHT") return 1;
  return -1;
}

int verticalPosition(const std::string& text) {
  const std::string word = ZK_UpperIntl(text);
  if (word == "CENTER") return 0;
  if (word == "BOTTOM") return 1;
  return -1;
}

std::int32_t colourOrUnset(const std::string& text) {
  return text.empty() ? -1 : static_cast<std::int32_t>(ZK_ColourIntl(text));
}

// Reads the property string into the record in the documented order; only BRDSTYLE and TYPE can
// refuse the declaration, so a bad border style is reported before any TYPE fault.
int readProperties(const std::string& kind, const std::string& properties, ItemRecord& record) {
  auto get = [&properties](const char* key) { return ZK_PropertyGetIntl(key, properties); };

  record.value = get(ZK_VALUE);
  record.buttonRole = ZK_UpperIntl(get(ZK_BUTTON));
  record.remark = get(ZK_REMARK);
  record.format = get(ZK_FORMAT);
  record.textHPos = horizontalPosition(get(ZK_TXHPOS));
  record.textVPos = verticalPosition(get(ZK_TXVPOS));
  record.fontName = get(ZK_FTNAME);
  record.fontSize = ZK_TextToIntIntl(get(ZK_FTSIZE), 10);
  if (record.fontSize < 1 || record.fontSize > 256) record.fontSize = 10;
  record.fontBold = ZK_IsTrueIntl(get(ZK_FTBOLD));
  record.fontItalic = ZK_IsTrueIntl(get(ZK_FTITALIC));
  record.fontUnderline = ZK_IsTrueIntl(get(ZK_FTULINE));
  record.length = ZK_TextToIntIntl(get(ZK_LENGTH), 10);
  record.notNull = ZK_IsTrueIntl(get(ZK_NOTNULL));
  record.backColour = colourOrUnset(get(ZK_BKCOL));
  record.textColour = colourOrUnset(get(ZK_TXCOL));

  std::string style = ZK_UpperIntl(get(ZK_BRDSTYLE));
  if (style.empty()) style = "SOLID";
  if (style != "SOLID" && style != "3DOUT" && style != "3DIN") return ZK_ERR_BORDER_STYLE;
  record.borderStyle = style;

  record.borderSize = ZK_TextToIntIntl(get(ZK_BRDSIZE), 10);
  if (record.borderSize < 0 || record.borderSize > 16) record.borderSize = 0;
  const std::string borderColour = get(ZK_BRDCOL);
  record.borderColour = borderColour.empty() ? 0 : static_cast<std::int32_t>(ZK_ColourIntl(borderColour));

  std::string type = ZK_UpperIntl(get(ZK_TYPE));
  if (!type.empty() && type != ZK_STRING && type != ZK_DATE && type != ZK_CURRENCY) {
    return ZK_ERR_DATA_TYPE;
  }
  const bool typed = kind == ZK_EDIT || kind == ZK_COMBOSYS;
  if (typed && type.empty()) type = ZK_STRING;
  if (!typed && !type.empty()) return ZK_ERR_TYPE_NOT_ALLOWED;
  if (kind == ZK_EDIT && (type == ZK_DATE || type == ZK_CURRENCY) && record.format.empty()) {
    return ZK_ERR_FORMAT_MISSING;
  }
  record.type = type;

  record.editable = ZK_IsTrueIntl(get(ZK_EDIT));
  record.checked = ZK_IsTrueIntl(get(ZK_CHECK));
  record.field.checkState = record.checked;
  record.enabled = !ZK_IsFalseIntl(get(ZK_ENABLE));
  record.visible = !ZK_IsFalseIntl(get(ZK_VISIBLE));
  record.password = ZK_IsTrueIntl(get(ZK_PASSWORD));
  record.multiLine = ZK_IsTrueIntl(get(ZK_MULTILINE));
  return ZK_OK;
}

}  // namespace

int ZK_FormItemAdd(const std::string& form, const std::string& item, const std::string& kind,
                   int order, int x, int y, int width, int height, const std::string& properties) {
  const ZK_ContextGuard context(ZK_ItemKeyIntl(form, item), "ZK_FormItemAdd");
  if (form.empty()) return context.fail(ZK_ERR_NAME_EMPTY);
  if (item.empty()) return context.fail(ZK_ERR_ITEM_NOT_FOUND);
  if (!ZK_FormItemGet(form, item).kind.empty()) return context.fail(ZK_ERR_ITEM_EXISTS);
  if (!isKind(kind)) return context.fail(ZK_ERR_ITEM_KIND);

  ItemRecord record = ZK_ItemEmptyIntl();
  const int status = readProperties(kind, properties, record);
  if (status != ZK_OK) return context.fail(status);

  // A toolkit-drawn check box with a 3D look needs a face and a mark colour of its own, and
  // always at least a one-pixel frame.
  if (kind == ZK_CHECK) {
    if (record.borderStyle != "SOLID") {
      if (record.backColour == -1) record.backColour = 0xFFFFFF;
      if (record.textColour == -1) record.textColour = 0;
    }
    if (record.borderSize < 1) record.borderSize = 1;
  }

  record.kind = kind;
  record.order = order;
  record.x = x;
  record.y = y;
  record.width = width;
  record.height = height;
  record.properties = properties;
  record.field.text = "";
  record.backBrush = nullptr;
  record.textBrush = nullptr;
  record.controlId = 0;
  ZK_ItemStoreIntl(ZK_ItemKeyIntl(form, item), record);
  return context.done();
}
