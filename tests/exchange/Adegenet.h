#pragma once
// adegenet (Debian's r-cran-adegenet, through Rscript) as the reader of what
// we export: per locus the number of alleles and each allele's count.
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/Interop.h"

namespace exchange_test {

struct LocusCounts {
  int alleles = 0;
  std::map<int, int> counts;  // allele as written -> number of copies
};

inline bool HaveAdegenet() {
  return testsupport::RunCommand(
             "Rscript -e 'quit(status = !requireNamespace(\"adegenet\", quietly = TRUE))'")
             .exitCode == 0;
}

// `reader` is an R expression that reads file `f` into `x`.
inline std::vector<LocusCounts> AdegenetCounts(const std::string& reader, const std::string& file) {
  const std::string script = "suppressMessages(library(adegenet)); f <- '" + file + "'; x <- " +
                             reader +
                             "; t <- tab(x); for (l in seq_len(nLoc(x))) {"
                             " idx <- which(as.integer(x@loc.fac) == l);"
                             " n <- colSums(t[, idx, drop = FALSE], na.rm = TRUE);"
                             " cat(x@loc.n.all[l], paste(as.integer(x@all.names[[l]]), n),"
                             " sep = '\\t'); cat('\\n') }";
  const auto result = testsupport::RunCommand("Rscript -e " + testsupport::Quote(script));
  std::vector<LocusCounts> out;
  std::istringstream lines(result.out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    LocusCounts locus;
    fields >> locus.alleles;
    for (int allele, count; fields >> allele >> count;) locus.counts[allele] = count;
    out.push_back(locus);
  }
  return out;
}

}  // namespace exchange_test
