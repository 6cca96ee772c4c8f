#pragma once

#include <functional>

// Waiting in window tests and benchmarks. These run the event loop as the program does, without
// pauses: QTest::qWait sleeps between its rounds of events, and the browser, which draws its frames
// and answers scripts through this thread's event loop, then misses frames and answers late.

// Runs the event loop until `done` holds or `timeoutMs` have passed; returns whether `done` held.
bool runEventsUntil(const std::function<bool()> &done, int timeoutMs = 5000);

// Runs the event loop for `ms` milliseconds.
void runEventsFor(int ms);

// QTRY_VERIFY and QTRY_COMPARE on the event loop (timeout 5 s).
#define WAIT_VERIFY(expression) QVERIFY(runEventsUntil([&] { return bool(expression); }))
#define WAIT_COMPARE(actual, expected)                                                                       \
    do {                                                                                                     \
        runEventsUntil([&] { return (actual) == (expected); });                                              \
        QCOMPARE(actual, expected);                                                                          \
    } while (false)
