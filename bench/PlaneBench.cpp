// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks of the window's drawing, offscreen: the repaint of the plane,
// a click on the plane, a drag of the zoom scroll bar's thumb and the
// number texts. The window is set up as a learner would: the parabola's
// conditions on the keypad, then clicks until 100 points are kept.

#include "Session.h"

#include "numbers/Fmt.h"
#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

int errorsShown = 0;

double Milliseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> samples)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

// Wall-clock and processor time of single runs, in milliseconds. On a busy
// machine the wall clock also counts the time other processes had the
// processor; the thread's processor time does not.
class Samples {
public:
    void Start()
    {
        wallStart_ = Milliseconds(CLOCK_MONOTONIC);
        cpuStart_ = Milliseconds(CLOCK_THREAD_CPUTIME_ID);
    }
    void Stop()
    {
        wall_.push_back(Milliseconds(CLOCK_MONOTONIC) - wallStart_);
        cpu_.push_back(Milliseconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart_);
    }
    // The medians as counters.
    void Report(benchmark::State& state) const
    {
        state.counters["median_ms"] = Median(wall_);
        state.counters["median_cpu_ms"] = Median(cpu_);
    }

private:
    double wallStart_ = 0.0;
    double cpuStart_ = 0.0;
    std::vector<double> wall_;
    std::vector<double> cpu_;
};

// The whole plane redrawn from the state: grid, 100 kept points, F, the
// fixed line, the probe's texts and segments. No frame is shown between.
void PaintBox1Paint(benchmark::State& state)
{
    int& scale = session::Kavrel_Form->Lesson.Scale;
    const int savedScale = scale;
    scale = int(state.range(0));
    for (auto _ : state)
        session::Kavrel_Form->PaintBox1Paint(session::Kavrel_Form->PaintBox1);
    scale = savedScale;
    session::Kavrel_Form->PaintBox1Paint(session::Kavrel_Form->PaintBox1);
    session::PaintPendingFrame();
}
BENCHMARK(PaintBox1Paint)->ArgName("scale")->Arg(4)->Arg(20)->Arg(36)->Unit(benchmark::kMicrosecond);

// The click handler alone: P and H from the click, then the repaint with
// the probe, on the retained pictures only.
void PaintBox1MouseDown(benchmark::State& state)
{
    const QPoint at = session::PointOnParabola();
    for (auto _ : state)
        session::Kavrel_Form->PaintBox1MouseDown(session::Kavrel_Form->PaintBox1, mbLeft, ssLeft, at.x(), at.y());
    session::PaintPendingFrame();
}
BENCHMARK(PaintBox1MouseDown)->Unit(benchmark::kMicrosecond);

// A whole click on the plane: press and release as mouse events, the
// handler's repaint, and the frame that shows the new plane and texts.
void ClickOnPlane(benchmark::State& state)
{
    const QPoint at = session::PointOnParabola();
    session::PaintCounter planePaints(session::Kavrel_Form->PaintBox1);
    Samples samples;
    for (auto _ : state) {
        samples.Start();
        session::ClickPlane(at);
        session::PaintPendingFrame();
        samples.Stop();
    }
    samples.Report(state);
    state.counters["frames"] = benchmark::Counter(planePaints.Count(), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ClickOnPlane)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// A drag of the scroll bar's thumb from 0 to 100: 100 moves, 100
// notifications, each redrawing the whole plane at its scale and showing
// it in a frame.
void ThumbDrag(benchmark::State& state)
{
    TScrollBar* bar = session::Kavrel_Form->ScrollBar1;
    const TScrollEvent scroll = bar->OnScroll;
    int notifications = 0;
    bar->OnScroll = [&](TObject* sender, TScrollCode code, int& position) {
        ++notifications;
        scroll(sender, code, position);
    };
    session::PaintCounter planePaints(session::Kavrel_Form->PaintBox1);
    Samples samples;
    for (auto _ : state) {
        state.PauseTiming();
        bar->setValue(0);
        session::Kavrel_Form->Lesson.Scale = ScaleOfPosition(0);
        session::PaintPendingFrame();
        state.ResumeTiming();

        samples.Start();
        bar->setSliderDown(true);
        for (int position = 1; position <= 100; ++position) {
            bar->setSliderPosition(position);
            session::PaintPendingFrame();
        }
        bar->setSliderDown(false);
        session::PaintPendingFrame();
        samples.Stop();
    }
    bar->OnScroll = scroll;
    samples.Report(state);
    state.counters["notifications"] = benchmark::Counter(notifications, benchmark::Counter::kAvgIterations);
    state.counters["frames"] = benchmark::Counter(planePaints.Count(), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ThumbDrag)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Fmt over a spread of values: zero, rounding at the second decimal, the
// five-digit limit, the exponent form, tiny and huge magnitudes.
void FmtSpread(benchmark::State& state)
{
    static const long double values[] = {
        0.0L,    0.004L,   -0.005L,  1.0L,      -2.5L,     3.14159265L, 12.345L,  -99.995L,
        1234.5L, 99999.4L, 99999.5L, -123456.7L, 1.0e10L,  6.02e23L,    1.0e-7L,  1.0L / 3,
    };
    for (auto _ : state)
        for (long double value : values)
            benchmark::DoNotOptimize(Fmt(value));
    state.SetItemsProcessed(state.iterations() * std::size(values));
}
BENCHMARK(FmtSpread)->Unit(benchmark::kMicrosecond);

// The console table, then each target against the median it bounds.
class TargetReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal.
    TargetReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto wall = run.counters.find("median_ms");
            const auto cpu = run.counters.find("median_cpu_ms");
            if (wall != run.counters.end() && cpu != run.counters.end())
                medians_[run.run_name.function_name] = {wall->second.value, cpu->second.value};
        }
    }

    void PrintTargets() const
    {
        std::printf("\nTargets (medians of single runs, wall clock and the thread's processor time):\n");
        PrintTarget("ClickOnPlane", "click on the plane, repainted", 0.5);
        PrintTarget("ThumbDrag", "thumb drag 0..100, 100 notifications", 60.0);
    }

private:
    void PrintTarget(const std::string& name, const char* what, double limitMs) const
    {
        const auto median = medians_.find(name);
        if (median == medians_.end())
            return;
        const auto [wall, cpu] = median->second;
        std::printf("  %-38s %9.3f ms wall %9.3f ms cpu  (target <= %.1f ms)  %s\n", what, wall, cpu, limitMs,
                    wall <= limitMs ? "met" : cpu <= limitMs ? "met in processor time only" : "MISSED");
    }

    std::map<std::string, std::pair<double, double>> medians_;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", KAVREL_HEADLESS_PLATFORM);
    int qtArgc = 1;
    TApplication application(qtArgc, argv);
    SetErrorBox([](const QString& caption, const QString& text) {
        ++errorsShown;
        std::fprintf(stderr, "error box: %s: %s\n", qPrintable(caption), qPrintable(text));
    });

    session::ShowWindow();
    if (!session::TraceParabola(ZANZO_MAX)) {
        std::fprintf(stderr, "only %d of %d points of the parabola were kept\n",
                     session::Kavrel_Form->Lesson.ZanzoCount, ZANZO_MAX);
        return 1;
    }
    session::PaintPendingFrame();

    std::ifstream loadAverage("/proc/loadavg");
    std::string load1, load5;
    if (loadAverage >> load1 >> load5)
        std::printf("Load average before the benchmarks: %s (1 min), %s (5 min)\n", load1.c_str(), load5.c_str());

    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTargets();
    benchmark::Shutdown();
    if (errorsShown > 0) {
        std::fprintf(stderr, "%d error boxes were shown during the benchmarks\n", errorsShown);
        return 1;
    }
    return 0;
}
