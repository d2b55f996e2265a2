// The error context: which toolkit function is running, on which window, with one save slot.
#include "foundation/foundation_intl.h"

namespace {
ZK_ErrorContext gContext;
ZK_ErrorContext gSaved;
}  // namespace

void ZK_ContextSetIntl(const std::string& windowName, const std::string& functionName) {
  gContext.windowName = windowName;
  gContext.functionName = functionName;
}

void ZK_ContextSaveIntl() {
  gSaved = gContext;
}

void ZK_ContextRestoreIntl() {
  gContext = gSaved;
}

ZK_ErrorContext ZK_ContextGetIntl() {
  return gContext;
}
