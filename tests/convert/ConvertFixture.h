#pragma once
// The in-memory workbook plus the run's steps up to the conversion stage.
#include <string>
#include <utility>
#include <vector>

#include "analysis/Information.h"
#include "convert/Conversion.h"
#include "host/SheetAccess.h"
#include "support/MemoryBook.h"

namespace convert_test {

class ConvertFixture : public testsupport::MemoryBook {
 protected:
  // The run's steps for the data type, in the session's order.
  void Run(const std::string& type) {
    store.DataType = type;
    store.AlleleDataClear();
    store.GenoDataClear();
    store.ResetFlags();
    auto& h = ctx.sheets;
    h.Clear();
    h.SrcSheet = src;
    host::SheetOpen(ctx, h.ErrSheet, "Apple.err");
    host::ErrorSheetFormat(ctx, *h.ErrSheet);
    std::vector<std::pair<host::Worksheet**, const char*>> kinds{{&h.ChrSheet, "chr"}};
    if (type == "ssr")
      kinds = {
          {&h.SsrSheet, "ssr"}, {&h.TssrSheet, "tssr"}, {&h.PekSheet, "pek"}, {&h.ChrSheet, "chr"}};
    for (auto [handle, kind] : kinds) host::SheetOpen(ctx, *handle, std::string("Apple.") + kind);
    host::SheetOpen(ctx, h.AllSheet, "Apple.all");
    host::SheetOpen(ctx, h.GntSheet, "Apple.gnt");
    for (auto [handle, kind] : kinds)
      convert::TransSheetFormat(ctx, *src, **handle, std::string(1, kind[0]));
    analysis::InformationSheetFormat(ctx, *src, *h.AllSheet, "a");
    analysis::InformationSheetFormat(ctx, *src, *h.GntSheet, "g");
    host::SourceDataRead(ctx, *src);
    type == "ssr" ? convert::AdaptSSR(ctx) : convert::CountChr(ctx);
  }
};

}  // namespace convert_test
