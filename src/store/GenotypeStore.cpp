// The genotype store, the splitting of SSR cell texts and the display rounding.
#include "store/GenotypeStore.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace store {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A decimal number with optional sign, fraction and exponent, blanks around
// it allowed; anything else (the empty text included) is not a number.
bool ParseNumber(std::u16string_view part, double& value) {
  size_t b = 0, e = part.size();
  while (b < e && IsBlank(part[b])) ++b;
  while (e > b && IsBlank(part[e - 1])) --e;
  std::string ascii;
  size_t i = b;
  if (i < e && (part[i] == u'+' || part[i] == u'-')) ascii.push_back(static_cast<char>(part[i++]));
  int digits = 0;
  while (i < e && IsDigit(part[i])) ascii.push_back(static_cast<char>(part[i++])), ++digits;
  if (i < e && part[i] == u'.') {
    ascii.push_back('.');
    ++i;
    while (i < e && IsDigit(part[i])) ascii.push_back(static_cast<char>(part[i++])), ++digits;
  }
  if (digits == 0) return false;
  if (i < e && (part[i] == u'e' || part[i] == u'E')) {
    ascii.push_back('e');
    ++i;
    if (i < e && (part[i] == u'+' || part[i] == u'-'))
      ascii.push_back(static_cast<char>(part[i++]));
    int expDigits = 0;
    while (i < e && IsDigit(part[i])) ascii.push_back(static_cast<char>(part[i++])), ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != e) return false;
  // strtod of a plain "[sign]digits[.digits][e[sign]digits]" text is the same
  // in every locale that uses '.', which the C locale of this program does.
  value = std::strtod(ascii.c_str(), nullptr);
  return true;
}

// Nearest integer, an exact half going to the even neighbour, whatever the
// current floating-point rounding mode is.
double NearestEven(double x) {
  const double f = std::floor(x);
  const double diff = x - f;
  if (diff < 0.5) return f;
  if (diff > 0.5) return f + 1.0;
  return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

}  // namespace

SizePart TakeSizePart(std::u16string& d) {
  const size_t slash = d.find(u'/');
  std::u16string part;
  if (slash == std::u16string::npos) {
    part.swap(d);
  } else {
    part = d.substr(0, slash);
    d.erase(0, slash + 1);
  }
  double value = 0;
  if (ParseNumber(part, value)) {
    const double rounded = NearestEven(value);
    // A size the 16-bit tables cannot hold is reported like any other
    // unusable part instead of wrapping around; so is a negative one, which
    // is no fragment length. Size 0 is a size like any other.
    if (std::isfinite(rounded) && rounded >= 0.0 && rounded <= 32767.0) {
      return {static_cast<int16_t>(rounded), true};
    }
  }
  return {kNonNumeric, false};
}

GenotypeStore::GenotypeStore(DataKind kind, std::vector<std::string> varieties,
                             std::vector<std::string> markers)
    : kind_(kind),
      varieties_(std::move(varieties)),
      markers_(std::move(markers)),
      cells_(varieties_.size() * markers_.size()),
      tables_(markers_.size()) {}

const std::string& GenotypeStore::VarietyName(int v) const {
  static const std::string kNone;
  return v >= 1 && v <= VarietyCount() ? varieties_[v - 1] : kNone;
}

const std::string& GenotypeStore::MarkerName(int m) const {
  static const std::string kNone;
  return m >= 1 && m <= MarkerCount() ? markers_[m - 1] : kNone;
}

std::string GenotypeStore::GenotypeText(int m, const std::u16string& code) const {
  if (kind_ != DataKind::Ssr) return ToUtf8(code);
  std::string out = "'";
  const std::u16string& alphabet = AlleleAlphabet();
  const MarkerTable& table = Marker(m);
  for (size_t i = 0; i < code.size(); ++i) {
    if (i > 0) out.push_back('/');
    const size_t k = alphabet.find(code[i]);
    if (k == std::u16string::npos) continue;  // "*": an allele not in the table
    // Size 0 shows as 0: blank halves ("/") would hide a real allele.
    out += std::to_string(table.AlleleValue(static_cast<int>(k) + 1));
  }
  return out;
}

std::u16string GenotypeStore::SortedCode(const std::u16string& d) {
  // By characters: the two halves of one character are never parted.
  const std::u32string c = Characters(d);
  if (c.size() != 2 || c[0] <= c[1]) return d;
  return ToU16(std::u32string{c[1], c[0]});
}

double RoundHalfEven(double value, int digits) {
  if (!std::isfinite(value)) return value;
  const double scale = std::pow(10.0, digits);
  // The product is rounded as the double it is: 1/160 * 10^4 comes out as
  // exactly 62.5 and goes to 62, although the stored 1/160 lies a hair above
  // 0.00625.
  const double scaled = value * scale;
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) return value;
  return NearestEven(scaled) / scale;
}

}  // namespace store
