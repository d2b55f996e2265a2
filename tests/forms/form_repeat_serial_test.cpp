// Repeated use of a form: two hundred openings and closings, modal and modeless, leave the
// registry, the item table and the toolkit's GDI objects where they started (the counts are
// exact, so one leaked object a run shows; the long runs are the soak's, scripts/soak.sh).
#include <gtest/gtest.h>

#include <string>

#include "form_test_host.h"

namespace {
using form_test::closeAfterOpening;
using form_test::dialogOf;
using form_test::Reports;
using form_test::Toolkit;

// 30 items of every kind, with colours so that colour requests make brushes.
void declareThirtyItems(const std::string& form) {
  const char* kinds[] = {ZK_EDIT,   ZK_BUTTON, ZK_CHECK,     ZK_CHECKSYS, ZK_COMBOSYS,
                         ZK_STATIC, ZK_RECT,   ZK_BUTTONSYS, ZK_EDIT,     ZK_DATAGRID};
  for (int i = 0; i < 30; ++i) {
    const std::string properties =
        i % 10 == 4 ? "value1=un;value2=deux" : "bkcol=yellow;txcol=blue";
    ZK_FormItemAdd(form, "i" + std::to_string(i), kinds[i % 10], i + 1, 5 + (i % 5) * 60,
                   5 + (i / 5) * 25, 55, 20, properties);
  }
}

void repeatForm(const char* properties, int runs) {
  Reports reports;
  Toolkit toolkit;
  const size_t registry = ZK_WindowRegistryIntl().size();
  const size_t items = ZK_ItemTableIntl().size();
  const long gdi = ZK_GdiCountIntl();
  const bool modal = std::string(properties) == "modal=yes";
  for (int run = 0; run < runs; ++run) {
    declareThirtyItems("fiche");
    const int status =
        ZK_FormCreate("fiche", properties, 10, 10, 400, 250, modal ? closeAfterOpening : nullptr);
    ASSERT_EQ(status, 0) << "run " << run;
    if (!modal) {
      form_test::pump();
      SendMessageA(dialogOf("fiche"), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    ASSERT_EQ(ZK_FormClose("fiche"), 0) << "run " << run;
  }
  EXPECT_EQ(ZK_WindowRegistryIntl().size(), registry);
  EXPECT_EQ(ZK_ItemTableIntl().size(), items);
  EXPECT_EQ(ZK_GdiCountIntl(), gdi);
  EXPECT_EQ(ZK_WindowStateIntl().activeFormName, "");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormRepeat, ModelessFormOfThirtyItemsOpenedAndClosedTwoHundredTimes) {
  repeatForm("", 200);
}

TEST(FormRepeat, ModalFormOfThirtyItemsOpenedAndClosedTwoHundredTimes) {
  repeatForm("modal=yes", 200);
}

}  // namespace
