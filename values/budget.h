// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <stop_token>

// The promise of every search (the network finder, the RC and 555 designers): an answer within
// two seconds of CPU time and a memory that grows with the answer, not with what was tried,
// whatever the input. Each search counts its work in steps, one for every turn of every loop it
// runs and more for an exact ranking, and ends at whichever comes first: its steps, or its
// thread's CPU time, read every few thousand steps. Either way it answers with the best it found
// until then and says that a better answer may exist.
namespace values {

// The CPU time of the calling thread, in seconds.
double threadCpuSeconds();

struct Budget {
    // Of the two seconds, what a search may spend: the rest is the program's start, reading the
    // input and writing the answer.
    static constexpr double defaultCpuSeconds = 1.5;
    long long maxSteps = 0;
    double maxCpuSeconds = defaultCpuSeconds;

    // For a program that answers one question and ends (the command line): what is left for
    // its search of the promised two seconds once reading the input took `spent` seconds, with a
    // quarter second kept for starting the program and writing the answer; at most
    // defaultCpuSeconds, and never so little that the nearest single parts cannot be found.
    static double leftAfter(double spent);
};

// Counts a search's steps against its budget and polls a cancel flag and a stop token.
class Meter {
public:
    // The CPU time counts from `started` (threadCpuSeconds()), so a search's own preparation
    // may be inside its budget.
    Meter(const Budget& budget, const std::atomic<bool>* cancel = nullptr, std::stop_token stop = {},
          double started = threadCpuSeconds());

    // Adds the steps; true once the search must end (out of budget, or cancelled).
    bool spend(long long steps = 1)
    {
        if (ended_)
            return true;
        steps_ += steps;
        if (steps_ > budget_.maxSteps) {
            limited_ = true;
            ended_ = true;
            return true;
        }
        if (steps_ >= nextPoll_)
            poll();
        return ended_;
    }
    bool ended() const { return ended_; }
    bool limited() const { return limited_; }
    bool cancelled() const { return cancelled_; }
    long long steps() const { return steps_; }

private:
    void poll();

    // Read the clock and the flags at least this often.
    static constexpr long long pollEvery = 4096;

    Budget budget_;
    const std::atomic<bool>* cancel_;
    std::stop_token stop_;
    double started_;
    long long steps_ = 0;
    long long nextPoll_ = pollEvery;
    bool ended_ = false;
    bool limited_ = false;
    bool cancelled_ = false;
};

} // namespace values
