#pragma once
// Streaming XML with expat for the parts that can be large (sheets, the
// shared-string table): memory grows with what is kept, not with the XML.
#include <expat.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

#include "host/ReadLimits.h"

namespace host::xlsx {

// Well-formed XML in a form a reader does not take (a document type, an
// encoding other than UTF-8); the reason says which. Not a question of size.
class UnsupportedXml : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Supplies a part in chunks; returns 0 at the end, throws on read errors.
using ChunkSource = std::function<size_t(char* buffer, size_t size)>;

// Feeds chunks to expat and keeps the bytes of the element being captured, so
// elements the model does not understand can be written back exactly as read.
// Subclasses set their handlers on Parser(); expat's user data is `this`.
class StreamParser {
 public:
  StreamParser();
  virtual ~StreamParser() = default;

  // Parses the whole part. Throws std::runtime_error on malformed XML, and
  // LimitError for a part beyond the read limits.
  void Run(const ChunkSource& source);

 protected:
  XML_Parser Parser() const { return parser_.get(); }
  // Stops the parse from a handler; Run then throws LimitError(reason).
  // Handlers do nothing more once Stopped(): expat may still call one or two.
  void Refuse(const std::string& reason);
  // The same for XML the reader does not take; Run then throws UnsupportedXml(reason).
  void Reject(const std::string& reason);
  bool Stopped() const { return !refusal_.empty(); }
  // Refuses an element nested deeper than kMaxXmlDepth; false when it did.
  bool CheckDepth(int depth);
  // Runs a handler's work; a LimitError it throws stops the parse instead of
  // unwinding through expat.
  template <typename Work>
  void Guarded(Work&& work) {
    if (Stopped()) return;
    try {
      work();
    } catch (const LimitError& e) {
      Refuse(e.what());
    }
  }
  void BeginCapture(int depth);
  bool Capturing() const { return captureStart_ >= 0; }
  int CaptureDepth() const { return captureDepth_; }
  // The bytes from the captured element's start tag to the current end tag.
  std::string EndCapture();
  // In a start handler: the bytes of the start tag as they are in the part.
  std::string_view StartTagBytes() const;

 private:
  // Throws LimitError for a part, tag or kept element beyond the limits.
  void CheckSizes() const;
  // Drops the bytes expat is done with, but for those of a capture in progress.
  void DropParsedBytes();

  struct ParserCloser {
    void operator()(XML_Parser p) const { XML_ParserFree(p); }
  };
  std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserCloser> parser_;
  std::string window_;
  long long windowBase_ = 0, total_ = 0;
  long long captureStart_ = -1;
  int captureStartCount_ = 0;
  int captureDepth_ = 0;
  std::string refusal_;
  bool unsupported_ = false;  // the refusal is Reject's
};

}  // namespace host::xlsx
