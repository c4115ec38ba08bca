#pragma once
// The sections of the summary sheet below its locus table. Each starts at
// column B of `row` and returns the first row after it and a blank one.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/GroupSummary.h"
#include "analysis/Identity.h"
#include "host/Host.h"
#include "store/GenotypeStore.h"

namespace report {

int WriteIdentitySection(host::Worksheet& sheet, int row, const store::GenotypeStore& s,
                         const analysis::IdentityReport& identity);
int WriteGroupSection(host::Worksheet& sheet, int row, const store::GenotypeStore& s,
                      const std::vector<analysis::GroupSummary>& groups);

// Helpers the sections share with the locus table.
namespace summary {
inline constexpr int kFirstColumn = 2;  // B
// A value, or an empty cell for none, under a number format.
void PutNumber(host::Range cell, std::optional<double> value, const char* format);
// Heads from `first` rightwards.
void PutHeads(const host::Range& first, const std::string_view* heads, int count);
// A thin grid over rows firstRow to lastRow, `columns` columns from B.
void Rule(host::Worksheet& sheet, int firstRow, int lastRow, int columns);
// A row set apart from the table above it: a grey fill and a heavier rule.
void SetApart(host::Worksheet& sheet, int row, int columns);
}  // namespace summary

}  // namespace report
