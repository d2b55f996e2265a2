// Texts between the programs' UTF-16 and the driver's arguments and output: UTF-8 (or code page
// 1252) with \xHH escapes that keep scripts and their comparisons in plain ASCII.
#include <cstdio>

#include "probe.h"

namespace {
std::string bytesOf(const std::wstring& text, UINT codePage) {
  if (text.empty()) return "";
  const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
  return bytes;
}

std::wstring wideOf(const std::string& bytes, UINT codePage) {
  if (bytes.empty()) return L"";
  const int size =
      MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0)
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
  return text;
}

int hexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}
}  // namespace

std::wstring ProbeFromUtf8(const std::string& text) {
  return wideOf(text, CP_UTF8);
}

std::string ProbeToUtf8(const std::wstring& text) {
  return bytesOf(text, CP_UTF8);
}

std::string ProbeShown(const std::wstring& text) {
  const ProbeState& state = ProbeStateGet();
  std::string out;
  for (unsigned char c : bytesOf(text, state.codePage)) {
    const bool plain =
        c >= 0x20 && c != 0x7F && c != '"' && c != '\\' && (c < 0x80 || !state.escape);
    if (plain) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string ProbeQuoted(const std::wstring& text) {
  return "\"" + ProbeShown(text) + "\"";
}

std::wstring ProbeGiven(const std::wstring& text) {
  std::wstring result;
  std::string bytes;  // a run of escaped bytes, decoded together (UTF-8 takes several)
  const auto flush = [&] {
    result += wideOf(bytes, ProbeStateGet().codePage);
    bytes.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const bool escaped = text[i] == L'\\' && i + 3 < text.size() && text[i + 1] == L'x' &&
                         hexDigit(text[i + 2]) >= 0 && hexDigit(text[i + 3]) >= 0;
    if (escaped) {
      bytes += static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
      i += 3;
      continue;
    }
    flush();
    result += text[i];
  }
  flush();
  return result;
}
