// Internal interface of the foundation: its state, property strings, conversions, the error
// context and the failure protocol, the error reporter. Not installed; applications use zarvik.h.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "zarvik/zarvik.h"

// --- property.cpp ------------------------------------------------------------------------------

// The value of key in a property string ("" when absent or empty), trimmed of spaces at both ends.
std::string ZK_PropertyGetIntl(const std::string& key, const std::string& properties);
// The keys of a property string's entries in order, each the text before its entry's first "="
// (an entry without one has none), in place.
std::vector<std::string_view> ZK_PropertyKeysIntl(const std::string& properties);
std::vector<std::string_view> ZK_PropertyKeysIntl(std::string&& properties) = delete;  // views
// Whether key is one of keys, ASCII letters compared without case as ZK_PropertyGetIntl does.
bool ZK_PropertyKeyInIntl(const std::vector<std::string_view>& keys, std::string_view key);
// Copy with the ASCII letters a-z turned into A-Z; no locale.
std::string ZK_UpperIntl(std::string text);
bool ZK_IsTrueIntl(const std::string& text);
bool ZK_IsFalseIntl(const std::string& text);
// A colour name or a hexadecimal number as a COLORREF; anything unreadable is 0 (black).
std::uint32_t ZK_ColourIntl(const std::string& text);
// Radix 8, 10 or 16; any other radix is taken as 10.
std::string ZK_IntToTextIntl(std::int32_t value, int radix);
// Reads an integer as stream extraction does; no digit or a value outside int32 gives 0.
std::int32_t ZK_TextToIntIntl(const std::string& text, int radix);
// An ASCII decimal digit, whatever the locale.
inline bool ZK_IsDigitIntl(char c) {
  return c >= '0' && c <= '9';
}

// --- date_value.cpp ----------------------------------------------------------------------------

// The components a date text gives in a format, as DateValue::Parse reads them before it
// completes them from today; 0 for one the text does not give.
struct ZK_DateFields {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// A date format read once into its tokens, to read the components of many texts without the C
// runtime's local time (a sort's keys).
class ZK_DateReader {
 public:
  explicit ZK_DateReader(const std::string& format);
  ZK_DateFields Read(std::string_view text) const;

 private:
  bool ReadFixed(std::string_view text, ZK_DateFields* fields) const;

  std::vector<unsigned char> tokens_;  // what each token of the format stands for, in order
  // A text written at the format's own widths ("05/03/2026" for "dd/mm/yyyy"), read by position:
  // its length (0 when the format has a token of variable width), a bit for each character that is
  // a digit, and where each token starts.
  std::size_t fixedSize_ = 0;
  std::uint64_t fixedDigits_ = 0;
  std::vector<unsigned char> starts_;
};

// The error DateValue::Set gives components out of their ranges (1 to 6), or 0.
int ZK_DateRangeErrorIntl(const ZK_DateFields& fields);

// --- text_cut.cpp ------------------------------------------------------------------------------

// The first count characters of text in that code page (ZK_SystemCodePageIntl for the program's
// texts): 65001 counts UTF-8 characters and never splits one; other code pages count bytes.
std::string ZK_TextCutIntl(const std::string& text, std::size_t count, unsigned codePage);

// --- foundation_state.cpp ----------------------------------------------------------------------

struct ZK_ErrorContext {
  std::string windowName;    // the window or form the running toolkit function works on
  std::string functionName;  // the public name of the running toolkit function
};

// Tests may stand in for the Yes/No box: the prompt gets the text and title and answers Yes (true)
// or No.
using ZK_ErrorPromptFn = bool (*)(const std::string& text, const std::string& title);
// Tests may stand in for the program's folder (an empty path: none).
using ZK_ProgramFolderFn = std::filesystem::path (*)();

// Everything the foundation keeps between calls, one instance for the process. The host's
// settings are kept by a toolkit reset; the rest belongs to one toolkit lifetime.
struct ZK_FoundationState {
  // --- the running function's, kept by a reset
  ZK_ErrorContext context;  // the running toolkit function and its window
  ZK_ErrorContext saved;    // the one save slot of ZK_ContextSaveIntl
  // --- one toolkit lifetime's
  std::string currentWindowName;  // the window operations without a window argument act on, and
                                  // the one a report names when the context names none (set by
                                  // the window layer, read here by the reporter)
  // --- the host's settings
  bool errorShown = true;                      // reports go to the Yes/No box, else to the log
  std::string language = ZK_LANGUAGE;          // the catalogue's language; "US" is the fallback
  ZK_ErrorPromptFn prompt = nullptr;           // stands in for the Yes/No box; null: the real box
  ZK_ProgramFolderFn programFolder = nullptr;  // stands in for the program's folder; null: real
  bool clockFixed = false;                     // "now" is fixedNow rather than the system's time
  std::time_t fixedNow = 0;
  std::vector<void (*)()> layerResets;  // the resets of the layers above, in registration order
};

ZK_FoundationState& ZK_FoundationStateIntl();
// Returns every layer's lifetime state to its start: the foundation's here, then each layer
// that has registered its reset. The host's settings, and the error context and its save slot
// stay (the reset's own guard gives its caller the context back).
void ZK_StateResetIntl();
// A layer above registers its reset once, the first time its state is used, so that this layer
// resets it without knowing it.
void ZK_StateResetRegisterIntl(void (*reset)());
// The one instance of a layer's state, made at its first use, when its reset is registered.
template <typename State>
State& ZK_LayerStateIntl(void (*reset)()) {
  static State state;
  static const bool registered = (ZK_StateResetRegisterIntl(reset), true);
  (void)registered;
  return state;
}

// --- error_context.cpp -------------------------------------------------------------------------

void ZK_ContextSetIntl(const std::string& windowName, const std::string& functionName);
void ZK_ContextSaveIntl();
void ZK_ContextRestoreIntl();
// The context as it stands, for the reporter and for tests.
ZK_ErrorContext ZK_ContextGetIntl();

// --- error_report.cpp --------------------------------------------------------------------------

// Builds the report for a status code, shows it (Yes posts the quit message) or appends it to the
// error log, and returns the report text.
std::string ZK_ErrorReportIntl(int code);

// The catalogue language ("FR" unless the application chose another); the fallback is "US".
std::string ZK_CatalogueLanguageIntl();

// True as built: reports go to the message box; ZK_ErrorDisplaySet changes it.
bool ZK_ErrorDisplayIntl();
// Null restores the real box.
void ZK_ErrorPromptSetIntl(ZK_ErrorPromptFn prompt);

// --- catalogue.cpp -----------------------------------------------------------------------------

// The catalogue message for a code, read from an open catalogue stream: the record in language,
// else in "US", else the fixed "no message" text.
std::string ZK_CatalogueLookupIntl(std::istream& catalogue, int code, const std::string& language);
// The same from "zarmsg.zdb" in the current directory, or else in the program's folder: the
// first of the two files that opens is read, whether or not it holds the code.
std::string ZK_CatalogueMessageIntl(int code);
// Null restores the system's folder.
void ZK_CatalogueProgramFolderSetIntl(ZK_ProgramFolderFn folder);
// A text of the toolkit's own (kind "TEXT") in the catalogue's language, else in "US", else
// builtIn, when the catalogue cannot be read or holds neither.
std::string ZK_CatalogueTextIntl(int number, const char* builtIn);

// --- the system's error number across an undo (header only) -----------------------------------

// Keeps the error number of a failed system call across the clean-up that follows it, so that
// the report names the call that failed rather than the clean-up.
class ZK_LastErrorKeep {
 public:
  ZK_LastErrorKeep();
  ~ZK_LastErrorKeep();
  ZK_LastErrorKeep(const ZK_LastErrorKeep&) = delete;
  ZK_LastErrorKeep& operator=(const ZK_LastErrorKeep&) = delete;

 private:
  std::uint32_t error_;
};

// --- the failure protocol (header only) --------------------------------------------------------

// How a toolkit function treats the error context.
enum class ZK_ContextMode {
  kSaveSet,      // saves the context and names itself; success gives the caller's back
  kSet,          // names itself without saving, and never gives the caller's back
                 // (ZK_WindowMainCreate, ZK_FormCreate, ZK_FormClose)
  kSaveSetKeep,  // saves and names itself, and never gives it back (the dialog procedure)
  kCallers,      // leaves the context alone: its reports name its caller (painting, repaints,
                 // run-time item changes)
};

// The failure protocol of every toolkit function and internal operation, in one place. The
// caller's context is kept here by value: the one save slot would be overwritten by any nested
// toolkit call (a dialog procedure re-entered meanwhile, among others). Every failure names the
// running function again, whatever nested calls left, then reports once.
class ZK_ContextGuard {
 public:
  ZK_ContextGuard(const std::string& windowName, const char* functionName,
                  ZK_ContextMode mode = ZK_ContextMode::kSaveSet)
      : mode_(mode),
        // Only a success of kSaveSet gives it back: the dialog procedure, at every message,
        // copies nothing it would not use.
        caller_(mode == ZK_ContextMode::kSaveSet ? ZK_ContextGetIntl() : ZK_ErrorContext{}),
        own_{windowName, functionName} {
    if (mode_ == ZK_ContextMode::kSaveSet || mode_ == ZK_ContextMode::kSaveSetKeep) {
      ZK_ContextSaveIntl();
    }
    ZK_ContextSetIntl(own_.windowName, own_.functionName);
  }
  explicit ZK_ContextGuard(ZK_ContextMode callers) : mode_(callers) {}

  // Success: the caller's context back (kSaveSet), and status, 0 unless a status is returned
  // unreported with it (ZK_WindowTitleSet's empty name).
  int done(int status = ZK_OK) const {
    if (mode_ == ZK_ContextMode::kSaveSet)
      ZK_ContextSetIntl(caller_.windowName, caller_.functionName);
    return status;
  }
  // Reports the code and returns it.
  int fail(int code) const {
    nameSelf();
    ZK_ErrorReportIntl(code);
    return code;
  }
  // Undoes what came before the failed call, then reports: the report names the failed call's
  // error number, not the undo's.
  template <typename Undo>
  int fail(int code, Undo undo) const {
    {
      const ZK_LastErrorKeep keep;
      undo();
    }
    return fail(code);
  }
  // Reports the code and goes on (a drawing failure).
  void report(int code) const { fail(code); }
  // Returns the code without a report, the context as it stands.
  int refuse(int code) const { return code; }
  // A nested toolkit call's failure, reported there already: returned as it is.
  int passBack(int status) const { return status; }

  ZK_ContextGuard(const ZK_ContextGuard&) = delete;
  ZK_ContextGuard& operator=(const ZK_ContextGuard&) = delete;

 private:
  void nameSelf() const {
    if (mode_ != ZK_ContextMode::kCallers) ZK_ContextSetIntl(own_.windowName, own_.functionName);
  }

  ZK_ContextMode mode_;
  ZK_ErrorContext caller_;
  ZK_ErrorContext own_;
};
