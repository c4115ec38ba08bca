#pragma once
// Legacy .xls workbooks, read once with libfreexl: values only, every sheet at
// open. The workbook is saved as a new .xlsx beside the original, which is
// never written.
#include <cstddef>
#include <memory>
#include <string>

#include "host/Application.h"
#include "host/ReadLimits.h"
#include "host/Workbook.h"

namespace host::xls {

// Throws HostError("Open", path, reason) for a damaged or protected file.
std::unique_ptr<Workbook> ImportXls(Application& app, const std::string& path);

// How a read of a file with libfreexl ended. The program never reads a file
// with it itself: a child process does and sends this back, so that a crash,
// a runaway allocation or what the library leaks stays in the child.
struct LegacyRead {
  enum Outcome : char { kWhole, kRefused, kTooLarge, kTooSlow, kCrashed };
  Outcome outcome = kWhole;
  // kRefused: the import's error, as HostError(operation, file, reason); also
  // when no child could be made to read it.
  std::string operation, file, reason;
  std::string sheets;  // kWhole: what was read, as EncodeSheets writes it
};
// Reads `path` whole, as that child does.
LegacyRead ReadLegacyFile(const std::string& path);

// The fuzzer puts a cheaper reader in place; nullptr restores the child.
using LegacyReader = LegacyRead (*)(const std::string& path);
void SetLegacyReader(LegacyReader reader);

// Bounds the memory this process may still take by `bytes`: the child that
// reads a file first runs under it (the fuzzer's under a smaller one, so that
// files claiming huge sheets are refused at once instead of filled in).
void LimitLegacyReaderMemory(std::size_t bytes = kMaxLegacyReadBytes);

// "<folder>/<stem>.xlsx", or "<stem> (2).xlsx", "(3)" ... when that exists.
std::string FreeXlsxPathBeside(const std::string& xlsPath);

}  // namespace host::xls
