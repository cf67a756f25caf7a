// Files the game does not look at, cannot tell apart or cannot read whole: skins in subfolders,
// descriptions whose own name differs, case twins, damaged archives and downloads, leftovers of
// interrupted saves.
#include <exception>

#include "core/base/failure.hpp"
#include "core/formats/far.hpp"
#include "core/formats/iff.hpp"
#include "core/game/case_twins.hpp"
#include "core/game/description_name.hpp"
#include "core/game/nested_skins.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/name_compare.hpp"
#include "core/sims/game_check_parts.hpp"

namespace fw::check {

namespace {

// A download larger than this is not read whole to check its chunks.
constexpr int64_t kLargestDownload = 64 * 1024 * 1024;

Finding finding(const char* kind, Severity severity, std::string explanation, std::vector<std::string> files) {
    Finding f;
    f.kind = kind;
    f.severity = severity;
    f.explanation = std::move(explanation);
    f.files = std::move(files);
    return f;
}

std::string text_of(const std::exception& e) {
    if (const auto* failure = dynamic_cast<const Failure*>(&e)) return error_text(*failure);
    return e.what();
}

// What is wrong with a download's chunks or directory; "" when it reads whole.
std::string download_damage(const std::string& path, const std::string& upper_name) {
    try {
        if (upper_name.ends_with(".FAR")) {
            const FARdir dir = read_far_directory(path);
            const int64_t length = file_length(path);
            for (const FARentry& entry : dir.Entries) check_far_entry(entry, length);
            return "";
        }
        const auto bytes = read_file_up_to(path, kLargestDownload);
        if (!bytes) return "";
        IFFFile record;
        gsInitIFF(record);
        return read_iff_checked_from_bytes(record, *bytes);
    } catch (const std::exception& e) {
        return text_of(e);
    }
}

void skins_folders(const std::string& game_path, std::vector<Finding>& out) {
    for (const char* below : {"\\GameData\\Skins", "\\ExpansionShared\\SkinsBuy"}) {
        const std::string folder = game_path + below;
        try {
            for (const NestedSkinFile& nested : find_nested_skin_files(folder)) {
                Finding f = finding("skin-in-subfolder", Severity::Ignored,
                                    "The file lies in a subfolder of " + std::string(below + 1) +
                                        "; the game does not look there and never sees it.",
                                    {nested.path});
                if (nested.name_free) {
                    f.fix = FixKind::MoveSkinUp;
                    f.fix_words = "Move " + nested.name + " up into " + std::string(below + 1) + ".";
                } else {
                    f.explanation += " A file of its name already lies in the folder, so it is not moved.";
                }
                out.push_back(std::move(f));
            }
            for (const NameMismatch& m : find_name_mismatches(folder)) {
                Finding f = finding("description-own-name", Severity::Ignored,
                                    "The description calls itself \"" + m.own_name + "\" inside but its file is \"" +
                                        m.file_name + "\"; the game may not find the model or may mix it up "
                                        "with another.",
                                    {m.path});
                f.fix = FixKind::CorrectOwnName;
                f.fix_words = "Write \"" + m.file_name + "\" as the description's own name.";
                f.model = m.file_name;
                out.push_back(std::move(f));
            }
        } catch (const std::exception&) {
            // a skins folder that cannot be listed holds nothing to report here
        }
    }
}

}  // namespace

void check_placement(const std::string& game_path, ContentIndex& index, const std::vector<GameFile>& entries,
                     const std::vector<std::string>& characters_folders, std::vector<Finding>& out) {
    skins_folders(game_path, out);
    std::vector<std::string> folders = {game_path + "\\GameData\\Skins", game_path + "\\ExpansionShared\\SkinsBuy",
                                        game_path + "\\Downloads"};
    for (const std::string& c : characters_folders) folders.push_back(c.substr(0, c.size() - 1));
    for (const std::string& folder : folders) {
        try {
            for (const CaseTwins& twins : find_case_twins(folder)) {
                std::vector<std::string> files;
                for (const std::string& name : twins.names) files.push_back(folder + "\\" + name);
                out.push_back(finding("case-twins", Severity::Ignored,
                                      "These names differ only in letter case. The game's system sees one name, "
                                      "and one of the files hides the others.",
                                      files));
            }
        } catch (const std::exception&) {
        }
    }
    for (const std::string& c : characters_folders) {
        try {
            for (const std::string& name : list_matching(c + "*" + kReplacementSuffix, Listing::FilesOnly))
                out.push_back(finding("interrupted-save-leftover", Severity::Cosmetic,
                                      "A save that was interrupted left this file behind. The game does not read "
                                      "it; the program removes it when it lists the neighbourhood.",
                                      {c + name}));
        } catch (const std::exception&) {
        }
    }
    for (const std::string& problem : index.problems())
        out.push_back(finding("damaged-archive", Severity::Crash,
                              "The archive cannot be read (" + problem + "). The game may end when it loads it.",
                              {problem.substr(0, problem.find(": "))}));
    const std::string downloads = to_upper(game_path + "\\Downloads\\");
    for (const GameFile& file : entries) {
        const std::string upper = to_upper(file.path);
        if (file.archived() || !upper.starts_with(downloads)) continue;
        if (!upper.ends_with(".IFF") && !upper.ends_with(".FAR")) continue;
        const std::string damage = download_damage(file.path, upper);
        if (!damage.empty())
            out.push_back(finding("damaged-download", Severity::Crash,
                                  "The download is damaged (" + damage + "). The game may end when it loads it.",
                                  {file.path}));
    }
}

}  // namespace fw::check
