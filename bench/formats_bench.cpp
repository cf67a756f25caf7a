// Each figure pairs the program's reader ("ours") with the plainest code that moves the same bytes
// ("plain"): one fopen, one fread, one fwrite where a write is needed.
#include "formats_bench.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/formats/binary.hpp"
#include "core/formats/far.hpp"
#include "core/formats/iff.hpp"
#include "core/formats/safe_names.hpp"
#include "fixtures.hpp"

namespace fw::bench {

namespace {

FILE* open(const std::string& path, const char* mode) {
    FILE* file = std::fopen(path.c_str(), mode);
    if (file == nullptr) throw std::runtime_error("benchmark: cannot open " + path);
    return file;
}

void iff_read_ours(benchmark::State& state) {
    const Fixtures& f = fixtures();
    for (auto _ : state) {
        IFFFile file;
        const std::string result = gfstrReadIFFChecked(file, f.character_file);
        benchmark::DoNotOptimize(result.data());
        benchmark::DoNotOptimize(file.chunks.data());
    }
}

void iff_read_plain(benchmark::State& state) {
    const Fixtures& f = fixtures();
    for (auto _ : state) {
        FILE* file = open(f.character_file, "rb");
        std::fseek(file, 0, SEEK_END);
        std::string bytes(static_cast<size_t>(std::ftell(file)), '\0');
        std::fseek(file, 0, SEEK_SET);
        const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void far_dir_ours(benchmark::State& state) {
    const Fixtures& f = fixtures();
    for (auto _ : state) {
        FARdir dir;
        gsReadFARdir(dir, f.directory_archive);
        benchmark::DoNotOptimize(dir.Entries.size());
    }
}

void far_dir_plain(benchmark::State& state) {
    const Fixtures& f = fixtures();
    for (auto _ : state) {
        FILE* file = open(f.directory_archive, "rb");
        std::fseek(file, static_cast<long>(f.directory_offset), SEEK_SET);
        std::string bytes(static_cast<size_t>(f.directory_size), '\0');
        const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void far_extract_ours(benchmark::State& state) {
    const Fixtures& f = fixtures();
    for (auto _ : state) {
        state.PauseTiming();
        fresh_folder(f.out_ours);
        state.ResumeTiming();
        for (int32_t i = 1; i <= f.extract_dir.count(); ++i)
            gsExtractFile(f.extract_archive, f.out_ours, f.extract_dir, i);
    }
}

void far_extract_plain(benchmark::State& state) {
    const Fixtures& f = fixtures();
    std::vector<char> buffer;
    for (auto _ : state) {
        state.PauseTiming();
        fresh_folder(f.out_plain);
        state.ResumeTiming();
        FILE* in = open(f.extract_archive, "rb");
        for (const FARentry& entry : f.extract_dir.Entries) {
            const size_t size = static_cast<size_t>(gflngStrToLongLE(entry.FileSize));
            buffer.resize(size);
            std::fseek(in, gflngStrToLongLE(entry.FileOffset), SEEK_SET);
            const size_t got = std::fread(buffer.data(), 1, size, in);
            FILE* out = open(f.out_plain + "/" + entry_base_name(entry.FileName), "wb");
            std::fwrite(buffer.data(), 1, got, out);
            std::fclose(out);
        }
        std::fclose(in);
    }
}

}  // namespace

void register_benchmarks() {
    // The figures compare process CPU time (user and system, so the file system's work counts):
    // unlike wall-clock time it does not grow when other programs share the machine. The median
    // of a few repetitions steadies them further.
    auto add = [](const char* name, void (*fn)(benchmark::State&), double min_time) {
        benchmark::RegisterBenchmark(name, fn)->MinTime(min_time)->Repetitions(5)->ReportAggregatesOnly(true);
    };
    add("iff_read/ours", iff_read_ours, 0.1);
    add("iff_read/plain", iff_read_plain, 0.1);
    add("far_dir/ours", far_dir_ours, 0.1);
    add("far_dir/plain", far_dir_plain, 0.1);
    add("far_extract/ours", far_extract_ours, 0.3);
    add("far_extract/plain", far_extract_plain, 0.3);
}

}  // namespace fw::bench
