// The item table: every form item by key "form.item", held by value.
#include <set>

#include "forms/forms_intl.h"

namespace {
ZK_ItemTable gItems;
// Keys by control handle, each set in key order: the dialog procedure looks up the item of a
// control for every message, which a walk of the whole table made cost as much as the table.
std::map<HWND, std::set<std::string>> gKeysByControl;
// Counts the changes that can alter which item carries an order number: keys added or removed,
// an order changed.
std::uint64_t gOrderVersion = 0;

void unindex(const std::string& key, HWND control) {
  const auto found = gKeysByControl.find(control);
  if (found == gKeysByControl.end()) return;
  found->second.erase(key);
  if (found->second.empty()) gKeysByControl.erase(found);
}
}  // namespace

std::string ZK_ItemKeyIntl(const std::string& form, const std::string& item) {
  return form + "." + item;
}

// The record's defaults are those of the empty record.
ItemRecord ZK_ItemEmptyIntl() {
  return ItemRecord{};
}

void ZK_ItemStoreIntl(const std::string& key, const ItemRecord& record) {
  const auto found = gItems.find(key);
  if (found == gItems.end()) {
    gItems.emplace(key, record);
    gKeysByControl[record.hwnd].insert(key);
    ++gOrderVersion;
    return;
  }
  if (found->second.hwnd != record.hwnd) {
    unindex(key, found->second.hwnd);
    gKeysByControl[record.hwnd].insert(key);
  }
  if (found->second.order != record.order) ++gOrderVersion;
  found->second = record;
}

void ZK_ItemRemoveIntl(const std::string& key) {
  const auto found = gItems.find(key);
  if (found == gItems.end()) return;
  unindex(key, found->second.hwnd);
  gItems.erase(found);
  ++gOrderVersion;
}

void ZK_ItemTableClearIntl() {
  gItems.clear();
  gKeysByControl.clear();
  ++gOrderVersion;
}

std::string ZK_ItemKeyByControlIntl(HWND control, bool (*accept)(const std::string& key,
                                                                 const std::string& form),
                                    const std::string& form) {
  const auto found = gKeysByControl.find(control);
  if (found == gKeysByControl.end()) return "";
  for (const std::string& key : found->second)
    if (accept(key, form)) return key;
  return "";
}

std::map<int, std::string> ZK_ItemOrdersIntl(const std::string& form) {
  std::map<int, std::string> orders;
  // The keys of one form are contiguous in the table, since they share the prefix.
  const std::string prefix = form + ".";
  for (auto it = gItems.lower_bound(prefix);
       it != gItems.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    orders.emplace(it->second.order, it->first.substr(prefix.size()));  // the first one stays
  }
  return orders;
}

std::uint64_t ZK_ItemOrderVersionIntl() {
  return gOrderVersion;
}

const ZK_ItemTable& ZK_ItemTableIntl() {
  return gItems;
}

ItemRecord ZK_FormItemGet(const std::string& form, const std::string& item) {
  const auto found = gItems.find(ZK_ItemKeyIntl(form, item));
  return found == gItems.end() ? ZK_ItemEmptyIntl() : found->second;
}
