// A program of its own with one form, tested from outside through the installed test kit
// (consumer_form.zkt): a date field, a required name and an OK button. Its exit code says how the
// form was left: 0 by OK with a date and a name, 1 otherwise.
#include <windows.h>
#include <zarvik/zarvik.h>

#include <string>

namespace {
constexpr char kForm[] = "entry";

struct Item {
  const char* name;
  const char* kind;
  int x, y, width, height;
  const char* properties;
};

const Item kItems[] = {
    {"datelabel", ZK_STATIC, 20, 20, 90, 24, "value=Date:;txvpos=center"},
    {"date", ZK_EDIT, 120, 20, 110, 24, "type=date;format=dd/mm/yyyy;remark=A date, dd/mm/yyyy"},
    {"namelabel", ZK_STATIC, 20, 56, 90, 24, "value=Name:;txvpos=center"},
    {"name", ZK_EDIT, 120, 56, 200, 24, "notnull=true;remark=Your name, required"},
    {"ok", ZK_BUTTON, 220, 100, 100, 30, "button=ok;value=OK"},
};

bool okPressed = false;

int entryEvent(std::string, std::string item, std::string event, HWND, UINT message, WPARAM wParam,
               LPARAM) {
  if (event == ZK_BEFORE && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && item == "ok")
    okPressed = true;
  return 0;
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ZK_WindowMessageAuto(message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  const int status =
      ZK_WindowMainCreate("Consumer", showCommand, mainProc, "name=Consumer", 0, 0, 480, 320);
  if (status != 0) return status;
  int order = 1;
  for (const Item& item : kItems)
    ZK_FormItemAdd(kForm, item.name, item.kind, order++, item.x, item.y, item.width, item.height,
                   item.properties);
  // Modal: returns once the form is closed.
  ZK_FormCreate(kForm, "modal=true;name=Entry", 40, 40, 360, 200, entryEvent);
  const bool filled = !ZK_FormItemGet(kForm, "date").field.text.empty() &&
                      !ZK_FormItemGet(kForm, "name").field.text.empty();
  ZK_FormClose(kForm);
  return okPressed && filled ? 0 : 1;
}
