#include "core/platform/json_bytes.hpp"

#include <gtest/gtest.h>

// A record names files by their bytes: two Latin-1 names differing in one letter must never read
// back as one, and a record written before stays readable.
TEST(JsonBytes, ANameThatIsNotUtf8IsKeptAsHexAndEveryNameReadsBackAsItsBytes) {
    for (const std::string name : {"User00001.iff", "Ren\xC3\xA9.iff", "Ren\xE9.iff", "Ren\xC9.iff"}) {
        nlohmann::json record;
        fw::put_bytes(record, "path", name);
        EXPECT_EQ(fw::get_bytes(nlohmann::json::parse(record.dump()), "path"), name);
    }
    EXPECT_EQ(fw::get_bytes(nlohmann::json::parse(R"({"path_hex": "52e9"})"), "path"), "R\xE9");
}
