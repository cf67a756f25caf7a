#include "core/game/key_values.hpp"

#include <gtest/gtest.h>

namespace fw {
namespace {

// The files as Steam writes them, and the liberties its own reader takes.
TEST(KeyValues, ReadsSteamsFilesAsSteamWritesThem) {
    const std::string text =
        "// written by Steam\n"
        "\"libraryfolders\"\r\n{\r\n"
        "\t\"0\"\r\n\t{\r\n\t\t\"path\"\t\t\"C:\\\\Program Files (x86)\\\\Steam\"\r\n"
        "\t\t\"label\"\t\t\"\"\r\n\t\t\"apps\"\t{ \"228980\" \"1\" }\r\n\t}\r\n"
        "\t\"1\" { \"path\" \"D:\\Games\\Lib\" } // one backslash, kept\n"
        "\t\"Quote\" \"say \\\"hi\\\"\\n\"\n"
        "\tbare_key bare/value\n"
        "\t\"only_on_windows\" \"yes\" [$WIN32]\n"
        "}\n";
    std::string error;
    const std::optional<KeyValue> root = parse_key_values(text, &error);
    ASSERT_TRUE(root) << error;
    const KeyValue* list = root->find("LIBRARYFOLDERS");  // keys match without regard to case
    ASSERT_TRUE(list && list->is_block);
    ASSERT_EQ(list->children.size(), 5u);
    EXPECT_EQ(list->find("0")->value_of("path"), "C:\\Program Files (x86)\\Steam");
    EXPECT_EQ(list->find("0")->find("apps")->value_of("228980"), "1");
    EXPECT_EQ(list->find("1")->value_of("path"), "D:\\Games\\Lib");
    EXPECT_EQ(list->value_of("quote"), "say \"hi\"\n");
    EXPECT_EQ(list->value_of("bare_key"), "bare/value");
    EXPECT_EQ(list->value_of("only_on_windows"), "yes");
}

TEST(KeyValues, RefusesWhatIsNotWellFormedAndSaysWhere) {
    // Nesting is refused past its limit, not by running out of stack.
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "\"k\" { ";
        return text + std::string(static_cast<size_t>(depth), '}');
    };
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"open quote", "\"a\" \"b", "a quoted text is not closed (line 1)"},
        {"open block", "\"a\"\n{\n\"b\" \"c\"\n", "a block is not closed (line 4)"},
        {"stray close", "\"a\" \"b\"\n}", "\"}\" without its \"{\" (line 2)"},
        {"key alone", "\"a\" { \"b\" }", "the key \"b\" has no value (line 1)"},
        {"nested too deep", nested(kKeyValuesMaxDepth + 1), "blocks nested too deep (line 1)"},
    };
    for (const auto& [what, text, expected] : cases) {
        std::string error;
        EXPECT_FALSE(parse_key_values(text, &error)) << what;
        EXPECT_EQ(error, expected) << what;
    }
    EXPECT_TRUE(parse_key_values(nested(kKeyValuesMaxDepth)));
    EXPECT_TRUE(parse_key_values(""));
}

}  // namespace
}  // namespace fw
