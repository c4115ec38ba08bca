// Opening a workbook file of any content and reading every sheet as the
// program does: the zip package, its XML parts, styles and cells.
#include <cstddef>
#include <cstdint>

#include "FuzzFiles.h"
#include "FuzzRead.h"
#include "host/Host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("input.xlsx", data, size);
  host::Application app;
  host::Workbook* book = nullptr;
  if (fuzz::Refused("Open", [&] { book = &app.Open(path); })) return 0;
  if (fuzz::Refused("reading", [&] { fuzz::ReadEverything(*book); })) return 0;
  fuzz::DeriveFormats(*book);
  return 0;
}
