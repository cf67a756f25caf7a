#include "windows/browser/frmMain.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QFocusEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <functional>
#include <set>

#include "builders/far_builder.hpp"
#include "builders/sim_builder.hpp"
#include "builders/steam_builder.hpp"
#include "core/game/app_state.hpp"
#include "support/temp_dir.hpp"
#include "support/window_driver.hpp"
#include "windows/widgets/openers.hpp"

namespace fw {
namespace {

const std::string kSetPathHint = "Please use the Set Path menu option to locate The Sims.";
const BoxMessage kRegistryFailed{
    "GetRegistryString failed on error.\r\nThe path to The Sims can not be found.\r\n" + kSetPathHint, 16,
    "Path to The Sims not found!"};
const BoxMessage kNoSimsExe{
    "The file SIMS.EXE was not found in the path specified in the registry.\r\n" + kSetPathHint, 16,
    "SIMS.EXE Not Found!"};
const BoxMessage kPetRefused{"This sim is a pet. Only people can be edited.", 16, "Load Terminated"};
const BoxMessage kExitQuestion{"Exit this program?", 36, "Confirm Action"};
const std::string kFirstLine = "Neighborhood 01   (UserData)";

std::string file_name(int n) { return "User" + std::to_string(100000 + n).substr(1) + ".iff"; }

// A game folder with sims.exe; every box answered and recorded; the openers replaced by fakes
// that record what they are handed.
class FrmMainTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* key : {kKeyBackupSavedFile, kKeySimsLocation}) save_setting(kAppFacewright, key, "");
        save_setting(kAppVestrel, kKeyLastNeighborhood, "");
        app_state() = AppState{};
        saved_openers_ = openers();
        openers().edit_sim = [this](QWidget* owner, const std::string& path, bool backup) {
            EXPECT_EQ(owner, window.get());
            edited.push_back(path);
            edited_with_backup = backup;
            return editor_closed;
        };
        openers().extract = [this](QWidget*) { ++extractions; };
        game.write("Sims.exe", "");
    }
    void TearDown() override {
        window.reset();
        openers() = saved_openers_;
    }

    // Sims 1..count in a neighbourhood, named Sim1.., with a web image of a colour of their own.
    void write_sims(const std::string& neighbourhood, int count) {
        for (int n = 1; n <= count; ++n) write_sim(neighbourhood, n, shape(n));
    }
    static build::SimSpec shape(int n) {
        const std::string name = "Sim" + std::to_string(n);
        const uint32_t red = 0x010000u * static_cast<uint32_t>(n % 256);
        return {.name = name, .objd_label = "user" + std::to_string(n) + " - " + name,
                .bitmaps = {{"Web_Image", build::bmp24(45, 45, [red](int, int) { return red; })}}};
    }
    void write_sim(const std::string& neighbourhood, int n, const build::SimSpec& shape) {
        game.write(neighbourhood + "/Characters/" + file_name(n), build::sim_file(shape));
    }

    template <typename T>
    T* find(const char* name) const { return build::control<T>(*window, name); }
    QString text(const char* name) const { return build::text(*window, name); }
    QString label(int k) const { return find<QLabel>(("lblSimName" + std::to_string(k)).c_str())->text(); }
    ThumbnailGrid* grid() const { return find<ThumbnailGrid>("picThumbs"); }
    void trigger(const char* action) const { find<QAction>(action)->trigger(); }
    void press(const char* button) const { build::click(*window, button); }
    QListWidget* list() const { return find<QListWidget>("lstUserDataDir"); }
    QStringList list_lines() const {
        QStringList lines;
        for (int row = 0; row < list()->count(); ++row) lines << list()->item(row)->text();
        return lines;
    }
    QString selected_line() const {
        return list()->selectedItems().isEmpty() ? QString() : list()->selectedItems().first()->text();
    }

    build::TempDir game;
    std::unique_ptr<frmMain> window;
    build::BoxRecorder recorder;
    std::vector<BoxMessage>& boxes = recorder.boxes;
    std::vector<std::string> edited;
    bool edited_with_backup = false;
    EditorClosed editor_closed = EditorClosed::WithoutSave;
    int extractions = 0;
    WindowOpeners saved_openers_;
};

// The checks run once the window is first shown, even when the desktop does not give it the
// focus, and when a window it opened closes (the caption they set shows that they ran); the
// desktop activating the window again, or one of its boxes closing, runs nothing. Set Path that
// finds the game lists it. After a save, the page and the selected sim show the file as saved.
TEST_F(FrmMainTest, ActivationFollowsTheProgramsOwnWindowsNotTheDesktop) {
    write_sims("UserData", 3);
    save_setting(kAppFacewright, kKeySimsLocation, "ERROR");
    save_setting(kAppVestrel, kKeyLastNeighborhood, kFirstLine);
    window = std::make_unique<frmMain>();
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->show();
    QApplication::processEvents();
    // Their words as ever; their details say where the program looked, for the player to see why.
    for (BoxMessage& box : boxes) {
        EXPECT_NE(box.details.find("/system.reg: no entry for The Sims"), std::string::npos) << box.details;
        box.details.clear();
    }
    EXPECT_EQ(boxes, (std::vector<BoxMessage>{kRegistryFailed, kNoSimsExe}));
    EXPECT_TRUE(list_lines().isEmpty());
    boxes.clear();  // neither the desktop's activation nor Set Path says a word
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);

    openers().set_path = [&](QWidget* owner) {
        EXPECT_EQ(owner, window.get());
        app_state().game = Game::at(game.str(), GamePathSource::CommandLine);
    };
    trigger("smenuSetPath");
    EXPECT_EQ(boxes, std::vector<BoxMessage>{});
    EXPECT_EQ(list_lines(), QStringList{QString::fromStdString(kFirstLine)});
    build::click_at(grid(), {2 * 68 + 5, 5});
    recorder.answer = BoxAnswer::No;  // to the extraction's question
    const auto edit = [&](EditorClosed closed) { editor_closed = closed, press("cmdSelect"); };
    const std::pair<std::function<void()>, bool> cases[] = {
        {[&] { trigger("smenuSetPath"); }, true},
        {[&] { trigger("smnuExtract"); }, false},
        {[&] { edit(EditorClosed::WithoutSave); }, true},
        {[&] { edit(EditorClosed::NotOpened); }, false},
    };
    for (const auto& [act, activates] : cases) {
        window->setWindowTitle("elsewhere");
        act();
        EXPECT_EQ(window->windowTitle() != "elsewhere", activates);
    }
    // The page drawn again after a save (the editor's whole road checks the name shown) keeps
    // the selected sim.
    edit(EditorClosed::AfterSave);
    EXPECT_EQ(grid()->selectedCell(), 2);
}

// Set Path to another copy of the game whose files have the same names: the grid, the selection
// and Edit This Sim move to that copy's sims together, and its damaged archive is named as at a
// start. Cancel leaves everything as it was.
TEST_F(FrmMainTest, SetPathToAnotherCopyListsThatCopyAlone) {
    write_sims("UserData", 3);
    game.write("Copy/Sims.exe", "");
    for (int n = 1; n <= 2; ++n) write_sim("Copy/UserData", n, shape(n + 10));
    game.write("Copy/ExpansionPack/ExpansionPack.far", "FAR!byAZ cut short");
    window = build::main_window(game.str(), kFirstLine);
    build::click_at(grid(), {2 * 68 + 5, 5});
    openers().set_path = [](QWidget*) {}, trigger("smenuSetPath");  // cancelled
    EXPECT_EQ(text("txtSimName"), "user3 - Sim3");

    openers().set_path = [&](QWidget*) { app_state().game = Game::at(game.str() + "/Copy", GamePathSource::Setting); };
    trigger("smenuSetPath");
    EXPECT_EQ(recorder.titles(), std::vector<std::string>{"Archives Skipped"});  // the copy's own
    EXPECT_EQ(label(0), "Sim11");
    EXPECT_EQ(label(2), "");
    EXPECT_EQ(text("txtSimName"), "user11 - Sim11");
    press("cmdSelect");
    EXPECT_EQ(edited, std::vector<std::string>{game.str() + "/Copy\\UserData\\characters\\" + file_name(1)});
}

// An archive that cannot be read never stops the start: it is named once, after the path checks,
// and the neighbourhoods are listed.
TEST_F(FrmMainTest, ADamagedArchiveIsNamedOnceAndTheStartGoesOn) {
    write_sims("UserData", 1);
    game.write("GameData/Animation/Animation.far", "FAR!byAZ cut short");
    window = build::main_window(game.str(), kFirstLine);
    ASSERT_EQ(recorder.titles(), std::vector<std::string>{"Archives Skipped"});
    EXPECT_NE(boxes[0].text.find(game.str() + "/GameData/Animation/Animation.far"), std::string::npos);
    EXPECT_EQ(list_lines(), QStringList{QString::fromStdString(kFirstLine)});
    boxes.clear();
    window->Form_Activate();
    EXPECT_TRUE(boxes.empty());
}

// The game chosen for the run is used and not stored; the stored neighbourhood is chosen and its
// first sim shown by its object's name; a later activation keeps the line the player chose. Nothing
// is chosen for the player when the stored line is gone, nor when the list takes the focus.
TEST_F(FrmMainTest, TheStoredNeighbourhoodIsChosenOnceAndThePlayersChoiceKept) {
    for (const char* folder : {"UserData", "UserData2"}) write_sims(folder, 2);
    app_state().run_game = Game::at(game.str(), GamePathSource::CommandLine);
    window = build::main_window("ERROR", "Neighborhood 02   (UserData2)");
    EXPECT_EQ(get_setting(kAppFacewright, kKeySimsLocation), "ERROR");
    EXPECT_EQ(selected_line(), "Neighborhood 02   (UserData2)");
    EXPECT_EQ(label(1), "Sim2");
    EXPECT_EQ(text("txtSimName"), "user1 - Sim1");
    list()->setCurrentRow(0);
    window->Form_Activate();
    EXPECT_EQ(selected_line(), QString::fromStdString(kFirstLine));

    window = build::main_window(game.str(), "Neighborhood 04   (UserData4)");
    QFocusEvent focus_in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(list(), &focus_in);
    EXPECT_EQ(selected_line(), "");
    EXPECT_EQ(label(0), "");
}

// A click selects the cell under the pointer and shows its sim, whose file name and whole name
// (which its label cuts at the end) are the grid's tooltip there. A file that cannot be read shows
// the can't-load caption on two lines that fit the cell, and, selected, its error in the sim
// picture; Edit This Sim passes over it, and over an empty cell, without a word.
TEST_F(FrmMainTest, ClicksShowTheSimOrItsErrorUnderThePointer) {
    write_sims("UserData", 20);
    game.write("UserData/Characters/" + file_name(2), build::sim_file(shape(2)).substr(0, 200));
    build::SimSpec chris = shape(16);
    chris.name = "Chris \"Chowder\" Fernsby-Longbottom";
    write_sim("UserData", 16, chris);
    window = build::main_window(game.str(), kFirstLine);
    build::click_at(grid(), {70, 140});
    EXPECT_EQ(grid()->selectedCell(), 15);
    EXPECT_EQ(text("txtSimName"), QString::fromStdString("user16 - " + chris.name));  // the name it has now
    const QPointF point = grid()->canvasOrigin() + QPoint(70, 140);
    QMouseEvent move(QEvent::MouseMove, point, grid()->mapToGlobal(point), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(grid(), &move);
    EXPECT_EQ(grid()->toolTip(), QString::fromStdString(file_name(16) + "\n" + chris.name));
    const QLabel* cut = find<QLabel>("lblSimName15");
    EXPECT_TRUE(cut->text().startsWith("Chris \"Ch"));
    EXPECT_LE(QFontMetrics(cut->font()).horizontalAdvance(cut->text()), cut->width());

    EXPECT_EQ(label(1), "* ERROR *\n Can't Load!!");
    // Both lines fit in the label, which lies below the 45-pixel thumbnail at (11, 2) and inside
    // the cell; a name fits its 13 pixels.
    const QLabel* caption = find<QLabel>("lblSimName1");
    const QFontMetrics metrics(caption->font());
    EXPECT_GE(caption->height(), metrics.height() + metrics.lineSpacing());
    EXPECT_LE(metrics.horizontalAdvance(" Can't Load!!"), caption->width());
    const int cell_top = grid()->canvasOrigin().y();
    EXPECT_GE(caption->geometry().top(), cell_top + 2 + 45);
    EXPECT_LE(caption->geometry().bottom(), cell_top + 67);
    EXPECT_LE(QFontMetrics(find<QLabel>("lblSimName0")->font()).height(), 13);
    const PictureBox* picture = find<PictureBox>("picSim");
    for (const QPoint at : {QPoint(68 + 30, 30), QPoint(5 * 68 + 10, 4 * 68 + 10)}) {  // cells 1 and 33
        build::click_at(grid(), at);
        press("cmdSelect");
    }
    EXPECT_EQ(text("txtSimName"), "");
    EXPECT_EQ(picture->canvas().pixelColor(5, 5), picture->background());
    build::click_at(grid(), {68 + 30, 30});
    EXPECT_EQ(text("txtSimName"), QString::fromStdString("* ERROR * Can not load " + file_name(2)));
    // The error's four lines are printed under the can't-load bitmap, from y = 48.
    std::set<int> inked_rows;
    for (int y = 48; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (picture->canvas().pixelColor(x, y) != picture->background()) inked_rows.insert(y);
    EXPECT_GT(inked_rows.size(), 20u);
    EXPECT_TRUE(edited.empty());
    EXPECT_EQ(boxes, std::vector<BoxMessage>{});
}

// The keyboard alone: the first Down in the list chooses its one neighbourhood; the grid's keys
// show the sim they come to, over a row's end and a page's end; Page Down on the last page does
// nothing; Return hands the sim to the editor, and the grid keeps the focus, shown on its border.
// Next and Previous turn the pages of 49, Next not past the last.
TEST_F(FrmMainTest, TheKeyboardAndTheButtonsWalkThePagesAndOpenTheSim) {
    write_sims("UserData", 52);
    window = build::main_window(game.str(), "");
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    list()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(selected_line(), QString::fromStdString(kFirstLine));
    QTest::keyClick(list(), Qt::Key_Tab);
    ASSERT_TRUE(grid()->hasFocus());
    const std::pair<Qt::Key, int> walk[] = {{Qt::Key_Down, 8}, {Qt::Key_Left, 7},   {Qt::Key_Right, 8},
                                            {Qt::Key_End, 49}, {Qt::Key_Right, 50}, {Qt::Key_PageDown, 50},
                                            {Qt::Key_Left, 49}};
    for (const auto& [key, sim] : walk) {
        QTest::keyClick(grid(), key);
        EXPECT_EQ(text("txtSimName"), QString("user%1 - Sim%1").arg(sim)) << key;
    }
    // The cell the keys reached is marked at every tick of the blink.
    const QPoint corner = grid()->canvasOrigin() + ThumbnailGrid::cellOrigin(grid()->selectedCell());
    for (int tick = 0; tick < 2; ++tick, grid()->Timer1_Timer())
        EXPECT_NE(grid()->grab().toImage().pixelColor(corner), grid()->background()) << tick;
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(edited, std::vector<std::string>{game.str() + "\\UserData\\characters\\" + file_name(49)});
    EXPECT_EQ(grid()->grab().toImage().pixelColor(0, 100), grid()->palette().color(QPalette::Highlight));
    // Tab goes on to the selected sim (its name box takes no typing) and its button, then the
    // page's buttons, and round to the list.
    EXPECT_EQ(build::tab_stops(6), "txtSimName cmdSelect cmdPrevious txtPageCount cmdNext lstUserDataDir");
    QTest::keyClicks(find<QLineEdit>("txtSimName"), "x");
    EXPECT_EQ(text("txtSimName"), "user49 - Sim49");

    for (int n = 0; n < 2; ++n) press("cmdNext");
    EXPECT_EQ(text("txtPageCount"), "Page 2 of 2");
    EXPECT_EQ(label(2), "Sim52");
    EXPECT_EQ(label(3), "");
    EXPECT_EQ(text("txtSimName"), "user50 - Sim50");
    // Sim 50's own web image (red 50) stands at the first cell's thumbnail place.
    EXPECT_EQ(grid()->canvas().pixelColor(11, 2), QColor(50, 0, 0));
    press("cmdPrevious");
    EXPECT_EQ(text("txtPageCount"), "Page 1 of 2");
    EXPECT_EQ(label(48), "Sim49");
}

// Edit This Sim and a double click refuse a pet with its box, and hand a person to the editor with
// the backup mark as it stands; the mark follows the stored number and is stored at each toggle.
// The export says it is done; the extraction is asked first; Exit asks, and No keeps the window.
TEST_F(FrmMainTest, EditThisSimAndTheMenusRefuseHandOverStoreAskAndReport) {
    write_sim("UserData", 1, build::pet_spec("Rex", true));
    write_sim("UserData", 2, shape(2));
    save_setting(kAppFacewright, kKeyBackupSavedFile, "0");
    window = build::main_window(game.str(), kFirstLine);
    press("cmdSelect");
    EXPECT_EQ(boxes, std::vector<BoxMessage>{kPetRefused});
    EXPECT_TRUE(edited.empty());
    build::click_at(grid(), {68 + 5, 5});  // a double click's first press selects the cell
    QTest::mouseDClick(grid(), Qt::LeftButton, {}, grid()->canvasOrigin() + QPoint(68 + 5, 5));
    EXPECT_EQ(edited, std::vector<std::string>{game.str() + "\\UserData\\characters\\" + file_name(2)});
    EXPECT_FALSE(edited_with_backup);
    QAction* backup = find<QAction>("smenuBackup");
    EXPECT_FALSE(backup->isChecked());
    backup->trigger();
    EXPECT_EQ(get_setting(kAppFacewright, kKeyBackupSavedFile), "1");
    press("cmdSelect");
    EXPECT_TRUE(edited_with_backup);
    backup->trigger();
    EXPECT_EQ(get_setting(kAppFacewright, kKeyBackupSavedFile), "0");

    boxes.clear();
    trigger("smenuExport");
    EXPECT_EQ(recorder.titles(), std::vector<std::string>{"Export Complete"});
    for (const BoxAnswer answer : {BoxAnswer::No, BoxAnswer::Yes})
        recorder.answer = answer, trigger("smnuExtract");
    EXPECT_EQ(extractions, 1);  // after Yes alone

    window->show();
    boxes.clear();
    recorder.answer = BoxAnswer::No, trigger("smenuExit");
    EXPECT_TRUE(window->isVisible());
    recorder.answer = BoxAnswer::Yes, window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(boxes, (std::vector<BoxMessage>{kExitQuestion, kExitQuestion}));
}

// A first start on a player's Linux desktop (no settings, no --game, no registry entry) finds the
// Legacy Collection in a second Steam library: before the game's first start the player is told
// to start it once, and nothing is listed.
TEST_F(FrmMainTest, FirstStartOnASteamHomeBeforeTheGamesFirstStartSaysSo) {
    build::TempDir home;
    const build::ScopedEnv home_env("HOME", home.str());
    const build::SteamHome steam = build::steam_home(home.path());
    build::write_steam_home(steam);
    const std::filesystem::path sim = steam.install / "UserData/Characters/User00001.iff";
    home.write(sim.lexically_relative(home.path()).string(), build::sim_file(shape(1)));
    window = std::make_unique<frmMain>();
    window->Form_Activate();
    EXPECT_EQ(boxes,
              (std::vector<BoxMessage>{{"The Sims keeps its neighborhoods in:\r\n" + steam.saves.string() +
                                            "\r\nThe game makes that folder when it is first started. "
                                            "Please start The Sims once, then come back to Facewright.",
                                        64, "Start The Sims Once"}}));
    EXPECT_TRUE(list_lines().isEmpty());
}

}  // namespace
}  // namespace fw
