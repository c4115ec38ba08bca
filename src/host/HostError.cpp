#include "host/HostError.h"

#include <new>
#include <system_error>
#include <utility>

namespace host {

namespace {
// "Save of /data/apple.xlsx: disk full", or "Name: ..." when no file is involved.
std::string Compose(const std::string& operation, const std::string& file,
                    const std::string& reason) {
  std::string text = operation;
  if (!file.empty()) text += " of " + file;
  text += ": " + reason;
  return text;
}

const char* OperationName(Operation operation) {
  switch (operation) {
    case Operation::Open:
      return "Open";
    case Operation::Save:
      return "Save";
    case Operation::Lock:
      return "Lock";
    case Operation::Other:
      break;
  }
  return "";
}
}  // namespace

HostError::HostError(std::string operation, std::string file, std::string reason)
    : std::runtime_error(Compose(operation, file, reason)),
      operation_(std::move(operation)),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

HostError::HostError(host::Failure cause, std::string file, std::string reason)
    : HostError(OperationName(cause.operation), std::move(file), std::move(reason)) {
  cause_ = std::move(cause);
}

bool IsOutOfMemory(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return true;
  const auto* system = dynamic_cast<const std::system_error*>(&error);
  return system != nullptr && (system->code() == std::errc::resource_unavailable_try_again ||
                               system->code() == std::errc::not_enough_memory);
}

}  // namespace host
