#include "host/xlsx/Xml.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "text/Utf8.h"

namespace host::xlsx {

void AppendEscaped(std::string& out, std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char* rep = nullptr;
    switch (text[i]) {
      case '&':
        rep = "&amp;";
        break;
      case '<':
        rep = "&lt;";
        break;
      case '>':
        rep = "&gt;";
        break;
      default:
        continue;
    }
    out.append(text.substr(start, i - start));
    out.append(rep);
    start = i + 1;
  }
  out.append(text.substr(start));
}

namespace {

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "_xHHHH_" at position i?
bool IsEscapeAt(std::string_view s, size_t i) {
  if (i + 7 > s.size() || s[i] != '_' || s[i + 1] != 'x' || s[i + 6] != '_') return false;
  for (size_t k = 2; k < 6; ++k)
    if (!IsHex(s[i + k])) return false;
  return true;
}

void AppendHex4(std::string& out, unsigned value) {
  static const char digits[] = "0123456789ABCDEF";
  out += "_x";
  for (int shift = 12; shift >= 0; shift -= 4) out += digits[(value >> shift) & 0xF];
  out += '_';
}

}  // namespace

// U+FFFE or U+FFFF (EF BF BE, EF BF BF) at position i: XML 1.0 cannot hold
// them, but a cell read through its _xFFFE_ escape can.
bool NonCharacterAt(std::string_view s, size_t i) {
  return i + 2 < s.size() && s[i] == '\xEF' && s[i + 1] == '\xBF' &&
         (s[i + 2] == '\xBE' || s[i + 2] == '\xBF');
}

namespace {

bool IsControl(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F; }

// "_xHHHH" at position i that a reader would take for an escape once written:
// followed by '_', or by a character written as an escape, which begins with one.
bool ReadsAsEscapeAt(std::string_view s, size_t i) {
  if (i + 7 > s.size() || s[i] != '_' || s[i + 1] != 'x') return false;
  for (size_t k = 2; k < 6; ++k)
    if (!IsHex(s[i + k])) return false;
  return s[i + 6] == '_' || IsControl(static_cast<unsigned char>(s[i + 6])) ||
         NonCharacterAt(s, i + 6);
}

}  // namespace

void AppendCellText(std::string& out, std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    bool control = IsControl(c);
    bool literal = c == '_' && ReadsAsEscapeAt(text, i);
    bool nonCharacter = NonCharacterAt(text, i);
    if (!control && !literal && !nonCharacter) continue;
    AppendEscaped(out, text.substr(start, i - start));
    if (nonCharacter) {
      AppendHex4(out, text[i + 2] == '\xBE' ? 0xFFFE : 0xFFFF);
      i += 2;
    } else {
      AppendHex4(out, literal ? 0x5F : c);
    }
    start = i + 1;
  }
  AppendEscaped(out, text.substr(start));
}

std::string DecodeCellText(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  const auto escaped = [&](size_t i) {
    unsigned cp = 0;
    std::from_chars(text.data() + i + 2, text.data() + i + 6, cp, 16);
    return cp;
  };
  for (size_t i = 0; i < text.size();) {
    if (!IsEscapeAt(text, i)) {
      out += text[i++];
      continue;
    }
    unsigned cp = escaped(i);
    i += 7;
    // A character past U+FFFF may come as its two UTF-16 halves; a lone half is dropped.
    if (cp >= 0xD800 && cp <= 0xDBFF && IsEscapeAt(text, i) && escaped(i) >= 0xDC00 &&
        escaped(i) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (escaped(i) - 0xDC00);
      i += 7;
    }
    if (cp < 0xD800 || cp > 0xDFFF) utf8::Append(out, cp);
  }
  return out;
}

bool NeedsPreserve(std::string_view text) {
  if (text.empty()) return false;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  return blank(text.front()) || blank(text.back()) || text.find('\n') != std::string_view::npos;
}

void AppendNumber(std::string& out, double value) {
  if (value == 0) {  // also folds -0
    out += '0';
    return;
  }
  double integral;
  if (std::modf(value, &integral) == 0 && std::fabs(value) < 1e15) {
    AppendInt(out, static_cast<long long>(value));
    return;
  }
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendInt(std::string& out, long long value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendRef(std::string& out, int row, int column) {
  char letters[4];
  int n = 0;
  while (column > 0 && n < 4) {
    int rem = (column - 1) % 26;
    letters[n++] = static_cast<char>('A' + rem);
    column = (column - 1) / 26;
  }
  while (n > 0) out += letters[--n];
  AppendInt(out, row);
}

namespace {

std::string NormalizePath(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string_view::npos) slash = path.size();
    std::string_view part = path.substr(start, slash - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = slash + 1;
  }
  std::string out;
  for (auto p : parts) {
    if (!out.empty()) out += '/';
    out.append(p);
  }
  return out;
}

std::string_view FolderOf(std::string_view part) {
  size_t slash = part.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
}

}  // namespace

std::string ResolveTarget(std::string_view sourcePart, std::string_view target) {
  if (!target.empty() && target.front() == '/') return NormalizePath(target);
  std::string full(FolderOf(sourcePart));
  full.append(target);
  return NormalizePath(full);
}

std::string RelsPartOf(std::string_view part) {
  std::string out(FolderOf(part));
  out += "_rels/";
  size_t slash = part.rfind('/');
  out.append(slash == std::string_view::npos ? part : part.substr(slash + 1));
  out += ".rels";
  return out;
}

std::string RelativeTarget(std::string_view sourcePart, std::string_view part) {
  std::string_view folder = FolderOf(sourcePart);
  if (part.substr(0, folder.size()) == folder) return std::string(part.substr(folder.size()));
  std::string absolute;
  absolute.reserve(part.size() + 1);
  return absolute.append(1, '/').append(part);
}

}  // namespace host::xlsx
