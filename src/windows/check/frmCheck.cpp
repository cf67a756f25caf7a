#include "windows/check/frmCheck.hpp"

#include <QShowEvent>
#include <algorithm>
#include <QThread>
#include <QTimer>
#include <QTreeWidgetItem>

#include "core/base/failure.hpp"
#include "core/game/app_state.hpp"
#include "core/platform/settings.hpp"
#include "core/screens/check_marks.hpp"
#include "core/screens/check_view.hpp"
#include "core/screens/editor_display.hpp"
#include "core/screens/head_for_sims.hpp"
#include "core/heads/head_check.hpp"
#include "windows/widgets/dialog_frame.hpp"
#include "windows/widgets/msg_box.hpp"
#include "windows/widgets/openers.hpp"
#include "windows/widgets/qt_text.hpp"
#include "windows/widgets/wait_cursor.hpp"

#include "ui_frmCheck.h"

namespace fw {

namespace {

// Each item of the tree keeps the finding it belongs to and, for a sim's line, the sim.
constexpr int kFindingRole = Qt::UserRole;
constexpr int kSimRole = Qt::UserRole + 1;

// The core breaks lines with CR LF; the window's texts break them at LF.
QString shown_text(const std::string& text) {
    return to_qt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

frmCheck::frmCheck(QWidget* owner, std::function<void()> checked, Checker checker)
    : QDialog(owner),
      ui(std::make_unique<Ui::frmCheck>()),
      checked_(std::move(checked)),
      checker_(checker ? std::move(checker) : Checker(check_game)),
      progress_timer_(new QTimer(this)) {
    ui->setupUi(this);
    fix_dialog_frame(this);
    progress_timer_->setInterval(100);
    connect(progress_timer_, &QTimer::timeout, this, &frmCheck::show_progress);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmCheck::cmdCancel_Click);
    connect(ui->cmdOpenSim, &QPushButton::clicked, this, &frmCheck::cmdOpenSim_Click);
    connect(ui->cmdFix, &QPushButton::clicked, this, &frmCheck::cmdFix_Click);
    connect(ui->cmdChooseHead, &QPushButton::clicked, this, &frmCheck::cmdChooseHead_Click);
    connect(ui->cmdUndo, &QPushButton::clicked, this, &frmCheck::cmdUndo_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmCheck::cmdClose_Click);
    connect(ui->tvwFindings, &QTreeWidget::itemSelectionChanged, this, &frmCheck::tvwFindings_SelectionChanged);
    connect(ui->tvwFindings, &QTreeWidget::itemActivated, this, &frmCheck::tvwFindings_DblClick);
}

frmCheck::~frmCheck() {
    // The worker reads nothing of the window but the stop flag and the counters; it is waited
    // for before they go.
    cancel_ = true;
    if (worker_) worker_->wait();
}

void frmCheck::show_check(QWidget* owner, std::function<void()> checked) {
    // One window for the game: asked again, the open one comes to the front and checks again.
    if (auto* open = owner ? owner->findChild<frmCheck*>(QString(), Qt::FindDirectChildrenOnly) : nullptr) {
        open->raise();
        open->activateWindow();
        open->start_check();
        return;
    }
    auto* window = new frmCheck(owner, std::move(checked));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(false);
    window->show();
}

void frmCheck::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    QTimer::singleShot(0, this, &frmCheck::start_check);
}

void frmCheck::start_check() {
    if (worker_) return;
    cancel_ = false;
    done_ = 0;
    total_ = 0;
    ui->tvwFindings->clear();
    ui->txtExplanation->clear();
    ui->picHead->clearHead();
    ui->lblProgress->setText(QStringLiteral("Checking the game ..."));
    ui->prgCheck->setValue(0);
    ui->cmdCancel->setEnabled(true);
    for (QPushButton* button : {ui->cmdOpenSim, ui->cmdFix, ui->cmdChooseHead, ui->cmdUndo}) button->setEnabled(false);
    ui->cmdCancel->setFocus();

    const std::string game_path = app_state().game.install();
    failure_.clear();
    worker_ = QThread::create([this, game_path] {
        const CheckProgress progress = [this](size_t done, size_t total) {
            done_ = done;
            total_ = total;
            return !cancel_.load();
        };
        // A check that cannot run (no game there) says why in place of the findings.
        try {
            result_ = checker_(game_path, progress);
        } catch (const Failure& failure) {
            result_ = GameCheck{};
            failure_ = "The check could not run: " + error_text(failure);
        } catch (const std::exception& failure) {
            // Nothing may leave the worker thread: the error trap shows its box on the window's.
            result_ = GameCheck{};
            failure_ = std::string("The check could not run: ") + failure.what();
        }
    });
    // Owned by the window, so a worker still waiting for its deferred deletion goes with it.
    worker_->setParent(this);
    connect(worker_, &QThread::finished, this, &frmCheck::check_finished);
    progress_timer_->start();
    worker_->start();
}

void frmCheck::show_progress() {
    // The bar counts in thousandths, whatever the number of steps.
    const size_t total = total_;
    const size_t done = std::min(done_.load(), total);
    ui->prgCheck->setMaximum(1000);
    ui->prgCheck->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
}

void frmCheck::check_finished() {
    progress_timer_->stop();
    worker_->deleteLater();
    worker_ = nullptr;
    show_progress();
    ui->cmdCancel->setEnabled(false);
    ui->cmdUndo->setEnabled(true);
    if (close_when_done_) {
        QDialog::reject();
        return;
    }
    ui->lblProgress->setText(shown_text(failure_.empty() ? check_summary(result_) : failure_));
    if (failure_.empty() && !result_.cancelled) {
        set_check_marks(result_);
        if (checked_) checked_();
    }
    fill_findings();
    ui->tvwFindings->setFocus();
}

void frmCheck::fill_findings() {
    ui->tvwFindings->clear();
    for (const FindingGroup& group : group_findings(result_)) {
        auto* severity = new QTreeWidgetItem(ui->tvwFindings, {shown_text(group.caption)});
        severity->setExpanded(true);
        for (const size_t index : group.findings) {
            const Finding& finding = result_.findings[index];
            auto* line = new QTreeWidgetItem(severity, {shown_text(finding_line(finding))});
            line->setData(0, kFindingRole, static_cast<qulonglong>(index));
            line->setToolTip(0, shown_text(finding.explanation));
            for (const std::string& file : finding.files) {
                auto* item = new QTreeWidgetItem(line, {shown_text(file_caption(file))});
                item->setData(0, kFindingRole, static_cast<qulonglong>(index));
            }
            for (size_t k = 0; k < finding.sims.size(); ++k) {
                auto* item = new QTreeWidgetItem(line, {shown_text(sim_caption(finding.sims[k]))});
                item->setData(0, kFindingRole, static_cast<qulonglong>(index));
                item->setData(0, kSimRole, static_cast<qulonglong>(k));
            }
        }
    }
    if (QTreeWidgetItem* first = ui->tvwFindings->topLevelItem(0)) ui->tvwFindings->setCurrentItem(first);
}

const Finding* frmCheck::selected_finding() const {
    const QTreeWidgetItem* item = ui->tvwFindings->currentItem();
    if (!item || !item->data(0, kFindingRole).isValid()) return nullptr;
    const size_t index = item->data(0, kFindingRole).toULongLong();
    return index < result_.findings.size() ? &result_.findings[index] : nullptr;
}

const TouchedSim* frmCheck::selected_sim() const {
    const Finding* finding = selected_finding();
    const QTreeWidgetItem* item = ui->tvwFindings->currentItem();
    if (!finding || !item->data(0, kSimRole).isValid()) return nullptr;
    const size_t index = item->data(0, kSimRole).toULongLong();
    return index < finding->sims.size() ? &finding->sims[index] : nullptr;
}

void frmCheck::tvwFindings_SelectionChanged() {
    const Finding* finding = selected_finding();
    ui->txtExplanation->setPlainText(finding ? shown_text(finding->explanation) : QString());
    ui->cmdOpenSim->setEnabled(selected_sim() != nullptr);
    ui->cmdFix->setEnabled(finding && finding->fix != FixKind::None);
    ui->cmdChooseHead->setEnabled(finding && may_choose_head(*finding));
    const std::optional<ShownHead> head = finding ? head_to_show(*finding) : std::nullopt;
    if (head) {
        ui->picHead->showHead(app_state().game.install(), head->model, head->skin);
    } else {
        ui->picHead->clearHead();
    }
}

void frmCheck::tvwFindings_DblClick(QTreeWidgetItem*) {
    if (selected_sim()) cmdOpenSim_Click();
}

void frmCheck::cmdOpenSim_Click() {
    const TouchedSim* sim = selected_sim();
    if (!sim || !openers().edit_sim) return;
    const std::string path = sim->file;
    const bool backup = setting_is_on(kAppFacewright, kKeyBackupSavedFile, true);
    if (openers().edit_sim(this, path, backup) == EditorClosed::AfterSave) start_check();
}

void frmCheck::cmdFix_Click() {
    const Finding* finding = selected_finding();
    if (!finding || finding->fix == FixKind::None) return;
    if (msgBox(fix_question(*finding), this) != BoxAnswer::Yes) return;
    std::optional<BoxMessage> report;
    {
        const WaitCursor busy;
        report = apply_fix_box(app_state().game.install(), *finding);
    }
    if (report) msgBox(*report, this);
    start_check();
}

void frmCheck::cmdUndo_Click() {
    if (msgBox(undo_question(), this) != BoxAnswer::Yes) return;
    std::optional<BoxMessage> report;
    {
        const WaitCursor busy;
        report = undo_fixes_box(app_state().game.install());
    }
    if (report) msgBox(*report, this);
    start_check();
}

void frmCheck::cmdChooseHead_Click() {
    const Finding* finding = selected_finding();
    if (!finding || !may_choose_head(*finding) || !openers().select_head) return;
    const TouchedSim* selected = selected_sim();
    const TouchedSim sim = selected ? *selected : finding->sims.front();
    std::vector<std::string> files = wearers(*finding);
    const HeadChoice choice = head_choice_for(sim.file);
    if (choice.refusal) {
        msgBox(*choice.refusal, this);
        return;
    }
    const std::optional<Head> head = chosen_head(openers().select_head(this, choice.skin_data).value_or(""));
    if (!head) return;  // the selector was cancelled
    if (files.size() > 1) {
        const BoxAnswer whom = msgBox(head_for_whom(sim, files.size()), this);
        if (whom == BoxAnswer::Cancel) return;
        if (whom == BoxAnswer::No) files = {sim.file};
    }
    const bool backup = setting_is_on(kAppFacewright, kKeyBackupSavedFile, true);
    BoxMessage report;
    {
        const WaitCursor busy;
        report = give_head(app_state().game.install(), files, *head, backup,
                           [this](const std::string&, const std::vector<std::string>& mismatches) {
                               return msgBox(head_question(mismatches), this) == BoxAnswer::Yes;
                           });
    }
    msgBox(report, this);
    start_check();
}

void frmCheck::cmdCancel_Click() { cancel_ = true; }

void frmCheck::cmdClose_Click() { reject(); }

// Escape and the close box stop a running check and close once it has stopped.
void frmCheck::reject() {
    if (!worker_) {
        QDialog::reject();
        return;
    }
    cancel_ = true;
    close_when_done_ = true;
}

}  // namespace fw
