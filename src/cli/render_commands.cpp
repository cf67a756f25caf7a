// render-head: a head model wearing a skin, drawn from the game's own meshes into a PNG file, with
// the same renderer the windows turn.
#include <QImageWriter>
#include <QSaveFile>
#include <cmath>
#include <iostream>
#include <memory>

#include "cli/commands.hpp"
#include "cli/game_folder.hpp"
#include "core/base/message_box.hpp"
#include "core/platform/shown_name.hpp"
#include "core/heads/head_scene.hpp"

namespace fw::cli {

namespace {

using nlohmann::json;

constexpr int kLargest = 4096;

json file_json(const std::optional<GameFile>& file) {
    if (!file) return nullptr;
    return {{"file", shown_name(file->shown())}, {"archived", file->archived()}};
}

bool write_png(const QImage& picture, const std::string& path) {
    // Written whole or not at all: a failed write leaves an earlier picture of that name alone.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    QImageWriter writer(&file, "png");
    return writer.write(picture) && file.commit();
}

int run_render_head(const std::string& model, const std::string& skin, const std::string& out, double yaw,
                    int size, const std::string& game_option, bool as_json) {
    if (size < 1 || size > kLargest) {
        return report_error("--size must be between 1 and " + std::to_string(kLargest) + ".", as_json);
    }
    if (!std::isfinite(yaw)) return report_error("--yaw must be a number of degrees.", as_json);
    const std::string game = game_folder(game_option, as_json);
    if (game.empty()) return 1;

    HeadFileFinder finder(game);
    const HeadMeshes head = load_head_meshes(finder, model);
    std::string problems;
    for (const std::string& problem : head.problems) problems += kCrLf + problem;
    if (head.state() != HeadState::Drawn) {
        return report_error(shown_name("No head could be drawn for " + model + ":" + problems), as_json);
    }
    const SkinPicture skin_picture = load_skin_picture(finder, skin);
    if (skin_picture.image.isNull()) return report_error(shown_name(skin_picture.problem), as_json);

    RenderOptions options;
    options.size = size;
    options.yaw_degrees = yaw;
    options.background = qRgb(64, 64, 64);
    const QImage picture = render_scene(head_scene(head, skin_picture.image), options);
    if (picture.isNull())
        return report_error(shown_name("The head " + model + " is too complex to draw."), as_json);
    if (!write_png(picture, out))
        return report_error("The picture could not be written to " + out + ".", as_json);

    if (as_json) {
        json meshes = json::array();
        for (const HeadPart& part : head.parts) {
            meshes.push_back(
                {{"name", shown_name(part.mesh.name)},
                 {"file", shown_name(part.file.shown())},
                 {"wears_skin", part.wears_skin},
                 {"texture", part.wears_skin ? file_json(skin_picture.file) : file_json(part.texture_file)}});
        }
        json list = json::array();
        for (const std::string& problem : head.problems) list.push_back(shown_name(problem));
        print_json({{"out", out},
                    {"size", size},
                    {"yaw", yaw},
                    {"description", file_json(head.description)},
                    {"skin", file_json(skin_picture.file)},
                    {"meshes", meshes},
                    {"problems", list}});
        return 0;
    }
    std::cout << "Wrote " << escaped(out) << " (" << size << " x " << size << ") from:\n"
              << "  " << escaped(shown_name(head.description->shown())) << "\n";
    for (const HeadPart& part : head.parts)
        std::cout << "  " << escaped(shown_name(part.file.shown())) << "\n";
    std::cout << "  " << escaped(shown_name(skin_picture.file->shown())) << "\n";
    // What was left out of the picture is said, on the error stream so that the list stays clean.
    for (const std::string& problem : head.problems) std::cerr << escaped(shown_name(problem)) << "\n";
    return 0;
}

}  // namespace

void add_render_commands(CLI::App& app) {
    auto* cmd = app.add_subcommand("render-head", "Draw a head model wearing a skin into a PNG picture");
    auto model = std::make_shared<std::string>();
    auto skin = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto yaw = std::make_shared<double>(0);
    auto size = std::make_shared<int>(256);
    auto game = std::make_shared<std::string>();
    auto as_json = std::make_shared<bool>(false);
    cmd->add_option("MODEL", *model, "Head model name, such as C001MA_DYLAN")->required();
    cmd->add_option("SKIN", *skin, "Skin name, such as C001MAlgt_dylan")->required();
    cmd->add_option("--out", *out, "The PNG file to write")->required();
    cmd->add_option("--yaw", *yaw,
                    "Turn in degrees about the up axis; 90 shows the face looking right (default 0)");
    cmd->add_option("--size", *size, "Width and height in pixels (default 256)");
    cmd->add_option("--game", *game, kGameOptionHelp);
    cmd->add_flag("--json", *as_json, "Print JSON: the files used and what was left out");
    cmd->callback([=] { exit_code() = run_render_head(*model, *skin, *out, *yaw, *size, *game, *as_json); });
}

}  // namespace fw::cli
