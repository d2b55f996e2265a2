// The everyday dialogs, answered from a watcher thread as a user would: the question box's buttons
// in the catalogue's language and its three answers, and the file dialogs' paths in the program's
// code page.
#include <thread>

#include "window_test_support.h"

namespace {

// This process's visible dialog with that caption, waited for.
HWND dialogNamed(const wchar_t* caption) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    HWND box = FindWindowW(L"#32770", caption);
    DWORD process = 0;
    if (box != nullptr) GetWindowThreadProcessId(box, &process);
    if (box != nullptr && process == GetCurrentProcessId() && IsWindowVisible(box)) return box;
    Sleep(50);
  }
  return nullptr;
}

struct SeenQuestion {
  std::string buttons;  // the texts of Yes, No and Cancel, joined by "|"
  HWND owner = nullptr;
};

std::thread answerQuestion(int button, SeenQuestion* seen) {
  return std::thread([button, seen] {
    HWND box = dialogNamed(L"Question");
    if (box == nullptr) return;
    for (int id : {IDYES, IDNO, IDCANCEL}) {
      char text[64] = {};
      GetDlgItemTextA(box, id, text, sizeof text);
      seen->buttons += std::string(seen->buttons.empty() ? "" : "|") + text;
    }
    seen->owner = GetWindow(box, GW_OWNER);
    SendMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
  });
}

// The file dialog titled "Fichier": its name field takes `name`, then OK or Cancel.
std::thread answerFile(const std::wstring& name, int button) {
  return std::thread([name, button] {
    HWND dialog = dialogNamed(L"Fichier");
    if (dialog == nullptr) return;
    constexpr int kNameField = 0x47C;  // the name's combo box (cmb13) of the Explorer dialog
    SetDlgItemTextW(dialog, kNameField, name.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  });
}

std::wstring folder() {
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  return path;
}

}  // namespace

TEST(QuestionBox, ButtonsInTheCatalogueLanguageAndTheAnswerChosen) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), ZK_OK);
  const struct {
    const char* language;
    bool cancel;
    int button;
    const char* buttons;
    ZK_Answer answer;
  } cases[] = {
      {"FR", true, IDYES, "&Oui|&Non|Annuler", ZK_ANSWER_YES},
      {"FR", true, IDNO, "&Oui|&Non|Annuler", ZK_ANSWER_NO},
      {"FR", true, IDCANCEL, "&Oui|&Non|Annuler", ZK_ANSWER_CANCEL},
      {"FR", false, IDNO, "&Oui|&Non|", ZK_ANSWER_NO},
      {"US", true, IDCANCEL, "&Yes|&No|Cancel", ZK_ANSWER_CANCEL},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(ZK_CatalogueLanguageSet(c.language), ZK_OK);
    SeenQuestion seen;
    std::thread user = answerQuestion(c.button, &seen);
    ZK_Answer answer = ZK_ANSWER_YES;
    EXPECT_EQ(ZK_QuestionAsk("", "Question", "Enregistrer ?", c.cancel, &answer), ZK_OK);
    user.join();
    EXPECT_EQ(answer, c.answer) << c.button;
    EXPECT_EQ(seen.buttons, c.buttons) << c.button;
    EXPECT_EQ(seen.owner, wt::mainHwnd());
    // The hook went with the box: later boxes of the thread keep the system's texts.
    EXPECT_EQ(ZK_WindowStateIntl().question.hook, nullptr);
  }
  EXPECT_TRUE(wt::reported().empty());
}

TEST(QuestionBox, AnOwnerThatIsNoWindowIsReported) {
  wt::answerReportsNo();
  ZK_Answer answer = ZK_ANSWER_YES;
  EXPECT_EQ(ZK_QuestionAsk("", "Question", "?", true, &answer), ZK_ERR_NO_MAIN_WINDOW);
  ASSERT_EQ(wt::createMain(), ZK_OK);
  EXPECT_EQ(ZK_QuestionAsk("nulle", "Question", "?", true, &answer), ZK_ERR_WINDOW_NOT_FOUND);
  EXPECT_EQ(ZK_FileOpenAsk("nulle", "", nullptr), ZK_ERR_WINDOW_NOT_FOUND);
  EXPECT_EQ(wt::reported(), (std::vector<int>{ZK_ERR_NO_MAIN_WINDOW, ZK_ERR_WINDOW_NOT_FOUND,
                                              ZK_ERR_WINDOW_NOT_FOUND}));
  EXPECT_EQ(answer, ZK_ANSWER_YES);
}

TEST(FileDialogs, PathsComeInTheProgramsCodePage) {
  wt::answerReportsNo();
  ASSERT_EQ(wt::createMain(), ZK_OK);
  const std::wstring base = folder() + L"relev\u00E9";
  const std::wstring greek = folder() + L"\u03B1\u03B2\u03B3.csv";
  std::string chosen;
  ASSERT_TRUE(ZK_NarrowIntl(base + L".csv", &chosen));
  DeleteFileW((base + L".csv").c_str());
  const struct {
    bool save;
    std::wstring name;
    int button;
    int status;
    bool path;  // the chosen path comes back; else ""
  } cases[] = {
      // A name saved without extension gets EXT's; the file does not exist yet.
      {true, base, IDOK, ZK_OK, true},
      {false, base + L".csv", IDOK, ZK_OK, true},
      {false, base + L".csv", IDCANCEL, ZK_OK, false},
      // Greek has no place in code page 1252: returned, not reported, and no path.
      {false, greek, IDOK, ZK_ERR_FILE_NAME, false},
  };
  for (const auto& c : cases) {
    for (const std::wstring& file : {base + L".csv", greek}) {
      if (c.save) continue;
      HANDLE made = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      ASSERT_NE(made, INVALID_HANDLE_VALUE);
      CloseHandle(made);
    }
    std::thread user = answerFile(c.name, c.button);
    std::string path = "ancien";
    const std::string properties = "name=Fichier;ext=csv;filter=Carnets|*.csv|Tous|*.*";
    const int status =
        c.save ? ZK_FileSaveAsk("", properties, &path) : ZK_FileOpenAsk("", properties, &path);
    user.join();
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(path, c.path ? chosen : "");
  }
  EXPECT_TRUE(wt::reported().empty());
  DeleteFileW((base + L".csv").c_str());
  DeleteFileW(greek.c_str());
}
