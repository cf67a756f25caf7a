#include "core/screens/extract_question.hpp"

#include <string>

namespace fw {

BoxMessage extract_question() {
    return {
        std::string("This procedure will extract all Maxis head bitmaps from all of the standard FAR files. "
                    "Files will not be overwritten in this process. Approximately 385 files will be copied "
                    "to your \\GameData\\Skins folder if you have all four expansion packs.") +
            kCrLf + kCrLf + "Are you sure that you wish to continue?",
        kBoxQuestion, "Confirm Action"};
}

}  // namespace fw
