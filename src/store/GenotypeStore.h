#pragma once
// The genotype store: the tables of varieties, markers, cell texts, alleles and
// genotypes that every stage of a run works on, with their fixed capacities.
// Index 0 of every table exists and stays empty; indexes count from 1.
//
// Text: names are UTF-8 (they only travel to and from sheets). Cell texts,
// allele strings and genotype strings are UTF-16, because the tables compare
// and sort them ordinally by 16-bit character code and index them by character.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

inline constexpr int kMaxVarieties = 500;
inline constexpr int kMaxMarkers = 250;
inline constexpr int kMaxAlleles = 103;
inline constexpr int kMaxGenotypes = 250;
// Stands for an SSR allele part that is not a number.
inline constexpr int16_t kNonNumeric = 10000;
inline constexpr int16_t kTrue = -1;
inline constexpr int16_t kFalse = 0;

// The 103 allele symbols; the symbol of slot a is AlleleAlphabet()[a - 1].
const std::u16string& AlleleAlphabet();

std::u16string ToU16(std::string_view utf8);
std::string ToUtf8(std::u16string_view text);

class GenotypeStore {
 public:
  GenotypeStore();

  std::string DataType;  // "ssr", "chr" or ""

  std::array<std::string, kMaxVarieties + 1> VarietyName;
  int16_t VarietyCount = 0;
  std::array<std::string, kMaxMarkers + 1> MarkerName;
  int16_t MarkerCount = 0;

  // SourceData(v, m): the cell text, later its character genotype string.
  std::u16string& SourceData(int v, int m) { return sourceData_[v * (kMaxMarkers + 1) + m]; }
  const std::u16string& SourceData(int v, int m) const {
    return sourceData_[v * (kMaxMarkers + 1) + m];
  }

  std::array<std::array<int16_t, kMaxAlleles + 1>, kMaxMarkers + 1> AlleleValue{};
  std::array<std::u16string, kMaxMarkers + 1> AlleleText;
  std::array<std::array<int16_t, kMaxAlleles + 1>, kMaxMarkers + 1> AlleleTally{};
  std::array<int16_t, kMaxMarkers + 1> AlleleNum{};

  std::u16string& GenoText(int m, int g) { return genoText_[m * (kMaxGenotypes + 1) + g]; }
  const std::u16string& GenoText(int m, int g) const {
    return genoText_[m * (kMaxGenotypes + 1) + g];
  }
  std::array<std::array<int16_t, kMaxGenotypes + 1>, kMaxMarkers + 1> GenoTally{};
  std::array<int16_t, kMaxMarkers + 1> GenoNum{};

  int32_t ErrorRow = 0;  // widened: every problem is logged, however many
  int16_t TooManyVarietiesFlag = kFalse;
  int16_t TooManyMarkersFlag = kFalse;
  int16_t NonNumericFlag = kFalse;
  int16_t NotDiploidFlag = kFalse;
  int16_t AlleleOverflowFlag = kFalse;
  int16_t GenoOverflowFlag = kFalse;

  // Where the table operations report a problem (ErrorOut of the error log):
  // message, variety index, marker index. Set by the session for a run.
  std::function<void(const std::string&, int, int)> ErrorOut;

  void AlleleDataClear();
  void GenoDataClear();
  void ResetFlags();  // all six flags false and ErrorRow 0

  // The table operations.
  int16_t Separate(std::u16string& d);
  void AlleleAdd(int m, int16_t x);
  void chrAlleleAdd(int m, char16_t x);
  std::u16string SearchAllele(int m, int16_t x) const;
  void GenotypeAdd(int m, const std::u16string& gt);
  int16_t SearchGeno(int m, const std::u16string& g) const;
  // UTF-8; for SSR data with the leading apostrophe that keeps it text.
  std::string MakeGenoStr(int m, const std::u16string& d) const;
  static std::u16string SortString(const std::u16string& d);

 private:
  void ReportOverflow(const char* message, int m, int16_t& flag);

  std::vector<std::u16string> sourceData_;
  std::vector<std::u16string> genoText_;
};

// The classic Round of displayed statistics: scale by 10^digits, round to the
// nearest with an exact tie to the even neighbour, scale back (1/160 -> 0.0062).
double RoundHalfEven(double value, int digits);

}  // namespace store
