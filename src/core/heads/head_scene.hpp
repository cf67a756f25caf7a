#pragma once
// A head model as the game draws it: its character description names the meshes bound to the
// "HEAD" bone; the chosen skin bitmap goes on the meshes whose name holds "HEAD-HEAD" (the head
// itself), and every other mesh (glasses, hats) keeps the bitmap its own file names. A head's
// vertices are in the head bone's space, so a head alone needs no skeleton.
#include <QImage>
#include <optional>
#include <string>
#include <vector>

#include "core/formats/mesh.hpp"
#include "core/render/scene.hpp"
#include "core/heads/head_files.hpp"

namespace fw {

struct HeadPart {
    Mesh mesh;
    GameFile file;
    bool wears_skin = false;  // the name holds "HEAD-HEAD": the chosen skin goes on it
    QImage texture;           // its own bitmap, for a part that does not wear the skin
    std::optional<GameFile> texture_file;
};

enum class HeadState {
    Drawn,       // at least one mesh was read
    NotFound,    // no description, or none of its head meshes, was found
    Unreadable,  // a file was found but could not be read
};

struct HeadMeshes {
    std::string model;
    std::optional<GameFile> description;
    std::vector<HeadPart> parts;
    // Every file that was missing, skipped or could not be read, with the reason; the parts that
    // could be read are drawn all the same.
    std::vector<std::string> problems;
    bool unreadable = false;  // something was found but could not be read

    HeadState state() const;
};

// The head meshes of a model ("C001MA_Ross"): its description "<model>.cmx" (text) or
// "<model>.cmx.bcf" (binary), then each head mesh "<name>.skn" (text) or "<name>.bmf" (binary),
// then the own bitmaps of the parts that do not wear the skin. Never fails: what cannot be found
// or read is left out and named in `problems`.
HeadMeshes load_head_meshes(HeadFileFinder& finder, const std::string& model);

// A skin bitmap ("C001MAlgt_Ross" -> "C001MAlgt_Ross.bmp"), decoded for drawing.
struct SkinPicture {
    QImage image;  // null when it was not found or is no picture
    std::optional<GameFile> file;
    std::string problem;  // why the image is null
};
SkinPicture load_skin_picture(HeadFileFinder& finder, const std::string& skin);

// A bitmap's bytes as a picture ready for drawing; null when they are no picture.
QImage decode_texture(const std::string& bytes);

// The head's parts as a scene, the skin on the parts that wear it. A null skin leaves them grey.
Scene head_scene(const HeadMeshes& head, const QImage& skin);

}  // namespace fw
