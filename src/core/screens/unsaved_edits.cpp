#include "core/screens/unsaved_edits.hpp"

#include <tuple>

namespace fw {

bool has_unsaved_edits(const SimControls& opened, const SimControls& shown) {
    const auto fields = [](const SimControls& c) {
        return std::tie(c.name, c.model, c.skin, c.adult, c.male, c.tone);
    };
    return fields(opened) != fields(shown);
}

BoxMessage discard_question() {
    return {std::string("The changes to this sim have not been saved.") + kCrLf + kCrLf +
                "Close the editor and discard them?",
            kBoxQuestion | kSecondButtonDefault, "Confirm Action"};
}

}  // namespace fw
