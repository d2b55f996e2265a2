// The question box: the system's Yes/No(/Cancel) message box, modal to the window that asks, with
// the buttons named in the catalogue's language rather than in the system's.
#include "window/window_intl.h"

namespace {

// The catalogue's texts of the buttons (TEXT records), and the texts as built.
constexpr int kYesText = 4;
constexpr int kNoText = 5;
constexpr int kCancelText = 6;

std::wstring catalogueText(int number, const char* builtIn) {
  return ZK_WideIntl(ZK_CatalogueTextIntl(number, builtIn));
}

// The message box's buttons get their texts when it is activated, once it has made them; the
// hook then goes at once, so that no other window of the thread is touched.
LRESULT CALLBACK onQuestionEvent(int code, WPARAM wParam, LPARAM lParam) {
  ZK_QuestionHook& question = ZK_WindowStateIntl().question;
  HHOOK hook = question.hook;
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    SetDlgItemTextW(box, IDYES, question.yes.c_str());
    SetDlgItemTextW(box, IDNO, question.no.c_str());
    SetDlgItemTextW(box, IDCANCEL, question.cancel.c_str());
    UnhookWindowsHookEx(hook);
    question.hook = nullptr;
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

ZK_Answer answerOf(int button) {
  switch (button) {
    case IDYES:
      return ZK_ANSWER_YES;
    case IDNO:
      return ZK_ANSWER_NO;
    default:
      return ZK_ANSWER_CANCEL;
  }
}

}  // namespace

int ZK_QuestionAsk(const std::string& owner, const std::string& caption, const std::string& text,
                   bool cancel, ZK_Answer* answer) {
  const ZK_ContextGuard context(owner, "ZK_QuestionAsk");
  int status = ZK_OK;
  HWND window = ZK_DialogOwnerIntl(owner, &status);
  if (window == nullptr) return context.fail(status);

  ZK_QuestionHook& question = ZK_WindowStateIntl().question;
  question.yes = catalogueText(kYesText, "&Yes");
  question.no = catalogueText(kNoText, "&No");
  question.cancel = catalogueText(kCancelText, "Cancel");
  // Without the hook the box still asks, with the system's own button texts.
  question.hook = SetWindowsHookExW(WH_CBT, onQuestionEvent, nullptr, GetCurrentThreadId());
  const UINT buttons = cancel ? MB_YESNOCANCEL : MB_YESNO;
  const int chosen = MessageBoxW(window, ZK_WideIntl(text).c_str(), ZK_WideIntl(caption).c_str(),
                                 buttons | MB_ICONQUESTION);
  if (question.hook != nullptr) {
    const ZK_LastErrorKeep keep;
    UnhookWindowsHookEx(question.hook);
    question.hook = nullptr;
  }
  if (chosen == 0) return context.fail(ZK_ERR_QUESTION_BOX);
  if (answer != nullptr) *answer = answerOf(chosen);
  return context.done();
}
