#pragma once
// The kinds a check found, sorted, to hold against the faults a test game was made with.
#include <algorithm>
#include <string>
#include <vector>

#include "core/sims/game_check.hpp"

namespace fw::typed {

inline std::vector<std::string> kinds_of(const GameCheck& check) {
    std::vector<std::string> kinds;
    for (const Finding& f : check.findings) kinds.push_back(f.kind);
    std::sort(kinds.begin(), kinds.end());
    return kinds;
}

}  // namespace fw::typed
