#include "core/formats/mesh.hpp"

#include <gtest/gtest.h>

#include "builders/model_builder.hpp"
#include "core/base/failure.hpp"
#include "support/error_text_of.hpp"

namespace {

using fw::build::error_of;

// A triangle with a blend record, as a mesh tool writes it: CR LF, a comment and a blank line.
std::string typed_skn(const std::string& faces = "0 1 2", const std::string& vertex_count = "4",
                      const std::string& uv = "1 0.5", const std::string& binding = "0 0 3 0 1") {
    return "// a comment a tool left\r\nxskin-tri-HEAD-HEAD\r\nx\r\n1\r\nHEAD\r\n1\r\n" + faces +
           "\r\n1\r\n" + binding + "\r\n3\r\n0 0\r\n" + uv + "\r\n0 1\r\n\r\n1\r\n2 32768\r\n" +
           vertex_count + "\r\n0 0 0.5 0 0 1\r\n1 0 0.5 0 0 1\r\n0 1 0.5 0 0 1\r\n0 1 0.25 0 0 1\r\n";
}

TEST(Mesh, TextGivesTheTypedValuesAndTheBinaryTwinGivesTheSame) {
    const fw::Mesh mesh = fw::parse_skn(typed_skn());
    EXPECT_EQ(mesh.name, "xskin-tri-HEAD-HEAD");
    EXPECT_FALSE(mesh.has_texture());
    EXPECT_EQ(mesh.bones, std::vector<std::string>{"HEAD"});
    EXPECT_EQ(mesh.faces, (std::vector<std::array<uint32_t, 3>>{{0, 1, 2}}));
    EXPECT_EQ(mesh.bindings, (std::vector<fw::MeshBinding>{{0, 0, 3, 0, 1}}));
    EXPECT_EQ(mesh.uvs, (std::vector<std::array<float, 2>>{{0, 0}, {1, 0.5F}, {0, 1}}));
    EXPECT_EQ(mesh.blends, (std::vector<fw::MeshBlend>{{2, 32768}}));  // vertex first in the text
    ASSERT_EQ(mesh.vertices.size(), 4u);
    EXPECT_EQ(mesh.vertices[3], (fw::MeshVertex{{0, 1, 0.25F}, {0, 0, 1}}));

    // The binary form stores each blend as weight, then vertex, and long names behind a 255.
    fw::Mesh named = mesh;
    named.texture = std::string(300, 't');
    const std::string bmf = fw::build::bmf_bytes(named);
    EXPECT_EQ(bmf.substr(bmf.size() - 4 * 6 * 4 - 4 - 8, 8),
              std::string("\x00\x80\x00\x00\x02\x00\x00\x00", 8));
    EXPECT_EQ(fw::parse_bmf(bmf), named);
    EXPECT_EQ(fw::parse_skn(fw::build::skn_text(named)), named);
}

TEST(Mesh, MalformedTextIsRefusedSayingWhereAndEveryCutOrLyingCountOfABinaryMeshFailsCleanly) {
    const std::string whole = typed_skn();
    const std::vector<std::tuple<const char*, std::string, std::string>> cases = {
        {"cut short", whole.substr(0, whole.rfind("0 1 0.25")),
         "Error 62 - Input past end of file (vertices)"},
        {"face past the textured vertices", typed_skn("0 1 3"),
         "Error 9 - Subscript out of range (face 0 uses vertex 3 of 3)"},
        {"negative face index", typed_skn("0 -1 2"),
         "Error 9 - Subscript out of range (face 0 uses a negative vertex)"},
        {"counts that do not add up", typed_skn("0 1 2", "3"),
         "Error 5 - Invalid procedure call or argument (3 vertices, but 3 texture coordinates and 1 blends)"},
        {"binding on a bone past the list", typed_skn("0 1 2", "4", "1 0.5", "1 0 3 0 1"),
         "Error 9 - Subscript out of range (binding 0 reaches past its lists)"},
    };
    for (const auto& [what, bytes, error] : cases)
        EXPECT_EQ(error_of([&] { fw::parse_skn(bytes); }), error) << what;

    // Every cut of a binary mesh and every lying count fails cleanly.
    const std::string bmf = fw::build::bmf_bytes(fw::parse_skn(typed_skn()));
    for (size_t cut = 0; cut < bmf.size(); ++cut) {
        const std::string error = error_of([&] { fw::parse_bmf(bmf.substr(0, cut)); });
        EXPECT_EQ(error.rfind("Error 62 - Input past end of file", 0), 0u) << cut << ": " << error;
    }
    // A count of 0x7FFFFFFF faces right after the bone names: refused before anything is made.
    const size_t faces_at = 1 + 19 + 1 + 1 + 4 + 1 + 4;
    std::string huge = bmf;
    huge.replace(faces_at, 4, std::string("\xFF\xFF\xFF\x7F", 4));
    EXPECT_EQ(error_of([&] { fw::parse_bmf(huge); }), "Error 62 - Input past end of file (faces)");
}

}  // namespace
