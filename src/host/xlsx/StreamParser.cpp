#include "host/xlsx/StreamParser.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "host/ReadLimits.h"

namespace host::xlsx {

StreamParser::StreamParser() : parser_(XML_ParserCreate(nullptr)) {
  if (!parser_) throw std::bad_alloc();
  XML_SetUserData(parser_.get(), this);
}

void StreamParser::Run(const ChunkSource& source) {
  std::unique_ptr<char[]> chunk(new char[1 << 16]);
  for (;;) {
    size_t n = source(chunk.get(), 1 << 16);
    window_.append(chunk.get(), n);
    if (XML_Parse(parser_.get(), chunk.get(), static_cast<int>(n), n == 0) != XML_STATUS_OK) {
      if (Stopped() && unsupported_) throw UnsupportedXml(refusal_);
      if (Stopped()) throw LimitError(refusal_);
      if (XML_GetErrorCode(parser_.get()) == XML_ERROR_NO_MEMORY) throw std::bad_alloc();
      throw std::runtime_error(std::string("malformed XML (") +
                               XML_ErrorString(XML_GetErrorCode(parser_.get())) + " at line " +
                               std::to_string(XML_GetCurrentLineNumber(parser_.get())) + ")");
    }
    total_ += n;
    CheckSizes();
    DropParsedBytes();
    if (n == 0) break;
  }
}

void StreamParser::DropParsedBytes() {
  // Expat stops before a tag the chunk ends in and calls its handler in a later
  // chunk, where a capture may begin at the tag's first byte: the bytes from
  // where expat stopped stay, as do all of a capture in progress. The tag
  // limit (CheckSizes) bounds what stays outside a capture.
  const long long keep =
      captureStart_ >= 0 ? captureStart_ : XML_GetCurrentByteIndex(parser_.get());
  if (keep <= windowBase_) return;  // -1: expat has no position yet
  window_.erase(0, static_cast<size_t>(std::min(keep, total_) - windowBase_));
  windowBase_ = std::min(keep, total_);
}

void StreamParser::CheckSizes() const {
  if (static_cast<unsigned long long>(total_) > kMaxPartBytes)
    throw LimitError("the part is larger than " + std::to_string(kMaxPartBytes / kMebibyte) +
                     " MiB");
  // Between calls expat holds only the unfinished tag (text it hands on in
  // pieces), so what lies past its position is one tag.
  if (total_ - XML_GetCurrentByteIndex(parser_.get()) > static_cast<long long>(kMaxTagBytes))
    throw LimitError("one tag is longer than " + std::to_string(kMaxTagBytes / kMebibyte) + " MiB");
  if (captureStart_ >= 0 && total_ - captureStart_ > static_cast<long long>(kMaxKeptElementBytes))
    throw LimitError("one element is larger than " +
                     std::to_string(kMaxKeptElementBytes / kMebibyte) + " MiB");
}

void StreamParser::Refuse(const std::string& reason) {
  if (Stopped()) return;
  refusal_ = reason;
  XML_StopParser(parser_.get(), XML_FALSE);
}

void StreamParser::Reject(const std::string& reason) {
  if (Stopped()) return;
  unsupported_ = true;
  Refuse(reason);
}

bool StreamParser::CheckDepth(int depth) {
  if (depth <= kMaxXmlDepth) return true;
  Refuse("elements nest more than " + std::to_string(kMaxXmlDepth) + " levels deep");
  return false;
}

void StreamParser::BeginCapture(int depth) {
  captureStart_ = XML_GetCurrentByteIndex(parser_.get());
  captureStartCount_ = XML_GetCurrentByteCount(parser_.get());
  captureDepth_ = depth;
}

std::string StreamParser::EndCapture() {
  long long end =
      XML_GetCurrentByteCount(parser_.get()) == 0
          ? captureStart_ + captureStartCount_  // <empty/>
          : XML_GetCurrentByteIndex(parser_.get()) + XML_GetCurrentByteCount(parser_.get());
  std::string out;
  long long from = captureStart_ - windowBase_;
  if (from >= 0 && end - windowBase_ <= static_cast<long long>(window_.size()) && end > from)
    out = window_.substr(static_cast<size_t>(from), static_cast<size_t>(end - captureStart_));
  captureStart_ = -1;
  return out;
}

std::string_view StreamParser::StartTagBytes() const {
  const long long from = XML_GetCurrentByteIndex(parser_.get()) - windowBase_;
  const long long count = XML_GetCurrentByteCount(parser_.get());
  if (from < 0 || count < 0 || from + count > static_cast<long long>(window_.size())) return {};
  return std::string_view(window_).substr(static_cast<size_t>(from), static_cast<size_t>(count));
}

}  // namespace host::xlsx
