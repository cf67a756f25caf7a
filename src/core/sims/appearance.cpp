#include "core/sims/appearance.hpp"

#include "core/base/failure.hpp"
#include "core/formats/binary.hpp"

namespace fw {

const char* tone_code(Tone tone) {
    switch (tone) {
    case Tone::Light: return "lgt";
    case Tone::Medium: return "med";
    case Tone::Dark: return "drk";
    }
    return "drk";
}

std::optional<Tone> tone_from_code(const std::string& code) {
    if (code == "lgt") return Tone::Light;
    if (code == "med") return Tone::Medium;
    if (code == "drk") return Tone::Dark;
    return std::nullopt;
}

STRList appearance_list(const IFFFile& file) {
    const IFFChunk* chunk = find_str_chunk(file, kAppearanceKey, StringListType::STR);
    if (chunk == nullptr) fail(ErrorKind::SubscriptOutOfRange);
    return parse_str_list(chunk->data);
}

std::string head_skin(const std::string& head_entry) {
    const size_t equals = head_entry.find('=');
    const std::string skin = equals == std::string::npos ? head_entry : head_entry.substr(equals + 1);
    return skin.substr(0, skin.find(';'));
}

std::optional<Head> split_head(const std::string& head_entry) {
    const size_t comma = head_entry.find(',');
    if (comma == std::string::npos) return std::nullopt;
    return Head{head_entry.substr(0, comma), head_skin(head_entry)};
}

SimControls read_sim_controls(const STRList& appearance, const STRList& names) {
    SimControls controls;
    controls.name = names.item(1).value;
    controls.adult = appearance.item(entry::age).value == "adult";
    const std::optional<Head> head = split_head(appearance.item(entry::head).value);
    if (!head) fail(ErrorKind::InvalidArgument);
    controls.model = head->model;
    controls.skin = head->skin;
    controls.male = appearance.item(entry::gender).value == "male";
    controls.tone = tone_from_code(appearance.item(entry::tone).value);
    return controls;
}

std::string skin_data_code(const SimControls& controls) {
    return std::string(controls.male ? "m" : "f") + (controls.adult ? "a" : "c") +
           tone_code(controls.tone.value_or(Tone::Dark));
}

std::string write_sim_controls(STRList& appearance, STRList& names, const SimControls& controls) {
    appearance.item(entry::age).value = controls.adult ? "adult" : "child";
    appearance.item(entry::age_number).value = controls.adult ? "27" : "9";
    appearance.item(entry::head).value = controls.model + ",HEAD-HEAD=" + controls.skin;
    appearance.item(entry::gender).value = controls.male ? "male" : "female";
    appearance.item(entry::tone).value = tone_code(controls.tone.value_or(Tone::Dark));
    std::string previous = names.item(1).value;
    names.item(1).value = controls.name;
    return previous;
}

bool body_changed(const STRList& edited, const STRList& as_opened) {
    for (size_t n : {entry::age, entry::gender, entry::tone}) {
        if (edited.item(n).value != as_opened.item(n).value) return true;
    }
    return false;
}

namespace {

// The bytes skipped before the first entry's value: format code, count, prefix byte.
constexpr size_t kFirstValueOffset = 5;

std::string after_equals(const std::string& entry) {
    const size_t equals = entry.find('=');
    return equals == std::string::npos ? entry : entry.substr(equals + 1);
}

}  // namespace

std::string name_chunk_text(const IFFChunk& chunk) {
    const std::string_view data = chunk.data;
    const size_t start = data.size() < kFirstValueOffset ? data.size() : kFirstValueOffset;
    const size_t nul = data.find('\0', start);
    if (nul == std::string_view::npos) fail(ErrorKind::InvalidArgument);
    return std::string(data.substr(start, nul - start));
}

std::string appearance_value(const STRList& appearance, size_t n) {
    return after_equals(appearance.item(n).value);
}

}  // namespace fw
