// Each figure pairs the program's reader ("ours") with the plainest code that moves the same bytes
// ("plain"): one fopen, one fread, one fwrite where a write is needed.
#include "formats_bench.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/formats/far.hpp"
#include "core/formats/iff.hpp"
#include "core/formats/safe_names.hpp"
#include "fixtures.hpp"
#include "paired.hpp"

namespace fw::bench {

namespace {

FILE* open(const std::string& path, const char* mode) {
    FILE* file = std::fopen(path.c_str(), mode);
    if (file == nullptr) throw std::runtime_error("benchmark: cannot open " + path);
    return file;
}

void iff_read_ours() {
    IFFFile file;
    const std::string result = gfstrReadIFFChecked(file, fixtures().character_file);
    benchmark::DoNotOptimize(result.data());
    benchmark::DoNotOptimize(file.chunks.data());
}

void iff_read_plain() {
    FILE* file = open(fixtures().character_file, "rb");
    std::fseek(file, 0, SEEK_END);
    std::string bytes(static_cast<size_t>(std::ftell(file)), '\0');
    std::fseek(file, 0, SEEK_SET);
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    benchmark::DoNotOptimize(got);
    benchmark::DoNotOptimize(bytes.data());
}

void far_dir_ours() {
    FARdir dir;
    gsReadFARdir(dir, fixtures().directory_archive);
    benchmark::DoNotOptimize(dir.Entries.size());
}

void far_dir_plain() {
    const Fixtures& f = fixtures();
    FILE* file = open(f.directory_archive, "rb");
    std::fseek(file, static_cast<long>(f.directory_offset), SEEK_SET);
    std::string bytes(static_cast<size_t>(f.directory_size), '\0');
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    benchmark::DoNotOptimize(got);
    benchmark::DoNotOptimize(bytes.data());
}

void far_extract_ours() {
    const Fixtures& f = fixtures();
    for (int32_t i = 1; i <= f.extract_dir.count(); ++i)
        gsExtractFile(f.extract_archive, f.out_ours, f.extract_dir, i);
}

void far_extract_plain() {
    const Fixtures& f = fixtures();
    static std::vector<char> buffer;
    FILE* in = open(f.extract_archive, "rb");
    for (const FARentry& entry : f.extract_dir.Entries) {
        const size_t size = static_cast<size_t>(entry.file_size());
        buffer.resize(size);
        std::fseek(in, entry.file_offset(), SEEK_SET);
        const size_t got = std::fread(buffer.data(), 1, size, in);
        FILE* out = open(f.out_plain + "/" + entry_base_name(entry.FileName), "wb");
        std::fwrite(buffer.data(), 1, got, out);
        std::fclose(out);
    }
    std::fclose(in);
}

}  // namespace

void register_benchmarks() {
    register_figure("iff_read", {iff_read_ours}, {iff_read_plain});
    register_figure("far_dir", {far_dir_ours}, {far_dir_plain});
    // Every pass writes fresh files into an emptied folder, as an extraction into the skins
    // folder does; emptying it is not timed.
    register_figure("far_extract", {far_extract_ours, [] { fresh_folder(fixtures().out_ours); }},
                    {far_extract_plain, [] { fresh_folder(fixtures().out_plain); }});
}

}  // namespace fw::bench
