#pragma once
// The spreadsheet host: an in-process workbook engine with the object model the
// procedures use (application, workbooks, sheets, ranges, values, formats).
// Rows and columns count from 1. Every failing operation throws HostError.
// One header per class; this one gathers them for the code that uses the host.
#include "host/Application.h"
#include "host/CellStore.h"
#include "host/CellValue.h"
#include "host/Clipboard.h"
#include "host/HostAddress.h"
#include "host/HostConstants.h"
#include "host/HostError.h"
#include "host/Range.h"
#include "host/Styles.h"
#include "host/Workbook.h"
#include "host/WorkbookBackend.h"
#include "host/Worksheet.h"
