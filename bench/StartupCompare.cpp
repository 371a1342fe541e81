// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the program against a bare window of its toolkit, measured as
// whole processes side by side in one run:
//
//   startup_compare [--x] <program harness> <bare window> [runs]
//
// Each run starts each of the two (alternating which goes first), takes the
// time from just before the process is created to the line it writes after
// its first frame, the processor time it reports on that line, and its peak
// resident memory when it has ended. Both run offscreen, so no display is
// needed; with --x both run on the X server of DISPLAY instead, the first
// frame counts once the server has received it, and the time until the
// window is mapped is taken too, from the server's own notice on one kept
// connection. Prints the medians and their ratios against the targets;
// exits non-zero only when a process failed.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

constexpr int kDefaultRuns = 15;
constexpr int kMapWaitMs = 5000;

struct Targets {
    double startup;
    double memory;
};
constexpr Targets kOffscreenTargets{1.25, 1.15};
constexpr Targets kXTargets{1.10, 1.05};

struct Sample {
    double milliseconds = 0.0;
    double mapMilliseconds = 0.0;
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

// The windows that the X server maps on its screen, told by the server
// itself on one connection kept for the whole run.
class MapWatch {
public:
    MapWatch()
        : connection_(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(connection_))
            Fail("cannot connect to the X server of DISPLAY", "startup_compare");
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~MapWatch() { xcb_disconnect(connection_); }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    int Descriptor() const { return xcb_get_file_descriptor(connection_); }

    // Reads what the server has sent: true when it mapped a top-level window
    // of a program (not a menu or a tooltip, which bypass window managers).
    bool Mapped()
    {
        bool mapped = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY)
                mapped |= !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            std::free(event);
        }
        return mapped;
    }

private:
    xcb_connection_t* connection_;
};

// Reads the child's first line from the pipe; returns the time it ended,
// or -1 at the end of the pipe.
double ReadFirstLine(int pipe, std::string& line)
{
    char c;
    ssize_t got;
    while ((got = read(pipe, &c, 1)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        if (c == '\n')
            return Now();
        line += c;
    }
    return -1.0;
}

// Waits for the first line, and with a watch for the window's map too,
// which the server may tell after the line has come.
void AwaitFirstFrame(int pipe, MapWatch* watch, std::string& line, double& firstFrame, double& mapped)
{
    const double deadline = Now() + kMapWaitMs;
    bool pipeOpen = true;
    while ((pipeOpen && firstFrame < 0) || (watch && mapped < 0 && Now() < deadline)) {
        pollfd fds[2] = {{pipe, POLLIN, 0}, {watch ? watch->Descriptor() : -1, POLLIN, 0}};
        if (poll(fds, watch ? 2 : 1, 100) < 0 && errno != EINTR)
            break;
        if (watch && mapped < 0 && watch->Mapped())
            mapped = Now();
        if (pipeOpen && firstFrame < 0 && (fds[0].revents & (POLLIN | POLLHUP))) {
            firstFrame = ReadFirstLine(pipe, line);
            pipeOpen = firstFrame >= 0;
        }
    }
}

// Starts the program with its standard output on a pipe and its standard
// error silenced, waits for its first line, then for its end.
Sample RunOnce(const char* path, MapWatch* watch)
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
    double firstFrame = -1.0;
    double mapped = -1.0;
    AwaitFirstFrame(pipeEnds[0], watch, line, firstFrame, mapped);
    close(pipeEnds[0]);

    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        Fail("lost the process", path);
    if (firstFrame < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail("did not report its first frame and end normally", path);
    if (watch && mapped < 0)
        Fail("mapped no window", path);
    // The line ends with the processor time the process had used by then;
    // ru_maxrss is in kilobytes on Linux.
    double processor = 0.0;
    if (std::sscanf(line.c_str(), "first frame after %lf", &processor) != 1)
        Fail("wrote no processor time", path);
    return Sample{firstFrame - start, mapped - start, processor, usage.ru_maxrss / 1024.0};
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
    const bool onX = argc > 1 && std::strcmp(argv[1], "--x") == 0;
    if (onX) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_compare [--x] <program harness> <bare window> [runs]\n");
        return 64;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : kDefaultRuns;
    setenv("QT_QPA_PLATFORM", onX ? "xcb" : KAVREL_HEADLESS_PLATFORM, 1);
    std::unique_ptr<MapWatch> watch = onX ? std::make_unique<MapWatch>() : nullptr;
    const Targets targets = onX ? kXTargets : kOffscreenTargets;

    Program kavrel{"kavrel", argv[1], {}};
    Program bare{"bare Qt window", argv[2], {}};
    // One unmeasured start each, so that both find the same warm caches.
    RunOnce(kavrel.path, watch.get());
    RunOnce(bare.path, watch.get());
    for (int run = 0; run < runs; ++run) {
        Program& first = run % 2 == 0 ? kavrel : bare;
        Program& second = run % 2 == 0 ? bare : kavrel;
        first.samples.push_back(RunOnce(first.path, watch.get()));
        second.samples.push_back(RunOnce(second.path, watch.get()));
    }

    if (onX)
        std::printf("Start-up on the X server %s: to the window's map, to the first frame the server has\n"
                    "received, the process's processor time by then, peak resident memory; %d runs each,\n"
                    "alternating, medians:\n",
                    std::getenv("DISPLAY"), runs);
    else
        std::printf("Start-up to the first frame (wall clock and the process's processor time) and peak\n"
                    "resident memory, offscreen, %d runs each, alternating, medians:\n",
                    runs);
    for (const Program* program : {&kavrel, &bare}) {
        std::printf("  %-16s", program->label);
        if (onX)
            std::printf(" map %8.2f ms", MedianOf(*program, &Sample::mapMilliseconds));
        std::printf(" start-up %8.2f ms wall %8.2f ms cpu   peak RSS %7.2f MB\n",
                    MedianOf(*program, &Sample::milliseconds), MedianOf(*program, &Sample::processorMilliseconds),
                    MedianOf(*program, &Sample::peakMegabytes));
    }
    const auto ratio = [&](double Sample::*field) { return MedianOf(kavrel, field) / MedianOf(bare, field); };
    if (onX)
        PrintRatio("map, kavrel / bare window", ratio(&Sample::mapMilliseconds), targets.startup);
    PrintRatio("start-up, kavrel / bare window", ratio(&Sample::milliseconds), targets.startup);
    PrintRatio("  in processor time", ratio(&Sample::processorMilliseconds), targets.startup);
    PrintRatio("peak RSS, kavrel / bare window", ratio(&Sample::peakMegabytes), targets.memory);
    return 0;
}
