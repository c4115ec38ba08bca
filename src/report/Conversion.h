#pragma once
// The conversion sheets: SSR data in four notations (.ssr, .tssr, .pek,
// .chr), character data tallied (.chr), with the totals under each table.
#include "report/RunContext.h"

namespace report {

enum class Notation { Ssr, Tssr, Pek, Chr };

void LayOutNotationSheet(RunContext& ctx, host::Worksheet& src, host::Worksheet& dst,
                      Notation notation);
// The conversion of SSR data; the statistics of each marker go out as it is done.
void WriteSsrConversions(RunContext& ctx);
// The tally of character data, likewise.
void WriteCharacterTally(RunContext& ctx);

}  // namespace report
