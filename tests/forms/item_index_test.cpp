// The item table's indexes against the plain walks they replace: the item of a control handle,
// and the item that carries each creation order number, on generated tables.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "forms/forms_intl.h"
#include "foundation/foundation_intl.h"

namespace {

HWND handle(int n) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(n));
}

// The walk in key order: the first key whose form part (before its first ".") equals the form,
// ASCII case ignored, and whose record has the control.
std::string scanByControl(const std::string& form, HWND control) {
  for (const auto& [key, record] : ZK_ItemTableIntl()) {
    const std::size_t dot = key.find('.');
    if (dot == std::string::npos) continue;
    if (record.hwnd == control && ZK_UpperIntl(key.substr(0, dot)) == ZK_UpperIntl(form))
      return key.substr(dot + 1);
  }
  return "";
}

// Orders 1, 2, 3... each the first of the form's items in key order with that number, up to the
// first number none carries.
std::vector<std::string> scanCreationOrder(const std::string& form) {
  std::vector<std::string> created;
  const std::string prefix = form + ".";
  for (int order = 1;; ++order) {
    bool found = false;
    for (const auto& [key, record] : ZK_ItemTableIntl()) {
      if (key.compare(0, prefix.size(), prefix) == 0 && record.order == order) {
        created.push_back(key.substr(prefix.size()));
        found = true;
        break;
      }
    }
    if (!found) return created;
  }
}

std::vector<std::string> indexCreationOrder(const std::string& form) {
  std::vector<std::string> created;
  const std::map<int, std::string> orders = ZK_ItemOrdersIntl(form);
  for (int order = 1;; ++order) {
    const auto found = orders.find(order);
    if (found == orders.end()) return created;
    created.push_back(found->second);
  }
}

// Forms whose names differ only in case, share a prefix, or hold a dot; item names with dots.
const char* const kForms[] = {"f", "F", "fx", "form", "Form", "a", "a.b", "f."};
const char* const kItems[] = {"i", "j", "x.y", "b", "B", "", "item", "zz"};
const char* const kQueries[] = {"f", "F", "fx",  "FX", "form", "FORM",
                                "a", "A", "a.b", "b",  "",     "q"};

ItemRecord record(int order, HWND control) {
  ItemRecord r = ZK_ItemEmptyIntl();
  r.kind = ZK_STATIC;
  r.order = order;
  r.hwnd = control;
  return r;
}

// Random stores (new keys, new handles, new orders) and removals, checked after each step.
class GeneratedTables : public ::testing::TestWithParam<unsigned> {};

TEST_P(GeneratedTables, ByControlAndCreationOrderAgreeWithThePlainWalks) {
  ZK_ItemTableClearIntl();
  std::mt19937 random(GetParam());
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int step = 0; step < 400; ++step) {
    const std::string form = kForms[pick(8)];
    const std::string item = std::string(kItems[pick(8)]) + std::to_string(pick(6));
    const std::string key = ZK_ItemKeyIntl(form, item);
    if (pick(5) == 0) {
      ZK_ItemRemoveIntl(key);
    } else {
      // Few handles, null among them, so that handles repeat within and across forms; orders
      // with gaps, ties, zero and negative numbers.
      ZK_ItemStoreIntl(key, record(pick(9) - 1, handle(pick(6) * 4)));
    }
    if (step % 20 != 19) continue;
    for (const char* query : kQueries) {
      for (int h = 0; h < 7; ++h) {
        ASSERT_EQ(ZK_FormItemByControlIntl(query, handle(h * 4)),
                  scanByControl(query, handle(h * 4)))
            << "seed " << GetParam() << " step " << step << " form " << query << " handle " << h;
      }
      ASSERT_EQ(indexCreationOrder(query), scanCreationOrder(query))
          << "seed " << GetParam() << " step " << step << " form " << query;
    }
  }
}

// Thousands of handles, so that the index grows, its probe runs wrap round and removals close
// the gaps they leave; the record found in place through a control against the table's own.
TEST_P(GeneratedTables, ManyHandlesAgreeWithThePlainWalkAndRecordsAreFoundInPlace) {
  ZK_ItemTableClearIntl();
  std::mt19937 random(GetParam());
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  // Window handles as the system hands them out (small, even, close together) and stray values.
  auto anyHandle = [&] {
    return pick(4) == 0 ? handle(pick(1 << 30)) : handle(0x10000 + pick(3000) * 2);
  };
  std::vector<HWND> seen = {nullptr};
  for (int step = 0; step < 6000; ++step) {
    const std::string form = kForms[pick(3)];
    const std::string key = ZK_ItemKeyIntl(form, "i" + std::to_string(pick(2500)));
    if (pick(3) == 0) {
      ZK_ItemRemoveIntl(key);
    } else {
      seen.push_back(pick(8) == 0 ? nullptr : anyHandle());
      ZK_ItemStoreIntl(key, record(1, seen.back()));
    }
    if (step % 1000 != 999) continue;
    for (int probe = 0; probe < 300; ++probe) {
      HWND control = pick(2) == 0
                         ? seen[static_cast<std::size_t>(pick(static_cast<int>(seen.size())))]
                         : anyHandle();
      const std::string query = kQueries[pick(6)];
      const std::string item = ZK_FormItemByControlIntl(query, control);
      ASSERT_EQ(item, scanByControl(query, control)) << "seed " << GetParam() << " step " << step;
      const std::string name = "i" + std::to_string(pick(2500));
      const auto stored = ZK_ItemTableIntl().find(ZK_ItemKeyIntl(query, name));
      const ItemRecord* expected = stored == ZK_ItemTableIntl().end() ? nullptr : &stored->second;
      ASSERT_EQ(ZK_ItemFindIntl(query, name, control), expected) << "seed " << GetParam();
      ASSERT_EQ(ZK_ItemFindIntl(query, name), expected) << "seed " << GetParam();
    }
  }
}
INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedTables, ::testing::Values(1u, 2u, 3u, 42u, 2026u));

TEST(ItemIndex, CreationOrderStopsAtAGapAndTakesTheFirstOfTiesInKeyOrder) {
  ZK_ItemTableClearIntl();
  ZK_ItemStoreIntl("f.d", record(1, nullptr));
  ZK_ItemStoreIntl("f.c", record(3, nullptr));
  ZK_ItemStoreIntl("f.b", record(3, nullptr));
  ZK_ItemStoreIntl("f.a", record(2, nullptr));
  ZK_ItemStoreIntl("f.e", record(5, nullptr));   // after the gap at 4
  ZK_ItemStoreIntl("fx.a", record(4, nullptr));  // another form's item fills no gap
  EXPECT_EQ(indexCreationOrder("f"), (std::vector<std::string>{"d", "a", "b"}));
  EXPECT_EQ(indexCreationOrder("f"), scanCreationOrder("f"));
}

TEST(ItemIndex, ByControlFollowsHandlesAsRecordsAreStoredAgainAndRemoved) {
  ZK_ItemTableClearIntl();
  ZK_ItemStoreIntl("f.b", record(1, handle(8)));
  ZK_ItemStoreIntl("F.a", record(1, handle(8)));
  EXPECT_EQ(ZK_FormItemByControlIntl("f", handle(8)), "a");  // "F.a" comes first in key order
  ZK_ItemStoreIntl("F.a", record(1, handle(12)));
  EXPECT_EQ(ZK_FormItemByControlIntl("f", handle(8)), "b");
  EXPECT_EQ(ZK_FormItemByControlIntl("f", handle(12)), "a");
  ZK_ItemRemoveIntl("f.b");
  EXPECT_EQ(ZK_FormItemByControlIntl("f", handle(8)), "");
  ZK_ItemTableClearIntl();
  EXPECT_EQ(ZK_FormItemByControlIntl("f", handle(12)), "");
}

TEST(ItemIndex, OrderVersionChangesWithKeysAndOrdersOnly) {
  ZK_ItemTableClearIntl();
  std::uint64_t version = ZK_ItemOrderVersionIntl();
  auto changed = [&] {
    const bool result = ZK_ItemOrderVersionIntl() != version;
    version = ZK_ItemOrderVersionIntl();
    return result;
  };
  ZK_ItemStoreIntl("f.a", record(1, nullptr));
  EXPECT_TRUE(changed()) << "new key";
  ZK_ItemStoreIntl("f.a", record(1, handle(4)));
  EXPECT_FALSE(changed()) << "same order, new handle";
  ZK_ItemStoreIntl("f.a", record(2, handle(4)));
  EXPECT_TRUE(changed()) << "new order";
  ZK_ItemRemoveIntl("f.zz");
  EXPECT_FALSE(changed()) << "removing a missing key";
  ZK_ItemRemoveIntl("f.a");
  EXPECT_TRUE(changed()) << "removed key";
  ZK_ItemTableClearIntl();
  EXPECT_TRUE(changed()) << "cleared table";
}

// --- on a real form: items declared while the controls are being created --------------------

const char kForm[] = "idx";
int gDeclared = 0;

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

bool answerNo(const std::string&, const std::string&) {
  return false;
}

// When the first control announces itself, the gap at order 2 is filled: the creation walk must
// see the new item, as a walk of the whole table at each number would.
int fillGap(std::string form, std::string, std::string event, HWND, UINT message, WPARAM wParam,
            LPARAM) {
  if (event == ZK_BEFORE && message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE &&
      gDeclared == 0) {
    gDeclared = 1;
    ZK_FormItemAdd(form, "late", ZK_STATIC, 2, 10, 40, 50, 20, "value=tard");
  }
  return 0;
}

TEST(ItemIndexForm, AnItemDeclaredDuringCreationFillsTheGapItMeets) {
  ZK_ErrorPromptSetIntl(answerNo);
  ASSERT_EQ(ZK_WindowMainCreate("Main", SW_SHOW, mainProc, "name=Index", 0, 0, 640, 480), ZK_OK);
  ASSERT_EQ(ZK_FormItemAdd(kForm, "first", ZK_STATIC, 1, 10, 10, 50, 20, "value=un"), ZK_OK);
  ASSERT_EQ(ZK_FormItemAdd(kForm, "third", ZK_EDIT, 3, 10, 70, 50, 20, ""), ZK_OK);
  ASSERT_EQ(ZK_FormItemAdd(kForm, "tie", ZK_EDIT, 3, 10, 100, 50, 20, ""), ZK_OK);
  ASSERT_EQ(ZK_FormCreate(kForm, "", 10, 10, 300, 200, fillGap), ZK_OK);
  EXPECT_EQ(gDeclared, 1);
  const ItemRecord first = ZK_FormItemGet(kForm, "first");
  const ItemRecord late = ZK_FormItemGet(kForm, "late");
  const ItemRecord third = ZK_FormItemGet(kForm, "third");
  const ItemRecord tie = ZK_FormItemGet(kForm, "tie");
  ASSERT_NE(first.hwnd, nullptr);
  ASSERT_NE(late.hwnd, nullptr);
  ASSERT_NE(third.hwnd, nullptr);
  EXPECT_EQ(tie.hwnd, nullptr) << "\"third\" comes before \"tie\" in key order";
  // Creation order is the dialog's child order: first, late, then third.
  EXPECT_EQ(GetWindow(first.hwnd, GW_HWNDNEXT), late.hwnd);
  EXPECT_EQ(GetWindow(late.hwnd, GW_HWNDNEXT), third.hwnd);
  char className[32] = {};
  GetClassNameA(third.hwnd, className, sizeof className);
  EXPECT_STREQ(className, "Edit");
  // The dialog procedure finds each item from its control.
  EXPECT_EQ(ZK_FormItemByControlIntl("IDX", late.hwnd), "late");
  SendMessageA(ZK_WindowLookupIntl(kForm).hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(ZK_FormClose(kForm), ZK_OK);
  EXPECT_EQ(ZK_FormItemByControlIntl(kForm, late.hwnd), "");
  ZK_ErrorPromptSetIntl(nullptr);
}

}  // namespace
