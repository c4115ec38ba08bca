#pragma once
// Legacy .xls workbooks, read once with libfreexl: values only, every sheet at
// open. The workbook is saved as a new .xlsx beside the original, which is
// never written.
#include <memory>
#include <string>

#include "host/Application.h"
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

// Bounds the memory this process may still take by kMaxLegacyReadBytes: the
// child that reads a file first runs under it (and so does the fuzzer's).
void LimitLegacyReaderMemory();
// How that child ends when the file needs more: the import is refused.
inline constexpr int kLegacyReaderTooLarge = 3;

// "<folder>/<stem>.xlsx", or "<stem> (2).xlsx", "(3)" ... when that exists.
std::string FreeXlsxPathBeside(const std::string& xlsPath);

}  // namespace host::xls
