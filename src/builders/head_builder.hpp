#pragma once
// Synthetic heads for the demo game and the benchmarks: an egg-shaped head with a nose, in the
// head bone's space (+X up, +Z toward the face, +Y to the right of a viewer in front), wrapped by
// a 128 x 128 8-bit bitmap painted with a face, hair and ears; and a pair of glasses that keeps a
// bitmap of its own.
#include <cstdint>
#include <string>

#include "core/formats/mesh.hpp"

namespace fw::build {

struct HeadShape {
    float height = 0.26F;
    float width = 0.19F;  // from ear to ear
    float depth = 0.22F;  // from the back of the head to the face
};

// rings x segments quads, two triangles each (200 triangles for 10 x 10). u runs once around the
// head, 0.5 at the middle of the face; v runs from the crown (0) down to the neck (1).
Mesh head_mesh(const std::string& name, const HeadShape& shape, int rings = 10, int segments = 12);
// Two lenses in front of the eyes of a head of that shape, each the whole of its bitmap.
Mesh glasses_mesh(const std::string& name, const std::string& texture, const HeadShape& shape);

// A mesh no window could draw at its pace: one triangle as large as the head, `faces` times over.
Mesh tangle_mesh(const std::string& name, size_t faces);

// The face bitmap of a head mesh: skin of the tone ("lgt", "med", "drk"), hair, eyes and mouth in
// colours taken from the seed; 8-bit with a palette of 8 colours.
std::string face_texture(uint32_t seed, const std::string& tone);
// A lens: a dark frame around a pale glass.
std::string glasses_texture();

}  // namespace fw::build
