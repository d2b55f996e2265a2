// zarvik-probe: the test driver of programs built on the toolkit. One command from its command
// line, or a script of them (run FILE); the exit code says how it went (ProbeCode).
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>

#include "probe.h"

ProbeState& ProbeStateGet() {
  static ProbeState state;
  return state;
}

ProbeResult ProbeFail(int code, const std::string& message) {
  return {code, message};
}

namespace {
// Options before the command; false for one it does not know.
bool takeOptions(std::vector<std::wstring>& words, std::string* problem) {
  ProbeState& state = ProbeStateGet();
  while (!words.empty() && words[0].compare(0, 2, L"--") == 0) {
    const std::wstring option = words[0];
    words.erase(words.begin());
    const bool valued = option == L"--timeout" || option == L"--main";
    if (valued && words.empty()) {
      *problem = ProbeToUtf8(option) + " needs a value";
      return false;
    }
    if (option == L"--timeout") {
      state.timeoutMs = static_cast<DWORD>(_wtoi(words[0].c_str()));
    } else if (option == L"--main") {
      state.mainName = ProbeToUtf8(words[0]);
    } else if (option == L"--escape") {
      state.escape = true;
    } else if (option == L"--cp1252") {
      state.codePage = 1252;
    } else if (option == L"--utf8") {
      state.codePage = CP_UTF8;
    } else {
      *problem = "unknown option " + ProbeToUtf8(option);
      return false;
    }
    if (valued) words.erase(words.begin());
  }
  return true;
}
}  // namespace

int main() {
  // Lines end in LF alone, for the shells that read them.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> words(argv + (count > 0 ? 1 : 0), argv + count);
  LocalFree(argv);

  std::string problem;
  if (!takeOptions(words, &problem) || words.empty()) {
    if (!problem.empty()) std::fprintf(stderr, "zarvik-probe: %s\n", problem.c_str());
    ProbeUsage();
    return kProbeUsage;
  }
  if (ProbeStateGet().codePage == CP_UTF8) SetConsoleOutputCP(CP_UTF8);
  CoInitialize(nullptr);
  ProbeResult result;
  if (words[0] == L"run" && words.size() == 2) {
    result = ProbeRunScript(words[1]);
  } else {
    result = ProbeRun(words);
    if (words[0] == L"start" && result.code == kProbeOk) {
      std::printf("process %lu\n", ProbeStateGet().programId);
      CloseHandle(ProbeStateGet().program);
    }
  }
  CoUninitialize();
  if (result.code != kProbeOk) std::fprintf(stderr, "zarvik-probe: %s\n", result.message.c_str());
  return result.code;
}
