// The genotype store and the operations that fill and search its allele and
// genotype tables.
#include "store/GenotypeStore.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace store {

namespace {

constexpr size_t kSourceCells = (kMaxVarieties + 1) * (kMaxMarkers + 1);
constexpr size_t kGenoCells = (kMaxMarkers + 1) * (kMaxGenotypes + 1);

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

GenotypeStore::GenotypeStore() : sourceData_(kSourceCells), genoText_(kGenoCells) {}

void GenotypeStore::AlleleDataClear() {
  for (int m = 1; m <= kMaxMarkers; ++m) {
    for (int a = 1; a <= kMaxAlleles; ++a) {
      AlleleValue[m][a] = 0;
      AlleleTally[m][a] = 0;
    }
    AlleleText[m].clear();
    AlleleNum[m] = 0;
  }
}

void GenotypeStore::GenoDataClear() {
  for (int m = 1; m <= kMaxMarkers; ++m) {
    for (int g = 1; g <= kMaxGenotypes; ++g) {
      GenoText(m, g).clear();
      GenoTally[m][g] = 0;
    }
    GenoNum[m] = 0;
  }
}

void GenotypeStore::ResetFlags() {
  TooManyVarietiesFlag = kFalse;
  TooManyMarkersFlag = kFalse;
  NonNumericFlag = kFalse;
  NotDiploidFlag = kFalse;
  AlleleOverflowFlag = kFalse;
  GenoOverflowFlag = kFalse;
  ErrorRow = 0;
}

int16_t GenotypeStore::Separate(std::u16string& d) {
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
    // unusable part instead of wrapping around.
    if (std::isfinite(rounded) && rounded >= -32768.0 && rounded <= 32767.0) {
      return static_cast<int16_t>(rounded);
    }
  }
  NonNumericFlag = kTrue;
  return kNonNumeric;
}

void GenotypeStore::ReportOverflow(const char* message, int m, int16_t& flag) {
  flag = kTrue;
  if (ErrorOut) ErrorOut(message, 0, m);
}

void GenotypeStore::AlleleAdd(int m, int16_t x) {
  auto& value = AlleleValue[m];
  auto& tally = AlleleTally[m];
  int16_t& num = AlleleNum[m];
  // Free slots are those above AlleleNum, so a size of 0 is an allele like any
  // other rather than a hole that the next size would overwrite.
  for (int i = 1;; ++i) {
    if (i > kMaxAlleles) return ReportOverflow("Too Many Alleles", m, AlleleOverflowFlag);
    if (i > num) {
      value[i] = x;
      tally[i] = 1;
      ++num;
      return;
    }
    if (value[i] > x) {
      if (num >= kMaxAlleles) return ReportOverflow("Too Many Alleles", m, AlleleOverflowFlag);
      for (int k = num; k >= i; --k) {
        value[k + 1] = value[k];
        tally[k + 1] = tally[k];
      }
      value[i] = x;
      tally[i] = 1;
      ++num;
      return;
    }
    if (value[i] == x) {
      ++tally[i];
      return;
    }
  }
}

void GenotypeStore::chrAlleleAdd(int m, char16_t x) {
  std::u16string& text = AlleleText[m];
  auto& tally = AlleleTally[m];
  int16_t& num = AlleleNum[m];
  for (int i = 1;; ++i) {
    if (i > kMaxAlleles) return ReportOverflow("Too Many Alleles", m, AlleleOverflowFlag);
    if (i > static_cast<int>(text.size())) {
      text.push_back(x);
      tally[i] = 1;
      ++num;
      return;
    }
    const char16_t c = text[i - 1];
    if (c > x) {
      if (num >= kMaxAlleles) return ReportOverflow("Too Many Alleles", m, AlleleOverflowFlag);
      for (int k = num; k >= i; --k) tally[k + 1] = tally[k];
      text.insert(text.begin() + (i - 1), x);
      tally[i] = 1;
      ++num;
      return;
    }
    if (c == x) {
      ++tally[i];
      return;
    }
  }
}

std::u16string GenotypeStore::SearchAllele(int m, int16_t x) const {
  for (int i = 1; i <= AlleleNum[m]; ++i) {
    if (AlleleValue[m][i] == x) return std::u16string(1, AlleleAlphabet()[i - 1]);
  }
  return u"*";
}

void GenotypeStore::GenotypeAdd(int m, const std::u16string& gt) {
  auto& tally = GenoTally[m];
  int16_t& num = GenoNum[m];
  // As with alleles, slots above GenoNum are the free ones; an empty text is
  // then ordered like any other instead of being taken for a free slot.
  for (int i = 1;; ++i) {
    if (i > kMaxGenotypes) return ReportOverflow("Too Many Genotypes", m, GenoOverflowFlag);
    if (i > num) {
      GenoText(m, i) = gt;
      tally[i] = 1;
      ++num;
      return;
    }
    const std::u16string& here = GenoText(m, i);
    // std::u16string compares char16_t code units: the ordinal order.
    const int order = here.compare(gt);
    if (order > 0) {
      if (num >= kMaxGenotypes) return ReportOverflow("Too Many Genotypes", m, GenoOverflowFlag);
      for (int k = num; k >= i; --k) {
        GenoText(m, k + 1).swap(GenoText(m, k));
        tally[k + 1] = tally[k];
      }
      GenoText(m, i) = gt;
      tally[i] = 1;
      ++num;
      return;
    }
    if (order == 0) {
      ++tally[i];
      return;
    }
  }
}

int16_t GenotypeStore::SearchGeno(int m, const std::u16string& g) const {
  for (int i = 1; i <= GenoNum[m]; ++i) {
    if (GenoText(m, i) == g) return GenoTally[m][i];
  }
  return 0;
}

std::string GenotypeStore::MakeGenoStr(int m, const std::u16string& d) const {
  if (DataType != "ssr") return ToUtf8(d);
  std::string out = "'";
  const std::u16string& alphabet = AlleleAlphabet();
  for (size_t i = 0; i < d.size(); ++i) {
    if (i > 0) out.push_back('/');
    const size_t k = alphabet.find(d[i]);
    if (k == std::u16string::npos) continue;  // "*": an allele not in the table
    const int16_t size = AlleleValue[m][k + 1];
    // Written with the number format "#": 0 shows as nothing.
    if (size != 0) out += std::to_string(size);
  }
  return out;
}

std::u16string GenotypeStore::SortString(const std::u16string& d) {
  if (d.size() == 2 && d[1] < d[0]) return std::u16string{d[1], d[0]};
  return d;
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
