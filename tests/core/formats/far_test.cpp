#include "core/formats/far.hpp"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include "builders/far_builder.hpp"
#include "core/base/error_trap.hpp"
#include "lying_field.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::FarEntry;

std::string pattern(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + i / 256) & 0xFF);
    return s;
}

TEST(FarArchive, DirectoryAsFarAsItsEntriesReachAndExtractionOfEveryEntrySize) {
    fw::build::TempDir dir;
    const std::vector<FarEntry> entries = {
        {"a\\b\\head.bmp", pattern(32768)},
        {"whole.bmp", pattern(32769)},
        {"skins/slash.bmp", pattern(100)},
        {"empty.bmp", ""},
    };
    const std::string archive = dir.write("Textures.far", fw::build::far_archive(entries));
    fw::FARdir far;
    fw::gsReadFARdir(far, archive);
    ASSERT_EQ(far.count(), 4);
    EXPECT_EQ(far.entry(1).FileName, "a\\b\\head.bmp");
    std::filesystem::create_directory(dir.path() / "out");
    for (int32_t i = 1; i <= far.count(); ++i) fw::gsExtractFile(archive, dir.str() + "\\out\\", far, i);
    const std::string extracted[] = {"head.bmp", "whole.bmp", "slash.bmp", "empty.bmp"};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(dir.read("out/" + extracted[i]), entries[i].data) << extracted[i];
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "out/empty.bmp"));

    // Under a given name, over a longer file: the file holds exactly the entry afterwards.
    dir.write("out/headtemp.bmp", std::string(70000, 'z'));
    fw::gsExtractFileEx(archive, dir.str() + "/out/", "headtemp.bmp", far, 3);
    EXPECT_EQ(dir.read("out/headtemp.bmp"), entries[2].data);

    // The directory is read as far as its entries reach: a long one whole, one whose offset lies far
    // before the end of a huge archive without the rest.
    const std::string name(600000, 'n');
    fw::gsReadFARdir(far,
                     dir.write("long.far", fw::build::far_archive({{name + "1", "a"}, {name + "2", "b"}})));
    EXPECT_EQ(far.entry(2).FileName, name + "2");

    // At 16, where data would begin: a count of 1 and an entry named "x", then a gigabyte.
    const auto le = [](char low) { return std::string(1, low) + std::string(3, '\0'); };
    const std::string huge =
        dir.write("huge.far", "FAR!byAZ" + le(1) + le(16) + le(1) + std::string(12, '\0') + le(1) + "x");
    std::filesystem::resize_file(huge, 1 << 30);  // sparse
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    fw::gsReadFARdir(far, huge);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(far.entry(1).FileName, "x");
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 128 * 1024);  // kilobytes
}

// A long directory is walked from its start and from halfway at once: every entry comes out as
// built, whether halfway an entry begins or a name that holds what looks like entries.
TEST(FarArchive, ALongDirectoryReadsAsBuiltWhereverItsMiddleFalls) {
    const std::string fake = fw::long_to_str_le(7) + fw::long_to_str_le(7) + fw::long_to_str_le(0) +
                             fw::long_to_str_le(2) + "ab";  // an entry "ab" of 7 bytes
    for (int count = 300; count < 310; ++count) {  // each a different middle
        const std::string name_part = count % 2 == 0 ? "head" : fake + fake + fake;
        std::vector<FarEntry> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back({name_part + std::to_string(i) + std::string(static_cast<size_t>(i % 37), 'n'),
                               pattern(static_cast<size_t>(i % 5))});
        const std::string archive = fw::build::far_archive(entries);
        const fw::FARdir far = fw::parse_far_directory(archive.substr(fw::build::far_directory_offset(archive)));
        ASSERT_EQ(far.count(), count);
        for (int32_t n = 1; n <= count; ++n) {
            const fw::FARentry entry = far.entry(n);
            ASSERT_EQ(entry.FileName, entries[static_cast<size_t>(n) - 1].name) << count << " " << n;
            ASSERT_EQ(entry.file_size(), (n - 1) % 5) << count << " " << n;
        }
    }
}

TEST(FarArchive, NamesThatWouldLeaveTheFolderAreNotExtracted) {
    fw::build::TempDir dir;
    const std::string archive =
        dir.write("x.far", fw::build::far_archive({{"skins\\..", "up"},
                                                   {"skins\\", "empty"},
                                                   {std::string("bad\x01name.bmp"), "ctl"},
                                                   {"..\\..\\ok.bmp", "ok"}}));
    fw::FARdir far;
    fw::gsReadFARdir(far, archive);
    std::filesystem::create_directory(dir.path() / "out");
    for (int32_t i = 1; i <= far.count(); ++i) fw::gsExtractFile(archive, dir.str() + "/out", far, i);
    // Only ok.bmp is written.
    EXPECT_EQ(dir.read("out/ok.bmp"), "ok");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "out"), {}), 1);
}

// An archive without a directory or without entries is an empty one; a lying one is refused.
TEST(FarArchive, EmptyArchivesReadAsEmptyAndLyingOnesFailThroughTheTrapWritingNothing) {
    const std::string good = fw::build::far_archive({{"head.bmp", pattern(5000)}});
    const size_t directory = fw::build::far_directory_offset(good);
    const auto with = [&](size_t at, uint32_t value) { return fw::build::with_u32(good, at, value); };
    std::string any_header = fw::build::far_archive({});
    any_header.replace(0, 12, "not checked!");
    const std::tuple<const char*, std::string, bool> cases[] = {
        {"no directory", with(12, 0), false},
        {"no entries, any header", any_header, false},
        {"directory past the end", with(12, static_cast<int32_t>(good.size())), true},
        {"negative directory", with(12, -16), true},
        {"count too large", with(directory, 0x10000000), true},
        {"name past the end", with(directory + 16, 1000), true},
        {"shorter than its header", good.substr(0, 10), true}};
    fw::build::TempDir dir;
    for (const auto& [what, bytes, refused] : cases) {
        fw::FARdir far;
        if (!refused) {
            fw::gsReadFARdir(far, dir.write("empty.far", bytes));
            EXPECT_TRUE(far.count() == 0 && far.Entries.empty()) << what;
            continue;
        }
        EXPECT_THROW(fw::gsReadFARdir(far, dir.write("bad.far", bytes)), fw::TrapRaised) << what;
    }
    // An entry whose data lies past the end: nothing is created.
    const std::string archive =
        dir.write("data.far", with(directory + 4 + 8, static_cast<int32_t>(good.size())));
    fw::FARdir far;
    fw::gsReadFARdir(far, archive);
    EXPECT_THROW(fw::gsExtractFile(archive, dir.str(), far, 1), fw::TrapRaised);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "head.bmp"));
    // One whose data end exactly at the archive's end is whole.
    const std::string tail =
        dir.write("tail.far", with(directory + 12, static_cast<int32_t>(good.size() - 5000)));
    fw::gsReadFARdir(far, tail);
    fw::gsExtractFileEx(tail, dir.str(), "tail.bmp", far, 1);
    EXPECT_TRUE(dir.read("tail.bmp") == dir.read("tail.far").substr(good.size() - 5000));
    // A destination folder that does not exist.
    fw::gsReadFARdir(far, dir.write("good.far", good));
    EXPECT_THROW(fw::gsExtractFileEx(dir.str() + "/good.far", dir.str() + "/nowhere", "x.bmp", far, 1),
                 fw::TrapRaised);
}

}  // namespace
