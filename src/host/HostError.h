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

// Whether `error` is the process running short of memory: an allocation that
// failed, or a thread or process that could not start for want of it (a
// memory cap turns that into EAGAIN). Such an error says nothing about the
// file being read or written, so the host lets it pass unwrapped.
bool IsOutOfMemory(const std::exception& error);

}  // namespace host
