#include "core/screens/check_view.hpp"

#include <gtest/gtest.h>

// Groups go most serious first, each finding keeping its place; a finding's line ends at its first
// sentence, not at a full stop inside the reader's error in brackets.
TEST(CheckView, GroupsBySeverityAndALineIsTheFirstSentence) {
    fw::GameCheck check;
    check.findings.resize(3);
    check.findings[1].severity = fw::Severity::Crash;
    check.findings[2].explanation = "It cannot be read (Error 3. at v1.2). The game may end.";
    std::vector<std::string> groups;
    for (const fw::FindingGroup& g : fw::group_findings(check))
        groups.push_back(g.caption + ", the last " + std::to_string(g.findings.back()));
    EXPECT_EQ(groups, (std::vector<std::string>{"Crash (1), the last 1", "Cosmetic (2), the last 2"}));
    EXPECT_EQ(fw::finding_line(check.findings[2]), "It cannot be read (Error 3. at v1.2).");
}
