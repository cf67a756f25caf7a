#include "editor/sim_session.hpp"

#include "editor/outfit_table.hpp"
#include "formats/binary.hpp"
#include "formats/character_file.hpp"
#include "formats/windows1252.hpp"
#include "shell/failure.hpp"

namespace fw {

namespace {

// The list in the first chunk of the type with the key, as gsReadSTRSegment finds it, but a list
// that cannot be taken apart is reported instead of reaching the trap.
bool read_list(const IFFFile& file, const char* key, bool ctss, STRList& list) {
    const std::string id_flags = gfstrHexToStr4(key);
    const char* type = ctss ? "CTSS" : "STR#";
    for (const IFFChunk& chunk : file.chunks) {
        if (chunk.type != type || chunk.id_flags != id_flags) continue;
        try {
            list = parse_str_list(chunk.data);
            return true;
        } catch (const Failure&) {
            return false;
        }
    }
    return false;
}

bool has_control_character(const std::string& bytes) {
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) return true;
    }
    return false;
}

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t utf8_length(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

BoxMessage not_saved(const std::string& text) { return {text, kBoxExclamation, kNotSavedTitle}; }

}  // namespace

BoxMessage invalid_file_box() { return {kInvalidUserFileText, kBoxCritical, kLoadTerminatedTitle}; }
BoxMessage pet_box() { return {kPetRefusedText, kBoxCritical, kLoadTerminatedTitle}; }

bool is_person(const STRList& appearance) {
    if (appearance.item_count() < entry::age) return false;
    const std::string& age = appearance.item(entry::age).value;
    return age == "adult" || age == "child";
}

std::optional<BoxMessage> read_sim_file(const std::string& path, EditorSession& session) {
    session = EditorSession{};
    session.load_user_file = path;
    if (!gfstrReadIFFChecked(session.image, path).empty()) return invalid_file_box();
    if (!gfblnVerifyUserIFF(session.image)) return invalid_file_box();
    if (!read_list(session.image, kAppearanceKey, false, session.appearance)) return invalid_file_box();
    if (!read_list(session.image, kNameKey, true, session.names)) return invalid_file_box();
    if (session.appearance.item_count() < entry::tone || session.names.item_count() < 1) {
        return invalid_file_box();
    }
    return std::nullopt;
}

std::optional<BoxMessage> check_editable(const STRList& appearance, const STRList& names) {
    if (appearance.item_count() < 1 || names.item_count() < 1) return invalid_file_box();
    if (!is_person(appearance)) return pet_box();
    if (appearance.item_count() < kOutfitLastEntry) return invalid_file_box();
    if (!split_head(appearance.item(entry::head).value)) return invalid_file_box();
    return std::nullopt;
}

std::optional<BoxMessage> open_sim_for_editing(const std::string& path, EditorSession& session) {
    if (auto refusal = read_sim_file(path, session)) return refusal;
    return check_editable(session.appearance, session.names);
}

std::optional<BoxMessage> check_controls(const SimControls& controls) {
    if (controls.name.empty()) return not_saved("The name is empty. Nothing was saved.");
    if (has_control_character(controls.name)) {
        return not_saved("The name cannot hold control characters. Nothing was saved.");
    }
    if (has_control_character(controls.model) || has_control_character(controls.skin)) {
        return not_saved("The head model and skin cannot hold control characters. Nothing was saved.");
    }
    if (controls.model.find(',') != std::string::npos) {
        return not_saved("The head model cannot hold a \",\". Nothing was saved.");
    }
    return std::nullopt;
}

EncodedText encode_for_game(const std::string& utf8, const std::string& what) {
    if (std::optional<std::string> bytes = encode_windows1252(utf8)) return {*bytes, std::nullopt};
    for (size_t i = 0; i < utf8.size();) {
        const size_t length = utf8_length(static_cast<unsigned char>(utf8[i]));
        const std::string character = utf8.substr(i, length);
        if (!encode_windows1252(character)) {
            return {"", not_saved("The " + what + " \"" + utf8 + "\" holds \"" + character +
                                  "\", which the game's character set (Windows-1252) cannot hold. "
                                  "Nothing was saved.")};
        }
        i += length;
    }
    return {"", not_saved("The " + what + " is not valid UTF-8 text. Nothing was saved.")};
}

}  // namespace fw
