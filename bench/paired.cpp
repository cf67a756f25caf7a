#include "paired.hpp"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>
#include <utility>
#include <vector>

namespace fw::bench {

namespace {

// Ratios per figure: odd, so that the median is one of them.
constexpr int kRounds = 31;
// A block of the plain side takes at least this much CPU time, so that a block outlasts the
// clock's granularity and the scheduler's slices many times over.
constexpr double kBlockSeconds = 0.02;

double cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU seconds of `passes` passes. Without a preparation the block is timed whole, so that the
// clock's own cost does not weigh on short passes.
double time_block(const Side& side, int passes) {
    if (!side.prepare) {
        const double start = cpu_seconds();
        for (int i = 0; i < passes; ++i) side.pass();
        return cpu_seconds() - start;
    }
    double total = 0;
    for (int i = 0; i < passes; ++i) {
        side.prepare();
        const double start = cpu_seconds();
        side.pass();
        total += cpu_seconds() - start;
    }
    return total;
}

// The value at quantile q (0 to 1) by nearest rank.
double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(std::lround(q * static_cast<double>(values.size() - 1)))];
}

void run_figure(benchmark::State& state, const Side& ours, const Side& plain) {
    for (auto _ : state) {
        // One pass of each before any timing: files made, caches filled, lazy set-up done.
        time_block(ours, 1);
        time_block(plain, 1);
        const double plain_once = std::max(time_block(plain, 1), 1e-6);
        const int passes = std::clamp(static_cast<int>(std::ceil(kBlockSeconds / plain_once)), 1, 1000000);
        std::vector<double> ratios, ours_times, plain_times;
        for (int round = 0; round < kRounds; ++round) {
            // Strictly ours, plain, ours, plain, ...: each block follows a block of the other side,
            // so neither finds the caches holding its own data more often than the other does.
            const double mine = time_block(ours, passes);
            const double theirs = time_block(plain, passes);
            if (theirs <= 0) {
                state.SkipWithError("the plain side took no measurable time");
                return;
            }
            ratios.push_back(mine / theirs);
            ours_times.push_back(mine / passes * 1e6);
            plain_times.push_back(theirs / passes * 1e6);
        }
        state.counters["ratio"] = quantile(ratios, 0.5);
        state.counters["ratio_q1"] = quantile(ratios, 0.25);
        state.counters["ratio_q3"] = quantile(ratios, 0.75);
        state.counters["ours_us"] = quantile(ours_times, 0.5);
        state.counters["plain_us"] = quantile(plain_times, 0.5);
        state.counters["passes"] = passes;
    }
}

}  // namespace

void register_figure(const std::string& name, Side ours, Side plain) {
    benchmark::RegisterBenchmark(name.c_str(), [ours = std::move(ours),
                                                plain = std::move(plain)](benchmark::State& state) {
        run_figure(state, ours, plain);
    })->Iterations(1);
}

}  // namespace fw::bench
