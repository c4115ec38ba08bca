#pragma once
// The failures a session passes on to the front ends, which word them.
#include "host/HostError.h"

namespace app {

// An operation on a workbook file that failed: it names the operation, the
// file and the reason.
using HostError = host::HostError;
// Whether a failure is the process running short of memory.
using host::IsOutOfMemory;

}  // namespace app
