// The ledger's French messages (code page 1252), one per kind of failure.
#include <cstddef>

#include "ledger_intl.h"
#include "ledger_platform.h"

namespace carnet {
namespace {

struct Reason {
  ErrorKind kind;
  const char* text;
};

// The reasons a line or a typed field is refused, and the model's own refusals.
const Reason kReasons[] = {
    {ErrorKind::Unnamed, "le carnet n'a pas encore de nom de fichier"},
    {ErrorKind::NoSuchEntry,
     "\xE9"
     "criture inexistante"},
    {ErrorKind::TooManyEntries,
     "trop d'\xE9"
     "critures"},
    {ErrorKind::Empty, "fichier vide"},
    {ErrorKind::Header, "premi\xE8re ligne attendue : date;libell\xE9;montant"},
    {ErrorKind::MissingField, "champ manquant (date;libell\xE9;montant attendus)"},
    {ErrorKind::ExtraField, "champ en trop (date;libell\xE9;montant attendus)"},
    {ErrorKind::UnclosedQuote, "guillemet non ferm\xE9 avant la fin de la ligne"},
    {ErrorKind::MisplacedQuote, "guillemet mal plac\xE9"},
    {ErrorKind::BadDate, "date incorrecte (jj/mm/aaaa, du 01/01/1970 au 31/12/2037)"},
    {ErrorKind::MissingLabel, "libell\xE9 manquant"},
    {ErrorKind::LongLabel, "libell\xE9 trop long (100 caract\xE8res au plus)"},
    {ErrorKind::BadCharacter, "caract\xE8re interdit dans le libell\xE9"},
    {ErrorKind::BadAmount, "montant incorrect (15 chiffres au plus avant la virgule, 9 apr\xE8s)"},
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
};

std::string ReasonText(ErrorKind kind) {
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
  result.message = "Fichier " + name + ", ligne " + std::to_string(line) + " : " + ReasonText(kind);
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
  result.message = ReasonText(kind);
  return result;
}

}  // namespace carnet
