#pragma once
// The title box: the program's first window, with its title picture and notice. Closing it, by
// "OK" or by its close box, is the signal to show the main window (finished()).
#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>

namespace Ui {
class frmTitle;
}

namespace fw {

class frmTitle : public QDialog {
    Q_OBJECT
public:
    explicit frmTitle(QWidget* parent = nullptr);
    ~frmTitle() override;

private slots:
    void cmdOK_Click();

private:
    std::unique_ptr<Ui::frmTitle> ui;
};

// The program's start: the title box now and, once it closes (by "OK" or its close box), the main
// window through `open_main`. The box deletes itself when closed.
frmTitle* show_title_box(std::function<void()> open_main);

// The program's title picture, 256 x 266 pixels, drawn here so that no artwork of the game is
// needed: a head in profile over the program's name.
QImage title_picture();

}  // namespace fw
