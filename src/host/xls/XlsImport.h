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

// Whether libfreexl reads `path` to the end without crashing; ImportXls asks
// before it reads in this process. By default a child process reads the file
// first. The fuzzer sets a cheaper check; nullptr restores the default.
using SurvivalCheck = bool (*)(const std::string& path);
void SetSurvivalCheck(SurvivalCheck check);

// "<folder>/<stem>.xlsx", or "<stem> (2).xlsx", "(3)" ... when that exists.
std::string FreeXlsxPathBeside(const std::string& xlsPath);

}  // namespace host::xls
