// The buttons of Carnet's modal forms: which one a command clicks, and Enter and Escape pressing
// OK and Annuler as they do in the system's dialogs (the toolkit's owner-drawn buttons cannot be a
// dialog's default button, so the dialog sends those keys as commands from no control).
#include <zarvik/zarvik.h>

#include "carnet_app.h"

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
