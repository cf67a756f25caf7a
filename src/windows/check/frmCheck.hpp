#pragma once
// "Check The Game": runs the game check on a worker thread behind a progress bar that Cancel
// stops, while the rest of the program stays usable; then lists what it found by severity, each
// finding with its explanation, its files and the sims it touches. A sim opens in the editor; a
// finding with a safe fix offers it; "Undo Last Fixes" takes the last run of fixes back; a missing
// head can be replaced by one the player picks. The 3D head shows the chosen finding's head.
#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "core/sims/game_check.hpp"

class QThread;
class QTimer;
class QTreeWidgetItem;

namespace Ui {
class frmCheck;
}

namespace fw {

class frmCheck : public QDialog {
    Q_OBJECT
public:
    // What runs the check: the game's path, the progress to report, and whether to stop. The
    // window uses check_game unless a test hands it another.
    using Checker = std::function<GameCheck(const std::string& game_path, const CheckProgress& progress)>;

    // `checked` runs on the window's thread each time a check has finished.
    explicit frmCheck(QWidget* owner = nullptr, std::function<void()> checked = {}, Checker checker = {});
    ~frmCheck() override;

    // Opens the window beside the owner (not modal) and starts a check; it deletes itself on close.
    // While one is open, that one checks again instead.
    static void show_check(QWidget* owner, std::function<void()> checked);

    // True while a check runs.
    bool checking() const { return worker_ != nullptr; }
    // The last check's findings (empty before one has finished).
    const GameCheck& result() const { return result_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void cmdCancel_Click();
    void cmdOpenSim_Click();
    void cmdFix_Click();
    void cmdChooseHead_Click();
    void cmdUndo_Click();
    void cmdClose_Click();
    void tvwFindings_SelectionChanged();
    void tvwFindings_DblClick(QTreeWidgetItem* item);

private:
    void start_check();
    void check_finished();
    void show_progress();
    void fill_findings();
    // The finding and the sim (-1 for none) of the item selected in the tree.
    const Finding* selected_finding() const;
    const TouchedSim* selected_sim() const;

    std::unique_ptr<Ui::frmCheck> ui;
    std::function<void()> checked_;
    Checker checker_;
    GameCheck result_;
    QThread* worker_ = nullptr;
    QTimer* progress_timer_ = nullptr;
    std::atomic<bool> cancel_{false};
    std::atomic<size_t> done_{0};
    std::atomic<size_t> total_{0};
    std::string failure_;  // why the check could not run, set by the worker
    bool started_ = false;
    bool close_when_done_ = false;
};

}  // namespace fw
