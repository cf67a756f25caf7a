#include "core/screens/edit_gate.hpp"

#include <gtest/gtest.h>

#include <tuple>

#include "builders/sim_builder.hpp"
#include "core/platform/settings.hpp"
#include "core/sims/sim_session.hpp"
#include "support/temp_dir.hpp"

using namespace fw;

class EditGateTest : public testing::Test {
protected:
    void SetUp() override { save_setting(kAppVestrel, kKeyLastNeighborhood, "before"); }
    EditRequest request(const std::string& file, const std::string& bytes) {
        game_.write("UserData3/Characters/" + file, bytes);
        return {.neighbourhood_line = "Neighborhood 03   (UserData3)", .sim_name = "Bob", .files = {file},
                .characters_folder = game_.str() + "\\UserData3\\Characters\\"};
    }
    static std::string stored() { return get_setting(kAppVestrel, kKeyLastNeighborhood); }

    build::TempDir game_;
};

// Without a neighbourhood, a name or a file in the cell, or for a file the reader refuses, nothing
// happens; a file the editor cannot take is refused with the editor's box. Neither stores the
// setting.
TEST_F(EditGateTest, OnlyAReadableSimOpensAndOnlyThenIsItsNeighbourhoodRemembered) {
    const std::string good = build::sim_file(build::SimSpec{});
    const std::tuple<const char*, std::string, void (*)(EditRequest&), std::optional<BoxMessage>> cases[] = {
        {"no neighbourhood", good, [](EditRequest& r) { r.neighbourhood_line.clear(); }, std::nullopt},
        {"no sim name", good, [](EditRequest& r) { r.sim_name.clear(); }, std::nullopt},
        {"empty cell", good, [](EditRequest& r) { r.cell = 1; }, std::nullopt},
        {"cell on the next page", good, [](EditRequest& r) { r.page = 1; }, std::nullopt},
        {"empty file name", good, [](EditRequest& r) { r.files = {""}; }, std::nullopt},
        {"truncated file", good.substr(0, 300), [](EditRequest&) {}, std::nullopt},
        {"a cat", build::sim_file(build::pet_spec("Tom", false)), [](EditRequest&) {}, pet_box()},
    };
    for (const auto& [what, bytes, change, box] : cases) {
        EditRequest r = request("User00007.iff", bytes);
        change(r);
        const EditDecision decision = may_open_sim(r);
        EXPECT_EQ(decision.refusal, box) << what;
        EXPECT_FALSE(decision.opens()) << what;
        EXPECT_EQ(stored(), "before") << what;
    }

    // The selected sim opens, and only then is its neighbourhood remembered.
    const EditRequest r = request("User00005.iff", good);
    const EditDecision decision = may_open_sim(r);
    EXPECT_FALSE(decision.refusal);
    EXPECT_EQ(decision.path, r.characters_folder + "User00005.iff");
    EXPECT_EQ(stored(), "Neighborhood 03   (UserData3)");
}
