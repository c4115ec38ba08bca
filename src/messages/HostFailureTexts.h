#pragma once
// The words for the host's failures (host/HostFailure.h) in the user's
// language: what went wrong opening, saving or locking a workbook, and the
// operation that failed. The host reports codes; only these texts reach a user.
#include <string>
#include <string_view>
#include <vector>

#include "host/HostFailure.h"

namespace msg {

// "Open", "Save", "Lock"; empty for an operation the catalogue has no word for.
std::string_view OperationText(host::Operation operation);
// What went wrong, with the failure's arguments; `hostReason` stands for a
// failure the catalogue has no words for.
std::string FailureText(const host::Failure& failure, std::string_view hostReason);
// One line: "FILE: Open failed: the file does not exist". `operationName` is
// the host's name for an operation the catalogue has no word for.
std::string FailureLine(const host::Failure& failure, std::string_view operationName,
                        std::string_view file, std::string_view hostReason);

namespace detail {
// The English texts, for TranslatableTexts.
std::vector<std::string_view> HostFailureMsgids();
}  // namespace detail

}  // namespace msg
