// Splits a fuzzer's bytes into the pieces a target needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // One byte, 0 when the input is used up.
  std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  // The bytes up to the next NUL (or the end), the NUL dropped.
  std::string text() {
    std::string piece;
    while (pos_ < size_ && data_[pos_] != 0) piece.push_back(static_cast<char>(data_[pos_++]));
    if (pos_ < size_) ++pos_;
    return piece;
  }

  // All that is left.
  std::string rest() {
    std::string piece(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
    pos_ = size_;
    return piece;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) {       \
      __builtin_trap();       \
    }                         \
  } while (0)
