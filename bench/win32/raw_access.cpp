// The baseline's answer to screen readers, as a hand-written program that names its controls gives
// it: its own window procedure in front of each control's (the original kept once per class, as
// the program knows its four classes), which at a client's request annotates the control with the
// text it shows and hands everything on to the control.
#include <windows.h>

#include <oleacc.h>

#include "raw_form.h"

namespace bench {

namespace {
// By value: MinGW's import libraries define these twice.
constexpr GUID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

enum Class { kStaticClass, kEditClass, kButtonClass, kComboClass, kClasses };
WNDPROC gOriginal[kClasses] = {};

Class classOf(RawKind kind) {
  switch (kind) {
    case RawKind::kStatic:
    case RawKind::kRect:
      return kStaticClass;
    case RawKind::kEdit:
      return kEditClass;
    case RawKind::kCombo:
      return kComboClass;
    default:
      return kButtonClass;
  }
}

IAccPropServices* services() {
  static IAccPropServices* made = [] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccPropServices* s = nullptr;
    if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                reinterpret_cast<void**>(&s))))
      return static_cast<IAccPropServices*>(nullptr);
    return s;
  }();
  return made;
}

// The platform's own object of the control then answers, with the annotated name.
void annotate(HWND control) {
  const RawControl* c = RawControlOf(control);
  IAccPropServices* annotations = services();
  if (c == nullptr || annotations == nullptr) return;
  const int length = MultiByteToWideChar(CP_ACP, 0, c->name.c_str(), -1, nullptr, 0);
  std::wstring name(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, c->name.c_str(), -1, &name[0], length);
  annotations->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              kNameProperty, name.c_str());
}

template <int Slot>
LRESULT CALLBACK hook(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) annotate(control);
  return CallWindowProcA(gOriginal[Slot], control, message, wParam, lParam);
}

const WNDPROC kHooks[kClasses] = {hook<kStaticClass>, hook<kEditClass>, hook<kButtonClass>,
                                  hook<kComboClass>};
}  // namespace

void RawAccessHook(HWND control, const RawControl& description) {
  const Class slot = classOf(description.kind);
  if (gOriginal[slot] == nullptr)
    gOriginal[slot] = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kHooks[slot]));
}

}  // namespace bench
