#pragma once
// Files of one folder whose names differ only in letter case. Both exist on a file system that
// tells case apart; the game's own platform (and Wine) sees one name, and one of them hides the
// other, which one depending on the listing.
#include <string>
#include <vector>

namespace fw {

struct CaseTwins {
    std::string folder;
    std::vector<std::string> names;  // two or more, in listing order
};

// Each set of such names in the folder (files and folders alike), in listing order.
std::vector<CaseTwins> find_case_twins(const std::string& folder);

}  // namespace fw
