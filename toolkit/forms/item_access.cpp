// What assistive technology hears of an item: its name, role, state and description, answered
// through the platform's accessibility interface when a client asks (the item's hook hands the
// request here); nothing is made before. The controls keep their window texts (the item's name
// for the toolkit-drawn ones); the texts a sighted user reads are given here instead.
#include <windows.h>

#include <oleacc.h>

#include <iterator>

#include "forms/forms_intl.h"

namespace {
constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED, from Windows 8
// IID_IAccessible by value: MinGW's import libraries define it twice.
constexpr GUID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// A label is the STATIC just before the input in creation order.
std::string labelBefore(const std::string& form, const ItemRecord& input) {
  const std::map<int, std::string> orders = ZK_ItemOrdersIntl(form);
  const auto found = orders.lower_bound(input.order);
  if (found == orders.begin()) return "";
  const ItemRecord before = ZK_FormItemGet(form, std::prev(found)->second);
  return before.kind == ZK_STATIC ? before.value : "";
}

// One row a kind: its role, and whether its name is its value (else the label before it, or
// for a system button the text it shows, its window text).
struct KindAccess {
  const char* kind;
  LONG role;
  bool namedByValue;
  bool namedByLabel;
};

// Roles are given for every kind: some platforms' generic objects call every control a client.
const KindAccess kKinds[] = {
    {ZK_STATIC, ROLE_SYSTEM_STATICTEXT, true, false},
    {ZK_RECT, ROLE_SYSTEM_GROUPING, false, false},
    {ZK_EDIT, ROLE_SYSTEM_TEXT, false, true},
    {ZK_BUTTONSYS, ROLE_SYSTEM_PUSHBUTTON, false, false},
    {ZK_BUTTON, ROLE_SYSTEM_PUSHBUTTON, true, false},
    {ZK_CHECKSYS, ROLE_SYSTEM_CHECKBUTTON, false, true},
    {ZK_CHECK, ROLE_SYSTEM_CHECKBUTTON, true, true},
    {ZK_COMBOSYS, ROLE_SYSTEM_COMBOBOX, false, true},
};

ZK_ItemAccess accessOf(const std::string& form, const std::string& item, const ItemRecord& r) {
  ZK_ItemAccess access;
  for (const KindAccess& kind : kKinds) {
    if (r.kind != kind.kind) continue;
    access.known = true;
    access.role = kind.role;
    access.description = r.remark;
    if (kind.namedByValue) access.name = r.value;
    // A toolkit-drawn button without a value shows its item's name.
    if (r.kind == ZK_BUTTON && access.name.empty()) access.name = item;
    if (r.kind == ZK_BUTTONSYS) access.name = item;
    if (kind.namedByLabel && access.name.empty()) {
      access.name = r.label.empty() ? labelBefore(form, r) : r.label;
    }
    // A system check box keeps its own state; the toolkit draws a CHECK's from the record.
    access.checked = r.kind == ZK_CHECKSYS ? SendMessageA(r.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED
                                           : r.field.checkState;
  }
  return access;
}

ZK_ItemAccess accessOfControl(HWND control) {
  // Asked seldom, and by another program: the registry walk costs nothing worth keeping a link.
  const std::string form = ZK_WindowNameByHandleIntl(GetParent(control));
  const std::string item = form.empty() ? "" : ZK_FormItemByControlIntl(form, control);
  if (item.empty()) return {};
  return accessOf(form, item, ZK_FormItemGet(form, item));
}

BSTR wide(const std::string& text) {
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (result != nullptr && length > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result, length);
  }
  return result;
}

bool isSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The platform's own accessible object of the control, with the name, role, state and
// description of the item put in front. Everything else (position, focus, value, actions, the
// children of a combo box) is the platform's.
class ItemAccessible : public IAccessible {
 public:
  ItemAccessible(HWND control, IAccessible* standard) : control_(control), standard_(standard) {}
  virtual ~ItemAccessible() { standard_->Release(); }
  ItemAccessible(const ItemAccessible&) = delete;
  ItemAccessible& operator=(const ItemAccessible&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDispatch || id == kIAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const ZK_ItemAccess access = isSelf(child) ? accessOfControl(control_) : ZK_ItemAccess{};
    if (!access.known || name == nullptr) return standard_->get_accName(child, name);
    *name = access.name.empty() ? nullptr : wide(access.name);
    return access.name.empty() ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    const ZK_ItemAccess access = isSelf(child) ? accessOfControl(control_) : ZK_ItemAccess{};
    if (!access.known || text == nullptr) return standard_->get_accDescription(child, text);
    *text = access.description.empty() ? nullptr : wide(access.description);
    return access.description.empty() ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const ZK_ItemAccess access = isSelf(child) ? accessOfControl(control_) : ZK_ItemAccess{};
    if (access.role == 0 || role == nullptr) return standard_->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = access.role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = standard_->get_accState(child, state);
    if (FAILED(result) || state == nullptr || state->vt != VT_I4 || !isSelf(child)) return result;
    const ZK_ItemAccess access = accessOfControl(control_);
    if (access.role == ROLE_SYSTEM_CHECKBUTTON) {
      state->lVal =
          (state->lVal & ~STATE_SYSTEM_CHECKED) | (access.checked ? STATE_SYSTEM_CHECKED : 0);
    }
    return result;
  }

  // The platform's, unchanged.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument) override {
    return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return standard_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  HWND control_;
  IAccessible* standard_;
  LONG references_ = 1;
};

}  // namespace

bool ZK_ItemAccessAnswerIntl(HWND control, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, kIAccessible,
                                       reinterpret_cast<void**>(&standard)))) {
    return false;
  }
  auto* accessible = new ItemAccessible(control, standard);
  *answer = LresultFromObject(kIAccessible, wParam, accessible);
  accessible->Release();
  return true;
}

void ZK_ItemAccessChangedIntl(const std::string& form, const std::string& item,
                              const std::string& keyword) {
  const ItemRecord record = ZK_FormItemGet(form, item);
  if (record.hwnd == nullptr) return;
  // What clients re-read after a run-time change; showing and enabling the platform tells.
  DWORD event = 0;
  if (keyword == ZK_VALUE || keyword == ZK_LABEL) event = EVENT_OBJECT_NAMECHANGE;
  if (keyword == ZK_CHECK) event = EVENT_OBJECT_STATECHANGE;
  if (keyword == ZK_REMARK) event = EVENT_OBJECT_DESCRIPTIONCHANGE;
  if (event == 0) return;
  NotifyWinEvent(event, record.hwnd, OBJID_CLIENT, CHILDID_SELF);
  // A label's text is the name of the input after it.
  if (event != EVENT_OBJECT_NAMECHANGE || record.kind != ZK_STATIC) return;
  const std::map<int, std::string> orders = ZK_ItemOrdersIntl(form);
  const auto next = orders.upper_bound(record.order);
  if (next == orders.end()) return;
  const ItemRecord input = ZK_FormItemGet(form, next->second);
  if (input.hwnd != nullptr) NotifyWinEvent(event, input.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void ZK_ItemAccessAnnounceIntl(HWND statusBar) {
  // A status bar's name is its text: clients that follow name changes read the new message, and
  // those that follow live regions hear it without the focus moving.
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, statusBar, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(kLiveRegionChanged, statusBar, OBJID_CLIENT, CHILDID_SELF);
}
