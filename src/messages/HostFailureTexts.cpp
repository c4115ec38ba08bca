#include "messages/HostFailureTexts.h"

#include <array>

#include "messages/Catalogue.h"
#include "messages/CliTexts.h"
#include "messages/Language.h"

namespace msg {
namespace {

using host::FailureCode;
using Fault = detail::Entry<FailureCode>;  // a failure code and its text

constexpr std::array kFailures = {
    Fault{FailureCode::FileMissing, "the file does not exist"},
    Fault{FailureCode::IsFolder, "this is a folder, not a file"},
    Fault{FailureCode::NotRegularFile, "this is not a regular file (a pipe, device or socket)"},
    Fault{FailureCode::FileUnreadable, "the file cannot be read (no permission?)"},
    Fault{FailureCode::FileEmpty, "the file is empty"},
    Fault{FailureCode::Encrypted, "the workbook is encrypted with a password"},
    Fault{FailureCode::NotWorkbook, "the file is not a workbook (.xlsx, .xlsm or .xls)"},
    Fault{FailureCode::UnreadableAsWorkbook, "the file could not be read as a workbook"},
    Fault{FailureCode::Damaged, "the file is damaged or not a workbook"},
    Fault{FailureCode::ArchiveNotWorkbook, "the file is a zip archive but not a workbook"},
    Fault{FailureCode::StrictForm,
          "the workbook is saved in the Strict form of the file format, which this program "
          "cannot edit; save it again as an ordinary .xlsx workbook"},
    Fault{FailureCode::OtherDocument, "the package is a document of another kind, not a workbook"},
    Fault{FailureCode::NoSheets, "the workbook has no sheets"},
    Fault{FailureCode::PasswordProtected, "the workbook is protected with a password"},
    Fault{FailureCode::PartTooLarge, "part {} is too large"},
    Fault{FailureCode::PartDamaged, "part {} is damaged"},
    Fault{FailureCode::SharedTextsDamaged, "the shared text table (part {}) is damaged"},
    Fault{FailureCode::SheetMissing, "sheet '{}' is missing from the file"},
    Fault{FailureCode::SheetUnreadable, "sheet '{}' cannot be read"},
    Fault{FailureCode::SheetTooLarge, "sheet '{}' is too large"},
    Fault{FailureCode::SheetDamaged, "sheet '{}' is damaged"},
    Fault{FailureCode::SaveNotRegularFile,
          "this is not a regular file; nothing was saved (name a file)"},
    Fault{FailureCode::ReadOnly,
          "the file is read-only; nothing was saved (save the results to another file)"},
    Fault{FailureCode::LinksInCircle, "the links lead in a circle"},
    Fault{FailureCode::LinkUnreadable, "the link cannot be read: {}"},
    Fault{FailureCode::NoSheetToSave, "a workbook needs at least one sheet"},
    Fault{FailureCode::SheetLost, "sheet '{}' could not be read; saving would lose it"},
    Fault{FailureCode::SavedNotReopened,
          "the results were saved, but the file cannot be opened again"},
    Fault{FailureCode::WriteFailed, "the workbook cannot be written: {}"},
    Fault{FailureCode::Busy,
          "another AlleleScope run is working on this workbook; try again when it has finished"},
    Fault{FailureCode::Unworded, "{}"},
};
static_assert(detail::InIdOrder(kFailures, FailureCode::Unworded));

constexpr std::array kOperations = {
    detail::Entry<host::Operation>{host::Operation::Open, "Open"},
    detail::Entry<host::Operation>{host::Operation::Save, "Save"},
    detail::Entry<host::Operation>{host::Operation::Lock, "Lock"},
    detail::Entry<host::Operation>{host::Operation::Other, ""},
};
static_assert(detail::InIdOrder(kOperations, host::Operation::Other));

// The arguments a code's text takes: none, or the first one.
std::string Worded(std::string_view text, std::string_view english,
                   const std::vector<std::string>& arguments) {
  return detail::FormatEither(text, english, arguments.empty() ? std::string() : arguments[0]);
}

}  // namespace

std::string_view OperationText(host::Operation operation) {
  if (operation == host::Operation::Other) return {};
  return detail::TranslatedLookup(kOperations, operation);
}

std::string FailureText(const host::Failure& failure, std::string_view hostReason) {
  const std::string_view english = detail::Lookup(kFailures, failure.code);
  const std::string_view text = detail::TranslatedLookup(kFailures, failure.code);
  if (failure.code == FailureCode::Unworded)
    return Worded(text, english, {std::string(hostReason)});
  return Worded(text, english, failure.arguments);
}

std::string FailureLine(const host::Failure& failure, std::string_view operationName,
                        std::string_view file, std::string_view hostReason) {
  std::string_view operation = OperationText(failure.operation);
  if (operation.empty()) operation = operationName;
  std::string text =
      operation.empty() ? std::string(Text(Cli::Failed)) : Format(Cli::OperationFailed, operation);
  if (!file.empty()) text = fmt::format("{}: {}", file, text);
  const std::string reason = FailureText(failure, hostReason);
  return reason.empty() ? text : fmt::format("{}: {}", text, reason);
}

namespace detail {
std::vector<std::string_view> HostFailureMsgids() {
  std::vector<std::string_view> texts;
  for (const auto& entry : kOperations)
    if (!entry.second.empty()) texts.push_back(entry.second);
  for (const auto& entry : kFailures) texts.push_back(entry.second);
  return texts;
}
}  // namespace detail

}  // namespace msg
