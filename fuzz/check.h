#pragma once
// A property that fails stops the run: libFuzzer keeps the input and prints the condition.
#include <cstdio>
#include <cstdlib>

#define CHECK(condition) \
  ((condition) ? void() : (std::fprintf(stderr, "property broken: %s\n", #condition), std::abort()))
