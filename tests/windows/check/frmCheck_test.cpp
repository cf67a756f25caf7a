#include "windows/check/frmCheck.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>

#include "builders/sim_builder.hpp"
#include "core/game/app_state.hpp"
#include "core/screens/check_marks.hpp"
#include "support/temp_dir.hpp"
#include "support/window_driver.hpp"
#include "windows/widgets/openers.hpp"

namespace fw {
namespace {

Finding finding(Severity severity, const std::string& explanation, std::vector<TouchedSim> sims = {},
                FixKind fix = FixKind::None) {
    return {.kind = "test", .severity = severity, .explanation = explanation,
            .files = {"/g/GameData\\Skins\\b.bmp"}, .sims = std::move(sims), .fix = fix,
            .fix_words = "Move b.bmp up into Skins.", .model = {}, .skin = {}};
}

const TouchedSim kBob{"Bob", "Neighborhood 1", "/g/UserData/Characters/User00001.iff", "head"};

// A window over a check that answers `check`, counting its runs; its boxes recorded.
class FrmCheckTest : public testing::Test {
protected:
    void SetUp() override { saved_ = openers(); }
    void TearDown() override {
        window.reset();
        openers() = saved_;
        set_check_marks({});
    }
    // Opens the window over a check that runs `run`, or answers `check` at once and is waited for.
    void open(std::function<GameCheck(const CheckProgress&)> run = {}) {
        const auto checker = [this, run](const std::string&, const CheckProgress& progress) {
            ++runs;
            return run ? run(progress) : check;
        };
        window = std::make_unique<frmCheck>(nullptr, [this] { ++marked; }, checker);
        window->show();
        if (!run) wait();
    }
    void wait() {
        const QDeadlineTimer deadline(10000);
        while ((window->checking() || runs == 0) && !deadline.hasExpired()) QCoreApplication::processEvents();
        ASSERT_FALSE(window->checking());
    }
    QTreeWidget* tree() const { return build::control<QTreeWidget>(*window, "tvwFindings"); }
    QPushButton* button(const char* name) const { return build::control<QPushButton>(*window, name); }
    // Each line of the tree under its parent's, indented by two spaces a level.
    std::string lines() const {
        std::string all;
        std::function<void(const QTreeWidgetItem*, int)> add = [&](const QTreeWidgetItem* item, int depth) {
            all += std::string(2 * depth, ' ') + item->text(0).toStdString() + "\n";
            for (int k = 0; k < item->childCount(); ++k) add(item->child(k), depth + 1);
        };
        for (int k = 0; k < tree()->topLevelItemCount(); ++k) add(tree()->topLevelItem(k), 0);
        return all;
    }

    GameCheck check;
    int runs = 0;
    int marked = 0;
    std::unique_ptr<frmCheck> window;
    build::BoxRecorder recorder;
    WindowOpeners saved_;
};

// The findings come grouped by severity, the most serious first, each finding in the check's
// order with its files and sims under it; choosing one shows its explanation, and offers Fix only
// for one that has a fix. The main window is told to mark the sims.
TEST_F(FrmCheckTest, FindingsAreGroupedBySeverityWithTheirFilesAndSims) {
    check.findings = {finding(Severity::Cosmetic, "Two names differ only in case."),
                      finding(Severity::Crash, "A mesh (b.skn) lies only in Skins. The game may crash.", {kBob},
                              FixKind::CopyBuyableMesh),
                      finding(Severity::Crash, "No head model c002fa.")};
    open();
    EXPECT_EQ(build::control<QLabel>(*window, "lblProgress")->text(), "The check found 3 problems.");
    EXPECT_EQ(lines(),
              "Crash (2)\n"
              "  A mesh (b.skn) lies only in Skins.\n"
              "    File: /g/GameData/Skins/b.bmp\n"
              "    Sim: Bob (Neighborhood 1), /g/UserData/Characters/User00001.iff, needs it for the head\n"
              "  No head model c002fa.\n"
              "    File: /g/GameData/Skins/b.bmp\n"
              "Cosmetic (1)\n"
              "  Two names differ only in case.\n"
              "    File: /g/GameData/Skins/b.bmp\n");
    EXPECT_EQ(marked, 1);
    tree()->setCurrentItem(tree()->topLevelItem(0)->child(0));
    EXPECT_EQ(build::control<QPlainTextEdit>(*window, "txtExplanation")->toPlainText(),
              "A mesh (b.skn) lies only in Skins. The game may crash.");
    EXPECT_FALSE(button("cmdOpenSim")->isEnabled());
    tree()->setCurrentItem(tree()->topLevelItem(0)->child(1));
    EXPECT_FALSE(button("cmdFix")->isEnabled());
}

// Fix asks first, saying what it will do; No changes nothing, Yes makes the fix and checks again.
// A sim of a finding opens in the editor with its file. Escape closes the window.
TEST_F(FrmCheckTest, FixAsksFirstAndASimOpensInTheEditor) {
    check.findings = {finding(Severity::BlankSim, "A skin is in a subfolder.", {kBob}, FixKind::MoveSkinUp)};
    open();
    tree()->setCurrentItem(tree()->topLevelItem(0)->child(0));
    recorder.answer = BoxAnswer::No;
    button("cmdFix")->click();
    ASSERT_EQ(recorder.titles(), std::vector<std::string>{"Fix The Game"});
    EXPECT_TRUE(recorder.boxes[0].text.starts_with("Move b.bmp up into Skins.\r\n")) << recorder.boxes[0].text;
    EXPECT_EQ(runs, 1);
    recorder.answer = BoxAnswer::Yes;
    button("cmdFix")->click();
    wait();
    EXPECT_EQ(recorder.titles(), (std::vector<std::string>{"Fix The Game", "Fix The Game", "Fix The Game"}));
    EXPECT_EQ(runs, 2);
    button("cmdUndo")->click();  // asks, undoes, says what it undid, and checks again
    wait();
    EXPECT_EQ(recorder.titles(), (std::vector<std::string>{"Fix The Game", "Fix The Game", "Fix The Game",
                                                           "Undo Last Fixes", "Undo Last Fixes"}));
    EXPECT_EQ(runs, 3);

    std::vector<std::string> edited;
    openers().edit_sim = [&](QWidget*, const std::string& path, bool) {
        edited.push_back(path);
        return EditorClosed::WithoutSave;
    };
    tree()->setCurrentItem(tree()->topLevelItem(0)->child(0)->child(1));
    button("cmdOpenSim")->click();
    EXPECT_EQ(edited, std::vector<std::string>{kBob.file});
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

// Cancel stops a check while it runs, the window answering meanwhile; nothing is marked. The
// controls fit the window at any scale, and Tab reaches them in order.
TEST_F(FrmCheckTest, CancelStopsARunningCheckAndTheControlsFitAtAnyScale) {
    open([](const CheckProgress& progress) {
        while (progress(1, 4)) QThread::msleep(1);
        return GameCheck{.findings = {}, .cancelled = true};
    });
    const QDeadlineTimer deadline(10000);
    while (build::control<QProgressBar>(*window, "prgCheck")->value() != 250 && !deadline.hasExpired())
        QCoreApplication::processEvents();
    EXPECT_TRUE(window->checking());
    button("cmdCancel")->click();
    wait();
    EXPECT_EQ(marked, 0);
    EXPECT_EQ(build::control<QLabel>(*window, "lblProgress")->text().toStdString(),
              "The check was stopped before the end; what it found so far is below.");

    build::expect_controls_fit(*window);
    tree()->setFocus();
    EXPECT_EQ(build::tab_stops(4), "cmdUndo cmdClose txtExplanation tvwFindings");
}

// A head the game lacks: the head selector is asked for heads that fit the chosen sim, and the
// head picked is saved into that sim alone or into every sim that wears the missing one, as the
// editor saves, after the question a head the game may not draw asks.
TEST_F(FrmCheckTest, ChooseAHeadSavesThePickedHeadIntoOneSimOrAll) {
    const build::TempDir game;
    game.write("Sims.exe", "");
    std::vector<TouchedSim> sims;
    for (const char* name : {"Ann", "Bea", "Cat"}) {
        const std::string file = std::string("UserData/Characters/User0000") + char('1' + sims.size()) + ".iff";
        game.write(file, build::sim_file({.name = name, .gender = "female", .head = "C404FA_Gone,HEAD-HEAD=c404falgt_x"}));
        sims.push_back({name, "", game.str() + "/" + file, "head"});
    }
    app_state().game = Game::at(game.str(), GamePathSource::CommandLine);
    check.findings = {finding(Severity::BlankSim, "The head model is missing.", sims)};
    check.findings[0].kind = "missing-head-model";
    std::vector<std::string> asked;
    openers().select_head = [&](QWidget*, const std::string& skin_data) {
        asked.push_back(skin_data);
        return std::optional<std::string>("C002FA_New,c002falgt_new");
    };
    open();
    const auto wears_new_head = [&](int n) { return game.read(sims[n].file.substr(game.str().size() + 1)).find("c002falgt_new") != std::string::npos; };
    tree()->setCurrentItem(tree()->topLevelItem(0)->child(0)->child(2));  // Bea
    recorder.choice = BoxAnswer::No;  // Bea alone
    button("cmdChooseHead")->click();
    EXPECT_EQ(asked, std::vector<std::string>{"falgt"});
    EXPECT_EQ(recorder.titles(), (std::vector<std::string>{"Choose A Head", "Check the Head", "Choose A Head"}));
    EXPECT_TRUE(!wears_new_head(0) && wears_new_head(1) && !wears_new_head(2));
    wait();
    recorder.choice = BoxAnswer::Yes;  // all
    tree()->setCurrentItem(tree()->topLevelItem(0)->child(0));
    button("cmdChooseHead")->click();
    EXPECT_TRUE(wears_new_head(0) && wears_new_head(2));
    app_state().game = Game{};
}

// After a check, the main window marks the cells of the sims it found broken with a red corner
// and names the finding in the cell's tooltip; the other cells stay unmarked.
TEST_F(FrmCheckTest, TheMainWindowMarksTheCellsOfBrokenSims) {
    const build::TempDir game;
    game.write("Sims.exe", "");
    for (const char* file : {"User00001.iff", "User00002.iff"})
        game.write(std::string("UserData/Characters/") + file, build::sim_file({.name = file}));
    app_state() = AppState{};
    check.findings = {finding(Severity::Crash, "No head model c002fa.",
                              {{"Sim2", "", game.str() + "\\userdata\\CHARACTERS\\user00002.iff", "head"}})};
    openers().check_game = [&](QWidget*, std::function<void()> checked) {
        set_check_marks(check);
        checked();
    };
    const auto browser = build::main_window(game.str(), "Neighborhood 01   (UserData)");
    auto* grid = build::control<ThumbnailGrid>(*browser, "picThumbs");
    const auto red_corner = [&](int cell) {
        return grid->canvas().pixelColor(ThumbnailGrid::cellOrigin(cell) + QPoint(63, 3)) == QColor(Qt::red);
    };
    EXPECT_FALSE(red_corner(1));
    build::control<QAction>(*browser, "smnuCheck")->trigger();
    EXPECT_FALSE(red_corner(0));
    EXPECT_TRUE(red_corner(1));
    emit grid->mouseMoved(68 + 30, 30);
    EXPECT_TRUE(grid->toolTip().endsWith("\nCrash: No head model c002fa.")) << grid->toolTip().toStdString();
}

}  // namespace
}  // namespace fw
