// Runs the paired benchmarks and prints one line per figure, "ratio NAME VALUE", VALUE being the
// median of the ratios of our time to the plain code's time over the figure's rounds (paired.hpp).
// The head's frame is also given as "fps head_render VALUE", the frames a second its median time
// allows. The usual table, with the quartiles of the ratios and each side's time per pass, goes to
// the file named by --table (default: standard error).
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "fixtures.hpp"
#include "formats_bench.hpp"
#include "head_render_bench.hpp"
#include "page_draw_bench.hpp"

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}  // no colour codes in the table file

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) failed_ = true;
            const auto ratio = run.counters.find("ratio");
            const auto ours = run.counters.find("ours_us");
            if (ratio == run.counters.end() || ours == run.counters.end()) continue;
            figures_[run.run_name.function_name] = {ratio->second.value, ours->second.value};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints the ratios; false when a benchmark failed.
    bool print_ratios() const {
        for (const auto& [name, figure] : figures_) {
            std::printf("ratio %s %.2f\n", name.c_str(), figure.ratio);
            // A frame of the turning head is also said as the frames a second it allows.
            if (name == "head_render" && figure.ours_us > 0)
                std::printf("fps %s %.0f\n", name.c_str(), 1e6 / figure.ours_us);
        }
        return !failed_;
    }

private:
    struct Figure {
        double ratio = 0;
        double ours_us = 0;  // median time of one pass of our side
    };
    std::map<std::string, Figure> figures_;
    bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::string table;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--table=", 8) == 0) {
            table = argv[i] + 8;
        } else {
            args.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;

    // The windows are drawn offscreen unless a platform is chosen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(count, args.data());

    fw::bench::fixtures();  // built before any timing starts
    fw::bench::register_benchmarks();
    fw::bench::register_page_draw_benchmarks();
    fw::bench::register_head_render_benchmarks();
    RatioReporter reporter;
    std::ofstream table_file;
    if (!table.empty()) {
        table_file.open(table);
        reporter.SetOutputStream(&table_file);
        reporter.SetErrorStream(&table_file);
    } else {
        reporter.SetOutputStream(&std::cerr);
    }
    benchmark::RunSpecifiedBenchmarks(&reporter);
    fw::bench::release_page_draw_fixture();
    benchmark::Shutdown();
    return reporter.print_ratios() ? 0 : 1;
}
