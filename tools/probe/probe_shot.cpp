// Screenshots: a rectangle of the screen as the user sees it, written as PNG through the
// platform's imaging component, or as BMP.
#include <windows.h>

#include <wincodec.h>

#include <cstdio>

#include "probe.h"

namespace {
bool endsWith(const std::wstring& text, const wchar_t* end) {
  const size_t size = wcslen(end);
  return text.size() >= size && lstrcmpiW(text.c_str() + text.size() - size, end) == 0;
}

bool writeBmp(const std::wstring& file, const BITMAPINFOHEADER& header, const void* bits,
              DWORD size) {
  BITMAPFILEHEADER head = {};
  head.bfType = 0x4D42;  // "BM"
  head.bfOffBits = sizeof head + sizeof header;
  head.bfSize = head.bfOffBits + size;
  FILE* out = _wfopen(file.c_str(), L"wb");
  if (out == nullptr) return false;
  BITMAPINFOHEADER bottomUp = header;
  bottomUp.biHeight = -header.biHeight;  // BMP files keep their rows bottom up
  bool ok = std::fwrite(&head, sizeof head, 1, out) == 1 &&
            std::fwrite(&bottomUp, sizeof bottomUp, 1, out) == 1;
  const size_t row = static_cast<size_t>(header.biWidth) * 4;
  for (LONG y = -header.biHeight - 1; ok && y >= 0; --y)
    ok = std::fwrite(static_cast<const char*>(bits) + y * row, row, 1, out) == 1;
  return std::fclose(out) == 0 && ok;
}

// Releases a COM interface at the end of its scope.
template <typename T>
struct Held {
  T* p = nullptr;
  ~Held() {
    if (p != nullptr) p->Release();
  }
};

bool writePng(const std::wstring& file, UINT width, UINT height, BYTE* bits) {
  Held<IWICImagingFactory> factory;
  Held<IWICStream> stream;
  Held<IWICBitmapEncoder> encoder;
  Held<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  const UINT stride = width * 4;
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(&factory.p))) &&
         SUCCEEDED(factory.p->CreateStream(&stream.p)) &&
         SUCCEEDED(stream.p->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory.p->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder.p)) &&
         SUCCEEDED(encoder.p->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder.p->CreateNewFrame(&frame.p, nullptr)) &&
         SUCCEEDED(frame.p->Initialize(nullptr)) && SUCCEEDED(frame.p->SetSize(width, height)) &&
         SUCCEEDED(frame.p->SetPixelFormat(&format)) &&
         IsEqualGUID(format, GUID_WICPixelFormat32bppBGR) &&
         SUCCEEDED(frame.p->WritePixels(height, stride, stride * height, bits)) &&
         SUCCEEDED(frame.p->Commit()) && SUCCEEDED(encoder.p->Commit());
}
}  // namespace

ProbeResult ProbeShot(const RECT& asked, const std::wstring& file) {
  RECT rect = asked;
  if (IsRectEmpty(&rect)) {
    rect.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    rect.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    rect.right = rect.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    rect.bottom = rect.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  }
  const bool png = endsWith(file, L".png");
  if (!png && !endsWith(file, L".bmp"))
    return ProbeFail(kProbeUsage,
                     "a screenshot is a .png or a .bmp file, not " + ProbeQuoted(file));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = rect.right - rect.left;
  info.bmiHeader.biHeight = -(rect.bottom - rect.top);  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (memory != nullptr && bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, info.bmiHeader.biWidth, -info.bmiHeader.biHeight, screen, rect.left,
                rect.top, SRCCOPY | CAPTUREBLT) != 0;
    SelectObject(memory, old);
    GdiFlush();
    const UINT width = static_cast<UINT>(info.bmiHeader.biWidth);
    const UINT height = static_cast<UINT>(-info.bmiHeader.biHeight);
    if (ok) {
      ok = png ? writePng(file, width, height, static_cast<BYTE*>(bits))
               : writeBmp(file, info.bmiHeader, bits, width * height * 4);
    }
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!ok) return ProbeFail(kProbeInput, "could not write the screenshot " + ProbeQuoted(file));
  return {};
}
