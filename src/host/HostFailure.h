#pragma once
// What the host reports when an operation on a workbook fails: the operation,
// a code for what went wrong and the values the code's text needs. The host
// does not word failures for the user; the message catalogue does, in the
// user's language, from these codes. Only the standard library is used here,
// so the catalogue can name the codes without depending on the host.
#include <string>
#include <vector>

namespace host {

enum class Operation { Open, Save, Lock, Other };

// The arguments each code takes are listed beside it, in order.
enum class FailureCode {
  // Opening a file.
  FileMissing,
  IsFolder,
  NotRegularFile,
  FileUnreadable,
  FileEmpty,
  Encrypted,
  NotWorkbook,
  UnreadableAsWorkbook,
  Damaged,
  ArchiveNotWorkbook,
  StrictForm,
  OtherDocument,
  NoSheets,
  PasswordProtected,
  PartTooLarge,        // {part}
  PartDamaged,         // {part}
  SharedTextsDamaged,  // {part}
  SheetMissing,        // {sheet}
  SheetUnreadable,     // {sheet}
  SheetTooLarge,       // {sheet}
  SheetDamaged,        // {sheet}
  // Saving a file.
  SaveNotRegularFile,
  ReadOnly,
  LinksInCircle,
  LinkUnreadable,  // {the system's reason}
  NoSheetToSave,
  SheetLost,  // {sheet}
  SavedNotReopened,
  WriteFailed,  // {the reason, in the system's words}
  // Another run holds the workbook.
  Busy,
  // Anything else: a fault of the program rather than of the file, shown with
  // the host's own reason.
  Unworded,
};

struct Failure {
  Operation operation = Operation::Other;
  FailureCode code = FailureCode::Unworded;
  std::vector<std::string> arguments;
};

}  // namespace host
