#pragma once
// The head selector's state: the models of the sim's age and gender, the skins of the chosen
// model in pages of 49, the selected cell, the previews laid over the thumbnails and the text
// handed back to the editor. The window loads and paints the pictures this names.
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/screens/grid_pages.hpp"

namespace fw {

// The caption from the window's first activation on.
inline constexpr const char* kSkinSelectionCaption = "Skin Selection - Select A Body And A Skin";

// Thumbnails are the skin bitmaps scaled to this square.
inline constexpr int32_t kSkinThumbnailSize = 64;
// In picSkin: the skin bitmap at its own size at the corner, its large preview beside it.
inline constexpr GridPoint kSkinPicturePoint{0, 0};
inline constexpr GridPoint kLargePreviewPoint{160, 0};

// The state of "Show Head Previews" as the window loads: the setting "Preview Head Skins"
// (Facewright) is seeded with "1" when it is missing or empty; the box is checked when it is on
// (setting_is_on).
bool load_preview_setting();
// Stores the box's state as "1" or "0".
void store_preview_setting(bool checked);

// Whether a page is drawn with each skin's head preview over its thumbnail.
enum class Previews { Hidden, Shown };

// One skin of the page drawn.
struct SkinThumbnail {
    int32_t cell = 0;
    std::string file;          // the skin's file name, e.g. C005MAlgt_ROMEO.bmp
    std::string bitmap_path;   // game path + "\gamedata\skins\" + file: scaled to 64 x 64 at `at`
    std::string preview_path;  // program folder + "\HeadPreview\Preview_" + file: at `at`, own size
    GridPoint at;              // the cell's origin + (2, 2)
};

// The skin shown large in picSkin, and its name in txtSkinName.
struct ShownSkin {
    std::string name;           // the file name less its last four characters (".bmp")
    std::string bitmap_path;    // at kSkinPicturePoint, own size
    std::string preview2_path;  // "HeadPreview\Preview2_" + file: at kLargePreviewPoint, own size,
                                // whatever "Show Head Previews" says; a missing one is passed over
};

// What the window does while a page is drawn. Every member may be left empty.
struct SkinGridPainter {
    std::function<void()> clear_grid{};
    // Loads the skin bitmap and paints it scaled; a bitmap that no longer loads is passed over.
    std::function<void(const SkinThumbnail&)> draw_thumbnail{};
    // Paints the preview over the thumbnail when it loads. Any failure here is passed over.
    std::function<void(const SkinThumbnail&)> draw_preview{};
    // Shows the grid as it stands, so that the page is seen to fill cell by cell.
    std::function<void()> refresh{};
    // Shows the skin in picSkin and txtSkinName; false when its bitmap did not load.
    std::function<bool(const ShownSkin&)> show_skin{};
};

class HeadSelector {
public:
    // The game and the skin data code the editor hands over ("falgt").
    HeadSelector(std::string game_path, std::string skin_data);

    const std::string& skin_data() const { return skin_data_; }
    // The models lstModels lists (it sorts them itself). Guarded (frmSelectHead / msGetModelList).
    std::vector<std::string> model_list() const;

    // A click on a model: back to page 0 with that model's skins. Returns the box to show: the
    // skins that do not load and were not named before by this selector ("Bad Skin Files
    // Detected"), or a model that names no skin files.
    // An empty model text (no line selected) changes nothing.
    std::optional<BoxMessage> choose_model(const std::string& model);

    const std::vector<std::string>& skins() const { return skins_; }
    int32_t page() const { return page_; }
    int32_t selected() const { return selected_; }
    // "Page X of Y".
    std::string page_text() const;
    // "Next" and "Previous": true when the page changed and is to be drawn again.
    bool next();
    bool previous();

    // The number (from 1) in the skin list of a cell of the current page.
    int32_t skin_index(int32_t cell) const;
    // The skins of the current page, cell by cell.
    std::vector<SkinThumbnail> page_thumbnails() const;
    // The skin a cell of the current page holds; nothing for an empty cell.
    std::optional<ShownSkin> skin_in_cell(int32_t cell) const;
    // The tooltip over a point of the grid: the file name of the skin there, else "".
    std::string tooltip_at(int32_t x, int32_t y) const;

    // Draws the current page: clears the grid, then each skin's thumbnail, its preview when
    // previews are shown, and a refresh; then selects the first cell and shows its skin. Returns the
    // page text, or nothing when there are no skins (the page text keeps what it showed). A first
    // skin that no longer loads for show_skin leaves the list (take_skins_gone_bad) and the page
    // is drawn again. Guarded (frmSelectHead / msFillThumbs: 1000 clearing, 2000 thumbnail, 2400
    // preview, 2800 refresh, 3000 first skin and page text).
    std::optional<std::string> msFillThumbs(Previews previews, const SkinGridPainter& painter);

    // A mouse button pressed at a point of the grid: the point's cell becomes the selected one
    // (erase the old frame first: selected() before the call). A cell with a skin shows it;
    // an empty one leaves picSkin and txtSkinName as they are and gives nothing. A skin that no
    // longer loads leaves the list (take_skins_gone_bad; the page is to be drawn again) and gives
    // nothing. Guarded (frmSelectHead / picThumbs_MouseDown, 0).
    std::optional<ShownSkin> select_skin_at(int32_t x, int32_t y,
                                            const std::function<bool(const ShownSkin&)>& show_skin);

    // The "Bad Skin Files Detected" box for the skins that stopped loading after the listing and
    // left it since the last call; nothing when none did.
    std::optional<BoxMessage> take_skins_gone_bad();
    const std::vector<std::string>& skins_gone_bad() const { return gone_bad_; }

private:
    void drop_skin(int32_t cell);

    std::vector<std::string> gone_bad_;
    std::set<std::string> named_bad_;  // lower-cased names of the bad files already named
    std::string game_path_;
    std::string skin_data_;
    std::string model_;
    std::vector<std::string> skins_;
    int32_t page_ = 0;
    int32_t selected_ = 0;
};

// "Select": model + "," + skin name for the editor's SelectedSkin; nothing (the window stays)
// when no model is selected or the skin name is empty.
std::optional<std::string> selected_skin_text(const std::string& model_text,
                                              const std::string& skin_name_text);

}  // namespace fw
