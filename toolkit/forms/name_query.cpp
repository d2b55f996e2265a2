// The names of a form and of its items, told to another program (a test driver) that asks the
// form's dialog with the registered message ZK_NAME_QUERY. Nothing is made until one asks: no
// property, atom or subclass per control, and one comparison for every other dialog message.
#include <cstdio>

#include "forms/forms_intl.h"

namespace {
// Registered messages take the values 0xC000 to 0xFFFF; below, no message can be the query.
constexpr UINT kFirstRegistered = 0xC000;

// The atom holds the window's handle (8 hexadecimal digits), a space and the name. The system
// finds an existing atom without regard to case, and answers with that atom's text: the handle
// keeps a name from being read back as another atom's ("edit" as the class atom "Edit"). Atoms
// hold 255 characters at most; a longer name is not told.
LRESULT atomOf(HWND window, const std::string& name) {
  char handle[16];
  std::snprintf(handle, sizeof handle, "%08lX ",
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window) & 0xFFFFFFFFu));
  const std::string text = handle + name;
  return name.empty() ? 0 : static_cast<LRESULT>(GlobalAddAtomA(text.c_str()));
}

// The atom's reference passes to the asker, who deletes it once read (as DDE hands atoms on).
LRESULT nameOf(HWND dialog, const std::string& form, HWND window) {
  if (form.empty() || window == nullptr) return 0;
  if (window == dialog) return atomOf(window, form);
  if (GetParent(window) != dialog) return 0;
  const std::string item = ZK_FormItemByControlIntl(form, window);
  return item.empty() ? 0 : atomOf(window, ZK_ItemKeyIntl(form, item));
}
}  // namespace

bool ZK_NameQueryIntl(UINT message) {
  if (message < kFirstRegistered) return false;
  // Registered once a process; the system gives every program asking for it the same number.
  static const UINT query = RegisterWindowMessageA(ZK_NAME_QUERY);
  return message == query;
}

INT_PTR ZK_NameAnswerIntl(HWND dialog, const std::string& form, WPARAM asked) {
  // A dialog procedure gives the sender its answer through DWLP_MSGRESULT.
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, nameOf(dialog, form, reinterpret_cast<HWND>(asked)));
  return TRUE;
}
