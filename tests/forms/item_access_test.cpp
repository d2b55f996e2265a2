// What the accessibility interface answers for items whose names Velmo's forms do not show: an
// input's own LABEL, an input with no label before it, and names following run-time changes.
#include <oleacc.h>

#include <gtest/gtest.h>

#include "item_test_host.h"

using item_test::Dialog;
using item_test::kForm;
using item_test::Reports;

namespace {

constexpr GUID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

HWND add(Dialog& dialog, const std::string& item, const std::string& kind, int order,
         const std::string& properties) {
  EXPECT_EQ(ZK_FormItemAdd(kForm, item, kind, order, 0, 30 * order, 150, 25, properties), ZK_OK);
  EXPECT_EQ(ZK_FormCreateItem(dialog.hwnd(), kForm, item), ZK_OK);
  return ZK_FormItemGet(kForm, item).hwnd;
}

// The name a client gets, in code page 1252 ("-" when it gets none).
std::string nameOf(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                        reinterpret_cast<void**>(&accessible))))
    return "(no object)";
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  accessible->get_accName(self, &name);
  accessible->Release();
  if (name == nullptr) return "-";
  char text[256] = {};
  WideCharToMultiByte(1252, 0, name, -1, text, sizeof text - 1, nullptr, nullptr);
  SysFreeString(name);
  return text;
}

}  // namespace

TEST(ItemAccess, InputsAreNamedByTheirLabelTheLabelBeforeThemOrNothing) {
  Reports reports;
  Dialog dialog;
  add(dialog, "titre", ZK_STATIC, 1, "value=Nom :");
  HWND named = add(dialog, "nom", ZK_EDIT, 2, "label=Nom du client");
  HWND labelled = add(dialog, "ville", ZK_EDIT, 3, "");
  add(dialog, "cadre", ZK_RECT, 4, "");
  HWND unlabelled = add(dialog, "code", ZK_COMBOSYS, 5, "value1=un");
  HWND check = add(dialog, "coche", ZK_CHECK, 6, "");
  HWND button = add(dialog, "envoyer", ZK_BUTTON, 7, "");

  EXPECT_EQ(nameOf(named), "Nom du client");
  // The label before an input is the item just before it, and only when that is a STATIC.
  EXPECT_EQ(nameOf(labelled), "-");
  EXPECT_EQ(nameOf(unlabelled), "-");
  EXPECT_EQ(nameOf(check), "-");
  EXPECT_EQ(nameOf(button), "envoyer");

  // Run-time changes: a label's text renames the input after it; LABEL and VALUE rename the item.
  add(dialog, "villetexte", ZK_STATIC, 8, "value=Ville :");
  HWND town = add(dialog, "lieu", ZK_EDIT, 9, "");
  EXPECT_EQ(nameOf(town), "Ville :");
  EXPECT_EQ(ZK_FormItemSet(kForm, "villetexte", ZK_VALUE, "Commune :"), ZK_OK);
  EXPECT_EQ(nameOf(town), "Commune :");
  EXPECT_EQ(ZK_FormItemSet(kForm, "lieu", ZK_LABEL, "Commune de livraison"), ZK_OK);
  EXPECT_EQ(nameOf(town), "Commune de livraison");
  EXPECT_EQ(ZK_FormItemSet(kForm, "envoyer", ZK_VALUE, "Envoyer"), ZK_OK);
  EXPECT_EQ(nameOf(button), "Envoyer");
  EXPECT_EQ(ZK_FormItemSet(kForm, "coche", ZK_VALUE, "Urgent"), ZK_OK);
  EXPECT_EQ(nameOf(check), "Urgent");
  EXPECT_EQ(reports.count(), 0u);
}
