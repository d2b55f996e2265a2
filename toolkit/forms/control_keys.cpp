// The item table's entries by control handle: linear probing over a power-of-two array of
// handles, each beside its least entry, the handle's bits mixed by a multiplication, removal by
// shifting the following run back (no tombstones, so a lookup of an absent handle stops at the
// first free slot).
#include <algorithm>

#include "forms/forms_intl.h"

namespace {
constexpr std::size_t kFirstSize = 64;
// No window has this handle (it is INVALID_HANDLE_VALUE's bits).
HWND const kFree = reinterpret_cast<HWND>(~std::uintptr_t{0});

bool keyBefore(ZK_ControlKeys::Entry a, ZK_ControlKeys::Entry b) {
  return a->first < b->first;
}
}  // namespace

std::size_t ZK_ControlKeys::home(HWND control) const {
  const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(control));
  return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
}

std::size_t ZK_ControlKeys::find(HWND control) const {
  if (slots_.empty() || control == kFree) return kNone;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = home(control);; i = (i + 1) & mask) {
    if (slots_[i].handle == control) return i;
    if (slots_[i].handle == kFree) return kNone;
  }
}

void ZK_ControlKeys::grow() {
  std::vector<Slot> slots = std::move(slots_);
  std::vector<std::vector<Entry>> rest = std::move(rest_);
  const std::size_t size = slots.empty() ? kFirstSize : slots.size() * 2;
  slots_.assign(size, Slot{kFree, nullptr});
  rest_.assign(size, {});
  const std::size_t mask = size - 1;
  for (std::size_t old = 0; old < slots.size(); ++old) {
    if (slots[old].handle == kFree) continue;
    std::size_t i = home(slots[old].handle);
    while (slots_[i].handle != kFree) i = (i + 1) & mask;
    slots_[i] = slots[old];
    rest_[i] = std::move(rest[old]);
  }
}

void ZK_ControlKeys::add(HWND control, Entry entry) {
  if (control == kFree) return;
  if ((used_ + 1) * 2 > slots_.size()) grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = home(control);
  while (slots_[i].handle != kFree && slots_[i].handle != control) i = (i + 1) & mask;
  if (slots_[i].handle == kFree) {
    slots_[i] = Slot{control, entry};
    ++used_;
    return;
  }
  std::vector<Entry>& rest = rest_[i];
  Entry& first = slots_[i].first;
  if (entry == first || std::binary_search(rest.begin(), rest.end(), entry, keyBefore)) return;
  if (keyBefore(entry, first)) std::swap(entry, first);
  rest.insert(std::lower_bound(rest.begin(), rest.end(), entry, keyBefore), entry);
}

void ZK_ControlKeys::remove(HWND control, Entry entry) {
  const std::size_t at = find(control);
  if (at == kNone) return;
  std::vector<Entry>& rest = rest_[at];
  if (slots_[at].first != entry) {
    const auto found = std::lower_bound(rest.begin(), rest.end(), entry, keyBefore);
    if (found != rest.end() && *found == entry) rest.erase(found);
    return;
  }
  if (!rest.empty()) {
    slots_[at].first = rest.front();
    rest.erase(rest.begin());
    return;
  }
  vacate(at);
}

// The slot of a handle's last entry is freed, and the run after it moves back over any slot its
// members' homes do not lie beyond.
void ZK_ControlKeys::vacate(std::size_t at) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t hole = at;
  slots_[hole] = Slot{kFree, nullptr};
  // The last handle gone (a form closed): the arrays a big form grew are given back.
  if (--used_ == 0) {
    clear();
    return;
  }
  for (std::size_t i = (hole + 1) & mask; slots_[i].handle != kFree; i = (i + 1) & mask) {
    const std::size_t wanted = home(slots_[i].handle);
    // Whether wanted lies cyclically in (hole, i]: then the slot stays where it is.
    const bool stays = hole <= i ? (wanted > hole && wanted <= i) : (wanted > hole || wanted <= i);
    if (stays) continue;
    slots_[hole] = slots_[i];
    rest_[hole] = std::move(rest_[i]);
    slots_[i] = Slot{kFree, nullptr};
    rest_[i].clear();
    hole = i;
  }
}

void ZK_ControlKeys::clear() {
  slots_.clear();
  rest_.clear();
  used_ = 0;
}
