#include "core/editor/sim_save.hpp"

#include "core/base/error_trap.hpp"
#include "core/editor/outfit_table.hpp"
#include "core/formats/binary.hpp"
#include "core/platform/program_folder.hpp"

namespace fw {

namespace {
constexpr const char* kModule = "frmEditSim";
}  // namespace

std::string temp_file_path() { return program_folder() + "\\usertemp.iff"; }
std::string backup_folder_path() { return program_folder() + "\\Backup"; }

BoxMessage saved_box(const std::string& name) {
    return {name + " has been saved.", kBoxInformation, "Success"};
}

std::string msMakeUserBackup(const std::string& load_user_file, const std::string& previous_name,
                             const std::string& new_name, const Clock& clock, SaveFiles& files) {
    return guarded(kModule, "msMakeUserBackup", [&](int32_t& location) {
        location = checkpoint::start;
        const std::string folder = backup_folder_path();
        if (!files.folder_exists(folder) && !files.create_folder(folder)) fail(ErrorKind::PathNotFound);
        const std::string file_name = files.listed_name(load_user_file);

        location = checkpoint::c2000;
        const std::string base = backup_name(file_name, backup_sim_part(previous_name, new_name),
                                             neighbourhood_of(load_user_file), clock());
        // Two saves in one minute give the same name; the earlier backup is kept.
        std::string target = folder + "\\" + base;
        for (int n = 2; files.file_exists(target); ++n)
            target = folder + "\\" + base + "_" + std::to_string(n);

        location = checkpoint::c3000;
        files.copy_file(load_user_file, target);
        return target;
    });
}

SaveResult save_sim(EditorSession& session, const SimControls& controls, const SaveOptions& options) {
    SaveResult result;
    if ((result.refusal = check_editable(session.appearance, session.names))) return result;
    if ((result.refusal = check_controls(controls))) return result;
    SaveFiles& files = options.files ? *options.files : platform_save_files();
    // Renaming over a file its owner made read-only would replace it all the same.
    if (files.is_read_only(session.load_user_file)) {
        result.refusal = read_only_box(session.load_user_file);
        return result;
    }

    guarded(kModule, "cmdSave_Click", [&](int32_t& location) {
        location = checkpoint::start;
        const std::string appearance_key = gfstrHexToStr4(kAppearanceKey);
        const std::string name_key = gfstrHexToStr4(kNameKey);
        STRList as_found;
        gsReadSTRSegment(session.image, as_found, appearance_key, false);

        // The edits go into copies until the save is known to go ahead.
        STRList appearance = session.appearance;
        STRList names = session.names;
        const std::string previous_name = write_sim_controls(appearance, names, controls);
        if (body_changed(appearance, as_found)) {
            // A list too short for the outfit table can still take a new name or head, not a new body.
            if (appearance.item_count() < kOutfitLastEntry) {
                result.refusal = invalid_file_box();
                return;
            }
            apply_outfit_table(appearance);
        }
        session.appearance = std::move(appearance);
        session.names = std::move(names);
        result.previous_name = previous_name;
        gsWriteSTRSegment(session.image, session.appearance, appearance_key, false);
        gsWriteSTRSegment(session.image, session.names, name_key, true);

        const std::string temp = temp_file_path();
        if (files.file_exists(temp)) files.delete_file(temp);
        files.write_without_bitmaps(session.image, temp);

        if (options.make_backup) {
            result.backup_path = msMakeUserBackup(session.load_user_file, result.previous_name, controls.name,
                                                  options.clock, files);
        }

        location = checkpoint::c4000;
        files.replace_file(session.load_user_file, files.read_file(temp));
    });
    return result;
}

}  // namespace fw
