#pragma once
// Errors raised by the spreadsheet host. Every error names the operation that
// failed and, where there is one, the file it concerns, so a front end can show
// a message a breeder understands ("Save of /data/apple.xlsx: disk full").
#include <stdexcept>
#include <string>

namespace host {

class HostError : public std::runtime_error {
 public:
  HostError(std::string operation, std::string file, std::string reason);
  const std::string& Operation() const { return operation_; }
  const std::string& File() const { return file_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string operation_;
  std::string file_;
  std::string reason_;
};

}  // namespace host
