// The item table: every form item by key "form.item", held by value, with its two indexes.
#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

void unindex(ZK_FormsState& state, const std::string& key, HWND control) {
  const auto found = state.keysByControl.find(control);
  if (found == state.keysByControl.end()) return;
  found->second.erase(key);
  if (found->second.empty()) state.keysByControl.erase(found);
}

char upperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
}

// The key's form part (before its first ".") is the form, ASCII letter case ignored. Compared in
// place: the dialog procedure asks for every message.
bool ofForm(const std::string& key, const std::string& form) {
  if (key.size() <= form.size() || key[form.size()] != '.') return false;
  for (std::size_t i = 0; i < form.size(); ++i) {
    if (key[i] == '.' || upperAscii(key[i]) != upperAscii(form[i])) return false;
  }
  return true;
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
  ZK_FormsState& state = ZK_FormsStateIntl();
  const auto found = state.items.find(key);
  if (found == state.items.end()) {
    state.items.emplace(key, record);
    state.keysByControl[record.hwnd].insert(key);
    ++state.orderVersion;
    return;
  }
  if (found->second.hwnd != record.hwnd) {
    unindex(state, key, found->second.hwnd);
    state.keysByControl[record.hwnd].insert(key);
  }
  if (found->second.order != record.order) ++state.orderVersion;
  found->second = record;
}

void ZK_ItemRemoveIntl(const std::string& key) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  const auto found = state.items.find(key);
  if (found == state.items.end()) return;
  unindex(state, key, found->second.hwnd);
  state.items.erase(found);
  ++state.orderVersion;
}

void ZK_ItemTableClearIntl() {
  ZK_FormsState& state = ZK_FormsStateIntl();
  state.items.clear();
  state.keysByControl.clear();
  ++state.orderVersion;
}

const ZK_ItemTable& ZK_ItemTableIntl() {
  return ZK_FormsStateIntl().items;
}

bool ZK_ItemChangeIntl(const std::string& form, const std::string& item,
                       const std::function<void(ItemRecord&)>& change) {
  const std::string key = ZK_ItemKeyIntl(form, item);
  const ZK_ItemTable& items = ZK_FormsStateIntl().items;
  const auto found = items.find(key);
  if (found == items.end()) return false;
  ItemRecord record = found->second;
  change(record);
  ZK_ItemStoreIntl(key, record);
  return true;
}

void ZK_ItemsOfFormIntl(const std::string& form,
                        const std::function<void(const std::string&, const ItemRecord&)>& visit) {
  const std::string prefix = form + ".";
  const ZK_ItemTable& items = ZK_FormsStateIntl().items;
  for (auto it = items.lower_bound(prefix);
       it != items.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    visit(it->first.substr(prefix.size()), it->second);
  }
}

std::vector<std::string> ZK_ItemNamesOfFormIntl(const std::string& form) {
  std::vector<std::string> names;
  ZK_ItemsOfFormIntl(form,
                     [&](const std::string& item, const ItemRecord&) { names.push_back(item); });
  return names;
}

std::map<int, std::string> ZK_ItemOrdersIntl(const std::string& form) {
  std::map<int, std::string> orders;
  ZK_ItemsOfFormIntl(form, [&](const std::string& item, const ItemRecord& record) {
    orders.emplace(record.order, item);  // of two with one number, the first stays
  });
  return orders;
}

std::uint64_t ZK_ItemOrderVersionIntl() {
  return ZK_FormsStateIntl().orderVersion;
}

std::string ZK_FormItemByControlIntl(const std::string& form, HWND control) {
  const ZK_FormsState& state = ZK_FormsStateIntl();
  const auto found = state.keysByControl.find(control);
  if (found == state.keysByControl.end()) return "";
  for (const std::string& key : found->second)
    if (ofForm(key, form)) return key.substr(form.size() + 1);
  return "";
}

ItemRecord ZK_FormItemGet(const std::string& form, const std::string& item) {
  const ZK_ItemTable& items = ZK_FormsStateIntl().items;
  const auto found = items.find(ZK_ItemKeyIntl(form, item));
  return found == items.end() ? ZK_ItemEmptyIntl() : found->second;
}
