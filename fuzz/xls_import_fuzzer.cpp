// The legacy .xls import: a compound document read with libfreexl in the
// reader's child, its sheets sent back into the cell model, then read as the
// program reads any workbook.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzFiles.h"
#include "FuzzRead.h"
#include "XlsReaderServer.h"
#include "host/Host.h"
#include "host/xls/XlsImport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::UseXlsReaderServer();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("input.xls", data, size);
  host::Application app;
  std::unique_ptr<host::Workbook> book;
  if (fuzz::Refused("ImportXls", [&] { book = host::xls::ImportXls(app, path); })) return 0;
  if (fuzz::Refused("reading", [&] { fuzz::ReadEverything(*book); })) return 0;
  fuzz::DeriveFormats(*book);
  return 0;
}
