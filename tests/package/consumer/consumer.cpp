// A program of its own on the toolkit: it makes the toolkit report one error, reads the error box
// as a user sees it, answers No and prints the box's text. Exit code 0 when all went as expected.
#include <windows.h>
#include <zarvik/zarvik.h>

#include <cstdio>
#include <string>
#include <thread>

namespace {

// The text of this process's "Zarvik Error" box, once it shows; No is then pressed.
std::string answerErrorBox() {
  for (int attempt = 0; attempt < 200; ++attempt) {
    // Other programs may show boxes of that title at the same time: take only this one's.
    for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", "Zarvik Error"); box != nullptr;
         box = FindWindowExA(nullptr, box, "#32770", "Zarvik Error")) {
      DWORD process = 0;
      GetWindowThreadProcessId(box, &process);
      if (process != GetCurrentProcessId() || !IsWindowVisible(box)) continue;
      char text[4096] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's message is static 0xFFFF
      SendMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
      return text;
    }
    Sleep(50);
  }
  return "";
}

}  // namespace

int main() {
  std::string seen;
  std::thread watcher([&seen] { seen = answerErrorBox(); });
  // There is no main window yet: the toolkit reports status 5 and returns it.
  const int status = ZK_MessageBox("Consumer", "not shown");
  watcher.join();
  std::printf("%s\n", seen.c_str());
  if (status != ZK_ERR_NO_MAIN_WINDOW || seen.empty()) {
    std::printf("status %d, box %s\n", status, seen.empty() ? "not seen" : "seen");
    return 1;
  }
#ifdef ZARVIK_PACKAGE_VERSION
  if (std::string(ZK_VERSION) != ZARVIK_PACKAGE_VERSION) {
    std::printf("ZK_VERSION %s, package %s\n", ZK_VERSION, ZARVIK_PACKAGE_VERSION);
    return 1;
  }
#endif
  return 0;
}
