// Internal interface of the form layer. Not installed.
#pragma once

#include <map>
#include <string>

#include "forms/item_record.h"
#include "window/window_intl.h"
#include "zarvik.h"

// --- item_table.cpp ----------------------------------------------------------------------------

// Item key (form name, ".", item name) to record, in byte order.
using ZK_ItemTable = std::map<std::string, ItemRecord>;

std::string ZK_ItemKeyIntl(const std::string& form, const std::string& item);
// The record that stands for an item that does not exist.
ItemRecord ZK_ItemEmptyIntl();
// Inserts the record, or replaces the whole record stored under the key.
void ZK_ItemStoreIntl(const std::string& key, const ItemRecord& record);
void ZK_ItemRemoveIntl(const std::string& key);
// Forgets every item (toolkit reset).
void ZK_ItemTableClearIntl();
// The table itself, for walks in key order.
const ZK_ItemTable& ZK_ItemTableIntl();
