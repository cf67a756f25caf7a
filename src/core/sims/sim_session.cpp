#include "core/sims/sim_session.hpp"

#include <exception>
#include <tuple>

#include "core/base/charset.hpp"
#include "core/base/failure.hpp"
#include "core/formats/binary.hpp"
#include "core/formats/character_file.hpp"
#include "core/platform/game_paths.hpp"

namespace fw {

namespace {

// The appearance and name lists as gsReadSTRSegment finds them, but a list that is missing or
// cannot be taken apart is reported instead of reaching the trap.
bool read_lists(const IFFFile& file, EditorSession& session) {
    try {
        session.appearance = appearance_list(file);
        const IFFChunk* names = find_str_chunk(file, kNameKey, StringListType::CTSS);
        if (names == nullptr) return false;
        session.names = parse_str_list(names->data);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

bool starts_with_pet(const std::string& text) { return text.starts_with("cat") || text.starts_with("dog"); }

bool has_control_character(const std::string& bytes) {
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) return true;
    }
    return false;
}

BoxMessage not_saved(const std::string& text) { return {text, kBoxExclamation, kNotSavedTitle}; }

}  // namespace

BoxMessage invalid_file_box() { return {kInvalidUserFileText, kBoxCritical, kLoadTerminatedTitle}; }
BoxMessage pet_box() { return {kPetRefusedText, kBoxCritical, kLoadTerminatedTitle}; }

BoxMessage read_only_box(const std::string& path) {
    return {std::string("This sim's file is read-only:") + kCrLf + display_path(path) + kCrLf +
                "Nothing was saved.",
            kBoxCritical, "Save Terminated"};
}

bool is_pet(const STRList& appearance) {
    const auto entry_is = [&](size_t n, auto test) {
        return appearance.item_count() >= n && test(appearance.item(n).value);
    };
    return entry_is(entry::age, [](const std::string& age) { return age == "kat" || age == "dog"; }) ||
           entry_is(entry::gender, starts_with_pet);
}

bool is_person(const STRList& appearance) {
    if (appearance.item_count() < entry::age || is_pet(appearance)) return false;
    const std::string& age = appearance.item(entry::age).value;
    return age == "adult" || age == "child";
}

std::optional<BoxMessage> read_sim_file(const std::string& path, EditorSession& session) {
    session = EditorSession{};
    session.load_user_file = path;
    try {
        session.loaded_bytes = read_character_file(path);
    } catch (const std::exception&) {
        return invalid_file_box();
    }
    session.loaded_stamp = file_stamp(path);
    if (!read_iff_checked_from_bytes(session.image, session.loaded_bytes).empty()) return invalid_file_box();
    return read_sim_lists(session);
}

std::optional<BoxMessage> read_sim_lists(EditorSession& session) {
    if (!gfblnVerifyUserIFF(session.image)) return invalid_file_box();
    if (!read_lists(session.image, session)) return invalid_file_box();
    if (session.appearance.item_count() < entry::tone || session.names.item_count() < 1) {
        return invalid_file_box();
    }
    return std::nullopt;
}

std::optional<BoxMessage> check_editable(const STRList& appearance, const STRList& names) {
    if (appearance.item_count() < 1 || names.item_count() < 1) return invalid_file_box();
    if (is_pet(appearance)) return pet_box();
    if (!is_person(appearance)) return invalid_file_box();
    if (!split_head(appearance.item(entry::head).value)) return invalid_file_box();
    return std::nullopt;
}

std::optional<BoxMessage> open_sim_for_editing(const std::string& path, EditorSession& session) {
    if (auto refusal = read_sim_file(path, session)) return refusal;
    return check_editable(session.appearance, session.names);
}

std::optional<BoxMessage> check_controls(const SimControls& controls, SimField* about) {
    const auto refuse = [about](SimField field, const std::string& text) {
        if (about) *about = field;
        return std::optional(not_saved(text));
    };
    if (controls.name.empty()) return refuse(SimField::Name, "The name is empty. Nothing was saved.");
    if (controls.model.empty()) {
        return refuse(SimField::Model,
                      "The head model is empty: the game cannot draw a head without one. Nothing was saved.");
    }
    if (controls.skin.empty()) {
        return refuse(SimField::Skin,
                      "The head skin is empty: the game cannot draw a head without one. Nothing was saved.");
    }
    if (has_control_character(controls.name)) {
        return refuse(SimField::Name, "The name cannot hold control characters. Nothing was saved.");
    }
    if (has_control_character(controls.model) || has_control_character(controls.skin)) {
        return refuse(has_control_character(controls.model) ? SimField::Model : SimField::Skin,
                      "The head model and skin cannot hold control characters. Nothing was saved.");
    }
    // The head entry is read back as model + "," + ... + "=" + skin, cut at the first ";".
    for (const auto& [text, what, separator] :
         {std::tuple(&controls.model, "head model", ','), std::tuple(&controls.model, "head model", '='),
          std::tuple(&controls.skin, "head skin", ';')}) {
        if (text->find(separator) != std::string::npos) {
            return refuse(
                text == &controls.model ? SimField::Model : SimField::Skin,
                std::string("The ") + what + " cannot hold a \"" + separator + "\". Nothing was saved.");
        }
    }
    return std::nullopt;
}

EncodedText encode_for_game(const std::string& utf8, const std::string& what) {
    if (std::optional<std::string> bytes = encode_windows1252(utf8)) return {*bytes, std::nullopt};
    if (!is_valid_utf8(utf8))
        return {"", not_saved("The " + what + " is not valid UTF-8 text. Nothing was saved.")};
    for (size_t i = 0; i < utf8.size();) {
        const size_t length = utf8_sequence_length(utf8, i);
        const std::string character = utf8.substr(i, length);
        if (!encode_windows1252(character)) {
            return {"", not_saved("The " + what + " \"" + utf8 + "\" holds \"" + character +
                                  "\", which the game's character set (Windows-1252) cannot hold. "
                                  "Nothing was saved.")};
        }
        i += length;
    }
    return {"",
            not_saved("The " + what + " cannot be written in the game's character set. Nothing was saved.")};
}

}  // namespace fw
