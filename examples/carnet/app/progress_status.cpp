// Progress of a long open or save: after half a second the status bar shows how far it is, and the
// window's messages are pumped so that it repaints and moves. The main window is disabled meanwhile
// so that no menu command or edit can reach the ledger while it is being read or written; the
// ledger is not shared with another thread, so its cell texts stay safe to paint.
#include "progress_status.h"

#include "carnet_app.h"

namespace {
constexpr DWORD kQuietMilliseconds = 500;
}  // namespace

ProgressStatus::ProgressStatus(const std::string& action)
    : action_(action), start_(GetTickCount()) {}

ProgressStatus::~ProgressStatus() {
  if (disabled_) {
    EnableWindow(CarnetWindowHandle(), TRUE);
    CarnetGridFocus();
  }
  if (quit_) PostQuitMessage(exitCode_);
}

carnet::Progress ProgressStatus::Callback() {
  return [this](std::uint64_t done, std::uint64_t total) { return Report(done, total); };
}

bool ProgressStatus::Report(std::uint64_t done, std::uint64_t total) {
  if (GetTickCount() - start_ < kQuietMilliseconds) return true;
  if (!disabled_) {
    EnableWindow(CarnetWindowHandle(), FALSE);
    disabled_ = true;
  }
  const std::uint64_t percent = total == 0 ? 100 : done * 100 / total;
  CarnetStatusSet(action_ + " : " + std::to_string(percent) + " %");
  MSG message = {};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Kept for the main loop, which ends the program once the ledger is whole again.
      quit_ = true;
      exitCode_ = static_cast<int>(message.wParam);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}
