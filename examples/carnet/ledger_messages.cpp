// The ledger's French messages (code page 1252), one per kind of failure.
#include <cstddef>

#include "ledger_intl.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

struct Reason {
  ErrorKind kind;
  bool category;  // a category's own reason, where a label's would not do
  const char* text;
};

// The reasons a line or a typed field is refused, and the model's own refusals.
const Reason kReasons[] = {
    {ErrorKind::Unnamed, false, "le carnet n'a pas encore de nom de fichier"},
    {ErrorKind::NoSuchEntry, false,
     "\xE9"
     "criture inexistante"},
    {ErrorKind::TooManyEntries, false,
     "trop d'\xE9"
     "critures"},
    {ErrorKind::Empty, false, "fichier vide"},
    {ErrorKind::Header, false,
     "premi\xE8re ligne attendue : date;libell\xE9;montant, ou date;libell\xE9;montant;"
     "cat\xE9gorie"},
    {ErrorKind::MissingField, false, "champ manquant (la premi\xE8re ligne en nomme davantage)"},
    {ErrorKind::ExtraField, false, "champ en trop (la premi\xE8re ligne en nomme moins)"},
    {ErrorKind::UnclosedQuote, false, "guillemet non ferm\xE9 avant la fin de la ligne"},
    {ErrorKind::MisplacedQuote, false, "guillemet mal plac\xE9"},
    {ErrorKind::BadDate, false,
     "date incorrecte (jj/mm/aaaa ou jj/mm/aa, du 01/01/1970 au 31/12/2037)"},
    {ErrorKind::MissingLabel, true,
     "cat\xE9gorie faite d'espaces seulement (vide : sans cat\xE9gorie)"},
    {ErrorKind::MissingLabel, false, "libell\xE9 manquant"},
    {ErrorKind::LongLabel, true, "cat\xE9gorie trop longue (100 caract\xE8res au plus)"},
    {ErrorKind::LongLabel, false, "libell\xE9 trop long (100 caract\xE8res au plus)"},
    {ErrorKind::BadCharacter, true, "caract\xE8re interdit dans la cat\xE9gorie"},
    {ErrorKind::BadCharacter, false, "caract\xE8re interdit dans le libell\xE9"},
    {ErrorKind::BadAmount, false,
     "montant incorrect (15 chiffres au plus avant la virgule, 9 apr\xE8s)"},
    {ErrorKind::BadUtf8, false, "texte qui n'est pas de l'UTF-8 valide, dans un fichier en UTF-8"},
    {ErrorKind::MixedEncoding, false,
     "texte en UTF-8 dans un fichier en Windows-1252 (un seul encodage par fichier)"},
    {ErrorKind::BadPeriod, false,
     "p\xE9riode incorrecte (la premi\xE8re date vient apr\xE8s la derni\xE8re)"},
};

// What a whole file's failure says: "Fichier <name> : <head>[ (<system reason>)]<tail>".
struct FileText {
  ErrorKind kind;
  FileAction action;
  const char* head;
  const char* tail;
};

const FileText kFileTexts[] = {
    {ErrorKind::Io, FileAction::Read, "lecture impossible", ""},
    {ErrorKind::Io, FileAction::Save, "enregistrement impossible",
     " ; le fichier est inchang\xE9 et les modifications sont conserv\xE9"
     "es"},
    {ErrorKind::TooLarge, FileAction::Read, "fichier trop grand (moins de 4 Go attendus)", ""},
    {ErrorKind::Changed, FileAction::Read, "le fichier a chang\xE9 pendant la lecture", ""},
    {ErrorKind::Cancelled, FileAction::Read,
     "ouverture annul\xE9"
     "e",
     ""},
    {ErrorKind::Cancelled, FileAction::Save, "enregistrement annul\xE9",
     " ; le fichier est inchang\xE9"},
    {ErrorKind::ChangedOnDisk, FileAction::Save,
     "modifi\xE9 par un autre programme depuis son ouverture", " ; rien n'est enregistr\xE9"},
    {ErrorKind::Locked, FileAction::Save, "d\xE9j\xE0 ouvert dans un autre programme",
     " ; rien n'est enregistr\xE9 (enregistrer sous un autre nom)"},
    {ErrorKind::Locked, FileAction::Read, "d\xE9j\xE0 ouvert dans un autre programme",
     " ; ouvert en lecture seule"},
};

std::string ReasonText(ErrorKind kind, Column column) {
  const bool category = column == Column::Category;
  for (const Reason& reason : kReasons)
    if (reason.kind == kind && reason.category == category) return reason.text;
  for (const Reason& reason : kReasons)
    if (reason.kind == kind) return reason.text;
  return "";
}

}  // namespace

Result LineErrorIntl(ErrorKind kind, Column column, const std::string& name, std::uint64_t line) {
  Result result;
  result.kind = kind;
  result.column = column;
  result.line = line;
  result.message =
      "Fichier " + name + ", ligne " + std::to_string(line) + " : " + ReasonText(kind, column);
  return result;
}

Result FileErrorIntl(ErrorKind kind, FileAction action, const std::string& name,
                     std::uint32_t systemError) {
  Result result;
  result.kind = kind;
  result.systemError = systemError;
  result.message = "Fichier " + name + " : ";
  for (const FileText& text : kFileTexts) {
    if (text.kind != kind || text.action != action) continue;
    result.message += text.head;
    if (kind == ErrorKind::Io) result.message += " (" + PlatformErrorText(systemError) + ")";
    result.message += text.tail;
  }
  return result;
}

Result FieldErrorIntl(ErrorKind kind, Column column) {
  Result result;
  result.kind = kind;
  result.column = column;
  result.message = ReasonText(kind, column);
  return result;
}

std::string ReadOnlyTextIntl(const std::string& name) {
  return FileErrorIntl(ErrorKind::Locked, FileAction::Read, name, 0).message;
}

Result MissingOnDiskIntl(const std::string& name) {
  Result result = FileErrorIntl(ErrorKind::ChangedOnDisk, FileAction::Save, name, 0);
  result.message = "Fichier " + name +
                   " : supprim\xE9 ou d\xE9plac\xE9 depuis son ouverture ; rien n'est "
                   "enregistr\xE9";
  return result;
}

}  // namespace carnet
