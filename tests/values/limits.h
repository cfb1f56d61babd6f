// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <new>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_limits {

// AddressSanitizer reserves terabytes of address space up front and slows the program several
// times: under it a memory limit means nothing and processor limits want raising.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool sanitized = true;
#else
inline constexpr bool sanitized = false;
#endif
#else
inline constexpr bool sanitized = false;
#endif

inline constexpr int outOfMemory = 98; // the child's status when an allocation failed
inline constexpr int threw = 97;       // when anything else was thrown

// How a child ended and what it used, as the kernel counted it.
struct Usage {
    bool exited = false; // else a signal ended it
    int status = -1;     // the exit status, or the signal
    double cpuSeconds = 0;
    long peakKilobytes = 0;
};

// Runs `body` in a child process held to `cpuSeconds` of processor time and, where that holds,
// `memoryBytes` of address space; the child exits with what `body` returns and never returns into
// the test program. A runaway is stopped by the kernel (SIGXCPU, or an allocation that fails),
// never by a clock in the test.
inline Usage runLimited(rlim_t cpuSeconds, rlim_t memoryBytes, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit cpu{cpuSeconds, cpuSeconds + 2};
        ::setrlimit(RLIMIT_CPU, &cpu);
        if (!sanitized) {
            const rlimit memory{memoryBytes, memoryBytes};
            ::setrlimit(RLIMIT_AS, &memory);
        }
        int status = threw;
        try {
            status = body();
        } catch (const std::bad_alloc&) {
            status = outOfMemory;
        } catch (...) {
            status = threw;
        }
        ::_exit(status);
    }
    Usage usage;
    int wstatus = 0;
    rusage used{};
    if (child < 0 || ::wait4(child, &wstatus, 0, &used) != child)
        return usage;
    usage.exited = WIFEXITED(wstatus);
    usage.status = usage.exited ? WEXITSTATUS(wstatus) : WTERMSIG(wstatus);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    usage.cpuSeconds = seconds(used.ru_utime) + seconds(used.ru_stime);
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-union-access): how glibc declares struct rusage
    usage.peakKilobytes = used.ru_maxrss;
    return usage;
}

// Whether `body` returned within the limits.
inline bool runsWithin(rlim_t cpuSeconds, rlim_t memoryBytes, const std::function<void()>& body)
{
    const Usage usage = runLimited(cpuSeconds, memoryBytes, [&] {
        body();
        return 0;
    });
    return usage.exited && usage.status == 0;
}

} // namespace testing_limits
