// The toolkit's OK box, owned by the main window.
#include "foundation/system.h"
#include "window/window_intl.h"

int ZK_MessageBox(const std::string& caption, const std::string& text) {
  const ZK_ContextGuard context(caption, "ZK_MessageBox");
  HWND main = ZK_WindowLookupIntl(ZK_WindowStateIntl().mainWindowName).hwnd;
  if (main == nullptr) return context.fail(ZK_ERR_NO_MAIN_WINDOW);
  // The box runs a message loop of its own: forms' dialog procedures may run meanwhile.
  ZK_SystemMessageBoxIntl(main, text, caption);
  return context.done();
}
