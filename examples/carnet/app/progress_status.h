// Progress of a long open or save in the status bar, the window kept responsive meanwhile.
#pragma once

#include <windows.h>

#include <string>

#include "ledger.h"

class ProgressStatus {
 public:
  // `action` names what runs, for example "Ouverture".
  explicit ProgressStatus(const std::string& action);
  ~ProgressStatus();
  ProgressStatus(const ProgressStatus&) = delete;
  ProgressStatus& operator=(const ProgressStatus&) = delete;

  // The callback to give the ledger; valid while this object lives.
  carnet::Progress Callback();

 private:
  bool Report(std::uint64_t done, std::uint64_t total);

  std::string action_;
  DWORD start_;            // GetTickCount() when the work began
  bool disabled_ = false;  // the main window was disabled against re-entry
  bool quit_ = false;      // a WM_QUIT taken from the queue, to post again at the end
  int exitCode_ = 0;
};
