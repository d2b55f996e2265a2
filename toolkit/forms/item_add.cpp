// Declaring a form item: checks the declaration, reads its property string once into an ItemRecord
// and stores it in the item table. Nothing native is made here.
#include <utility>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

// The declaration's rules beyond reading each keyword, in the order their statuses come: the
// border style, the data type, then the anchors.
int checkDeclaration(const ZK_ItemKind& kind, ItemRecord& record, const std::string& properties) {
  const std::string& style = record.borderStyle;
  if (style != "SOLID" && style != "3DOUT" && style != "3DIN") return ZK_ERR_BORDER_STYLE;
  std::string& type = record.type;
  const ZK_DataType* known = ZK_DataTypeIntl(type);
  // Types of grid columns only are no words for items.
  if (!type.empty() && (known == nullptr || !known->items)) return ZK_ERR_DATA_TYPE;
  if (kind.typed && type.empty()) type = ZK_STRING;
  if (!kind.typed && !type.empty()) return ZK_ERR_TYPE_NOT_ALLOWED;
  if (kind.formatted && known != nullptr && known->formatted && record.format.empty()) {
    return ZK_ERR_FORMAT_MISSING;
  }
  int edges = 0;
  if (!ZK_AnchorReadIntl(ZK_PropertyGetIntl(ZK_ANCHOR, properties), &edges)) return ZK_ERR_ANCHOR;
  return ZK_OK;
}

}  // namespace

int ZK_FormItemAdd(const std::string& form, const std::string& item, const std::string& kind,
                   int order, int x, int y, int width, int height, const std::string& properties) {
  const ZK_ContextGuard context(ZK_ItemKeyIntl(form, item), "ZK_FormItemAdd");
  if (form.empty()) return context.fail(ZK_ERR_NAME_EMPTY);
  if (item.empty()) return context.fail(ZK_ERR_ITEM_NOT_FOUND);
  const ItemRecord* existing = ZK_ItemFindIntl(form, item);
  if (existing != nullptr && !existing->kind.empty()) return context.fail(ZK_ERR_ITEM_EXISTS);
  const ZK_ItemKind* known = ZK_ItemKindIntl(kind);
  if (known == nullptr) return context.fail(ZK_ERR_ITEM_KIND);

  ItemRecord record = ZK_ItemEmptyIntl();
  ZK_ItemKeywordsDeclareIntl(properties, record);
  const int status = checkDeclaration(*known, record, properties);
  if (status != ZK_OK) return context.fail(status);
  record.field.checkState = record.checked;

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
  ZK_ItemStoreIntl(ZK_ItemKeyIntl(form, item), std::move(record));
  return context.done();
}
