// Internal interface of the foundation: property strings, conversions, the error context and the
// error reporter. Not installed; applications use zarvik.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>

#include "zarvik/zarvik.h"

// --- property.cpp ------------------------------------------------------------------------------

// The value of key in a property string ("" when absent or empty), trimmed of spaces at both ends.
std::string ZK_PropertyGetIntl(const std::string& key, const std::string& properties);
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

// --- error_context.cpp -------------------------------------------------------------------------

struct ZK_ErrorContext {
  std::string windowName;    // the window or form the running toolkit function works on
  std::string functionName;  // the public name of the running toolkit function
};

void ZK_ContextSetIntl(const std::string& windowName, const std::string& functionName);
void ZK_ContextSaveIntl();
void ZK_ContextRestoreIntl();
// The context as it stands, for the reporter and for tests.
ZK_ErrorContext ZK_ContextGetIntl();

// --- error_report.cpp --------------------------------------------------------------------------

// Builds the report for a status code, shows it (Yes posts the quit message) or appends it to the
// error log, and returns the report text.
std::string ZK_ErrorReportIntl(int code);

// The catalogue language ("FR"); the fallback is "US".
std::string ZK_CatalogueLanguageIntl();

// True as built: reports go to the message box. Tests switch it off to exercise the error log.
void ZK_ErrorDisplaySetIntl(bool shown);
bool ZK_ErrorDisplayIntl();

// Tests may stand in for the Yes/No box: the prompt gets the text and title and answers Yes (true)
// or No. Null restores the real box.
using ZK_ErrorPromptFn = bool (*)(const std::string& text, const std::string& title);
void ZK_ErrorPromptSetIntl(ZK_ErrorPromptFn prompt);

// --- catalogue.cpp -----------------------------------------------------------------------------

// The catalogue message for a code, read from an open catalogue stream: the record in language,
// else in "US", else the fixed "no message" text.
std::string ZK_CatalogueLookupIntl(std::istream& catalogue, int code, const std::string& language);
// The same from "zarmsg.zdb" in the current directory, or else in the program's folder: the
// first of the two files that opens is read, whether or not it holds the code.
std::string ZK_CatalogueMessageIntl(int code);
// Tests may stand in for the program's folder (an empty path: none). Null restores the system's.
using ZK_ProgramFolderFn = std::filesystem::path (*)();
void ZK_CatalogueProgramFolderSetIntl(ZK_ProgramFolderFn folder);

// The failure path of a toolkit function in one line: reports the code and returns it.
inline int ZK_FailIntl(int code) {
  ZK_ErrorReportIntl(code);
  return code;
}

// --- field_check.cpp ---------------------------------------------------------------------------

// What a typed field takes: the item's or grid column's TYPE, FORMAT, LENGTH and NOTNULL.
struct ZK_FieldRules {
  std::string type;      // "STRING", "DATE" or "CURRENCY"; any other type checks nothing
  std::string format;    // date format or amount picture
  int length = 0;        // a STRING is cut to this many characters when above 0
  bool notNull = false;  // an empty field is refused
};

// The outcome of checking what the user typed into a field.
struct ZK_FieldCheck {
  bool refused = false;    // the field keeps the focus (or its editor stays open)
  std::string message;     // "Saisie obligatoire", "Saisie incorrecte" or "" for the status bar
  std::string text;        // the field's text: a STRING cut to its length, other types as typed
  bool rewrite = false;    // the control is to show `shown`
  std::string shown;       // the text cut, or the date or amount written in its format
  DateValue date;          // DATE: the date read, empty when refused or nothing was typed
  CurrencyValue currency;  // CURRENCY: the amount read, with the picture's layout
};

// Checks a field's text against its rules; dates are completed from today.
ZK_FieldCheck ZK_FieldCheckIntl(const ZK_FieldRules& rules, const std::string& text);

// --- error context of a running toolkit function (header only) ---------------------------------

// Saves the caller's error context and names the running function. The caller's pair is kept
// here by value: the one save slot would be overwritten by any nested toolkit call (a dialog
// procedure re-entered meanwhile, among others). done() puts the caller's context back; fail()
// names the running function again, whatever nested calls left, and reports.
class ZK_ContextGuard {
 public:
  ZK_ContextGuard(const std::string& windowName, const char* functionName)
      : caller_(ZK_ContextGetIntl()), own_{windowName, functionName} {
    ZK_ContextSaveIntl();
    ZK_ContextSetIntl(own_.windowName, own_.functionName);
  }
  int done() const {
    ZK_ContextSetIntl(caller_.windowName, caller_.functionName);
    return ZK_OK;
  }
  int fail(int code) const {
    ZK_ContextSetIntl(own_.windowName, own_.functionName);
    return ZK_FailIntl(code);
  }
  ZK_ContextGuard(const ZK_ContextGuard&) = delete;
  ZK_ContextGuard& operator=(const ZK_ContextGuard&) = delete;

 private:
  ZK_ErrorContext caller_;
  ZK_ErrorContext own_;
};
