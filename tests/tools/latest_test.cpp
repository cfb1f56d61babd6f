// SPDX-License-Identifier: MIT
// The newest-job runner the tool windows search with: what a newer input supersedes never
// reaches the window, and nothing outlives the runner.
#include "tools/latest.h"

#include <QObject>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr int waitMs = 5000;

// Runs until asked to stop, so a test decides when the worker is busy.
int untilStopped(const std::stop_token& token, std::atomic<bool>& started, std::atomic<bool>& stopped)
{
    started = true;
    while (!token.stop_requested())
        std::this_thread::yield();
    stopped = true;
    return -1;
}

TEST(Latest, DeliversOnlyTheNewestJobAndStopsTheOneItSupersedes)
{
    QObject context;
    std::vector<int> delivered;
    tools::Latest<int> latest(&context, [&](int r) { delivered.push_back(r); });
    std::atomic<bool> started{false};
    std::atomic<bool> stopped{false};

    latest.run([&](const std::stop_token& t) { return untilStopped(t, started, stopped); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, waitMs));
    latest.run([](const std::stop_token&) { return 1; }); // never starts: the next one supersedes it too
    latest.run([](const std::stop_token&) { return 2; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !latest.busy(); }, waitMs));

    EXPECT_TRUE(stopped);
    EXPECT_EQ(delivered, std::vector<int>{2});
}

TEST(Latest, ACancelledJobDeliversNothing)
{
    QObject context;
    std::optional<int> delivered;
    tools::Latest<int> latest(&context, [&](int r) { delivered = r; });
    latest.run([](const std::stop_token&) { return 7; });
    latest.cancel();
    EXPECT_FALSE(latest.busy());
    QTest::qWait(50);
    EXPECT_FALSE(delivered);
}

TEST(Latest, GoingAwayStopsTheRunningJob)
{
    std::atomic<bool> started{false};
    std::atomic<bool> stopped{false};
    {
        QObject context;
        tools::Latest<int> latest(&context, [](int) { ADD_FAILURE() << "delivered after going away"; });
        latest.run([&](const std::stop_token& t) { return untilStopped(t, started, stopped); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, waitMs));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return stopped.load(); }, waitMs));
    QTest::qWait(20);
}

// A job slow to notice the stop (a search between two looks at its token) does not hold up the
// window that goes away, and what it returns later reaches nobody.
TEST(Latest, GoingAwayNeverWaitsForTheJob)
{
    auto release = std::make_shared<std::atomic<bool>>(false);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    {
        QObject context;
        tools::Latest<std::vector<int>> latest(
            &context, [](const std::vector<int>&) { ADD_FAILURE() << "delivered after going away"; });
        latest.run([release, finished](const std::stop_token&) {
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!*release && std::chrono::steady_clock::now() < until)
                std::this_thread::yield();
            *finished = true;
            return std::vector<int>(1000, 1);
        });
        QTest::qWait(20);
    }
    EXPECT_FALSE(*finished) << "the window waited for the job";
    *release = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished->load(); }, waitMs));
    QTest::qWait(50);
}

} // namespace
