// Input validation when a typed field is left: texts, dates and amounts, the messages left for the
// status bar, the focus sent back to a refused field, and the end of a focus war.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "form_test_host.h"
#include "foundation/clock.h"
#include "support/temp_names.h"

namespace {
using form_test::controlOf;
using form_test::dialogOf;
using form_test::mark;
using form_test::recorder;
using form_test::Reports;
using form_test::retype;
using form_test::statusText;
using form_test::take;
using form_test::textOf;
using form_test::Toolkit;
using Sequence = std::vector<std::string>;

constexpr char kRequired[] = "Saisie obligatoire";
constexpr char kIncorrect[] = "Saisie incorrecte";

// Pins the toolkit's clock to 8 December 2026, noon local time, for one test.
class FixedClock {
 public:
  FixedClock() {
    std::tm day = {};
    day.tm_year = 2026 - 1900;
    day.tm_mon = 11;
    day.tm_mday = 8;
    day.tm_hour = 12;
    day.tm_isdst = -1;
    ZK_ClockFixIntl(std::mktime(&day));
  }
  ~FixedClock() { ZK_ClockRealIntl(); }
};

// A field under test, a plain field after it to move the focus to, and an OK button.
void openWith(const std::string& properties, const std::string& formProperties = "") {
  ASSERT_EQ(ZK_FormItemAdd("fiche", "champ", ZK_EDIT, 1, 10, 10, 150, 22, properties), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "suite", ZK_EDIT, 2, 10, 40, 150, 22, "remark=Suite"), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "ok", ZK_BUTTON, 3, 10, 70, 60, 24, "button=OK"), 0);
  ASSERT_EQ(ZK_FormCreate("fiche", formProperties, 10, 10, 300, 200, form_test::recordEvent), 0);
  SetFocus(controlOf("fiche", "champ"));
}

HWND champ() {
  return controlOf("fiche", "champ");
}

// Types into the field under test and leaves it for the next one.
void typeAndLeave(const std::string& text) {
  SetFocus(champ());
  retype(champ(), text);
  SetFocus(controlOf("fiche", "suite"));
}

std::string statusMessage() {
  return ZK_WindowLookupIntl("fiche").statusMessage;
}

TEST(FormValidation, PartialDateIsCompletedInTheFieldWhileTextKeepsWhatWasTyped) {
  Reports reports;
  FixedClock clock;
  Toolkit toolkit;
  openWith("type=date;format=dd/mm/yyyy;remark=Saisir une date");
  typeAndLeave("1");
  EXPECT_EQ(textOf(champ()), "01/12/2026");
  ItemRecord item = ZK_FormItemGet("fiche", "champ");
  EXPECT_EQ(item.field.text, "1");
  EXPECT_FALSE(item.field.date.empty);
  EXPECT_EQ(item.field.date.Error(), 0);
  EXPECT_EQ(GetFocus(), controlOf("fiche", "suite"));
  EXPECT_EQ(statusMessage(), "");

  // Entering and leaving again without typing: the field now holds the written date.
  take();
  SetFocus(champ());
  SetFocus(controlOf("fiche", "suite"));
  EXPECT_EQ(take(), (Sequence{"BEFORE fiche.suite WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.suite WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.champ WM_COMMAND/EN_SETFOCUS",
                              "BEFORE fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "ITEMCHG fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.suite WM_COMMAND/EN_SETFOCUS"}));
  EXPECT_EQ(ZK_FormItemGet("fiche", "champ").field.text, "01/12/2026");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormValidation, RefusedDateTakesTheFocusBackWithoutAMessage) {
  Reports reports;
  Toolkit toolkit;
  openWith("type=date;format=dd/mm/yyyy;remark=Saisir une date valide");
  typeAndLeave("32/01/2005");
  EXPECT_EQ(GetFocus(), champ());
  EXPECT_EQ(textOf(champ()), "32/01/2005");
  const ItemRecord item = ZK_FormItemGet("fiche", "champ");
  EXPECT_TRUE(item.field.date.empty);
  EXPECT_NE(item.field.date.Error(), 0);
  EXPECT_EQ(statusMessage(), "");
  EXPECT_EQ(statusText("fiche"), "Saisir une date valide");

  // An empty date is accepted unless the field is required.
  typeAndLeave("");
  EXPECT_EQ(GetFocus(), controlOf("fiche", "suite"));
  EXPECT_EQ(statusMessage(), "");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormValidation, RequiredDateLeftEmpty) {
  Reports reports;
  Toolkit toolkit;
  openWith("type=date;format=dd/mm/yyyy;notnull=yes");
  typeAndLeave("");
  EXPECT_EQ(GetFocus(), champ());
  EXPECT_EQ(statusMessage(), kRequired);
}

TEST(FormValidation, AmountsAreWrittenBackOrRefused) {
  Reports reports;
  Toolkit toolkit;
  openWith("type=currency;format=999,88");
  struct Case {
    const char* typed;
    const char* shown;
    const char* message;
    bool refocused;
  };
  const Case cases[] = {
      {"1234", "234", "", false},    // the integer part is cut to the picture's width
      {"12,50", "12,5", "", false},  // significant decimals only
      {"abc", "abc", kIncorrect, true},
      {"", "", "", false},  // an empty amount is accepted when not required
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    typeAndLeave(c.typed);
    EXPECT_EQ(textOf(champ()), c.shown);
    EXPECT_EQ(statusMessage(), c.message);
    EXPECT_EQ(GetFocus() == champ(), c.refocused);
    EXPECT_EQ(ZK_FormItemGet("fiche", "champ").field.text, c.typed);
  }
  typeAndLeave("1234");
  const CurrencyValue amount = ZK_FormItemGet("fiche", "champ").field.currency;
  EXPECT_FALSE(amount.IsEmpty());
  // The amount keeps what was typed; only its written form is cut.
  EXPECT_EQ(amount.units, 1234);
  EXPECT_EQ(amount.Error(), ZK_CURRENCY_ERR_CUT);
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormValidation, RequiredAmountRefusedSaysRequired) {
  Reports reports;
  Toolkit toolkit;
  openWith("type=currency;format=999,88;notnull=yes");
  for (const char* typed : {"abc", ""}) {
    SCOPED_TRACE(typed);
    typeAndLeave(typed);
    EXPECT_EQ(statusMessage(), kRequired);
    EXPECT_EQ(GetFocus(), champ());
  }
}

// The messages come from the catalogue in the application's language, and in French when the
// catalogue cannot be read.
TEST(FormValidation, MessagesFollowTheCatalogueLanguage) {
  ItemRecord amount;
  amount.type = ZK_CURRENCY;
  amount.format = "999,88";
  struct Case {
    const char* language;
    bool catalogue;
    bool required;
    const char* message;
  };
  const Case cases[] = {
      {"FR", true, false, kIncorrect},      {"US", true, false, "Incorrect input"},
      {"US", true, true, "Input required"}, {"DE", true, true, "Input required"},
      {"US", false, false, kIncorrect},     {"US", false, true, kRequired},
  };
  const std::filesystem::path here = std::filesystem::current_path();
  const std::filesystem::path empty = support::tempPath("zarvik-no-catalogue");
  std::filesystem::create_directories(empty);
  ZK_CatalogueProgramFolderSetIntl([] { return std::filesystem::path(); });
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language) + (c.catalogue ? " catalogue" : " none"));
    std::filesystem::current_path(c.catalogue ? here : empty);
    ASSERT_EQ(ZK_CatalogueLanguageSet(c.language), ZK_OK);
    amount.notNull = c.required;
    const ZK_FieldCheck check = ZK_FieldCheckIntl(amount, "abc");
    EXPECT_TRUE(check.refused);
    EXPECT_EQ(check.message, c.message);
  }
  std::filesystem::current_path(here);
  std::filesystem::remove_all(empty);
  ZK_CatalogueProgramFolderSetIntl(nullptr);
  ZK_CatalogueLanguageSet(ZK_LANGUAGE);
}

TEST(FormValidation, TextIsCutToItsLengthAndRequired) {
  Reports reports;
  Toolkit toolkit;
  openWith("length=10;notnull=yes;remark=Dix lettres");
  // The control's own limit stops typing at 10; a text set by the program can be longer.
  SetWindowTextA(champ(), "abcdefghijkl");
  SetFocus(controlOf("fiche", "suite"));
  EXPECT_EQ(textOf(champ()), "abcdefghij");
  EXPECT_EQ(ZK_FormItemGet("fiche", "champ").field.text, "abcdefghij");
  EXPECT_EQ(GetFocus(), controlOf("fiche", "suite"));

  typeAndLeave("");
  EXPECT_EQ(GetFocus(), champ());
  EXPECT_EQ(statusMessage(), kRequired);
  // The refusal says why at once: the refocus's own focus-in shows the message.
  EXPECT_EQ(statusText("fiche"), kRequired);
  SetFocus(controlOf("fiche", "suite"));
  EXPECT_EQ(GetFocus(), champ());
  EXPECT_EQ(statusText("fiche"), kRequired);

  // Corrected: the message is cleared and the next field shows its own remark.
  typeAndLeave("Martin");
  EXPECT_EQ(statusMessage(), "");
  EXPECT_EQ(GetFocus(), controlOf("fiche", "suite"));
  EXPECT_EQ(statusText("fiche"), "Suite");
  EXPECT_EQ(reports.count(), 0u);
}

// Live-region announcements of one window, as a screen reader hears them from the status bar.
class Announcements {
 public:
  explicit Announcements(HWND window) : hook_(watch(window)) {}
  ~Announcements() { UnhookWinEvent(hook_); }
  Announcements(const Announcements&) = delete;
  Announcements& operator=(const Announcements&) = delete;
  int count() const {
    form_test::pump();
    return heard();
  }

 private:
  static HWND& watched() {
    static HWND window = nullptr;
    return window;
  }
  static int& heard() {
    static int count = 0;
    return count;
  }
  static void CALLBACK onEvent(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    if (window == watched()) ++heard();
  }
  static HWINEVENTHOOK watch(HWND window) {
    watched() = window;
    heard() = 0;
    constexpr DWORD kLiveRegionChanged = 0x8019;
    return SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, onEvent,
                           GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  }
  HWINEVENTHOOK hook_;
};

// The first Tab out of a refused field tells why, in the status bar and to screen readers, and
// the events are those the application always got.
TEST(FormValidation, RefusalIsToldAtOnceWithTheSameEvents) {
  const Sequence required{
      "BEFORE fiche.champ WM_COMMAND/EN_KILLFOCUS", "BEFORE fiche.suite WM_COMMAND/EN_KILLFOCUS",
      "ITEMEXIT fiche.suite WM_COMMAND/EN_KILLFOCUS", "BEFORE fiche.champ WM_COMMAND/EN_SETFOCUS",
      "ITEMEXIT fiche.champ WM_COMMAND/EN_KILLFOCUS"};
  Sequence changed = required;
  changed.insert(changed.end() - 1, "ITEMCHG fiche.champ WM_COMMAND/EN_KILLFOCUS");
  struct Case {
    const char* properties;
    const char* typed;
    const char* shown;
    int announced;
    const Sequence& events;
  };
  const Case cases[] = {
      {"notnull=yes;remark=Nom", "", kRequired, 1, required},
      {"type=currency;format=999,88;remark=Montant", "abc", kIncorrect, 1, changed},
      // A wrong date has no message: its remark shows again, and nothing is announced.
      {"type=date;format=dd/mm/yyyy;remark=Date", "32/01/2005", "Date", 0, changed},
  };
  Reports reports;
  Toolkit toolkit;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.properties);
    openWith(c.properties);
    retype(champ(), c.typed);
    take();
    {
      const Announcements heard(ZK_WindowLookupIntl("fiche").statusBarHwnd);
      SendMessageA(dialogOf("fiche"), WM_NEXTDLGCTL, 0, FALSE);  // Tab
      EXPECT_EQ(take(), c.events);
      EXPECT_EQ(GetFocus(), champ());
      EXPECT_EQ(statusText("fiche"), c.shown);
      // Last: the announcements come with the messages the thread handles, and so might the
      // activation of another test's window.
      EXPECT_EQ(heard.count(), c.announced);
    }
    SendMessageA(dialogOf("fiche"), WM_SYSCOMMAND, SC_CLOSE, 0);
    ZK_FormClose("fiche");
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormValidation, FormWithoutStatusBarStillReturnsTheFocus) {
  Reports reports;
  Toolkit toolkit;
  openWith("notnull=yes;remark=Obligatoire", "stbar=no");
  typeAndLeave("");
  EXPECT_EQ(GetFocus(), champ());
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").statusBarHwnd, nullptr);
  // Nothing of the form shows text: no status bar was ever created.
  HWND child = GetWindow(dialogOf("fiche"), GW_CHILD);
  for (; child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    EXPECT_STRNE(className, "msctls_statusbar32");
  }
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormValidation, OkClosesWithoutValidatingAnyField) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd("fiche", "autre", ZK_EDIT, 4, 10, 100, 150, 22, "notnull=yes"), 0);
  openWith("type=currency;format=999,88;notnull=yes");
  take();
  SendMessageA(controlOf("fiche", "ok"), BM_CLICK, 0, 0);
  // Only the field being left is validated: it takes the focus back, the click closes the form
  // all the same, and the field's last exit, as the dialog goes, does not refocus it.
  EXPECT_EQ(take(), (Sequence{"BEFORE fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.champ WM_COMMAND/EN_SETFOCUS",
                              "ITEMEXIT fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.ok WM_COMMAND/CLICKED", "BEFORE fiche. WM_SYSCOMMAND",
                              "FORMCLOSE fiche. WM_SYSCOMMAND",
                              "BEFORE fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.champ WM_COMMAND/EN_KILLFOCUS"}));
  EXPECT_EQ(ZK_FormItemGet("fiche", "autre").field.text, "");
  EXPECT_FALSE(IsWindow(dialogOf("fiche")));
  EXPECT_EQ(ZK_WindowLookupIntl("fiche").closedBy, "OK");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormValidation, RefusedFieldLeftAgainWithoutAFocusInOfItsOwnChangesAgain) {
  Reports reports;
  Toolkit toolkit;
  openWith("type=currency;format=999,88");
  retype(champ(), "abc");
  take();
  SendMessageA(controlOf("fiche", "ok"), BM_CLICK, 0, 0);
  // The refocus's focus-in runs before the refused text is stored, so it remembers the text
  // stored before: the field's exit as the dialog goes compares with that one and is a change
  // again, as the first exit was.
  EXPECT_EQ(take(), (Sequence{"BEFORE fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.champ WM_COMMAND/EN_SETFOCUS",
                              "ITEMCHG fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.ok WM_COMMAND/CLICKED", "BEFORE fiche. WM_SYSCOMMAND",
                              "FORMCLOSE fiche. WM_SYSCOMMAND",
                              "BEFORE fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "ITEMCHG fiche.champ WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.champ WM_COMMAND/EN_KILLFOCUS"}));
  EXPECT_EQ(ZK_FormItemGet("fiche", "champ").field.text, "abc");
  EXPECT_EQ(reports.count(), 0u);
}

TEST(FormValidation, FocusWarBetweenTwoRefusedFieldsEnds) {
  Reports reports;
  Toolkit toolkit;
  ASSERT_EQ(ZK_FormItemAdd("fiche", "a", ZK_EDIT, 1, 10, 10, 150, 22, "notnull=yes"), 0);
  ASSERT_EQ(ZK_FormItemAdd("fiche", "b", ZK_EDIT, 2, 10, 40, 150, 22, "notnull=yes"), 0);
  ASSERT_EQ(ZK_FormCreate("fiche", "", 10, 10, 300, 200, form_test::recordEvent), 0);
  HWND a = controlOf("fiche", "a");
  HWND b = controlOf("fiche", "b");
  SetFocus(a);
  take();
  mark("a to b");
  SetFocus(b);
  // Each field is left once; the exit of b, caused by a's refocus, does not refocus b.
  EXPECT_EQ(take(), (Sequence{"--- a to b", "BEFORE fiche.a WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.b WM_COMMAND/EN_KILLFOCUS",
                              "ITEMEXIT fiche.b WM_COMMAND/EN_KILLFOCUS",
                              "BEFORE fiche.a WM_COMMAND/EN_SETFOCUS",
                              "ITEMEXIT fiche.a WM_COMMAND/EN_KILLFOCUS"}));
  EXPECT_EQ(GetFocus(), a);
  EXPECT_EQ(statusMessage(), kRequired);

  // The dialog's own Tab navigation ends the same way, and so does going back.
  mark("next");
  SendMessageA(dialogOf("fiche"), WM_NEXTDLGCTL, 0, FALSE);
  EXPECT_EQ(GetFocus(), a);
  SetFocus(b);
  SetFocus(a);
  SetFocus(b);
  EXPECT_EQ(GetFocus(), a);
  // Filled in, a lets the focus go.
  form_test::type(a, "x");
  SetFocus(b);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(reports.count(), 0u);
}

}  // namespace
