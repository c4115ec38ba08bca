#pragma once
// Writing a converted genotype store as the text files other population
// genetics programs read. Names and alleles a format cannot hold are written
// in a form it can; what was changed comes back so the user can be told.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/GenotypeStore.h"

namespace exchange {

enum class Format { Genepop, Structure, Genalex };

// One allele of a marker, by its index in the marker's table (the order of
// the .all sheet): written as its number instead of its size or symbol.
struct Renumbered {
  int marker;
  std::vector<std::pair<int, std::string>> alleles;  // number, size or symbol
};

struct Renamed {
  std::string from;
  std::string to;
};

struct Exported {
  std::string text;
  std::vector<Renamed> varieties;  // only names that changed
  std::vector<Renamed> markers;
  std::vector<Renumbered> alleles;  // only markers written as numbers
};

// `s` is converted (cells hold genotype codes) and free of problems. `title`
// is the GENEPOP title line and the GenAlEx title. `populations` holds each
// variety's population (all of them in one named `title` when it is empty):
// GENEPOP and GenAlEx write each population's varieties together, in the
// order the populations first appear, GENEPOP as a Pop block each.
Exported Export(const store::GenotypeStore& s, Format format, std::string_view title,
                const std::vector<std::string>& populations = {});

// `names` as a text file can hold them: control characters and those of
// `forbidden` become "_", a field a spreadsheet would run as a formula (when
// `spreadsheet`) gets an apostrophe before it, and a name that then clashes
// gets "_2", "_3". The names changed are added to `renamed`.
std::vector<std::string> SafeNames(const std::vector<std::string>& names,
                                   std::string_view forbidden, bool spreadsheet,
                                   std::vector<Renamed>& renamed);

// The two allele indexes of a cell (its marker's table order), none when untyped.
std::optional<std::pair<int, int>> AlleleIndexes(const store::GenotypeStore& s, int v, int m);

}  // namespace exchange
