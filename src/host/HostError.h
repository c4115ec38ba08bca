#pragma once
// Errors raised by the spreadsheet host. Every error names the operation that
// failed and, where there is one, the file it concerns. What went wrong is a
// code with its arguments (HostFailure.h), which the message catalogue words
// in the user's language; the reason text is the host's own, for logs.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "host/HostFailure.h"

namespace host {

class HostError : public std::runtime_error {
 public:
  // A fault the catalogue has no words for (FailureCode::Unworded).
  HostError(std::string operation, std::string file, std::string reason);
  HostError(host::Failure cause, std::string file, std::string reason);
  const std::string& Operation() const { return operation_; }
  const std::string& File() const { return file_; }
  const std::string& Reason() const { return reason_; }
  const host::Failure& Cause() const { return cause_; }

 private:
  std::string operation_;
  std::string file_;
  std::string reason_;
  host::Failure cause_;
};

// A failure to open `file`, with the reason for logs.
inline HostError OpenError(const std::string& file, FailureCode code, std::string reason,
                           std::vector<std::string> arguments = {}) {
  return HostError(Failure{Operation::Open, code, std::move(arguments)}, file, std::move(reason));
}
inline HostError SaveError(const std::string& file, FailureCode code, std::string reason,
                           std::vector<std::string> arguments = {}) {
  return HostError(Failure{Operation::Save, code, std::move(arguments)}, file, std::move(reason));
}

// Whether `error` is the process running short of memory: an allocation that
// failed, or a thread or process that could not start for want of it (a
// memory cap turns that into EAGAIN). Such an error says nothing about the
// file being read or written, so the host lets it pass unwrapped.
bool IsOutOfMemory(const std::exception& error);

}  // namespace host
