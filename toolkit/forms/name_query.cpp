// The names of a form and of its items, told to another program (a test driver) that asks the
// form's dialog or an item's control with the registered message ZK_NAME_QUERY. Nothing is made
// until one asks: no property or atom per control, and the dialog procedure and the item hook pay
// one comparison for every other message.
#include <cstdio>

#include "forms/forms_intl.h"

namespace {

// The atom holds the window's handle (8 hexadecimal digits), a space and the name. The system
// finds an existing atom without regard to case, and answers with that atom's text: the handle
// keeps a name from being read back as another atom's ("edit" as the class atom "Edit"). Atoms
// hold 255 characters at most; a longer name is not told. The atom's reference passes to the
// asker, who deletes it once read (as DDE hands atoms on).
LRESULT atomOf(HWND window, const std::string& name) {
  if (name.empty()) return 0;
  char handle[16];
  std::snprintf(handle, sizeof handle, "%08lX ",
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window) & 0xFFFFFFFFu));
  return static_cast<LRESULT>(GlobalAddAtomA((handle + name).c_str()));
}

// The key of the item whose control this is, on the form its parent dialog shows: a handle may
// still be named by a closed form's records.
std::string keyOf(HWND control) {
  HWND dialog = GetParent(control);
  const ZK_WindowRegistry& registry = ZK_WindowRegistryIntl();
  std::string found;
  ZK_FormsStateIntl().keysByControl.visit(control, [&](ZK_ControlKeys::Entry entry) {
    const std::string& key = entry->first;
    const auto form = registry.find(key.substr(0, key.find('.')));
    if (form == registry.end() || form->second.hwnd != dialog) return false;
    found = key;
    return true;
  });
  return found;
}

}  // namespace

UINT ZK_NameQueryMessageIntl() {
  // Registered once a process; the system gives every program asking for it the same number.
  static const UINT query = RegisterWindowMessageA(ZK_NAME_QUERY);
  return query;
}

LRESULT ZK_NameOfFormIntl(HWND dialog, const std::string& form) {
  return atomOf(dialog, form);
}

LRESULT ZK_NameOfControlIntl(HWND control) {
  return atomOf(control, keyOf(control));
}
