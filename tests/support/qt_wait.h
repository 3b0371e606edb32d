#pragma once
// Waits for widget tests, reported to GoogleTest. The event loop runs while a
// wait lasts, so timers, queued calls and the main thread's queue go on.
// A wait that ends unmet is a fatal failure: it returns from the function it
// is in, so a helper that waits is called through ASSERT_NO_FATAL_FAILURE.
#include <gtest/gtest.h>

#include <QTest>

namespace test_support {

// Long enough for a page's one-second timer to fire a few times on a busy machine.
constexpr int k_wait_ms = 5000;

}  // namespace test_support

// Runs the event loop until `cond` holds, at most `timeout_ms` milliseconds.
#define VX_TRY_VERIFY_WITH_TIMEOUT(cond, timeout_ms)                                                \
  ASSERT_TRUE(QTest::qWaitFor([&]() -> bool { return static_cast<bool>(cond); }, (timeout_ms)))     \
      << "still false after " << (timeout_ms) << " ms: " #cond

#define VX_TRY_VERIFY(cond) VX_TRY_VERIFY_WITH_TIMEOUT(cond, ::test_support::k_wait_ms)

// Runs the event loop until `actual == expected`, at most k_wait_ms, then
// compares them, so a time-out prints both values.
#define VX_TRY_EQ(actual, expected)                                                                 \
  do {                                                                                              \
    static_cast<void>(                                                                              \
        QTest::qWaitFor([&]() -> bool { return (actual) == (expected); }, ::test_support::k_wait_ms)); \
    ASSERT_EQ(actual, expected) << "after waiting " << ::test_support::k_wait_ms << " ms";          \
  } while (false)
