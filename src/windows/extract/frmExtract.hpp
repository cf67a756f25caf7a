#pragma once
// "Extracting Head Bitmaps From FAR Files": copies the game's head bitmaps into its skins folder
// as soon as the window is first shown, with a running log, and offers "Close" only once the
// totals are in. Shown modally over the main window, created afresh for each run.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class frmExtract;
}

namespace fw {

class frmExtract : public QDialog {
    Q_OBJECT
public:
    explicit frmExtract(QWidget* owner = nullptr);
    ~frmExtract() override;

    // True once the extraction has run to its totals line.
    bool finished_extracting() const { return done_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void Form_Activate();
    void cmdClose_Click();

private:
    void append(const std::string& piece);

    std::unique_ptr<Ui::frmExtract> ui;
    bool started_ = false;
    bool done_ = false;
};

}  // namespace fw
