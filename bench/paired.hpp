#pragma once
// A figure compares one pass of the program's code ("ours") with one pass of the plainest code
// that moves the same bytes ("plain"). Timing the two sides in separate runs lets whatever else
// the machine does between those runs into the ratio; so the two sides run in alternation, block
// after block, each pair of blocks gives one ratio, and the figure is the median of those ratios.
// Time is the process's CPU time (user and system, so the file system's work counts): unlike
// wall-clock time it does not grow while other programs hold the processors.
#include <functional>
#include <string>
#include <utility>

namespace fw::bench {

struct Side {
    Side(std::function<void()> pass_, std::function<void()> prepare_ = {})
        : pass(std::move(pass_)), prepare(std::move(prepare_)) {}

    std::function<void()> pass;     // timed
    std::function<void()> prepare;  // before each pass, untimed (may be empty)
};

// Registers NAME as a benchmark whose counters are the figure ("ratio"), the quartiles of the
// ratios of its rounds ("ratio_q1", "ratio_q3") and each side's median time per pass in
// microseconds ("ours_us", "plain_us").
void register_figure(const std::string& name, Side ours, Side plain);

}  // namespace fw::bench
