#include "core/heads/head_scene.hpp"

#include <QByteArray>
#include <limits>
#include <map>
#include <set>

#include "core/base/failure.hpp"
#include "core/formats/character_description.hpp"
#include "core/formats/safe_names.hpp"
#include "core/platform/name_compare.hpp"
#include "core/heads/picture_check.hpp"

namespace fw {

namespace {

bool ends_with_any_case(const std::string& name, const std::string& tail) {
    return name.size() >= tail.size() && iequals(name.substr(name.size() - tail.size()), tail);
}

// Reads and parses a found file; a failure becomes a problem naming the file.
template <class Parse>
auto read_found(HeadFileFinder& finder, const GameFile& file, HeadMeshes& head, Parse parse)
    -> std::optional<decltype(parse(std::string()))> {
    try {
        return parse(finder.read(file));
    } catch (...) {
        head.problems.push_back(file.shown() + ": " + error_text(failure_from_current_exception()));
        head.unreadable = true;
        return std::nullopt;
    }
}

// The own bitmaps read for a head so far, by upper-cased name: parts that share a bitmap share
// one reading of it.
using OwnBitmaps = std::map<std::string, SkinPicture>;

void add_part(HeadFileFinder& finder, HeadMeshes& head, const std::string& mesh_name, OwnBitmaps& bitmaps) {
    const std::vector<std::string> names = {mesh_name + ".skn", mesh_name + ".bmf"};
    if (!is_safe_file_name(names.front())) {
        head.problems.push_back("A mesh name that is no file name was skipped: " + mesh_name);
        return;
    }
    const std::optional<GameFile> file = finder.find(names);
    if (!file) {
        head.problems.push_back("The mesh " + mesh_name + " (.skn or .bmf) was not found.");
        return;
    }
    const bool text = ends_with_any_case(file->name, ".skn");
    std::optional<Mesh> mesh = read_found(finder, *file, head, [text](const std::string& bytes) {
        return text ? parse_skn(bytes) : parse_bmf(bytes);
    });
    if (!mesh) return;

    HeadPart part;
    part.file = *file;
    part.wears_skin = to_upper(mesh_name).find("HEAD-HEAD") != std::string::npos;
    if (!part.wears_skin && mesh->has_texture()) {
        const auto [at, first] = bitmaps.try_emplace(to_upper(mesh->texture));
        if (first) at->second = load_skin_picture(finder, mesh->texture);
        const SkinPicture& own = at->second;
        part.texture = own.image;
        part.texture_file = own.file;
        if (first && !own.problem.empty()) head.problems.push_back(own.problem);
    }
    part.mesh = std::move(*mesh);
    head.parts.push_back(std::move(part));
}

}  // namespace

HeadState HeadMeshes::state() const {
    if (!parts.empty()) return HeadState::Drawn;
    return unreadable ? HeadState::Unreadable : HeadState::NotFound;
}

HeadMeshes load_head_meshes(HeadFileFinder& finder, const std::string& model) {
    HeadMeshes head;
    head.model = model;
    const std::vector<std::string> names = {model + ".cmx", model + ".cmx.bcf", model + ".bcf"};
    if (!is_safe_file_name(names.front())) {
        head.problems.push_back("A model name that is no file name was skipped: " + model);
        return head;
    }
    head.description = finder.find(names);
    if (!head.description) {
        head.problems.push_back("The character description " + model + ".cmx (or .cmx.bcf) was not found.");
    } else {
        const bool text = ends_with_any_case(head.description->name, ".cmx");
        const auto description = read_found(
            finder, *head.description, head,
            [text](const std::string& bytes) { return text ? parse_cmx(bytes) : parse_bcf(bytes); });
        if (description) {
            const std::vector<std::string> meshes = head_meshes(*description);
            if (meshes.empty())
                head.problems.push_back(head.description->shown() + ": no mesh is bound to the head.");
            // A mesh named again is the same mesh at the same place: it is read and drawn once.
            std::set<std::string> named;
            OwnBitmaps bitmaps;
            for (const std::string& mesh : meshes) {
                if (named.insert(to_upper(mesh)).second) add_part(finder, head, mesh, bitmaps);
            }
        }
    }
    for (const std::string& problem : finder.problems()) head.problems.push_back(problem);
    return head;
}

QImage decode_texture(const std::string& bytes) {
    QImage image;
    if (bytes.empty() || bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max())) return image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP");
    if (image.isNull()) return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

SkinPicture load_skin_picture(HeadFileFinder& finder, const std::string& skin) {
    SkinPicture picture;
    const std::string name = skin + ".bmp";
    if (!is_safe_file_name(name)) {
        picture.problem = "A bitmap name that is no file name was skipped: " + skin;
        return picture;
    }
    picture.file = finder.find({name});
    if (!picture.file) {
        picture.problem = "The bitmap " + name + " was not found.";
        return picture;
    }
    try {
        picture.image = decode_texture(finder.read(*picture.file, kMaxPictureFileSize));
        if (picture.image.isNull()) picture.problem = picture.file->shown() + ": not a picture.";
    } catch (...) {
        picture.problem = picture.file->shown() + ": " + error_text(failure_from_current_exception());
    }
    return picture;
}

Scene head_scene(const HeadMeshes& head, const QImage& skin) {
    Scene scene;
    for (const HeadPart& part : head.parts) {
        ScenePart drawn;
        const Mesh& mesh = part.mesh;
        // Triangles use only the real vertices, those with texture coordinates.
        drawn.points.reserve(mesh.uvs.size());
        for (size_t i = 0; i < mesh.uvs.size(); ++i) {
            drawn.points.push_back({mesh.vertices[i].position, mesh.vertices[i].normal, mesh.uvs[i]});
        }
        drawn.faces = mesh.faces;
        drawn.texture = part.wears_skin ? skin : part.texture;
        scene.parts.push_back(std::move(drawn));
    }
    return scene;
}

}  // namespace fw
