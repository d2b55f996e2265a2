// The foundation's state and the reset of every layer's state.
#include "foundation/foundation_intl.h"

ZK_FoundationState& ZK_FoundationStateIntl() {
  static ZK_FoundationState state;
  return state;
}

void ZK_StateResetIntl() {
  ZK_FoundationState& state = ZK_FoundationStateIntl();
  ZK_FoundationState fresh;
  // Kept: the running function's context and its save slot, and the host's settings.
  fresh.context = state.context;
  fresh.saved = state.saved;
  fresh.errorShown = state.errorShown;
  fresh.language = state.language;
  fresh.prompt = state.prompt;
  fresh.programFolder = state.programFolder;
  fresh.clockFixed = state.clockFixed;
  fresh.fixedNow = state.fixedNow;
  fresh.layerResets = state.layerResets;
  state = fresh;
  // By index: a layer's reset may use a layer's state for the first time, which registers it.
  for (std::size_t i = 0; i < state.layerResets.size(); ++i) state.layerResets[i]();
}

void ZK_StateResetRegisterIntl(void (*reset)()) {
  ZK_FoundationStateIntl().layerResets.push_back(reset);
}
