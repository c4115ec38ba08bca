#include "host/HostError.h"

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
}  // namespace

HostError::HostError(std::string operation, std::string file, std::string reason)
    : std::runtime_error(Compose(operation, file, reason)),
      operation_(std::move(operation)),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

}  // namespace host
