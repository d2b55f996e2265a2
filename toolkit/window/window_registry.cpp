// The window registry: every window and form by name, held by value.
#include "window/window_intl.h"

ZK_WindowGlobals ZK_globals;

namespace {
ZK_WindowRegistry gRegistry;
}  // namespace

WindowRecord ZK_WindowDefaultIntl() {
  return WindowRecord{};
}

WindowRecord ZK_WindowLookupIntl(const std::string& name) {
  const auto found = gRegistry.find(name);
  return found == gRegistry.end() ? ZK_WindowDefaultIntl() : found->second;
}

void ZK_WindowStoreIntl(const std::string& name, const WindowRecord& record) {
  gRegistry[name] = record;
}

void ZK_WindowRemoveIntl(const std::string& name) {
  gRegistry.erase(name);
}

void ZK_WindowRegistryClearIntl() {
  gRegistry.clear();
}

const ZK_WindowRegistry& ZK_WindowRegistryIntl() {
  return gRegistry;
}
