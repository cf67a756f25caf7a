#include "core/screens/skin_grid.hpp"

#include <exception>
#include <utility>

#include "core/base/error_trap.hpp"
#include "core/formats/safe_names.hpp"
#include "core/heads/head_catalogue.hpp"
#include "core/platform/name_compare.hpp"
#include "core/platform/on_off_settings.hpp"
#include "core/platform/settings.hpp"
#include "core/heads/head_previews.hpp"

namespace fw {

namespace {

constexpr const char* kModule = "frmSelectHead";
constexpr size_t kExtensionLength = 4;  // ".bmp"

std::string without_extension(const std::string& file) {
    return file.size() >= kExtensionLength ? file.substr(0, file.size() - kExtensionLength) : file;
}

}  // namespace

bool load_preview_setting() {
    seed_setting(kAppFacewright, kKeyPreviewHeadSkins, "1");
    return preview_head_skins_on();
}

void store_preview_setting(bool checked) {
    store_preview_head_skins(checked);
}

HeadSelector::HeadSelector(std::string game_path, std::string skin_data)
    : game_path_(std::move(game_path)), skin_data_(std::move(skin_data)) {}

std::vector<std::string> HeadSelector::model_list() const { return msGetModelList(game_path_, skin_data_); }

std::optional<BoxMessage> HeadSelector::choose_model(const std::string& model) {
    if (model.empty()) return std::nullopt;
    model_ = model;
    page_ = 0;
    const SkinListing listing = msGetSkinFileNames(game_path_, model, skin_data_);
    skins_ = listing.skins;
    if (!listing.refusal.empty()) return BoxMessage{listing.refusal, kBoxExclamation, "No Skins"};
    // A bad file is named once while the window is open: walking the model list past it again
    // would otherwise raise the same box at every pass.
    std::vector<std::string> unnamed;
    for (const std::string& file : listing.bad) {
        if (named_bad_.insert(to_lower(file)).second) unnamed.push_back(file);
    }
    if (unnamed.empty()) return std::nullopt;
    return BoxMessage{bad_skin_files_message(unnamed), kBoxCritical, kBadSkinFilesTitle};
}

std::string HeadSelector::page_text() const { return page_counter_text(page_, skins_.size()); }

bool HeadSelector::next() {
    if (!can_go_next(page_, skins_.size())) return false;
    ++page_;
    return true;
}

bool HeadSelector::previous() {
    if (!can_go_previous(page_)) return false;
    --page_;
    return true;
}

int32_t HeadSelector::skin_index(int32_t cell) const { return file_number(page_, cell); }

std::optional<ShownSkin> HeadSelector::skin_in_cell(int32_t cell) const {
    if (!cell_has_file(page_, cell, skins_.size())) return std::nullopt;
    const std::string& file = skins_[static_cast<size_t>(skin_index(cell) - 1)];
    const std::string name = without_extension(file);
    return ShownSkin{name, game_path_ + "\\gamedata\\skins\\" + file,
                     is_safe_file_name(name) ? head_preview2_path(name) : std::string()};
}

std::vector<SkinThumbnail> HeadSelector::page_thumbnails() const {
    std::vector<SkinThumbnail> thumbnails;
    if (skins_.empty()) return thumbnails;
    for (int32_t cell = 0; cell <= last_index(page_, skins_.size()) - page_ * kSimsPerPage; ++cell) {
        const std::string& file = skins_[static_cast<size_t>(skin_index(cell) - 1)];
        const std::string name = without_extension(file);
        const GridPoint origin = cell_origin(cell);
        thumbnails.push_back({cell,
                              file,
                              game_path_ + "\\gamedata\\skins\\" + file,
                              is_safe_file_name(name) ? head_preview_path(name) : std::string(),
                              {origin.x + 2, origin.y + 2}});
    }
    return thumbnails;
}

std::string HeadSelector::tooltip_at(int32_t x, int32_t y) const {
    if (skins_.empty()) return "";
    const int32_t cell = cell_at(x, y);
    if (!cell_has_file(page_, cell, skins_.size())) return "";
    return skins_[static_cast<size_t>(skin_index(cell) - 1)];
}

std::optional<std::string> HeadSelector::msFillThumbs(Previews previews, const SkinGridPainter& painter) {
    return guarded(kModule, "msFillThumbs", [&](int32_t& location) -> std::optional<std::string> {
        for (;;) {
            location = checkpoint::start;
            if (painter.clear_grid) painter.clear_grid();
            if (skins_.empty()) return std::nullopt;
            for (const SkinThumbnail& thumbnail : page_thumbnails()) {
                location = checkpoint::c2000;
                if (painter.draw_thumbnail) painter.draw_thumbnail(thumbnail);
                location = checkpoint::c2400;
                if (previews == Previews::Shown && painter.draw_preview && !thumbnail.preview_path.empty()) {
                    try {
                        painter.draw_preview(thumbnail);
                    } catch (const std::exception&) {
                        // A preview is a courtesy: the thumbnail stands without it.
                    }
                }
                location = checkpoint::c2800;
                if (painter.refresh) painter.refresh();
            }
            location = checkpoint::c3000;
            selected_ = 0;
            if (!painter.show_skin || painter.show_skin(*skin_in_cell(0))) return page_text();
            // The page's first skin stopped loading after the listing: it leaves the list as the
            // skins that never loaded did, and the page is drawn again without it.
            drop_skin(0);
        }
    });
}

std::optional<ShownSkin> HeadSelector::select_skin_at(
    int32_t x, int32_t y, const std::function<bool(const ShownSkin&)>& show_skin) {
    return guarded(kModule, "picThumbs_MouseDown", [&](int32_t&) -> std::optional<ShownSkin> {
        selected_ = cell_at(x, y);
        std::optional<ShownSkin> skin = skin_in_cell(selected_);
        if (skin && show_skin && !show_skin(*skin)) {
            drop_skin(selected_);
            return std::nullopt;
        }
        return skin;
    });
}

void HeadSelector::drop_skin(int32_t cell) {
    const auto at = skins_.begin() + (skin_index(cell) - 1);
    gone_bad_.push_back(*at);
    skins_.erase(at);
    // A last page left empty gives way to the one before it.
    if (page_ > 0 && !cell_has_file(page_, 0, skins_.size())) --page_;
}

std::optional<BoxMessage> HeadSelector::take_skins_gone_bad() {
    if (gone_bad_.empty()) return std::nullopt;
    BoxMessage box{bad_skin_files_message(gone_bad_), kBoxCritical, kBadSkinFilesTitle};
    gone_bad_.clear();
    return box;
}

std::optional<std::string> selected_skin_text(const std::string& model_text,
                                              const std::string& skin_name_text) {
    if (model_text.empty() || skin_name_text.empty()) return std::nullopt;
    return model_text + "," + skin_name_text;
}

}  // namespace fw
