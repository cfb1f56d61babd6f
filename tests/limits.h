// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_limits {

// The sanitizers reserve terabytes of address space, so a memory limit means nothing under them.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool memoryLimitHolds = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool memoryLimitHolds = false;
#else
inline constexpr bool memoryLimitHolds = true;
#endif
#else
inline constexpr bool memoryLimitHolds = true;
#endif

// Runs `body` in a child process held to `cpuSeconds` of processor time and, where that holds,
// `memoryBytes` of address space: true when it returned within them. A runaway is stopped by
// the kernel (SIGXCPU, or an allocation that fails), never by a clock in the test.
inline bool runsWithin(rlim_t cpuSeconds, rlim_t memoryBytes, const std::function<void()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit cpu{cpuSeconds, cpuSeconds};
        ::setrlimit(RLIMIT_CPU, &cpu);
        if (memoryLimitHolds) {
            const rlimit memory{memoryBytes, memoryBytes};
            ::setrlimit(RLIMIT_AS, &memory);
        }
        try {
            body();
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace testing_limits
