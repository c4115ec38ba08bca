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

// How libfreexl fares reading `path` (0: to the end; kLegacyReaderTooLarge:
// past the memory bound; anything else: it crashed); ImportXls asks before it
// reads in this process. By default a child process reads the file first.
// The fuzzer sets a cheaper check; nullptr restores the default.
using SurvivalCheck = int (*)(const std::string& path);
void SetSurvivalCheck(SurvivalCheck check);

// Bounds the memory this process may still take by `bytes`: the child that
// reads a file first runs under it (the fuzzer's under a smaller one, so that
// files claiming huge sheets are refused at once instead of filled in).
void LimitLegacyReaderMemory(std::size_t bytes = kMaxLegacyReadBytes);
// How that child ends when the file needs more: the import is refused.
inline constexpr int kLegacyReaderTooLarge = 3;
// Reads `path` whole and forgets it, as that child does: kLegacyReaderTooLarge
// when the memory ran out, else 0 (other refusals are the import's to report).
int TryLegacyRead(const std::string& path);

// "<folder>/<stem>.xlsx", or "<stem> (2).xlsx", "(3)" ... when that exists.
std::string FreeXlsxPathBeside(const std::string& xlsPath);

}  // namespace host::xls
