// The side threads of a large read: the pages made ahead of the reads never overwrite a byte the
// reader has read, however its reads are cut, and a reader that stops early stops the maker.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "ledger_intl.h"

namespace carnet {
namespace {

// A byte for each page of the buffer, never the maker's 0.
char ByteAt(std::size_t at) {
  return static_cast<char>(1 + at / 4096 % 251);
}

// Writes as a system's read does, as fast as the maker goes.
void Fill(char* bytes, std::size_t at, std::size_t size) {
  for (std::size_t end = at + size; at < end;) {
    const std::size_t pageEnd = std::min(end, (at / 4096 + 1) * 4096);
    std::memset(bytes + at, ByteAt(at), pageEnd - at);
    at = pageEnd;
  }
}

// Reads `size` bytes in order, the read of each claim cut short at random, then checks them.
void ReadBeside(std::size_t size, std::size_t stopAt, unsigned seed) {
  std::unique_ptr<char[]> bytes(new char[size]);
  SideThreads sides(1);
  PageMaker pages(true);
  sides.Start([&](unsigned k) {
    if (k == 1) pages.Make(bytes.get(), size);
  });
  std::mt19937 random(seed);
  std::size_t done = 0;
  while (done < stopAt) {
    const std::size_t wanted = std::min<std::size_t>(1 + random() % (3u << 20), size - done);
    const std::size_t may = pages.Take(done, wanted);
    ASSERT_GT(may, 0u);
    ASSERT_LE(may, wanted);
    const std::size_t got = random() % 4 == 0 ? 1 + random() % may : may;
    Fill(bytes.get(), done, got);
    done += got;
  }
  pages.Stop();
  sides.Wait();
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < done; ++i) wrong += bytes[i] != ByteAt(i);
  EXPECT_EQ(wrong, 0u) << "seed " << seed;
}

TEST(LedgerThreads, PagesMadeAheadNeverOverwriteWhatWasRead) {
  for (unsigned seed = 1; seed <= 6; ++seed) ReadBeside(24u << 20, 24u << 20, seed);
  ReadBeside(24u << 20, 5u << 20, 7);  // the reader gives up early
}

TEST(LedgerThreads, EveryThreadRunsEachJobInTurn) {
  SideThreads sides(3);
  std::atomic<unsigned> seen{0};
  for (unsigned job = 1; job <= 3; ++job) {
    sides.Start([&](unsigned k) { seen += job * 10 + k; });
    sides.Wait();
    EXPECT_EQ(seen.exchange(0), job * 30 + 6);
  }
}

}  // namespace
}  // namespace carnet
