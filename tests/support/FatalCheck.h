// Test support: fatal checks throw instead of ending the process, so tests assert their texts.
#pragma once

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/FatalError.h"

struct FatalCheckFailed : std::runtime_error {
  explicit FatalCheckFailed(FatalReport r) : std::runtime_error(r.text), report(std::move(r)) {}
  FatalReport report;
};

// Installed for every test by the test main.
void ThrowOnFatal(const FatalReport& report);

// Runs `statement`, which must fail the check whose expression text and description are given.
#define EXPECT_FATAL(statement, expectedExpression, expectedDescription)                     \
  do {                                                                                        \
    try {                                                                                     \
      statement;                                                                              \
      ADD_FAILURE() << "expected the fatal check \"" << (expectedExpression) << "\"";         \
    } catch (const FatalCheckFailed& failure) {                                               \
      EXPECT_EQ(failure.report.expression, (expectedExpression));                             \
      EXPECT_EQ(failure.report.detail, (expectedDescription));                                \
    }                                                                                         \
  } while (0)
