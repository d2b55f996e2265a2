// What Carnet's modal forms share: items declared from a table and the form forgotten after its
// run; which button a command clicks; Enter and Escape pressing OK and Annuler as they do in the
// system's dialogs (the toolkit's owner-drawn buttons cannot be a dialog's default button, so the
// dialog sends those keys as commands from no control).
#include <zarvik/zarvik.h>

#include "carnet_app.h"

int CarnetModalFormRun(const std::string& form, const std::string& properties, int x, int y,
                       int width, int height, const std::vector<CarnetFormItem>& items,
                       ZK_FormEventProc events) {
  int order = 1;
  for (const CarnetFormItem& item : items)
    ZK_FormItemAdd(form, item.name, item.kind, order++, item.x, item.y, item.width, item.height,
                   item.properties);
  const int status = ZK_FormCreate(form, properties, x, y, width, height, events);
  // The run is over: forget the form so that it can open again.
  ZK_FormClose(form);
  return status;
}

std::string CarnetClickedButton(const std::string& item, const std::string& event, UINT message,
                                WPARAM wParam) {
  const bool click = event == ZK_BEFORE && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED;
  return click ? item : "";
}

bool CarnetPressForKey(const std::string& form, const std::string& event, UINT message,
                       WPARAM wParam, LPARAM lParam, const char* ok, const char* cancel) {
  if (event != ZK_BEFORE || message != WM_COMMAND || lParam != 0) return false;
  const char* button =
      LOWORD(wParam) == IDOK ? ok : (LOWORD(wParam) == IDCANCEL ? cancel : nullptr);
  if (button == nullptr) return false;
  SendMessageA(ZK_FormItemGet(form, button).hwnd, BM_CLICK, 0, 0);
  return true;
}
