// Threads beside the reading one for a large file: started before the read, so that their start
// (a millisecond or more under some systems) overlaps it, and kept for the parse.
#include <algorithm>

#include "ledger_intl.h"

namespace carnet {

SideThreads::SideThreads(unsigned count) {
  for (unsigned k = 1; k <= count; ++k) threads_.emplace_back([this, k] { Serve(k); });
}

SideThreads::~SideThreads() {
  Wait();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void SideThreads::Start(std::function<void(unsigned)> job) {
  Wait();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    job_ = std::move(job);
    running_ = static_cast<unsigned>(threads_.size());
    ++generation_;
  }
  wake_.notify_all();
}

void SideThreads::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return running_ == 0; });
}

void SideThreads::Serve(unsigned k) {
  std::uint64_t seen = 0;
  for (;;) {
    std::function<void(unsigned)> job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
      if (quit_) return;
      seen = generation_;
      job = job_;
    }
    job(k);
    std::lock_guard<std::mutex> lock(mutex_);
    if (--running_ == 0) done_.notify_all();
  }
}

void PageMaker::Make(char* bytes, std::size_t size) {
  constexpr std::size_t kPage = 4096;
  for (;;) {
    const std::size_t at = claimed_.fetch_add(kBlock);
    if (at >= size) return;
    const std::size_t end = std::min(size, at + kBlock);
    // A write makes the page; a read would only map the shared page of zeros.
    for (std::size_t p = at; p < end; p += kPage) bytes[p] = 0;
    made_.store(end, std::memory_order_release);
  }
}

std::size_t PageMaker::Take(std::size_t at, std::size_t size) {
  const std::size_t end = at + size;
  if (!making_) return size;
  if (at < taken_) return std::min(size, taken_ - at);  // what the reader claimed already
  std::size_t claimed = claimed_.load();
  for (;;) {
    // Behind the reader: the reader makes its own pages, the maker goes on after them.
    if (claimed <= at) {
      if (!claimed_.compare_exchange_weak(claimed, end)) continue;
      taken_ = end;
      return size;
    }
    // Ahead: what the maker has claimed is the reader's once it is made.
    const std::size_t ready = std::min(claimed, end);
    while (made_.load(std::memory_order_acquire) < ready) std::this_thread::yield();
    return ready - at;
  }
}

void PageMaker::Stop() {
  claimed_.store(~std::size_t(0) / 2);
}

}  // namespace carnet
