// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the program against a bare window of its toolkit, measured as
// whole processes side by side in one run:
//
//   startup_compare <program harness> <bare window> [runs]
//
// Each run starts each of the two (alternating which goes first), takes the
// time from just before the process is created to the line it writes after
// its first frame, the processor time it reports on that line, and its peak
// resident memory when it has ended. Both run
// offscreen, so no display is needed. Prints the medians and their ratios
// against the targets; exits non-zero only when a process failed.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kDefaultRuns = 15;
constexpr double kStartupTarget = 1.25;
constexpr double kMemoryTarget = 1.15;

struct Sample {
    double milliseconds = 0.0;
    double processorMilliseconds = 0.0;
    double peakMegabytes = 0.0;
};

struct Program {
    const char* label;
    const char* path;
    std::vector<Sample> samples;
};

double Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

[[noreturn]] void Fail(const char* what, const char* program)
{
    std::fprintf(stderr, "startup_compare: %s: %s\n", program, what);
    std::exit(1);
}

// Starts the program with its standard output on a pipe and its standard
// error silenced, waits for its first line, then for its end.
Sample RunOnce(const char* path)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        Fail("no pipe", path);
    const double start = Now();
    const pid_t child = fork();
    if (child < 0)
        Fail("cannot fork", path);
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0)
            dup2(null, STDERR_FILENO);
        execl(path, path, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);

    std::string line;
    char c;
    double firstFrame = -1.0;
    ssize_t got;
    while ((got = read(pipeEnds[0], &c, 1)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        if (c == '\n') {
            firstFrame = Now();
            break;
        }
        line += c;
    }
    close(pipeEnds[0]);

    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        Fail("lost the process", path);
    if (firstFrame < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail("did not report its first frame and end normally", path);
    // The line ends with the processor time the process had used by then;
    // ru_maxrss is in kilobytes on Linux.
    double processor = 0.0;
    if (std::sscanf(line.c_str(), "first frame after %lf", &processor) != 1)
        Fail("wrote no processor time", path);
    return Sample{firstFrame - start, processor, usage.ru_maxrss / 1024.0};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double MedianOf(const Program& program, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample& sample : program.samples)
        values.push_back(sample.*field);
    return Median(values);
}

void PrintRatio(const char* what, double ratio, double target)
{
    std::printf("  %-34s %6.3f x  (target <= %.2f x)  %s\n", what, ratio, target,
                ratio <= target ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program harness> <bare window> [runs]\n", argv[0]);
        return 64;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : kDefaultRuns;
    setenv("QT_QPA_PLATFORM", KAVREL_HEADLESS_PLATFORM, 1);

    Program kavrel{"kavrel", argv[1], {}};
    Program bare{"bare Qt window", argv[2], {}};
    // One unmeasured start each, so that both find the same warm caches.
    RunOnce(kavrel.path);
    RunOnce(bare.path);
    for (int run = 0; run < runs; ++run) {
        Program& first = run % 2 == 0 ? kavrel : bare;
        Program& second = run % 2 == 0 ? bare : kavrel;
        first.samples.push_back(RunOnce(first.path));
        second.samples.push_back(RunOnce(second.path));
    }

    std::printf("Start-up to the first frame (wall clock and the process's processor time) and peak\n"
                "resident memory, offscreen, %d runs each, alternating, medians:\n",
                runs);
    for (const Program* program : {&kavrel, &bare})
        std::printf("  %-16s start-up %8.2f ms wall %8.2f ms cpu   peak RSS %7.2f MB\n", program->label,
                    MedianOf(*program, &Sample::milliseconds), MedianOf(*program, &Sample::processorMilliseconds),
                    MedianOf(*program, &Sample::peakMegabytes));
    const auto ratio = [&](double Sample::*field) { return MedianOf(kavrel, field) / MedianOf(bare, field); };
    PrintRatio("start-up, kavrel / bare window", ratio(&Sample::milliseconds), kStartupTarget);
    PrintRatio("  in processor time", ratio(&Sample::processorMilliseconds), kStartupTarget);
    PrintRatio("peak RSS, kavrel / bare window", ratio(&Sample::peakMegabytes), kMemoryTarget);
    return 0;
}
