#pragma once
// The in-memory workbook plus the run's steps up to the conversion stage.
#include <string>
#include <utility>
#include <vector>

#include "report/Conversion.h"
#include "report/Information.h"
#include "report/SheetAccess.h"
#include "support/MemoryBook.h"

namespace report_test {

class ConvertFixture : public testsupport::MemoryBook {
 protected:
  // The run's steps for the data type, in the session's order.
  void Run(const std::string& type) {
    ctx.kind = type == "ssr" ? store::DataKind::Ssr : store::DataKind::Character;
    ctx.errors = {};
    auto& h = ctx.sheets;
    h.Clear();
    h.SrcSheet = src;
    report::SheetOpen(ctx, h.ErrSheet, "Apple.err");
    report::ErrorSheetFormat(ctx, *h.ErrSheet);
    struct Kind {
      host::Worksheet** handle;
      const char* name;
      report::Notation notation;
    };
    std::vector<Kind> kinds{{&h.ChrSheet, "chr", report::Notation::Chr}};
    if (type == "ssr")
      kinds = {{&h.SsrSheet, "ssr", report::Notation::Ssr},
               {&h.TssrSheet, "tssr", report::Notation::Tssr},
               {&h.PekSheet, "pek", report::Notation::Pek},
               {&h.ChrSheet, "chr", report::Notation::Chr}};
    for (const Kind& k : kinds) report::SheetOpen(ctx, *k.handle, std::string("Apple.") + k.name);
    report::SheetOpen(ctx, h.AllSheet, "Apple.all");
    report::SheetOpen(ctx, h.GntSheet, "Apple.gnt");
    for (const Kind& k : kinds) report::TransSheetFormat(ctx, *src, **k.handle, k.notation);
    report::InformationSheetFormat(ctx, *src, *h.AllSheet, report::StatisticsSheet::Alleles);
    report::InformationSheetFormat(ctx, *src, *h.GntSheet, report::StatisticsSheet::Genotypes);
    report::SourceDataRead(ctx, *src);
    type == "ssr" ? report::AdaptSSR(ctx) : report::CountChr(ctx);
  }
};

}  // namespace report_test
