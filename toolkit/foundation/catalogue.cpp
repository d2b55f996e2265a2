// Lookup of status messages and of the toolkit's own texts in the catalogue "zarmsg.zdb": records
// of five delimited fields (kind, product, language, number, message), each record after a
// "<ZDBRC>" line. The file is looked for in the current directory, then in the program's own
// folder. The application chooses the language. The file is in code page 1252; its texts are given
// in the program's code page.
#include <fstream>

#include "foundation/foundation_intl.h"
#include "foundation/system.h"

namespace {

const char kCatalogueFile[] = "zarmsg.zdb";
const char kRecordMarker[] = "<ZDBRC>";
const char kFallbackLanguage[] = "US";

struct CatalogueRecord {
  std::string kind;
  std::string product;
  std::string language;
  std::string number;
  std::string message;
};

// A field line holds its value between two delimiter characters; a line too short for that
// keeps the value of the previous record.
void readField(std::istream& in, std::string& field) {
  std::string line;
  std::getline(in, line);
  if (line.size() > 2) {
    field = line.substr(1, line.size() - 2);
  }
}

bool skipToRecord(std::istream& in) {
  std::string line;
  while (std::getline(in, line)) {
    if (line == kRecordMarker) {
      return true;
    }
  }
  return false;
}

// The message of the record of that kind and number, in language, else in "US".
bool find(std::istream& catalogue, const char* kind, int number, const std::string& language,
          std::string& message) {
  std::string wanted = language;
  CatalogueRecord record;
  for (;;) {
    while (skipToRecord(catalogue)) {
      readField(catalogue, record.kind);
      readField(catalogue, record.product);
      readField(catalogue, record.language);
      readField(catalogue, record.number);
      readField(catalogue, record.message);
      // A message line that ends the file without a line break does not count.
      const bool complete = !catalogue.eof() && !catalogue.fail();
      if (complete && record.kind == kind && record.product == "ZARVIK" &&
          record.language == wanted && ZK_TextToIntIntl(record.number, 10) == number) {
        message = record.message;
        return true;
      }
    }
    if (wanted == kFallbackLanguage) return false;
    wanted = kFallbackLanguage;
    catalogue.clear();
    catalogue.seekg(0);
  }
}

// "zarmsg.zdb" of the current directory, or else of the program's folder. A program started
// from a shortcut, a file association or the Run box runs in another folder than its own, where
// its catalogue was put.
bool open(std::ifstream& catalogue) {
  catalogue.open(kCatalogueFile);
  if (!catalogue.is_open()) {
    const ZK_ProgramFolderFn stand = ZK_FoundationStateIntl().programFolder;
    const std::filesystem::path folder = stand != nullptr ? stand() : ZK_SystemProgramFolderIntl();
    if (!folder.empty()) catalogue.open(folder / kCatalogueFile);
  }
  return catalogue.is_open();
}

bool isLanguage(const std::string& language) {
  if (language.empty() || language.size() > 8) return false;
  for (char c : language)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

}  // namespace

std::string ZK_CatalogueLookupIntl(std::istream& catalogue, int code, const std::string& language) {
  std::string message;
  if (!find(catalogue, "ERROR", code, language, message))
    return "no message : message error not found";
  return message;
}

void ZK_CatalogueProgramFolderSetIntl(ZK_ProgramFolderFn folder) {
  ZK_FoundationStateIntl().programFolder = folder;
}

std::string ZK_CatalogueMessageIntl(int code) {
  std::ifstream catalogue;
  if (!open(catalogue)) return "no message : file zarmsg.zdb not found";
  return ZK_SystemFrom1252Intl(ZK_CatalogueLookupIntl(catalogue, code, ZK_CatalogueLanguageIntl()));
}

std::string ZK_CatalogueTextIntl(int number, const char* builtIn) {
  std::ifstream catalogue;
  std::string text;
  if (!open(catalogue) || !find(catalogue, "TEXT", number, ZK_CatalogueLanguageIntl(), text))
    return builtIn;
  return ZK_SystemFrom1252Intl(text);
}

std::string ZK_CatalogueLanguageIntl() {
  return ZK_FoundationStateIntl().language;
}

int ZK_CatalogueLanguageSet(const std::string& language) {
  const ZK_ContextGuard context("", "ZK_CatalogueLanguageSet");
  if (!isLanguage(language)) return context.fail(ZK_ERR_LANGUAGE);
  ZK_FoundationStateIntl().language = ZK_UpperIntl(language);
  return context.done();
}
