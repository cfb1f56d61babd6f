// SPDX-License-Identifier: MIT
#pragma once

#include <QMetaObject>
#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <utility>

namespace tools {

namespace detail {
// Workers still running, those of windows already gone among them. Trivially destroyed, so it
// outlives every static a job may read.
inline std::atomic<int> liveWorkers{0};
} // namespace detail

// Waits, up to `limit`, for the jobs of windows already closed to notice their stop. A program
// calls it before returning from main: the static tables a job reads go when main returns.
inline void waitForWorkers(std::chrono::milliseconds limit = std::chrono::seconds(30))
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (detail::liveWorkers.load() > 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

// Runs the newest of a stream of jobs on one worker thread and hands its result to the UI thread.
// A window calls run() on every keystroke: the job in progress is asked to stop, jobs that never
// started are dropped, and a result whose job has been superseded is never delivered, so what the
// window shows always belongs to the newest input.
//
// A job takes a std::stop_token and should look at it now and then; what it returns after a stop
// is thrown away. Results arrive through `deliver`, queued to `context`'s thread, and not at all
// once `context` or this object is gone. Going away never waits for a job: the worker is asked to
// stop and left to finish on its own, holding only what it shares with no window (the job, and
// the state below), so closing a window stays instant however long a search takes to notice.
template <class Result>
class Latest {
public:
    using Job = std::function<Result(const std::stop_token&)>;
    using Deliver = std::function<void(Result)>;

    Latest(QObject* context, Deliver deliver)
        : state_(std::make_shared<State>())
        , context_(context)
        , deliver_(std::move(deliver))
    {
    }

    Latest(const Latest&) = delete;
    Latest& operator=(const Latest&) = delete;
    Latest(Latest&&) = delete;
    Latest& operator=(Latest&&) = delete;

    ~Latest()
    {
        {
            const std::scoped_lock lock(state_->mutex);
            state_->closing = true;
            state_->pending.reset();
            state_->running.request_stop();
            ++state_->generation;
        }
        state_->wake.notify_all();
        if (worker_.joinable())
            worker_.detach();
    }

    // Supersedes every earlier job.
    void run(Job job)
    {
        {
            const std::scoped_lock lock(state_->mutex);
            state_->running.request_stop();
            state_->pending = std::move(job);
            ++state_->generation;
        }
        if (!worker_.joinable()) {
            ++detail::liveWorkers;
            worker_ = std::thread(work, state_, context_, deliver_);
        }
        state_->wake.notify_all();
    }

    // Drops the job in progress and any waiting one, delivering nothing, e.g. when the input
    // became invalid.
    void cancel()
    {
        const std::scoped_lock lock(state_->mutex);
        state_->running.request_stop();
        state_->pending.reset();
        state_->delivered = ++state_->generation;
    }

    // True from run() until its result is delivered or dropped by cancel().
    bool busy() const
    {
        const std::scoped_lock lock(state_->mutex);
        return state_->delivered != state_->generation;
    }

private:
    struct State {
        mutable std::mutex mutex;
        std::condition_variable wake;
        std::optional<Job> pending;
        std::stop_source running;
        unsigned long generation = 0;
        unsigned long delivered = 0; // touched on the UI thread only, read under the mutex
        bool closing = false;
    };

    // No `this`: the worker may outlive the object. It posts to `context` only under the mutex
    // while not closing, and the destructor sets closing under the same mutex while `context`
    // still stands; Qt drops what was posted to an object when it is destroyed.
    static void work(std::shared_ptr<State> state, QObject* context, const Deliver& deliver)
    {
        struct Counted {
            Counted() = default;
            Counted(const Counted&) = delete;
            Counted& operator=(const Counted&) = delete;
            Counted(Counted&&) = delete;
            Counted& operator=(Counted&&) = delete;
            ~Counted() { --detail::liveWorkers; }
        } const counted;
        std::unique_lock lock(state->mutex);
        for (;;) {
            state->wake.wait(lock, [&] { return state->closing || state->pending; });
            if (state->closing)
                return;
            Job job = std::move(*state->pending);
            state->pending.reset();
            state->running = std::stop_source();
            const std::stop_token token = state->running.get_token();
            const unsigned long generation = state->generation;
            lock.unlock();

            Result result = job(token);
            job = nullptr; // what it holds goes now, not at the next job

            lock.lock();
            if (state->closing)
                return;
            if (token.stop_requested() || generation != state->generation)
                continue;
            // The check is repeated on the UI thread: a newer run() may come before the result
            // is handed over there.
            QMetaObject::invokeMethod(
                context,
                [weak = std::weak_ptr<State>(state), deliver, generation, result = std::move(result)]() mutable {
                    const std::shared_ptr<State> alive = weak.lock();
                    if (!alive)
                        return;
                    {
                        const std::scoped_lock lock(alive->mutex);
                        if (generation != alive->generation || alive->closing)
                            return;
                        alive->delivered = generation;
                    }
                    deliver(std::move(result));
                },
                Qt::QueuedConnection);
        }
    }

    std::shared_ptr<State> state_;
    QObject* context_;
    Deliver deliver_;
    std::thread worker_;
};

} // namespace tools
