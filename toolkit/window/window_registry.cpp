// The window registry: every window and form by name, held by value.
#include "window/window_intl.h"

WindowRecord ZK_WindowDefaultIntl() {
  return WindowRecord{};
}

WindowRecord ZK_WindowNewIntl(int x, int y, int width, int height, std::uint32_t backColour,
                              HBRUSH backBrush, const std::string& properties) {
  WindowRecord record;
  record.x = x;
  record.y = y;
  record.width = width;
  record.height = height;
  record.backColour = backColour;
  record.backBrush = backBrush;
  record.properties = properties;
  return record;
}

WindowRecord ZK_WindowLookupIntl(const std::string& name) {
  const ZK_WindowRegistry& registry = ZK_WindowStateIntl().registry;
  const auto found = registry.find(name);
  return found == registry.end() ? ZK_WindowDefaultIntl() : found->second;
}

void ZK_WindowStoreIntl(const std::string& name, const WindowRecord& record) {
  ZK_WindowStateIntl().registry[name] = record;
}

void ZK_WindowRemoveIntl(const std::string& name) {
  ZK_WindowStateIntl().registry.erase(name);
}

void ZK_WindowRegistryClearIntl() {
  ZK_WindowStateIntl().registry.clear();
}

const ZK_WindowRegistry& ZK_WindowRegistryIntl() {
  return ZK_WindowStateIntl().registry;
}
