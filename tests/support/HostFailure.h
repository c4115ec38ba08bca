#pragma once
// The host error an action ends in, for tests that check what it says.
#include <gtest/gtest.h>

#include "host/HostError.h"

namespace testsupport {

// The error `action` throws; when it throws none, the test fails and an empty error comes back.
template <typename Action>
host::HostError HostFailure(Action&& action) {
  try {
    action();
  } catch (const host::HostError& e) {
    return e;
  }
  ADD_FAILURE() << "no host error";
  return {"", "", ""};
}

}  // namespace testsupport
