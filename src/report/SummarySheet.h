#pragma once
// The summary sheet (.sum): the locus table a variety paper prints, with its
// means and a legend, the markers by how much they tell, the varieties the
// markers cannot or barely tell apart, and the figures by group.
#include <string>
#include <vector>

#include "host/Host.h"
#include "store/GenotypeStore.h"

namespace report {

// Lays out the summary of `s` (as the conversion leaves it) on `sheet`, with
// the source's title. `groupOf` is each variety's group (see PopulationsOf);
// without any the by-group section is left out. Returns how many groups of
// varieties no marker tells apart.
int WriteSummarySheet(host::Worksheet& source, host::Worksheet& sheet,
                      const store::GenotypeStore& s, const std::vector<std::string>& groupOf);

}  // namespace report
