// Soak of Velmo's three forms: each opened and closed many times, modal and modeless, with typing
// and clicking between, while the toolkit's tables, its GDI objects and the process's private
// bytes must come back to where they started. ZK_SOAK_CYCLES sets the number of cycles: a few
// hundred in the test suite, 2 000 in scripts/soak.sh.
#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "demo.h"
#include "support/velmo_host.h"

namespace {

constexpr int kDefaultCycles = 300;
constexpr int kCheckEvery = 100;
// Private bytes may wander by a page or two of heap; over 2 000 cycles a leak of even a few
// hundred bytes a cycle passes this bound well before the last of 1 900 measured cycles.
constexpr SIZE_T kMemoryTolerance = 512 * 1024;

// ---- what a user does on each form ------------------------------------------------------------

enum class Act { kType, kPick, kClick };

struct Action {
  const char* item;
  Act act;
  // Texts typed in turn (kType, "" empties the field), or the number of list entries (kPick).
  std::vector<std::string> texts;
  int entries;
};

struct SoakForm {
  const char* name;
  void (*open)();  // the demo's own opening: declares the items, runs the form modally, forgets it
  const char* closeButton;
  std::vector<Action> actions;
  int actionsPerCycle;  // a rotating window over the actions keeps each cycle cheap
};

const SoakForm kTous = {"tous",
                        DemoTousFormOpen,
                        "ok",
                        {{"edit1", Act::kType, {"bonjour", "", "Saisie \xE9t\xE9"}, 0},
                         {"check1", Act::kClick, {}, 0},
                         {"check2", Act::kClick, {}, 0},
                         {"combo1", Act::kPick, {}, 3},
                         {"bouton1", Act::kClick, {}, 0},
                         {"bouton2", Act::kClick, {}, 0}},
                        3};

const SoakForm kStatic = {"static",
                          DemoStaticFormOpen,
                          "fermer",
                          {{"cbpolice", Act::kPick, {}, 3},
                           {"texte", Act::kType, {"Nouveau texte", "", "Texte d\xE9mo"}, 0},
                           {"cbtaille", Act::kPick, {}, 9},
                           {"gras", Act::kClick, {}, 0},
                           {"cbcouleurtexte", Act::kPick, {}, 11},
                           {"italique", Act::kClick, {}, 0},
                           {"cbcouleurfond", Act::kPick, {}, 13},
                           {"souligne", Act::kClick, {}, 0},
                           {"cbhorizalign", Act::kPick, {}, 3},
                           {"cbverticalign", Act::kPick, {}, 3},
                           {"cbtaillebrd", Act::kPick, {}, 11},
                           {"cbcouleurbrd", Act::kPick, {}, 11},
                           {"cbstylebrd", Act::kPick, {}, 3}},
                          2};

const SoakForm kEdit = {"edit",
                        DemoEditFormOpen,
                        "fermer",
                        {{"champ1", Act::kType, {"texte libre", ""}, 0},
                         {"champ2", Act::kType, {"1", "1/1", "32/01/2005", ""}, 0},
                         {"champ3", Act::kType, {"12,5", "abc", "1234"}, 0},
                         {"champ4", Act::kType, {"", "abcdefghijklmno", "court"}, 0},
                         {"check", Act::kClick, {}, 0},
                         {"masquer", Act::kClick, {}, 0},
                         {"montrer", Act::kClick, {}, 0},
                         {"desactiver", Act::kClick, {}, 0},
                         {"activer", Act::kClick, {}, 0}},
                        3};

// ---- driving the controls with the messages a user's actions produce --------------------------

HWND controlOf(const char* form, const char* item) {
  return ZK_FormItemGet(form, item).hwnd;
}

void notify(HWND dialog, HWND control, WORD code) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

void typeInto(HWND dialog, HWND control, const std::string& text) {
  notify(dialog, control, EN_SETFOCUS);
  SendMessageA(control, EM_SETSEL, 0, -1);
  SendMessageA(control, WM_CHAR, VK_BACK, 1);
  for (char c : text) SendMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
  notify(dialog, control, EN_KILLFOCUS);
}

void pick(HWND dialog, HWND control, int entry) {
  notify(dialog, control, CBN_SETFOCUS);
  SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  notify(dialog, control, CBN_SELCHANGE);
  notify(dialog, control, CBN_KILLFOCUS);
}

// Posted messages come before painting, so a form would be driven and closed before it ever
// painted: every fourth run paints the whole form first, as it appears on screen.
void paintSometimes(HWND dialog, int cycle) {
  if (cycle % 4 != 0) return;
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void perform(const SoakForm& form, HWND dialog, int cycle) {
  paintSometimes(dialog, cycle);
  const int count = static_cast<int>(form.actions.size());
  for (int j = 0; j < form.actionsPerCycle; ++j) {
    const Action& action = form.actions[(cycle * form.actionsPerCycle + j) % count];
    HWND control = controlOf(form.name, action.item);
    if (control == nullptr) continue;
    switch (action.act) {
      case Act::kType:
        typeInto(dialog, control, action.texts[cycle % action.texts.size()]);
        break;
      case Act::kPick:
        pick(dialog, control, cycle % action.entries);
        break;
      case Act::kClick:
        SendMessageA(control, BM_CLICK, 0, 0);
        break;
    }
  }
}

// Every other run closes by the form's own button, the others by the close box. A click can be
// lost when a refused field takes the focus back in the middle of it; the close box then ends it.
void closeForm(const SoakForm& form, HWND dialog, int cycle) {
  if (cycle % 2 == 0) {
    SendMessageA(controlOf(form.name, form.closeButton), BM_CLICK, 0, 0);
    if (!ZK_WindowLookupIntl(form.name).closedBy.empty()) return;
  }
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// ---- the soak ---------------------------------------------------------------------------------

// One declared item, enough to declare it again for a modeless run of the same form.
struct Declared {
  std::string name;
  ItemRecord record;
};

struct SoakState {
  const SoakForm* form = nullptr;
  int cycle = 0;
  bool driven = false;
  std::vector<Declared> items;  // the demo's items, as its modal opening declared them
  WindowRecord formRecord;      // the demo's form, as its modal opening made it
};
SoakState gSoak;

void remember(const char* name) {
  if (!gSoak.items.empty()) return;
  const std::string prefix = std::string(name) + ".";
  for (const auto& [key, record] : ZK_ItemTableIntl())
    if (key.compare(0, prefix.size(), prefix) == 0)
      gSoak.items.push_back({key.substr(prefix.size()), record});
  gSoak.formRecord = ZK_WindowLookupIntl(name);
}

void drive(HWND dialog) {
  const SoakForm& form = *gSoak.form;
  remember(form.name);
  perform(form, dialog, gSoak.cycle / 2);
  closeForm(form, dialog, gSoak.cycle / 2);
  gSoak.driven = true;
}

SIZE_T privateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  return counters.PrivateUsage;
}

// The demo's form once more, declared from what its own opening declared, but modeless: the
// first occurrence of a key wins, so a leading MODAL overrides the demo's.
void openModeless(const SoakForm& form) {
  for (const Declared& item : gSoak.items) {
    const ItemRecord& r = item.record;
    ZK_FormItemAdd(form.name, item.name, r.kind, r.order, r.x, r.y, r.width, r.height,
                   r.properties);
  }
  const WindowRecord& f = gSoak.formRecord;
  ASSERT_EQ(
      ZK_FormCreate(form.name, "modal=no;" + f.properties, f.x, f.y, f.width, f.height, f.callback),
      ZK_OK);
  HWND dialog = ZK_WindowLookupIntl(form.name).hwnd;
  ASSERT_NE(dialog, nullptr);
  perform(form, dialog, gSoak.cycle / 2);
  closeForm(form, dialog, gSoak.cycle / 2);
  EXPECT_FALSE(IsWindow(dialog)) << "cycle " << gSoak.cycle;
  EXPECT_EQ(ZK_FormClose(form.name), ZK_OK);
  support::pump();
}

void openModal(const SoakForm& form) {
  gSoak.driven = false;
  velmo_host::openModal(form.open, drive, form.name);
  ASSERT_TRUE(gSoak.driven) << "the modal run of " << form.name << " never started";
}

void soak(const SoakForm& form) {
  gSoak = SoakState{};
  gSoak.form = &form;
  support::Reports reports;
  ASSERT_EQ(velmo_host::start(), ZK_OK);

  const std::size_t windows = ZK_WindowRegistryIntl().size();
  const std::size_t items = ZK_ItemTableIntl().size();
  const long objects = ZK_GdiCountIntl();
  SIZE_T baseline = 0;
  SIZE_T highest = 0;

  const char* asked = std::getenv("ZK_SOAK_CYCLES");
  const int cycles =
      asked != nullptr && std::atoi(asked) >= 2 * kCheckEvery ? std::atoi(asked) : kDefaultCycles;
  // Even cycles run the demo's own modal opening, odd ones the same form modeless.
  for (gSoak.cycle = 0; gSoak.cycle < cycles; ++gSoak.cycle) {
    if (gSoak.cycle % 2 == 0) {
      openModal(form);
    } else {
      openModeless(form);
    }
    if (::testing::Test::HasFatalFailure()) return;
    if ((gSoak.cycle + 1) % kCheckEvery != 0) continue;

    const std::string when = "after cycle " + std::to_string(gSoak.cycle + 1);
    ASSERT_EQ(ZK_WindowRegistryIntl().size(), windows) << "windows " << when;
    ASSERT_EQ(ZK_ItemTableIntl().size(), items) << "items " << when;
    ASSERT_EQ(ZK_GdiCountIntl(), objects) << "GDI objects " << when;
    ASSERT_EQ(reports.count(), 0u);
    const SIZE_T bytes = privateBytes();
    if (highest < bytes) highest = bytes;
    // The first hundred cycles warm up the heaps, fonts and classes.
    if (gSoak.cycle + 1 == kCheckEvery) baseline = bytes;
    ASSERT_LE(bytes, baseline + kMemoryTolerance)
        << "private bytes grew by " << (bytes - baseline) << " after cycle " << gSoak.cycle + 1;
  }
  ::testing::Test::RecordProperty("privateBytesGrowth", static_cast<int>(highest - baseline));
}

TEST(FormSoak, TousComesBackWholeAfterRepeatedModalAndModelessRuns) {
  soak(kTous);
}

TEST(FormSoak, StaticComesBackWholeAfterRepeatedModalAndModelessRuns) {
  soak(kStatic);
}

TEST(FormSoak, EditComesBackWholeAfterRepeatedModalAndModelessRuns) {
  soak(kEdit);
}

}  // namespace
