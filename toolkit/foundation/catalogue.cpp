// Lookup of status messages in the catalogue "zarmsg.zdb": records of five delimited fields
// (kind, product, language, number, message), each record after a "<ZDBRC>" line. The file is
// looked for in the current directory, then in the program's own folder.
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

}  // namespace

std::string ZK_CatalogueLookupIntl(std::istream& catalogue, int code, const std::string& language) {
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
      if (complete && record.kind == "ERROR" && record.product == "ZARVIK" &&
          record.language == wanted && ZK_TextToIntIntl(record.number, 10) == code) {
        return record.message;
      }
    }
    if (wanted == kFallbackLanguage) {
      return "no message : message error not found";
    }
    wanted = kFallbackLanguage;
    catalogue.clear();
    catalogue.seekg(0);
  }
}

void ZK_CatalogueProgramFolderSetIntl(ZK_ProgramFolderFn folder) {
  ZK_FoundationStateIntl().programFolder = folder;
}

std::string ZK_CatalogueMessageIntl(int code) {
  std::ifstream catalogue(kCatalogueFile);
  // A program started from a shortcut, a file association or the Run box runs in another folder
  // than its own, where its catalogue was put.
  if (!catalogue.is_open()) {
    const ZK_ProgramFolderFn stand = ZK_FoundationStateIntl().programFolder;
    const std::filesystem::path folder = stand != nullptr ? stand() : ZK_SystemProgramFolderIntl();
    if (!folder.empty()) catalogue.open(folder / kCatalogueFile);
  }
  if (!catalogue.is_open()) {
    return "no message : file zarmsg.zdb not found";
  }
  return ZK_CatalogueLookupIntl(catalogue, code, ZK_CatalogueLanguageIntl());
}
