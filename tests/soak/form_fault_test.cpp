// Every GDI creation and deletion of a cycle of Velmo's forms made to fail in turn: a cycle opens
// a form as Velmo does, paints it whole and closes it by its close box. Each failure must be
// answered with its status code and a report naming the failed call's system error; nothing may
// be lost (the count of GDI objects returns to its start), the tables come back whole, and the
// form then opens, paints and closes cleanly.
#include <gtest/gtest.h>

#include <string>

#include "demo.h"
#include "support/velmo_host.h"

namespace {

struct Form {
  const char* name;
  void (*open)();
};

// One cycle of the form; false when it did not open.
bool cycle(const Form& form) {
  bool opened = false;
  velmo_host::openModal(
      form.open,
      [&](HWND dialog) {
        if (dialog == nullptr || !IsWindow(dialog)) return;
        opened = true;
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      },
      form.name);
  return opened;
}

// The status codes a failed creation or deletion of a GDI object is reported with.
bool isGdiCode(int code, int systemError) {
  if (systemError == ERROR_INVALID_HANDLE) return code == ZK_ERR_DELETE_OBJECT;
  return code == ZK_ERR_CREATE_BRUSH || code == ZK_ERR_CREATE_PEN || code == ZK_ERR_CREATE_FONT;
}

void failEachCallInTurn(const Form& form) {
  support::Reports reports;
  ASSERT_EQ(velmo_host::start(), ZK_OK);
  const std::size_t windows = ZK_WindowRegistryIntl().size();
  const std::size_t items = ZK_ItemTableIntl().size();
  const long objects = ZK_GdiCountIntl();

  const long before = ZK_GdiCallsIntl();
  ASSERT_TRUE(cycle(form));
  const long calls = ZK_GdiCallsIntl() - before;
  ASSERT_GT(calls, 10);
  ASSERT_EQ(reports.count(), 0u);

  for (long n = 1; n <= calls; ++n) {
    SCOPED_TRACE("GDI call " + std::to_string(n) + " of " + std::to_string(calls));
    reports.texts().clear();
    const long start = ZK_GdiCallsIntl();
    ZK_GdiFailAtIntl(n);
    cycle(form);
    ZK_GdiFailAtIntl(0);
    const bool failed = ZK_GdiCallsIntl() - start >= n;
    int answered = 0;
    for (const std::string& text : reports.texts()) {
      const int error = support::systemErrorOf(text);
      if (error != ERROR_NOT_ENOUGH_MEMORY && error != ERROR_INVALID_HANDLE) continue;
      EXPECT_TRUE(isGdiCode(support::codeOf(text), error)) << text;
      ++answered;
    }
    EXPECT_EQ(answered, failed ? 1 : 0);

    reports.texts().clear();
    EXPECT_TRUE(cycle(form));
    EXPECT_EQ(reports.count(), 0u);
    ASSERT_EQ(ZK_WindowRegistryIntl().size(), windows);
    ASSERT_EQ(ZK_ItemTableIntl().size(), items);
    ASSERT_EQ(ZK_GdiCountIntl(), objects);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(FormFault, EveryGdiFailureOfTousIsReportedAndUndone) {
  failEachCallInTurn({"tous", DemoTousFormOpen});
}

TEST(FormFault, EveryGdiFailureOfStaticIsReportedAndUndone) {
  failEachCallInTurn({"static", DemoStaticFormOpen});
}

TEST(FormFault, EveryGdiFailureOfEditIsReportedAndUndone) {
  failEachCallInTurn({"edit", DemoEditFormOpen});
}

}  // namespace
