// Creation of the application's single main window, under a class whose procedure is its own.
#include "window/gdi_objects.h"
#include "window/window_intl.h"

namespace {
// Undoes the steps before a failed creation without losing the system's error number, which the
// reporter reads afterwards.
void undoCreation(HBRUSH brush, const std::string& className) {
  const ZK_LastErrorKeep keep;
  if (className.empty()) {
    ZK_GdiDeleteIntl(brush);
  } else if (UnregisterClassA(className.c_str(), ZK_globals.instance)) {
    // A class deletes its background brush as it goes: ours must not be deleted a second time.
    ZK_GdiForgetIntl(brush);
  }
}
}  // namespace

int ZK_WindowMainCreate(const std::string& name, int /*showCommand: shown by ZK_WindowMove*/,
                        WNDPROC windowProc, const std::string& properties, int x, int y,
                        int width, int height) {
  ZK_ContextSetIntl(name, "ZK_WindowMainCreate");
  if (!ZK_globals.ready) {
    ZK_ResetZarvikIntl();
    ZK_ContextSetIntl(name, "ZK_WindowMainCreate");
  }
  if (name.empty()) return ZK_FailIntl(ZK_ERR_NAME_EMPTY);
  if (name.find('.') != std::string::npos) return ZK_FailIntl(ZK_ERR_NAME_HAS_DOT);
  if (!ZK_globals.mainWindowName.empty()) return ZK_FailIntl(ZK_ERR_WINDOW_EXISTS);

  std::string colourText = ZK_PropertyGetIntl(ZK_BKCOL, properties);
  if (colourText.empty()) colourText = "white";
  const std::uint32_t colour = ZK_ColourIntl(colourText);
  HBRUSH brush = ZK_GdiBrushIntl(colour);
  if (brush == nullptr) return ZK_FailIntl(ZK_ERR_CREATE_BRUSH);

  // cbSize must be the structure's real size: 64-bit systems refuse the 32-bit 48.
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = ZK_globals.instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = brush;
  windowClass.lpszClassName = name.c_str();
  if (windowProc == nullptr || RegisterClassExA(&windowClass) == 0) {
    undoCreation(brush, "");
    return ZK_FailIntl(ZK_ERR_REGISTER_CLASS);
  }

  const bool resizable = !ZK_IsFalseIntl(ZK_PropertyGetIntl(ZK_RESIZE, properties));
  const DWORD style =
      resizable ? WS_OVERLAPPEDWINDOW : (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  HWND window = CreateWindowExA(0, name.c_str(), name.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                ZK_globals.instance, nullptr);
  if (window == nullptr) {
    // The class holds the brush: unregister it first so that a later attempt can succeed.
    undoCreation(brush, name);
    return ZK_FailIntl(ZK_ERR_CREATE_WINDOW);
  }

  ZK_globals.mainWindowName = name;
  WindowRecord record = ZK_WindowDefaultIntl();
  record.backColour = colour;
  record.backBrush = brush;
  record.x = x;
  record.y = y;
  record.width = width;
  record.height = height;
  record.hwnd = window;
  record.properties = properties;
  record.resizable = resizable;
  ZK_WindowStoreIntl(name, record);

  const std::string title = ZK_PropertyGetIntl(ZK_NAME, properties);
  if (!title.empty()) {
    const int status = ZK_WindowTitleSet(name, title);
    if (status != ZK_OK) return status;
    record = ZK_WindowLookupIntl(name);
    record.title = title;
    ZK_WindowStoreIntl(name, record);
  }
  ZK_globals.currentWindowName = ZK_globals.mainWindowName;
  return ZK_WindowMove(name, x, y, width, height);
}
