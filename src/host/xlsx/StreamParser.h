#pragma once
// Streaming XML with expat for the parts that can be large (sheets, the
// shared-string table): memory grows with what is kept, not with the XML.
#include <expat.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

namespace host::xlsx {

// Supplies a part in chunks; returns 0 at the end, throws on read errors.
using ChunkSource = std::function<size_t(char* buffer, size_t size)>;

// Feeds chunks to expat and keeps the bytes of the element being captured, so
// elements the model does not understand can be written back exactly as read.
// Subclasses set their handlers on Parser(); expat's user data is `this`.
class StreamParser {
 public:
  StreamParser();
  virtual ~StreamParser() = default;

  // Parses the whole part. Throws std::runtime_error on malformed XML.
  void Run(const ChunkSource& source);

 protected:
  XML_Parser Parser() const { return parser_.get(); }
  void BeginCapture(int depth);
  bool Capturing() const { return captureStart_ >= 0; }
  int CaptureDepth() const { return captureDepth_; }
  // The bytes from the captured element's start tag to the current end tag.
  std::string EndCapture();

 private:
  struct ParserCloser {
    void operator()(XML_Parser p) const { XML_ParserFree(p); }
  };
  std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserCloser> parser_;
  std::string window_;
  long long windowBase_ = 0, total_ = 0;
  long long captureStart_ = -1;
  int captureStartCount_ = 0;
  int captureDepth_ = 0;
};

}  // namespace host::xlsx
