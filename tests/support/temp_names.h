// Temporary folders of one test process: the test programs of runs side by side (another build's,
// or another checkout's on the same machine) share the system's temporary folder, and a fixed
// name would have one run remove what another is using.
#pragma once

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

namespace support {

// The path `stem` in the temporary folder, made unique to this process.
inline std::filesystem::path tempPath(const std::string& stem) {
  static const std::string tag = [] {
    std::random_device device;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::to_string(device()) + "-" + std::to_string(now % 1000000007);
  }();
  return std::filesystem::temp_directory_path() / (stem + "-" + tag);
}

}  // namespace support
