#pragma once
// The head selector: the head models of the sim's age and gender, the skins of the chosen model
// in the sim's tone as pages of 7 x 7 thumbnails with their head previews, and the choice handed
// back to the editor as model + "," + skin name. The lists, pages and selection are the core's
// HeadSelector; this class reads the controls, paints and shows what it gives.
#include <QDialog>
#include <QImage>
#include <memory>
#include <optional>
#include <string>

#include "core/screens/skin_grid.hpp"
#include "windows/widgets/game_picture.hpp"

namespace Ui {
class frmSelectHead;
}

namespace fw {

class frmSelectHead : public QDialog {
    Q_OBJECT
public:
    explicit frmSelectHead(QWidget* owner = nullptr);
    ~frmSelectHead() override;

    // The sim's skin data code ("malgt"), set by the editor before the window is shown.
    void setSkinData(const std::string& skin_data);
    const std::string& SkinData() const { return selector_.skin_data(); }
    // What Select handed back for the editor's SelectedSkin; nothing after Cancel or the close box.
    const std::optional<std::string>& SelectedSkin() const { return selected_skin_; }

    // Shows a fresh selector for the skin data code modally over the owner and returns the
    // choice: the opener the editor's "Change" goes through.
    static std::optional<std::string> select_head(QWidget* owner, const std::string& skin_data);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void lstModels_Click();
    // Lists the selected model's skins; gives the box naming the ones that do not load.
    std::optional<BoxMessage> msGetSkinFileNames();
    void msFillThumbs();
    void picThumbs_MouseDown(int x, int y);
    void picThumbs_MouseMove(int x, int y);
    void picThumbs_DblClick();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void cmdSelect_Click();
    void cmdCancel_Click();
    void chkPreview_Click();
    void chk3DHead_Click();
    // The turning head's column, right of the window's own width, is there only while it shows.
    void show_3d_column(bool shown);
    // The turning head shows the model wearing the skin under the pointer, else the selected one.
    void show_head_3d(const std::string& skin);

    // Captions wider than their designed place (a wider font than the form's) grow to the right.
    void fit_captions();
    // The text of lstModels: the selected model, "" while none is selected.
    std::string model_text() const;
    // picSkin shows the skin at its corner and its large preview beside it; false when the skin's
    // bitmap does not load.
    bool show_skin(const ShownSkin& skin);

    std::unique_ptr<Ui::frmSelectHead> ui;
    HeadSelector selector_;
    // True from the load until the end of the first activation: "Show Head Previews" is being set
    // from the setting and does not redraw.
    bool mblnLoading = true;
    bool activated_ = false;
    // A mouse press on lstModels that changed the selection already ran lstModels_Click; its click
    // does not run it twice. A click on the line already selected runs it once.
    bool selection_changed_by_press_ = false;
    // The skins and previews decoded so far: paging back and forth draws them from memory.
    DecodedPictures pictures_;
    std::optional<std::string> selected_skin_;
};

}  // namespace fw
