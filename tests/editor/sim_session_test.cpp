#include <gtest/gtest.h>

#include "editor/sim_session.hpp"
#include "support/iff_builder.hpp"
#include "support/sim_builder.hpp"
#include "support/temp_dir.hpp"

namespace {

using fw::build::SimSpec;

std::optional<fw::BoxMessage> open(const std::string& bytes) {
    fw::build::TempDir dir;
    fw::EditorSession session;
    return fw::open_sim_for_editing(dir.write("User00001.iff", bytes), session);
}

TEST(SimSessionOpen, PeopleOpenWithTheirLists) {
    fw::build::TempDir dir;
    const std::string path = dir.write("User00001.iff", fw::build::sim_file(SimSpec{}));
    fw::EditorSession session;
    EXPECT_EQ(fw::open_sim_for_editing(path, session), std::nullopt);
    EXPECT_EQ(session.load_user_file, path);
    EXPECT_EQ(session.appearance.item_count(), 35u);
    EXPECT_EQ(session.names.item(1).value, "Bob");

    SimSpec child;
    child.age = "child";
    child.entry_count = 34;  // just long enough for the outfit table
    EXPECT_EQ(open(fw::build::sim_file(child)), std::nullopt);
}

TEST(SimSessionOpen, RefusesWhatTheEditorCouldNotShowOrSave) {
    const fw::BoxMessage invalid{"User IFF File Invalid.", 16, "Load Terminated"};
    const fw::BoxMessage pet{"This sim is a pet. Only people can be edited.", 16, "Load Terminated"};

    SimSpec no_comma;
    no_comma.head = "C001MA_Test HEAD-HEAD=c001malgt_test";
    SimSpec short_list;
    short_list.entry_count = 33;
    SimSpec not_user;
    not_user.objd_label = "neighbor - Bob";
    SimSpec capital;
    capital.age = "Adult";  // exact comparison: neither "adult" nor "child"
    const std::string whole = fw::build::sim_file(SimSpec{});

    struct Case {
        const char* what;
        std::string bytes;
        fw::BoxMessage box;
    };
    const Case cases[] = {
        {"cat", fw::build::sim_file(fw::build::pet_spec("Tom", false)), pet},
        {"dog", fw::build::sim_file(fw::build::pet_spec("Rex", true)), pet},
        {"entry 1 Adult", fw::build::sim_file(capital), pet},
        {"head without comma", fw::build::sim_file(no_comma), invalid},
        {"33 entries", fw::build::sim_file(short_list), invalid},
        {"not a character file", fw::build::sim_file(not_user), invalid},
        {"truncated", whole.substr(0, whole.size() - 5), invalid},
        {"empty", "", invalid},
    };
    for (const Case& c : cases) EXPECT_EQ(open(c.bytes), c.box) << c.what;
}

TEST(SimSessionOpen, BrokenStringListsAreRefusedNotTrapped) {
    fw::build::IffBuilder b;
    b.chunk("OBJD", 128, "user00001 - X", std::string(16, '\0'));
    b.chunk("STR#", 200, "", std::string("\xFD\xFF\x05\x00\x01" "abc", 7));  // 5 entries claimed, none ended
    b.chunk("CTSS", 2000, "", fw::build::str_list_data(std::vector<std::string>{"X"}));
    EXPECT_EQ(open(b.bytes()), fw::invalid_file_box());

    fw::build::IffBuilder no_name;
    no_name.chunk("OBJD", 128, "user00001 - X", std::string(16, '\0'));
    no_name.chunk("STR#", 200, "", fw::build::str_list_data(fw::build::appearance_values(SimSpec{})));
    no_name.chunk("CTSS", 2000, "", fw::build::str_list_data(std::vector<std::string>{}));
    EXPECT_EQ(open(no_name.bytes()), fw::invalid_file_box());
}

TEST(SimSessionPets, AreReadForDisplay) {
    fw::build::TempDir dir;
    fw::EditorSession session;
    const auto path = dir.write("User00002.iff", fw::build::sim_file(fw::build::pet_spec("Tom", false)));
    EXPECT_EQ(fw::read_sim_file(path, session), std::nullopt);
    EXPECT_FALSE(fw::is_person(session.appearance));
}

TEST(SimSessionNames, EncodedForTheGameOrRefusedNeverAltered) {
    EXPECT_EQ(fw::encode_for_game("Ren\xC3\xA9" "e", "name").bytes, "Ren\xE9" "e");
    EXPECT_EQ(fw::encode_for_game("\xE2\x82\xAC", "name").bytes, "\x80");

    const auto refused = fw::encode_for_game("Zo\xC3\xAB \xE2\x98\x83", "name");
    ASSERT_TRUE(refused.refusal);
    EXPECT_NE(refused.refusal->text.find("\"\xE2\x98\x83\""), std::string::npos) << refused.refusal->text;
    EXPECT_TRUE(refused.bytes.empty());
    EXPECT_TRUE(fw::encode_for_game("bad\xFF", "name").refusal);
}

TEST(SimSessionControls, TextsThatWouldBreakTheListsAreRefused) {
    fw::SimControls ok;
    ok.name = "Bob";
    ok.model = "C001MA_Test";
    ok.skin = "c001malgt_test";
    EXPECT_EQ(fw::check_controls(ok), std::nullopt);

    auto with = [&](auto change) {
        fw::SimControls c = ok;
        change(c);
        return fw::check_controls(c).has_value();
    };
    EXPECT_TRUE(with([](fw::SimControls& c) { c.name.clear(); }));
    EXPECT_TRUE(with([](fw::SimControls& c) { c.name = std::string("Bo\0b", 4); }));
    EXPECT_TRUE(with([](fw::SimControls& c) { c.skin = "a\nb"; }));
    EXPECT_TRUE(with([](fw::SimControls& c) { c.model = "C1,x"; }));
    EXPECT_FALSE(with([](fw::SimControls& c) { c.name = "Ren\xE9 O'Neil"; }));
}

}  // namespace
