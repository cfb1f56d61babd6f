// SPDX-License-Identifier: MIT
#include "values/budget.h"

#include <algorithm>
#include <ctime>
#include <utility>

namespace values {

double threadCpuSeconds()
{
    timespec t{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) != 0)
        return 0;
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Budget::leftAfter(double spent)
{
    constexpr double promise = 2.0;
    constexpr double kept = 0.25;
    return std::clamp(promise - kept - spent, 0.05, defaultCpuSeconds);
}

Meter::Meter(const Budget& budget, const std::atomic<bool>* cancel, std::stop_token stop, double started)
    : budget_(budget)
    , cancel_(cancel)
    , stop_(std::move(stop))
    , started_(started)
{
}

void Meter::poll()
{
    nextPoll_ = steps_ + pollEvery;
    if ((cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) || stop_.stop_requested()) {
        cancelled_ = true;
        ended_ = true;
        return;
    }
    if (threadCpuSeconds() - started_ > budget_.maxCpuSeconds) {
        limited_ = true;
        ended_ = true;
    }
}

} // namespace values
