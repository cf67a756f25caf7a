#include "core/game/case_twins.hpp"

#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"

namespace fw {

std::vector<CaseTwins> find_case_twins(const std::string& folder) {
    // The listing is sorted without regard to case, so twins lie side by side.
    const std::vector<std::string> names = list_matching(folder + "\\*");
    std::vector<CaseTwins> found;
    for (size_t i = 0; i < names.size();) {
        size_t end = i + 1;
        while (end < names.size() && iequals(names[end], names[i])) ++end;
        if (end - i > 1) found.push_back({folder, {names.begin() + static_cast<ptrdiff_t>(i), names.begin() + static_cast<ptrdiff_t>(end)}});
        i = end;
    }
    return found;
}

}  // namespace fw
