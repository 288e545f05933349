#pragma once

// The contract suites: what the program wants of each platform interface, written once and run on
// every implementation. A subject holds one and looks at its effects from outside the program.

#include "platform/runtime_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace clipnest::contract {

// The error number a call throws, 0 when it throws none.
template <typename Call>
int ErrorOf(Call call) try {
  call();
  return 0;
} catch (const RuntimeError& error) {
  return static_cast<int>(error.number());
}

// A suite's fixture: one fresh subject per test.
template <typename Subject>
class Contract : public ::testing::Test {
 protected:
  Subject s;
};

}  // namespace clipnest::contract

// Every contract suite on one subject that offers them all.
#define CLIPNEST_EVERY_CONTRACT(prefix, subject)                           \
  INSTANTIATE_TYPED_TEST_SUITE_P(prefix, FilesContract, subject);          \
  INSTANTIATE_TYPED_TEST_SUITE_P(prefix, ProfileStringsContract, subject); \
  INSTANTIATE_TYPED_TEST_SUITE_P(prefix, AnsiCodePageContract, subject);   \
  INSTANTIATE_TYPED_TEST_SUITE_P(prefix, ClipboardContract, subject);      \
  INSTANTIATE_TYPED_TEST_SUITE_P(prefix, KeyStateContract, subject)
