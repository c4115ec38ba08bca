#pragma once
// The conversion sheets: SSR data in four notations (.ssr, .tssr, .pek,
// .chr), character data tallied (.chr), with the totals under each table,
// and the statistics of each marker as it is done.
#include "host/Host.h"
#include "report/Progress.h"
#include "store/GenotypeStore.h"
#include "store/Problems.h"

namespace report {

enum class Notation { Ssr, Tssr, Pek, Chr };

// The frame of a conversion sheet: title, marker heads, variety names and the
// labels of the totals block (or the colour legend of .pek). The source's
// corner must carry its mark (MarkEmptyCorner).
void LayOutNotationSheet(host::Worksheet& source, host::Worksheet& sheet, Notation notation);

// The sheets the conversion stage writes; the SSR notations are null for
// character data.
struct ConversionSheets {
  host::Worksheet* ssr;
  host::Worksheet* tssr;
  host::Worksheet* pek;
  host::Worksheet& chr;
  host::Worksheet& alleles;
  host::Worksheet& genotypes;
};

// Converts SSR data marker by marker and writes every notation; returns the
// problems found, in the error log's order. The character sheet is left
// unfinished: the 0/1 sheets take its title.
store::Findings WriteSsrConversions(store::GenotypeStore& s, const ConversionSheets& sheets,
                                    Progress& progress);
// Tallies character data and writes the character sheet; returns the problems found.
store::Findings WriteCharacterTally(store::GenotypeStore& s, const ConversionSheets& sheets,
                                    Progress& progress);

}  // namespace report
