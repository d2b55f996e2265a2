// Scripts: a test as a file of the driver's commands, one a line, run in order until the first
// failure. The program a script starts is its scope, and is ended when the script ends; a failure
// leaves a screenshot of the screen beside the script's name.
#include <cstdio>

#include "probe.h"

namespace {
using Words = std::vector<std::wstring>;

bool readFile(const std::wstring& file, std::string* bytes) {
  FILE* in = _wfopen(file.c_str(), L"rb");
  if (in == nullptr) return false;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
    bytes->append(buffer, got);
  std::fclose(in);
  return true;
}

// ${NAME} is the environment variable NAME.
ProbeResult expand(const std::wstring& word, std::wstring* out) {
  for (size_t i = 0; i < word.size(); ++i) {
    const size_t end = word.find(L'}', i);
    if (word.compare(i, 2, L"${") != 0 || end == std::wstring::npos) {
      *out += word[i];
      continue;
    }
    const std::wstring name = word.substr(i + 2, end - i - 2);
    const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) return ProbeFail(kProbeUsage, "no environment variable " + ProbeToUtf8(name));
    std::vector<wchar_t> value(size, L'\0');
    GetEnvironmentVariableW(name.c_str(), value.data(), size);
    *out += value.data();
    i = end;
  }
  return {};
}

// Words separated by blanks; "a quoted word" may hold blanks, \" and \\. Other escapes (\xHH)
// are left for the command to read.
ProbeResult wordsOf(const std::wstring& line, Words* words) {
  size_t i = 0;
  for (;;) {
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
    if (i == line.size()) return {};
    std::wstring word;
    if (line[i] == L'"') {
      for (++i; i < line.size() && line[i] != L'"'; ++i) {
        if (line[i] == L'\\' && i + 1 < line.size() &&
            (line[i + 1] == L'"' || line[i + 1] == L'\\'))
          ++i;
        word += line[i];
      }
      if (i == line.size()) return ProbeFail(kProbeUsage, "a quote is not closed");
      ++i;
    } else {
      while (i < line.size() && line[i] != L' ' && line[i] != L'\t') word += line[i++];
    }
    std::wstring expanded;
    const ProbeResult result = expand(word, &expanded);
    if (result.code != kProbeOk) return result;
    words->push_back(expanded);
  }
}

std::wstring failureShot(const std::wstring& script) {
  const size_t slash = script.find_last_of(L"/\\");
  std::wstring name = script.substr(slash == std::wstring::npos ? 0 : slash + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.resize(dot);
  return name + L"-failure.png";
}

// After a failure the program is ended without a word; at a script's good end, with one.
void endProgram(bool failed) {
  ProbeState& state = ProbeStateGet();
  if (state.program == nullptr) return;
  if (WaitForSingleObject(state.program, 0) == WAIT_TIMEOUT) {
    if (!failed)
      std::fputs("zarvik-probe: the program was still running at the end; ended\n", stdout);
    TerminateProcess(state.program, 1);
    WaitForSingleObject(state.program, 5000);
  }
  CloseHandle(state.program);
  state.program = nullptr;
}

std::wstring quotedArgument(const std::wstring& word) {
  if (!word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos) return word;
  // The rules CommandLineToArgvW reads back: backslashes doubled before a quote.
  std::wstring quoted = L"\"";
  size_t slashes = 0;
  for (wchar_t c : word) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    quoted.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
    slashes = 0;
    quoted += c;
  }
  quoted.append(slashes * 2, L'\\');
  return quoted + L"\"";
}
}  // namespace

ProbeResult ProbeStart(const std::vector<std::wstring>& commandLine) {
  ProbeState& state = ProbeStateGet();
  if (state.program != nullptr) return ProbeFail(kProbeUsage, "a script starts one program");
  std::wstring line;
  for (const std::wstring& word : commandLine)
    line += (line.empty() ? L"" : L" ") + quotedArgument(word);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return ProbeFail(kProbeProgram, "cannot start " + ProbeQuoted(commandLine[0]) + " (error " +
                                        std::to_string(GetLastError()) + ")");
  CloseHandle(process.hThread);
  state.program = process.hProcess;
  state.programId = process.dwProcessId;
  state.exitAwaited = false;
  WaitForInputIdle(process.hProcess, state.timeoutMs);
  return {};
}

ProbeResult ProbeWaitExit(DWORD* code) {
  ProbeState& state = ProbeStateGet();
  if (state.program == nullptr) return ProbeFail(kProbeUsage, "no program was started");
  state.exitAwaited = true;
  if (WaitForSingleObject(state.program, state.timeoutMs) != WAIT_OBJECT_0)
    return ProbeFail(kProbeTimeout, "the program is still running after " +
                                        std::to_string(state.timeoutMs) + " ms");
  GetExitCodeProcess(state.program, code);
  return {};
}

bool ProbeProgramEnded(ProbeResult* result) {
  const ProbeState& state = ProbeStateGet();
  if (state.program == nullptr || state.exitAwaited ||
      WaitForSingleObject(state.program, 0) != WAIT_OBJECT_0)
    return false;
  DWORD code = 0;
  GetExitCodeProcess(state.program, &code);
  *result = ProbeFail(kProbeProgram, "the program ended with code " + std::to_string(code));
  return true;
}

ProbeResult ProbeRunScript(const std::wstring& file) {
  std::string bytes;
  if (!readFile(file, &bytes))
    return ProbeFail(kProbeUsage, "cannot read the script " + ProbeQuoted(file));
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  const std::wstring text = ProbeFromUtf8(bytes);
  ProbeResult result;
  int number = 0;
  for (size_t start = 0; start < text.size() && result.code == kProbeOk;) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    const size_t first = line.find_first_not_of(L" \t");
    if (first == std::wstring::npos || line[first] == L'#') continue;
    std::printf("[%d] %s\n", number, ProbeToUtf8(line.substr(first)).c_str());
    std::fflush(stdout);
    Words words;
    result = wordsOf(line, &words);
    if (result.code == kProbeOk) result = ProbeRun(words);
    if (result.code != kProbeOk)
      result.message = ProbeToUtf8(file) + ":" + std::to_string(number) + ": " + result.message;
  }
  if (result.code != kProbeOk) {
    const std::wstring shot = failureShot(file);
    if (ProbeShot(RECT{}, shot).code == kProbeOk) {
      wchar_t full[MAX_PATH] = {};
      GetFullPathNameW(shot.c_str(), MAX_PATH, full, nullptr);
      result.message += "\nthe screen at the failure: " + ProbeToUtf8(full);
    }
  }
  endProgram(result.code != kProbeOk);
  return result;
}
