// The item table: every form item by key "form.item", held by value, with its two indexes.
#include <utility>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

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

// Keeps the handle index and the order version true once the stored record of node has changed
// from the handle and order it had.
void reindex(ZK_FormsState& state, ZK_ItemTable::value_type& node, HWND handle, int order) {
  if (node.second.hwnd != handle) {
    state.keysByControl.remove(handle, &node);
    state.keysByControl.add(node.second.hwnd, &node);
  }
  if (node.second.order != order) ++state.orderVersion;
}

}  // namespace

std::string ZK_ItemKeyIntl(const std::string& form, const std::string& item) {
  return form + "." + item;
}

// The record's defaults are those of the empty record.
ItemRecord ZK_ItemEmptyIntl() {
  return ItemRecord{};
}

void ZK_ItemStoreIntl(const std::string& key, ItemRecord record) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  const auto found = state.items.find(key);
  if (found == state.items.end()) {
    const auto stored = state.items.emplace(key, std::move(record)).first;
    state.keysByControl.add(stored->second.hwnd, &*stored);
    ++state.orderVersion;
    return;
  }
  const HWND handle = found->second.hwnd;
  const int order = found->second.order;
  found->second = std::move(record);
  reindex(state, *found, handle, order);
}

void ZK_ItemRemoveIntl(const std::string& key) {
  ZK_FormsState& state = ZK_FormsStateIntl();
  const auto found = state.items.find(key);
  if (found == state.items.end()) return;
  state.keysByControl.remove(found->second.hwnd, &*found);
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
  ZK_FormsState& state = ZK_FormsStateIntl();
  const auto found = state.items.find(ZK_ItemKeyIntl(form, item));
  if (found == state.items.end()) return false;
  // Changed in place, with the indexes kept as a store keeps them: no copy of the whole record
  // for a colour request's brushes or a control's new handle.
  const HWND handle = found->second.hwnd;
  const int order = found->second.order;
  change(found->second);
  reindex(state, *found, handle, order);
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
  std::string item;
  ZK_FormsStateIntl().keysByControl.visit(control, [&](ZK_ControlKeys::Entry entry) {
    if (!ofForm(entry->first, form)) return false;
    item = entry->first.substr(form.size() + 1);
    return true;
  });
  return item;
}

const ItemRecord* ZK_ItemFindIntl(const std::string& form, const std::string& item, HWND control) {
  const ZK_FormsState& state = ZK_FormsStateIntl();
  // The key compared in its two parts, exactly as the table's own order compares it.
  const auto isKey = [&](const std::string& key) {
    return key.size() == form.size() + 1 + item.size() && key.compare(0, form.size(), form) == 0 &&
           key[form.size()] == '.' && key.compare(form.size() + 1, item.size(), item) == 0;
  };
  const ItemRecord* record = nullptr;
  if (control != nullptr) {
    state.keysByControl.visit(control, [&](ZK_ControlKeys::Entry entry) {
      if (!isKey(entry->first)) return false;
      record = &entry->second;
      return true;
    });
    if (record != nullptr) return record;
  }
  const auto found = state.items.find(ZK_ItemKeyIntl(form, item));
  return found == state.items.end() ? nullptr : &found->second;
}

ItemRecord ZK_FormItemGet(const std::string& form, const std::string& item) {
  const ZK_ItemTable& items = ZK_FormsStateIntl().items;
  const auto found = items.find(ZK_ItemKeyIntl(form, item));
  return found == items.end() ? ZK_ItemEmptyIntl() : found->second;
}
