#pragma once

// The contract suites: what the program wants of each platform interface, written once and
// instantiated in each test program with the subjects it has (the headless fake, the Linux
// backend, the Windows backend). A subject holds the implementation and looks at its effects
// from outside the program.

#include "platform/runtime_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace clipnest::contract {

// The error number a call throws, 0 when it throws none.
template <typename Call>
int ErrorOf(Call call) {
  try {
    call();
  } catch (const RuntimeError& error) {
    return static_cast<int>(error.number());
  }
  return 0;
}

// A suite's fixture: one fresh subject per test.
template <typename Subject>
class Contract : public ::testing::Test {
 protected:
  Subject s;
};

}  // namespace clipnest::contract
