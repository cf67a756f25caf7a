// skin_page: the head selector drawing one page of 49 skins with their head previews (offscreen),
// against the plainest code that reads the same files as pictures and paints the same page: each
// skin scaled into its cell and its preview over it, the first skin and its large preview beside,
// every file opened by its real name. Decoding the bitmaps is most of the plain side's time. Each
// pass moves between the two pages of a 98-skin model, so every pass draws a whole page and reads
// every file of it again; the selector decodes only bytes it has not decoded before, as a player
// paging back and forth sees.
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "builders/far_builder.hpp"
#include "core/platform/game_files.hpp"
#include "core/platform/game_paths.hpp"
#include "core/platform/program_folder.hpp"
#include "core/platform/settings.hpp"
#include "core/heads/head_models.hpp"
#include "core/game/app_state.hpp"
#include "fixtures.hpp"
#include "paired.hpp"
#include "support/temp_dir.hpp"
#include "windows/headselect/frmSelectHead.hpp"

namespace fw::bench {

namespace {

constexpr int kSkins = 98;

struct SkinPage {
    build::TempDir game;
    std::vector<std::string> skins;      // real paths, in page order
    std::vector<std::string> previews;   // Preview_ of each skin
    std::vector<std::string> previews2;  // Preview2_ of each skin
    // Left standing at exit: the program's QApplication is gone by the time statics are destroyed.
    frmSelectHead* window = nullptr;
    QPushButton* next = nullptr;
    QPushButton* previous = nullptr;
};

QApplication& application() {
    static int argc = 1;
    static char name[] = "facewright_bench";
    static char* argv[] = {name, nullptr};
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (auto* running = qobject_cast<QApplication*>(QCoreApplication::instance())) return *running;
    static QApplication made(argc, argv);
    return made;
}

// One model with 98 skins in the skins folder and both head previews of each in the program
// folder, shaped like the game's: 64 x 64 skins and speech pictures, 45 x 45 web images.
SkinPage& skin_page() {
    static const std::unique_ptr<SkinPage> made = [] {
        fixtures();  // the program folder of the run
        application();
        auto p = std::make_unique<SkinPage>();
        const std::string skins = p->game.str() + "/GameData/Skins/";
        const std::string cache = program_folder() + "\\HeadPreview\\";
        create_folder(program_folder() + "\\HeadPreview");
        p->game.write("GameData/Skins/C005MA_ROMEO.cmx", "mesh");
        for (int n = 0; n < kSkins; ++n) {
            char file[40];
            std::snprintf(file, sizeof file, "C005MAlgt_skin%03d.bmp", n);
            p->skins.push_back(p->game.write(std::string("GameData/Skins/") + file,
                                             build::face_bmp(static_cast<uint32_t>(n), 64, 64)));
            write_file(cache + "Preview_" + file, build::face_bmp(static_cast<uint32_t>(1000 + n), 64, 64));
            write_file(cache + "Preview2_" + file, build::face_bmp(static_cast<uint32_t>(2000 + n)));
            p->previews.push_back(resolve_path(cache + "Preview_" + file).string());
            p->previews2.push_back(resolve_path(cache + "Preview2_" + file).string());
        }
        app_state().game = Game::at(p->game.str(), GamePathSource::CommandLine);
        save_setting(kAppFacewright, kKeyPreviewHeadSkins, "1");
        p->window = new frmSelectHead();
        p->window->setSkinData("malgt");
        p->window->show();
        auto* models = p->window->findChild<QListWidget*>("lstModels");
        p->next = p->window->findChild<QPushButton*>("cmdNext");
        p->previous = p->window->findChild<QPushButton*>("cmdPrevious");
        if (models == nullptr || models->count() != 1 || p->next == nullptr || p->previous == nullptr) {
            throw std::runtime_error("benchmark fixture: the head selector does not list the model");
        }
        models->setCurrentRow(0);
        const auto* page = p->window->findChild<QLineEdit*>("txtPageCount");
        if (page == nullptr || page->text() != QStringLiteral("Page 1 of 2")) {
            throw std::runtime_error("benchmark fixture: the head selector does not show two pages");
        }
        return p;
    }();
    return *made;
}

void skin_page_ours() {
    SkinPage& p = skin_page();
    static bool forward = true;
    (forward ? p.next : p.previous)->click();
    forward = !forward;
}

void skin_page_plain() {
    SkinPage& p = skin_page();
    static QImage grid(477, 477, QImage::Format_RGB32);
    static QImage large(257, 257, QImage::Format_RGB32);
    static int first = 0;
    grid.fill(Qt::lightGray);
    {
        QPainter painter(&grid);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (int cell = 0; cell < 49; ++cell) {
            const QPoint at(cell % 7 * 68 + 2, cell / 7 * 68 + 2);
            const QImage skin(QString::fromStdString(p.skins[first + cell]));
            painter.drawImage(QRect(at, QSize(64, 64)), skin);
            painter.drawImage(at, QImage(QString::fromStdString(p.previews[first + cell])));
        }
    }
    large.fill(Qt::lightGray);
    {
        QPainter painter(&large);
        painter.drawImage(0, 0, QImage(QString::fromStdString(p.skins[first])));
        painter.drawImage(160, 0, QImage(QString::fromStdString(p.previews2[first])));
    }
    benchmark::DoNotOptimize(grid.constBits());
    first = first == 0 ? 49 : 0;
}

// The figure registers itself beside the others; the page is drawn on the main thread, as the
// windows draw.
const bool registered = [] {
    register_figure("skin_page", {skin_page_ours}, {skin_page_plain});
    return true;
}();

}  // namespace

}  // namespace fw::bench
