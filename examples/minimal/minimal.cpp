// The smallest complete Zarvik application: a main window with a menu that opens one modal form,
// whose button copies the typed name into a greeting.
#include <windows.h>

#include "zarvik/zarvik.h"

namespace {
constexpr char kMain[] = "Main";
constexpr char kMenu[] = "menu";
constexpr char kForm[] = "hello";

struct Item {
  const char* name;
  const char* kind;
  int x, y, width, height;
  const char* properties;
};

// Items are data: one row each, declared in a loop in creation (and Tab) order.
const Item kItems[] = {
    {"label", ZK_STATIC, 20, 20, 100, 25, "value=Your name:;txvpos=center"},
    {"name", ZK_EDIT, 130, 20, 200, 25, "notnull=true;remark=Type a name, then Greet"},
    {"greet", ZK_BUTTON, 130, 60, 100, 30, "value=Greet;remark=Shows the greeting"},
    {"greeting", ZK_STATIC, 20, 100, 310, 25, "value=;txcol=blue"},
    {"close", ZK_BUTTON, 230, 150, 100, 30, "button=ok;value=Close;bkcol=lightgrey"},
};

// The form's event procedure: every event of every item passes here; 0 lets the toolkit go on.
int helloEvent(std::string form, std::string item, std::string event, HWND, UINT, WPARAM, LPARAM) {
  if (event == ZK_ITEMCLIC && item == "greet") {
    const ItemRecord name = ZK_FormItemGet(form, "name");
    ZK_FormItemSet(form, "greeting", ZK_VALUE, "Hello, " + name.field.text + "!");
  }
  return 0;
}

void openHello() {
  int order = 1;
  for (const Item& item : kItems)
    ZK_FormItemAdd(kForm, item.name, item.kind, order++, item.x, item.y, item.width, item.height,
                   item.properties);
  // Modal: returns when the form is closed; then forget it so that it can open again.
  ZK_FormCreate(kForm, "modal=true;name=Hello;bkcol=white", 20, 20, 380, 260, helloEvent);
  ZK_FormClose(kForm);
}

// The calling pattern of every main window procedure: bracket WM_PAINT, turn menu commands into
// entry names, hand everything else to the toolkit and then to DefWindowProcA.
LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    ZK_WindowSelect(kMain);
    ZK_WindowRelease();
    return 0;
  }
  const std::string command = ZK_MenuCommand(kMenu, message, wParam);
  if (command == "hello") {
    openHello();
    return 0;
  }
  if (command == "quit") {
    PostQuitMessage(0);
    return 0;
  }
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  const int status =
      ZK_WindowMainCreate(kMain, showCommand, mainProc, "name=Minimal", 0, 0, 480, 320);
  if (status != 0) return status;
  ZK_MenuAdd(kMenu, "file", 1, 1, "&File", "");
  ZK_MenuAdd(kMenu, "hello", 1, 2, "&Hello...", "");
  ZK_MenuAdd(kMenu, "quit", 1, 3, "&Quit", "");
  ZK_MenuDisplay(kMain, kMenu, "");
  return ZK_MessageLoop();
}
