// Creation of the application's single main window, under a class whose procedure is its own.
#include "window/gdi_objects.h"
#include "window/window_intl.h"

int ZK_WindowMainCreate(const std::string& name, int /*showCommand: shown by ZK_WindowMove*/,
                        WNDPROC windowProc, const std::string& properties, int x, int y, int width,
                        int height) {
  const ZK_ContextGuard context(name, "ZK_WindowMainCreate", ZK_ContextMode::kSet);
  ZK_WindowState& state = ZK_WindowStateIntl();
  if (!state.ready) ZK_ResetZarvikIntl();
  if (name.empty()) return context.fail(ZK_ERR_NAME_EMPTY);
  if (name.find('.') != std::string::npos) return context.fail(ZK_ERR_NAME_HAS_DOT);
  if (!state.mainWindowName.empty()) return context.fail(ZK_ERR_WINDOW_EXISTS);

  std::string colourText = ZK_PropertyGetIntl(ZK_BKCOL, properties);
  if (colourText.empty()) colourText = "white";
  const std::uint32_t colour = ZK_ColourIntl(colourText);
  HBRUSH brush = ZK_GdiBrushIntl(colour);
  if (brush == nullptr) return context.fail(ZK_ERR_CREATE_BRUSH);

  // cbSize must be the structure's real size: 64-bit systems refuse the 32-bit 48.
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = state.instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = brush;
  windowClass.lpszClassName = name.c_str();
  if (windowProc == nullptr || RegisterClassExA(&windowClass) == 0) {
    return context.fail(ZK_ERR_REGISTER_CLASS, [&] { ZK_GdiDeleteIntl(brush); });
  }

  const bool resizable = !ZK_IsFalseIntl(ZK_PropertyGetIntl(ZK_RESIZE, properties));
  const DWORD style =
      resizable ? WS_OVERLAPPEDWINDOW : (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  HWND window =
      CreateWindowExA(0, name.c_str(), name.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, state.instance, nullptr);
  if (window == nullptr) {
    // The class holds the brush: unregister it so that a later attempt can succeed. A class
    // deletes its background brush as it goes: ours must not be deleted a second time.
    return context.fail(ZK_ERR_CREATE_WINDOW, [&] {
      if (UnregisterClassA(name.c_str(), state.instance)) ZK_GdiForgetIntl(brush);
    });
  }

  state.mainWindowName = name;
  WindowRecord record = ZK_WindowNewIntl(x, y, width, height, colour, brush, properties);
  record.hwnd = window;
  record.resizable = resizable;
  record.dpi = ZK_WindowDpiIntl(window);
  ZK_WindowStoreIntl(name, record);

  const std::string title = ZK_PropertyGetIntl(ZK_NAME, properties);
  if (!title.empty()) {
    const int status = ZK_WindowTitleSet(name, title);
    if (status != ZK_OK) return context.passBack(status);
    ZK_WindowChangeIntl(name, [&](WindowRecord& r) { r.title = title; });
  }
  ZK_WindowCurrentSetIntl(name);
  const int status = ZK_WindowMove(name, x, y, width, height);
  if (status != ZK_OK) return context.passBack(status);
  return context.done();
}
