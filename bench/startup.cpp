// SPDX-License-Identifier: MIT
// Start-up of the program against a bare Qt window built the same way: the time from starting
// the process to its window's first paint, and the process's peak resident memory, as medians
// of runs that alternate between the two so drift on the machine hits both alike.
// Usage: bench_startup [runs]   (31 by default)
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Sample {
    double milliseconds = 0;
    double megabytes = 0;
};

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

[[noreturn]] void die(const std::string& what)
{
    std::fprintf(stderr, "bench_startup: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

std::string besideThisProgram(const char* name)
{
    std::string self(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
    if (length <= 0)
        die("cannot find this program");
    self.resize(static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/') + 1) + name;
}

// The child's environment: ours, on the offscreen platform.
std::vector<char*> offscreenEnvironment(std::vector<std::string>& storage)
{
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            storage.emplace_back(*e);
    }
    storage.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char*> pointers;
    pointers.reserve(storage.size() + 1);
    for (std::string& s : storage)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

Sample runOnce(const std::string& program)
{
    int output[2];
    if (pipe(output) != 0)
        die("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    posix_spawn_file_actions_addclose(&actions, output[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> storage;
    std::vector<char*> environment = offscreenEnvironment(storage);
    std::string name = program;
    char* arguments[] = {name.data(), nullptr};

    pid_t child = 0;
    const long long start = monotonicNanoseconds();
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environment.data()) != 0)
        die("cannot start " + program);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);

    std::string printed;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(output[0], buffer, sizeof buffer)) > 0)
        printed.append(buffer, static_cast<std::size_t>(n));
    close(output[0]);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        printed.empty()) {
        std::fprintf(stderr, "bench_startup: %s did not paint and exit cleanly\n", program.c_str());
        std::exit(1);
    }
    const long long painted = std::atoll(printed.c_str());
    // glibc declares ru_maxrss inside an anonymous union.
    const long peakKilobytes = usage.ru_maxrss; // NOLINT(cppcoreguidelines-pro-type-union-access)
    return {static_cast<double>(painted - start) / 1e6, static_cast<double>(peakKilobytes) / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary {
    double milliseconds;
    double fastest;
    double slowest;
    double megabytes;
};

Summary summarise(const std::vector<Sample>& samples)
{
    std::vector<double> times;
    std::vector<double> memory;
    for (const Sample& s : samples) {
        times.push_back(s.milliseconds);
        memory.push_back(s.megabytes);
    }
    return {median(times), *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
            median(memory)};
}

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    const std::string voltiva = besideThisProgram("bench_startup_voltiva");
    const std::string bare = besideThisProgram("bench_startup_bare");

    // Page cache and font cache warm for both before anything counts.
    for (int k = 0; k < 2; ++k) {
        runOnce(bare);
        runOnce(voltiva);
    }
    std::vector<Sample> bareSamples;
    std::vector<Sample> voltivaSamples;
    for (int k = 0; k < runs; ++k) {
        bareSamples.push_back(runOnce(bare));
        voltivaSamples.push_back(runOnce(voltiva));
    }
    const Summary b = summarise(bareSamples);
    const Summary v = summarise(voltivaSamples);

    std::printf("Start-up to first paint, offscreen platform, median of %d runs each\n", runs);
    std::printf("%-16s %14s %18s %16s\n", "", "first paint", "(fastest-slowest)", "peak resident");
    std::printf("%-16s %11.1f ms %8.1f-%-6.1f ms %13.1f MB\n", "bare Qt window", b.milliseconds, b.fastest, b.slowest,
                b.megabytes);
    std::printf("%-16s %11.1f ms %8.1f-%-6.1f ms %13.1f MB\n", "Voltiva", v.milliseconds, v.fastest, v.slowest,
                v.megabytes);
    std::printf("%-16s %12.2fx %18s %+13.1f MB\n", "Voltiva vs bare", v.milliseconds / b.milliseconds, "",
                v.megabytes - b.megabytes);
    std::printf("target: at most 1.05x the time and 5 MB more memory: %s\n",
                v.milliseconds <= 1.05 * b.milliseconds && v.megabytes - b.megabytes <= 5 ? "met" : "NOT met");
    return 0;
}
