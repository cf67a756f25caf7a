#pragma once
// The sim editor: one sim's name, gender, age group, skin tone and head, shown from its character
// file and saved back through the core. Modal over the main window; nothing of an unsaved edit
// survives it.
#include <QDialog>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "core/base/message_box.hpp"
#include "core/sims/sim_session.hpp"
#include "core/game/damaged_archives.hpp"
#include "windows/widgets/openers.hpp"

class QLineEdit;

namespace Ui {
class frmEditSim;
}

namespace fw {

class PictureBox;

class frmEditSim : public QDialog {
    Q_OBJECT
    // The character file being edited, set by the opener before Form_Load.
    Q_PROPERTY(QString LoadUserFile READ LoadUserFile WRITE setLoadUserFile)
    // The head chosen in the head selector (model + "," + skin); empty when none was chosen.
    Q_PROPERTY(QString SelectedSkin READ SelectedSkin WRITE setSelectedSkin)

public:
    explicit frmEditSim(QWidget* owner = nullptr);
    ~frmEditSim() override;

    QString LoadUserFile() const;
    void setLoadUserFile(const QString& path);
    QString SelectedSkin() const;
    void setSelectedSkin(const QString& selected);
    // The same as bytes: the path as the main window built it, the selector's model and skin as
    // the files name them.
    void set_load_user_file(const std::string& path) { load_user_file_ = path; }
    const std::string& load_user_file() const { return load_user_file_; }
    // The main window's "&Create Backup File" check mark, read by the save.
    void set_make_backup(bool make_backup) { make_backup_ = make_backup; }

    // Reads the sim and fills the controls. A file the editor may not show or save (not a
    // character file, a pet, lists it cannot take apart) fills nothing and gives the box that
    // refuses it; the window must then not be shown.
    std::optional<BoxMessage> Form_Load();
    // Names the archives the search for the head bitmap could not read, once, in a box over the
    // window (its opener runs it once the window shows).
    void report_skipped_archives();

    // Whether the sim was read again from its file, changed elsewhere, while the editor was open.
    bool reloaded() const { return reloaded_; }

    // Escape and the close box: with edits not saved, the player is asked before they are lost.
    void reject() override;

private slots:
    void cmdHead_Click();
    void cmdSave_Click();
    void cmdCancel_Click();

private:
    void msDisplayData();
    void show_head_bitmap(const std::string& skin);
    // The save from the confirmation on; `overwrite` once the player chose to save over a change
    // made elsewhere.
    void save(const SimControls& controls, bool overwrite);
    // The sim as its file is now, the edits made here dropped.
    void reload();
    // On opening both previews stay as they are when the skin has none; after a choice in the head
    // selector the old ones are cleared first.
    enum class PreviewMoment { Opening, AfterChoice };
    void show_previews(const std::string& skin, PreviewMoment moment);
    // The controls as the core takes them, with the names in the game's character set; the box
    // that refuses a text the game cannot store, and in `about` its field.
    std::optional<BoxMessage> read_controls(SimControls& controls, QLineEdit** about = nullptr) const;
    // The option buttons as the core reads them (no tone when no tone option is on).
    void read_options(SimControls& controls) const;
    void fit_option_captions();
    // A quiet word below the options when the head's skin is of another tone than the body.
    void show_tone_note();
    void paint_placeholders();
    // The turning head beside the others when the "3D Head" setting is on; the window is as wide
    // as the form without it when it is off.
    void follow_3d_head_setting();
    // A portrait the game has not drawn shows the head drawn from its model, marked as a preview.
    void show_head_portrait(PictureBox* box);

    std::unique_ptr<Ui::frmEditSim> ui;
    std::string load_user_file_;
    std::string selected_skin_;
    bool make_backup_ = false;
    EditorSession session_;
    SimControls opened_;  // the controls as the sim was shown, to tell an edit from none
    bool reloaded_ = false;
    // The game's archives as this editor reads them: a damaged one is named once and not read again.
    ArchiveReading archives_;

public:
    // A text as the file or the selector gave it, and how it was shown: a text the user did not
    // touch is written back as these bytes.
    struct ShownText {
        std::string bytes;
        QString shown;
    };

private:
    ShownText name_, model_, skin_;
};

// Opens the editor for the character file, modal over `owner`, and returns when it closes, saying
// whether the sim was saved. A sim the core refuses is reported with its box and no editor opens.
// Installed as the edit_sim opener.
EditorClosed show_frmEditSim(QWidget* owner, const std::string& load_user_file, bool make_backup);

}  // namespace fw
