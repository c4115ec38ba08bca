#pragma once
// The conversion stage: SSR data into four notations, character data tallied,
// and the layout of the conversion sheets.
#include <string>

#include "host/RunContext.h"

namespace convert {

void TransSheetFormat(host::RunContext& ctx, host::Worksheet& src, host::Worksheet& dst,
                      const std::string& ex);
void AdaptSSR(host::RunContext& ctx);
void CountChr(host::RunContext& ctx);

std::u16string MakeChr(const std::u16string& gt, char16_t d);
std::string MakeTSSR(const store::GenotypeStore& store, int m, const std::u16string& gt, int x);

}  // namespace convert
