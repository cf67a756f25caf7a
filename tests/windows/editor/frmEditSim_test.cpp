#include "windows/editor/frmEditSim.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "builders/far_builder.hpp"
#include "builders/head_builder.hpp"
#include "builders/sim_builder.hpp"
#include "core/screens/sim_display.hpp"
#include "core/sims/sim_save.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"
#include "core/platform/settings.hpp"
#include "core/heads/head_setting.hpp"
#include "core/game/app_state.hpp"
#include "demo/demo_game.hpp"
#include "support/temp_dir.hpp"
#include "support/window_driver.hpp"
#include "windows/editor/frmRestore.hpp"
#include "windows/headselect/frmSelectHead.hpp"
#include "windows/widgets/head_view.hpp"
#include "windows/widgets/openers.hpp"

namespace fw {
namespace {

using build::click;
using build::control;
using build::shows;
using build::while_modal;

const char* const kFirstLine = "Neighborhood 01   (UserData)";  // the stored choice, listed first

// The demo game, a program folder of the test's own, the editor's windows and boxes answered as a
// test says.
class EditSimWindow : public testing::Test {
protected:
    void SetUp() override {
        build::write_demo_game(game_.str());
        app_state() = AppState{Game::at(game_.str(), GamePathSource::CommandLine), Game()};
        openers().edit_sim = show_frmEditSim;
        // A head selector that is cancelled.
        openers().select_head = [](QWidget*, const std::string&) { return std::optional<std::string>(); };
    }
    void TearDown() override { openers() = saved_openers_; }

    std::string sim(const std::string& neighbourhood, const std::string& file) const {
        return game_.str() + "\\" + neighbourhood + "\\Characters\\" + file;
    }
    std::unique_ptr<frmEditSim> open_editor(const std::string& path) {
        auto editor = std::make_unique<frmEditSim>();
        editor->set_load_user_file(path);
        EXPECT_EQ(editor->Form_Load(), std::nullopt);
        editor->show();
        return editor;
    }
    static void type_name(const QWidget& editor, const QString& name) {
        QLineEdit* box = control<QLineEdit>(editor, "txtName");
        box->clear();
        // Typed key by key; a letter without a key of its own (an accented one) comes as its text.
        for (const QChar letter : name)
            letter.unicode() < 0x80
                ? QTest::keyClick(box, letter.toLatin1())
                : QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(letter), Qt::NoModifier);
    }
    std::string skin_bmp(const std::string& name) const {
        return read_file(game_.str() + "\\GameData\\Skins\\" + name + ".bmp");
    }

    build::TempDir game_;
    build::TempDir home_;
    build::ScopedEnv home_env_{"FACEWRIGHT_HOME", home_.str()};
    build::BoxRecorder boxes_;
    WindowOpeners saved_openers_ = openers();
};

// The whole road of one edit: the main window lists the neighbourhood, a click shows the sim,
// "Edit This Sim" opens the editor, where the name, the tone and the head change and are saved.
TEST_F(EditSimWindow, AnEditFromTheMainWindowWritesWhatTheCoreSaveWritesKeepsABackupAndCloses) {
    const std::string path = sim("UserData", "User00001.iff");  // Ada Demo, adult male, light
    const std::string original = read_file(path);
    for (const char* key : {kKeyBackupSavedFile, kKey3DHead}) save_setting(kAppFacewright, key, "1");
    const auto browser = build::main_window(game_.str(), kFirstLine);  // (UserData)
    build::click_at(control<ThumbnailGrid>(*browser, "picThumbs"), {10, 10});
    boxes_.boxes.clear();
    openers().select_head = frmSelectHead::select_head;

    const auto edited = while_modal<frmEditSim>([&](frmEditSim& editor) {
        EXPECT_EQ(editor.windowTitle(), "Edit Sim - USER00001.IFF");
        EXPECT_TRUE(control<QRadioButton>(editor, "optLight")->isChecked());
        // The portrait the main window dumped for this sim; the head from the skins folder.
        EXPECT_TRUE(shows(control<PictureBox>(editor, "picWebImage"), build::face_bmp(0)));
        EXPECT_TRUE(shows(control<PictureBox>(editor, "picHead"), skin_bmp("c001malgt_dylan")));

        type_name(editor, QString::fromUtf8("Zo\xC3\xAB Demo"));
        click(editor, "optDark");
        // The head selector lists the dark-toned adult male heads; Eliot's one skin is picked.
        const auto selected = while_modal<frmSelectHead>([&](frmSelectHead& selector) {
            EXPECT_EQ(selector.SkinData(), "madrk");
            build::click_item(selector, "lstModels", "C002MA_ELIOT");
            build::click_at(control<ThumbnailGrid>(selector, "picThumbs"), {10, 10});
            click(selector, "cmdSelect");
        });
        click(editor, "cmdHead");
        EXPECT_TRUE(*selected);
        EXPECT_TRUE(shows(control<PictureBox>(editor, "picHead"), skin_bmp("C002MAdrk_eliot")));
        // The head turning beside.
        EXPECT_EQ(control<HeadView>(editor, "picHead3D")->skin(), "C002MAdrk_eliot");
        click(editor, "cmdSave");
        EXPECT_FALSE(editor.isVisible());
    });
    click(*browser, "cmdSelect");
    ASSERT_TRUE(*edited);
    // Back in the main window, the sim's cell shows the name it was saved with.
    EXPECT_EQ(control<QLabel>(*browser, "lblSimName0")->text(), QString::fromUtf8("Zo\xC3\xAB Demo"));

    EXPECT_EQ(boxes_.titles(), (std::vector<std::string>{"Confirm Action", "Success"}));

    // The same changes saved by the core on a copy of the file as it was.
    const build::TempDir copy;
    const std::string copy_path = copy.write("UserData/Characters/User00001.iff", original);
    EditorSession session;
    ASSERT_EQ(open_sim_for_editing(copy_path, session), std::nullopt);
    // Adult and male, as Ada is.
    SimControls changes{
        .name = "Zo\xEB Demo", .model = "C002MA_ELIOT", .skin = "C002MAdrk_eliot", .tone = Tone::Dark};
    ASSERT_TRUE(save_sim(session, changes).saved());
    EXPECT_EQ(read_file(path), read_file(copy_path));

    const auto backups = list_matching(backup_folder_path() + "\\User00001iff_*", Listing::FilesOnly);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(read_file(backup_folder_path() + "\\" + backups[0]), original);
}

// Escape and the close box ask before edits are lost (the core's rule says which controls count),
// No (the default) keeps the editor open, Yes closes it; with no edit, or one undone by hand, it
// closes at once, and Cancel always does.
TEST_F(EditSimWindow, EscapeOrTheCloseBoxAskBeforeEditsAreLostAndCancelDoesNot) {
    const std::string unsaved = "The changes to this sim have not been saved.\r\n\r\n";
    const BoxMessage question{unsaved + "Close the editor and discard them?",
                              kBoxQuestion | kSecondButtonDefault, "Confirm Action"};
    // The name typed over Cleo Demo's ("" types nothing); the way out; the answer.
    const std::tuple<QString, const char*, BoxAnswer, bool> cases[] = {
        {"", "escape", BoxAnswer::No, false},
        {"Cleo Demo", "", BoxAnswer::No, false},
        {"X", "escape", BoxAnswer::No, true},
        {"X", "", BoxAnswer::Yes, true},
        {"X", "cmdCancel", BoxAnswer::No, false}};
    for (const auto& [name, way, answer, asks] : cases) {
        SCOPED_TRACE(way);
        boxes_.boxes.clear();
        boxes_.answer = answer;
        auto editor = open_editor(sim("UserData", "User00003.iff"));
        if (!name.isEmpty()) type_name(*editor, name);
        way == std::string("escape") ? QTest::keyClick(editor.get(), Qt::Key_Escape)
        : *way                       ? click(*editor, way)
                                     : void(editor->close());
        EXPECT_EQ(boxes_.boxes, asks ? std::vector<BoxMessage>{question} : std::vector<BoxMessage>{}) << asks;
        EXPECT_EQ(editor->isVisible(), asks && answer == BoxAnswer::No) << name.toStdString();
    }
}

// At any scale (the suite runs this again at a 2x scale, on a test screen too small for the
// window): the window fits its screen; no two controls overlap (a label counts by its text), each
// lies inside its frame and no option's caption is cut; Tab goes round the controls, none out of
// sight, entering each option group at its chosen option (for this dark-toned girl the second or
// third of its group).
TEST_F(EditSimWindow, AtAnyScaleTheControlsFitWithoutOverlapAndTabReachesThem) {
    auto editor = open_editor(sim("UserData", "User00012.iff"));
    build::expect_controls_fit(*editor, "cmdFocus");  // cmdFocus is out of sight by design
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    EXPECT_EQ(build::tab_stops(9),
              "txtModel txtSkin cmdHead optFemale optDark optChild cmdSave cmdCancel txtName");
}

// On one editor, nothing is written until the player says Yes to a head and a name the game can
// store: an empty name, a name the game cannot store (never saved with "?" for a letter) and an
// emptied model are refused, the focus then in the field refused; No to the question writes
// nothing and leaves the focus where it was (No is its default); an adult's head on a child is
// asked about. Then a change made elsewhere is offered for reloading; a name and tone change of
// the reloaded sim is then saved.
TEST_F(EditSimWindow, SaveWritesNothingUntilYesToAStorableHeadAndNameAndOffersAReload) {
    const std::string path = sim("UserData", "User00002.iff");
    const std::string original = read_file(path);
    const std::string theirs = read_file(sim("UserData", "User00003.iff"));
    auto editor = open_editor(path);
    QLineEdit* model = control<QLineEdit>(*editor, "txtModel");
    boxes_.answer = BoxAnswer::No;
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[&] { type_name(*editor, ""); }, "txtName"},
        {[&] { type_name(*editor, QString::fromUtf8("Mei \xE6\xA2\x85")); }, "txtName"},
        {[&] { type_name(*editor, "Someone Else"); }, "cmdSave"},
        {[&] { model->clear(); }, "txtModel"},
        {[&] {
             model->setText("C001FA_Ava");
             click(*editor, "optChild");
         },
         "cmdSave"}};
    for (const auto& [change, focus] : steps) {
        change();
        // As a player's click gives the button the focus (an inactive test window's does not).
        control<QWidget>(*editor, "cmdSave")->setFocus();
        click(*editor, "cmdSave");
        EXPECT_EQ(editor->focusWidget()->objectName(), focus) << boxes_.boxes.size();
    }
    EXPECT_EQ(boxes_.titles(), (std::vector<std::string>{"Not Saved", "Not Saved", "Confirm Action",
                                                         "Not Saved", "Check the Head"}));
    EXPECT_EQ(boxes_.boxes[0].text, "The name is empty. Nothing was saved.");
    EXPECT_TRUE(boxes_.boxes[1].text.starts_with("The name \"Mei")) << boxes_.boxes[1].text;
    EXPECT_NE(boxes_.boxes[4].text.find("C001FA_Ava is made for an adult female; the sim is a female child."),
              std::string::npos);
    EXPECT_EQ(default_answer(boxes_.boxes[4].style), BoxAnswer::No);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(read_file(path), original);
    EXPECT_FALSE(file_exists(temp_file_path()));
    EXPECT_FALSE(folder_exists(backup_folder_path()));

    write_file(path, theirs);
    boxes_.answer = boxes_.choice = BoxAnswer::Yes;  // and "Reload"
    boxes_.boxes.clear();
    click(*editor, "cmdSave");
    EXPECT_EQ(boxes_.titles(),
              (std::vector<std::string>{"Check the Head", "Confirm Action", "Sim Changed Elsewhere"}));
    EXPECT_EQ(read_file(path), theirs);
    EXPECT_EQ(control<QLineEdit>(*editor, "txtName")->text(), "Cleo Demo");  // as the file is now

    // The most common edit, a new name and a darker tone on the same head, asks nothing more: the
    // game draws that head. The editor notes the tone quietly.
    boxes_.boxes.clear();
    type_name(*editor, "Cleo Dark");
    click(*editor, "optDark");
    EXPECT_EQ(control<QLabel>(*editor, "lblToneNote")->text(), "The head's skin is light; the body is dark.");
    click(*editor, "cmdSave");
    EXPECT_EQ(boxes_.titles(), (std::vector<std::string>{"Confirm Action", "Success"}));
    EXPECT_FALSE(editor->isVisible());
}

// A sim changed elsewhere and reloaded in the editor: the old head's previews go and, once the
// editor closes, the main window's page shows the sim as its file is now.
TEST_F(EditSimWindow, AReloadedSimIsShownOnThePageOnceTheEditorCloses) {
    const std::string preview = build::face_bmp(7000, 32, 32);
    create_folder(program_folder() + "\\HeadPreview");
    write_file(program_folder() + "\\HeadPreview\\Preview_c001malgt_dylan.bmp", preview);  // Ada's head
    const auto browser = build::main_window(game_.str(), kFirstLine);  // (UserData): Ada first

    boxes_.choice = BoxAnswer::Yes;  // "Reload"
    while_modal<frmEditSim>([&](frmEditSim& editor) {
        EXPECT_TRUE(shows(control<PictureBox>(editor, "picPreview"), preview));
        write_file(sim("UserData", "User00001.iff"), build::sim_file({.name = "Zed Elsewhere"}));
        type_name(editor, "Ada Again");
        click(editor, "cmdSave");
        EXPECT_FALSE(shows(control<PictureBox>(editor, "picPreview"), preview));
        click(editor, "cmdCancel");
    });
    click(*browser, "cmdSelect");
    EXPECT_EQ(control<QLabel>(*browser, "lblSimName0")->text(), "Zed Elsewhere");
}

// A skin only the archives hold shows as the first of them holds it. A skin no archive holds keeps
// the placeholder, quietly, also after a cancelled selector; a cached first preview without its
// second shows the no-preview placeholder beside it. The sim's head turns beside the others (the
// whole road sees it follow "Change"); a portrait the game has not drawn shows the head, marked as a
// preview; with the setting off the window goes back to its own width.
TEST_F(EditSimWindow, HeadPicturesComeFromTheArchivesElsePlaceholdersAndTheHeadTurnsBesideThem) {
    const auto hugo = open_editor(sim("UserData", "User00025.iff"));  // C003MA_Hugo: textures.far first
    EXPECT_TRUE(shows(control<PictureBox>(*hugo, "picHead"), build::face_texture(6000, "lgt")));
    const build::SimSpec shape{.tone = "xyz", .head = "C003MA_Hugo,HEAD-HEAD=c003malgt_nowhere"};
    const std::string path = game_.write("UserData/Characters/User00099.iff", build::sim_file(shape));
    const std::string preview = build::face_bmp(7000, 32, 32);
    create_folder(program_folder() + "\\HeadPreview");
    write_file(program_folder() + "\\HeadPreview\\Preview_c003malgt_nowhere.bmp", preview);
    auto nowhere = open_editor(path);
    click(*nowhere, "cmdHead");
    const auto canvas_of = [&](const char* name) { return control<PictureBox>(*nowhere, name)->canvas(); };
    EXPECT_EQ(canvas_of("picHead"), canvas_of("picHeadNotFound"));
    EXPECT_TRUE(shows(control<PictureBox>(*nowhere, "picPreview"), preview));
    EXPECT_EQ(canvas_of("picPreview2"), canvas_of("picNoPreview"));
    EXPECT_TRUE(boxes_.boxes.empty());

    save_setting(kAppFacewright, kKey3DHead, "1");
    // The main window's click on a sim without a web image dumps its bitmaps.
    ASSERT_TRUE(msDisplaySim(sim("UserData2", ""), "UserData2", "User00006.iff").loaded());
    const auto editor = open_editor(sim("UserData2", "User00006.iff"));
    auto* view = control<HeadView>(*editor, "picHead3D");
    EXPECT_EQ(std::tuple(view->model(), view->skin(), view->turning()),
              std::tuple("C004FA_Iris", "c004famed_iris", true));
    auto* web = control<PictureBox>(*editor, "picWebImage");
    EXPECT_NE(web->canvas(), control<PictureBox>(*editor, "picWebNotFound")->canvas());
    EXPECT_FALSE(web->toolTip().isEmpty());
    EXPECT_TRUE(control<PictureBox>(*editor, "picFaces")->toolTip().isEmpty());  // its own picture

    const int wide = editor->width();
    save_setting(kAppFacewright, kKey3DHead, "0");
    click(*editor, "cmdHead");
    EXPECT_FALSE(view->isVisible());
    EXPECT_LT(editor->width(), wide);
    EXPECT_GT(editor->width(), control<QWidget>(*editor, "cmdSave")->geometry().right());
}

// A file the editor cannot show (the core says which) is refused in its box, and no editor opens.
TEST_F(EditSimWindow, AFileTheEditorCannotShowIsRefusedAndNoEditorOpens) {
    const auto opened = while_modal<frmEditSim>([](frmEditSim&) {});
    EXPECT_EQ(openers().edit_sim(nullptr, sim("UserData2", "User00010.iff"), false), EditorClosed::NotOpened);
    QApplication::processEvents();  // runs the check above when no editor was opened
    EXPECT_FALSE(*opened);
    EXPECT_EQ(boxes_.boxes,
              (std::vector<BoxMessage>{{"User IFF File Invalid.", kBoxCritical, "Load Terminated"}}));
}

// The whole road: a sim without backups gets a word; a sim saved twice is selected, its oldest
// backup chosen, shown and restored, and the main window then shows the sim as it was.
TEST_F(EditSimWindow, TheRestoreMenuRestoresTheSelectedSimAndThePageShowsIt) {
    const build::TempDir game;
    game.write("Sims.exe", "");
    // One sim under three names: backups copied in by hand are offered for their own sim.
    const build::SimSpec bob{.objd_id = 7, .bitmaps = {{"Web_Image", build::face_bmp(7)}}};
    const auto named = [](const char* name) { return build::sim_file({.name = name, .objd_id = 7}); };
    const std::string path = game.write("UserData/Characters/User00001.iff", named("Rob"));
    game.write("UserData/Characters/User00002.iff", named("Ann"));
    // As two saves with backups left them.
    create_folder(backup_folder_path());
    write_file(backup_folder_path() + "\\User00001iff_Bob-Robert_UserData_20261206_120101",
               build::sim_file(bob));
    write_file(backup_folder_path() + "\\User00001iff_Robert-Rob_UserData_20261206_120202", named("Robert"));

    const std::vector<BoxMessage>& boxes = boxes_.boxes;
    openers().restore_from_backup = show_frmRestore;
    app_state() = AppState{};
    const auto browser = build::main_window(game.str(), kFirstLine);
    QLabel* first_name = control<QLabel>(*browser, "lblSimName0");
    ASSERT_EQ(first_name->text(), "Rob");
    ThumbnailGrid* grid = control<ThumbnailGrid>(*browser, "picThumbs");
    QAction* menu = control<QAction>(*browser, "smenuRestore");

    build::click_at(grid, {80, 10});  // Ann
    menu->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.starts_with("There are no backups of Ann (User00002.iff in UserData)."))
        << boxes[0].text;

    build::click_at(grid, {10, 10});  // Rob
    const auto shown = build::while_modal<frmRestore>([&](frmRestore& dialog) {
        QTreeWidget* list = control<QTreeWidget>(dialog, "lstBackups");
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(0)->text(1), QString::fromUtf8("Robert \u2192 Rob (origin unknown)"));
        list->setCurrentItem(list->topLevelItem(1));
        EXPECT_EQ(control<QLabel>(dialog, "lblName")->text(), "Bob");
        // The backup's head turns.
        EXPECT_EQ(control<HeadView>(dialog, "picHead3D")->skin(), "c001malgt_test");
        // The oldest backup still keeps the portraits the first save dropped.
        EXPECT_TRUE(shows(control<PictureBox>(dialog, "picWebImage"), build::face_bmp(7)));
        build::click(dialog, "cmdRestore");
    });
    browser->setWindowTitle("elsewhere");  // the activation as the dialog closes sets it
    menu->trigger();
    EXPECT_NE(browser->windowTitle(), "elsewhere");
    ASSERT_TRUE(*shown);

    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1],
              (BoxMessage{"Restore Bob from the backup of 2026-12-06 12:01?\r\n" + display_path(path) +
                              "\r\n\r\nThe file as it is now is kept in the Backup folder first.",
                          kBoxQuestion, "Confirm Action"}));
    EXPECT_EQ(boxes[2].text, "Bob has been restored from the backup of 2026-12-06 12:01.");
    EXPECT_EQ(read_file(path), build::sim_file(bob));
    EXPECT_EQ(first_name->text(), "Bob");
    EXPECT_TRUE(shows(control<PictureBox>(*browser, "picSim"), build::face_bmp(7)));
}

}  // namespace
}  // namespace fw
