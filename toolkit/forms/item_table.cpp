// The item table: every form item by key "form.item", held by value.
#include "forms/forms_intl.h"

namespace {
ZK_ItemTable gItems;
}  // namespace

std::string ZK_ItemKeyIntl(const std::string& form, const std::string& item) {
  return form + "." + item;
}

// The record's defaults are those of the empty record.
ItemRecord ZK_ItemEmptyIntl() {
  return ItemRecord{};
}

void ZK_ItemStoreIntl(const std::string& key, const ItemRecord& record) {
  gItems[key] = record;
}

void ZK_ItemRemoveIntl(const std::string& key) {
  gItems.erase(key);
}

void ZK_ItemTableClearIntl() {
  gItems.clear();
}

const ZK_ItemTable& ZK_ItemTableIntl() {
  return gItems;
}

ItemRecord ZK_FormItemGet(const std::string& form, const std::string& item) {
  const auto found = gItems.find(ZK_ItemKeyIntl(form, item));
  return found == gItems.end() ? ZK_ItemEmptyIntl() : found->second;
}
