// The rows a grid holds itself, compactly: a million rows of three short texts take little more
// than their bytes. Each row is written whole, as its number of cells and then each cell's length
// and bytes, into chunks of 4 MiB (a longer row gets a chunk of its own); a row is a 32-bit
// reference, 10 bits of chunk and 22 of offset. Changing or erasing a row leaves its old bytes
// dead; a chunk whose rows are all dead is freed, and the whole is compacted once the dead bytes
// outweigh the live ones.
#include <windows.h>

#include <cstring>
#include <new>

#include "grid/grid_intl.h"

namespace {
constexpr unsigned kOffsetBits = 22;
constexpr std::size_t kChunkBytes = std::size_t{1} << kOffsetBits;
constexpr std::size_t kMaxChunks = std::size_t{1} << (32 - kOffsetBits);
// Dead bytes are left until they pass the live ones and this much.
constexpr std::size_t kCompactAfter = 4 * kChunkBytes;

std::size_t chunkOf(std::uint32_t ref) {
  return ref >> kOffsetBits;
}

std::size_t offsetOf(std::uint32_t ref) {
  return ref & (kChunkBytes - 1);
}

std::size_t varintSize(std::size_t value) {
  std::size_t size = 1;
  for (; value >= 0x80; value >>= 7) ++size;
  return size;
}

char* putVarint(char* at, std::size_t value) {
  for (; value >= 0x80; value >>= 7) *at++ = static_cast<char>((value & 0x7F) | 0x80);
  *at++ = static_cast<char>(value);
  return at;
}

const char* getVarint(const char* at, std::size_t* value) {
  std::size_t result = 0;
  unsigned shift = 0;
  for (;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*at++);
    result |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) break;
  }
  *value = result;
  return at;
}

std::size_t encodedSize(const std::vector<std::string_view>& cells) {
  std::size_t size = varintSize(cells.size());
  for (std::string_view cell : cells) size += varintSize(cell.size()) + cell.size();
  return size;
}

// The cells of an encoded row, as views into it.
std::vector<std::string_view> decode(const char* row, std::size_t* size) {
  const char* at = row;
  std::size_t count = 0;
  at = getVarint(at, &count);
  std::vector<std::string_view> cells(count);
  for (std::string_view& cell : cells) {
    std::size_t length = 0;
    at = getVarint(at, &length);
    cell = std::string_view(at, length);
    at += length;
  }
  if (size != nullptr) *size = static_cast<std::size_t>(at - row);
  return cells;
}
}  // namespace

struct ZK_GridRows::Chunk {
  std::unique_ptr<char[]> bytes;  // null while the chunk is free
  std::size_t capacity = 0;
  std::size_t used = 0;  // bytes written, live or dead
  std::size_t dead = 0;
};

ZK_GridRows::ZK_GridRows() = default;
ZK_GridRows::~ZK_GridRows() = default;

const char* ZK_GridRows::At(std::uint32_t ref) const {
  return chunks_[chunkOf(ref)].bytes.get() + offsetOf(ref);
}

bool ZK_GridRows::Write(const std::vector<std::string_view>& cells, std::uint32_t* ref) {
  const std::size_t size = encodedSize(cells);
  const bool own = size > kChunkBytes;  // a row longer than a chunk gets one of its own
  std::size_t target = open_;
  const bool room = open_ < chunks_.size() && chunks_[open_].bytes != nullptr &&
                    chunks_[open_].capacity - chunks_[open_].used >= size;
  if (own || !room) {
    target = 0;
    while (target < chunks_.size() && chunks_[target].bytes != nullptr) ++target;
    if (target == kMaxChunks) return false;
    if (target == chunks_.size()) chunks_.emplace_back();
    Chunk& fresh = chunks_[target];
    fresh.capacity = own ? size : kChunkBytes;
    fresh.bytes.reset(new (std::nothrow) char[fresh.capacity]);
    if (fresh.bytes == nullptr) return false;
    fresh.used = 0;
    fresh.dead = 0;
    if (!own) open_ = target;
  }
  Chunk& chunk = chunks_[target];
  *ref = static_cast<std::uint32_t>((target << kOffsetBits) | chunk.used);
  char* at = putVarint(chunk.bytes.get() + chunk.used, cells.size());
  for (std::string_view cell : cells) {
    at = putVarint(at, cell.size());
    if (!cell.empty()) std::memcpy(at, cell.data(), cell.size());
    at += cell.size();
  }
  chunk.used += size;
  live_ += size;
  return true;
}

void ZK_GridRows::Release(std::uint32_t ref) {
  std::size_t size = 0;
  decode(At(ref), &size);
  Chunk& chunk = chunks_[chunkOf(ref)];
  chunk.dead += size;
  live_ -= size;
  dead_ += size;
  // A chunk of dead rows only goes back to the system, unless new rows are still written there.
  if (chunk.dead == chunk.used && chunkOf(ref) != open_) {
    dead_ -= chunk.dead;
    chunk = Chunk{};
  }
  if (dead_ > live_ + kCompactAfter) Compact();
}

// Every row written afresh, in the order shown, into new chunks; the old ones are freed after.
void ZK_GridRows::Compact() {
  std::vector<Chunk> old;
  old.swap(chunks_);
  std::vector<std::uint32_t> refs;
  refs.swap(refs_);
  const std::size_t openBefore = open_;
  open_ = 0;
  live_ = 0;
  dead_ = 0;
  refs_.reserve(refs.size());
  for (std::uint32_t ref : refs) {
    const char* row = old[chunkOf(ref)].bytes.get() + offsetOf(ref);
    std::uint32_t fresh = 0;
    if (!Write(decode(row, nullptr), &fresh)) {
      // No memory for the copy: keep the rows where they were.
      chunks_.swap(old);
      refs_.swap(refs);
      open_ = openBefore;
      return;
    }
    refs_.push_back(fresh);
  }
}

bool ZK_GridRows::Insert(std::size_t at, const std::vector<std::string_view>& cells) {
  std::uint32_t ref = 0;
  if (at > refs_.size() || refs_.size() >= 0x7FFFFFFF || !Write(cells, &ref)) return false;
  refs_.insert(refs_.begin() + static_cast<std::ptrdiff_t>(at), ref);
  return true;
}

void ZK_GridRows::Erase(std::size_t at) {
  if (at >= refs_.size()) return;
  const std::uint32_t ref = refs_[at];
  refs_.erase(refs_.begin() + static_cast<std::ptrdiff_t>(at));
  Release(ref);
}

void ZK_GridRows::Erase(const std::vector<int>& ascending) {
  std::vector<std::uint32_t> kept;
  std::vector<std::uint32_t> gone;
  kept.reserve(refs_.size() - std::min(refs_.size(), ascending.size()));
  gone.reserve(ascending.size());
  std::size_t next = 0;
  for (std::size_t row = 0; row < refs_.size(); ++row) {
    if (next < ascending.size() && static_cast<std::size_t>(ascending[next]) == row) {
      gone.push_back(refs_[row]);
      ++next;
    } else {
      kept.push_back(refs_[row]);
    }
  }
  // The rows that stay are in place before any release may compact them.
  refs_.swap(kept);
  for (std::uint32_t ref : gone) Release(ref);
}

std::string_view ZK_GridRows::Cell(std::size_t row, std::size_t slot) const {
  if (row >= refs_.size()) return {};
  const char* at = At(refs_[row]);
  std::size_t count = 0;
  at = getVarint(at, &count);
  if (slot >= count) return {};
  for (std::size_t i = 0;; ++i) {
    std::size_t length = 0;
    at = getVarint(at, &length);
    if (i == slot) return std::string_view(at, length);
    at += length;
  }
}

bool ZK_GridRows::Set(std::size_t row, std::size_t slot, std::string_view text) {
  if (row >= refs_.size()) return false;
  // The new row is written from views of the old one, which stays in place until it is released.
  std::vector<std::string_view> cells = decode(At(refs_[row]), nullptr);
  if (slot >= cells.size()) cells.resize(slot + 1);
  cells[slot] = text;
  std::uint32_t ref = 0;
  if (!Write(cells, &ref)) return false;
  const std::uint32_t old = refs_[row];
  refs_[row] = ref;
  Release(old);
  return true;
}

void ZK_GridRows::Reorder(std::vector<std::uint32_t> order) {
  if (order.size() != refs_.size()) return;
  // The order's own storage becomes the references: one pass, nothing allocated.
  for (std::uint32_t& ref : order) ref = refs_[ref];
  refs_.swap(order);
}

void ZK_GridRows::Clear() {
  std::vector<std::uint32_t>().swap(refs_);
  std::vector<Chunk>().swap(chunks_);
  open_ = 0;
  live_ = 0;
  dead_ = 0;
}

std::size_t ZK_GridRows::Bytes() const {
  std::size_t bytes = refs_.capacity() * sizeof(std::uint32_t) + chunks_.capacity() * sizeof(Chunk);
  for (const Chunk& chunk : chunks_) bytes += chunk.capacity;
  return bytes;
}
