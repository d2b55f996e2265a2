// The error context: which toolkit function is running, on which window, with one save slot; and
// the system's error number kept across an undo.
#include "foundation/foundation_intl.h"
#include "foundation/system.h"

void ZK_ContextSetIntl(const std::string& windowName, const std::string& functionName) {
  ZK_ErrorContext& context = ZK_FoundationStateIntl().context;
  context.windowName = windowName;
  context.functionName = functionName;
}

void ZK_ContextSaveIntl() {
  ZK_FoundationState& state = ZK_FoundationStateIntl();
  state.saved = state.context;
}

void ZK_ContextRestoreIntl() {
  ZK_FoundationState& state = ZK_FoundationStateIntl();
  state.context = state.saved;
}

ZK_ErrorContext ZK_ContextGetIntl() {
  return ZK_FoundationStateIntl().context;
}

ZK_LastErrorKeep::ZK_LastErrorKeep() : error_(ZK_SystemLastErrorIntl()) {}

ZK_LastErrorKeep::~ZK_LastErrorKeep() {
  ZK_SystemLastErrorSetIntl(error_);
}
