// The plain platform for Carnet's ledger benchmark: a clock, the process's private bytes, and
// reading or writing a whole file with one system call each way.
#pragma once

#include <cstddef>
#include <string>

namespace carnet_bench {

// Seconds on a monotonic clock.
double Now();
// Private bytes: PrivateUsage on Windows, RssAnon (resident anonymous memory) on Linux.
std::size_t PrivateBytes();
// The whole file in one read into `bytes` (allocated here); false on any failure.
bool PlainRead(const std::string& path, char*& bytes, std::size_t& size);
// Creates the file and writes the bytes in one write, then flushes them to disk when asked.
bool PlainWrite(const std::string& path, const std::string& bytes, bool flush);

}  // namespace carnet_bench
