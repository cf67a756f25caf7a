#pragma once
// "Set The Sims Path": the registry's answer beside the location in use, "Use" and "Find" to
// change the location, "OK" to check and take it. Shown modally over the main window; its effect
// is the changed game path and "Sims Location" setting.
#include <QDialog>
#include <memory>
#include <string>

#include "core/game/game.hpp"

namespace Ui {
class frmSetPath;
}

namespace fw {

class frmSetPath : public QDialog {
    Q_OBJECT
public:
    // Loads the two boxes: the look-up's answer ("ERROR" when it found none) and the stored location.
    explicit frmSetPath(QWidget* owner = nullptr);
    ~frmSetPath() override;

private slots:
    void cmdUseReg_Click();
    void cmdFindPath_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void show_location();

    std::unique_ptr<Ui::frmSetPath> ui;
    // The look-up's game and the location as bytes: a registry path in the game's character set
    // must reach the setting exactly as the registry gave it, not as it was decoded for display.
    Game registry_;
    std::string location_;
};

}  // namespace fw
