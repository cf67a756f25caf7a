#include "builders/sim_builder.hpp"

#include "builders/iff_builder.hpp"

namespace fw::build {

namespace {
std::string code(const SimSpec& s) {
    return std::string(s.gender == "male" ? "m" : "f") + (s.age == "adult" ? "a" : "c");
}
// A sim's own object identifier, from its name (FNV-1a) when the shape gives none.
uint32_t objd_id(const SimSpec& s) {
    if (s.objd_id != 0) return s.objd_id;
    uint32_t id = 2166136261u;
    for (const char c : s.name) id = (id ^ static_cast<uint8_t>(c)) * 16777619u;
    return id;
}
std::string objd_data(const SimSpec& s) {
    std::string data(216, '\0');
    const uint32_t id = objd_id(s);
    for (size_t i = 0; i < 4; ++i) data[28 + i] = static_cast<char>((id >> (8 * i)) & 0xFF);
    return data;
}
std::string two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }
}  // namespace

std::vector<std::string> appearance_values(const SimSpec& s) {
    const std::string c = code(s);
    const std::string body = s.age == "adult" ? "fat" : "chd";
    const std::string t = s.tone;
    std::vector<std::string> v(36);  // index 0 unused: v[n] is entry n
    v[1] = s.age;
    v[2] = "B003" + c + body + "_01,BODY=b003" + c + body + t + "_casual";
    v[3] = s.head;
    for (int n = 4; n <= 12; ++n) v[n] = "keep" + two(n);
    v[13] = s.gender;
    v[14] = s.age == "adult" ? "31" : "8";
    v[15] = t;
    v[16] = "n" + c + body + "_02,BODY=n" + c + body + t + "_02";
    v[17] = "u" + c + body + "_02,BODY=u" + c + body + t + "_undies02";
    const char* sides[6] = {"LO", "RO", "LP", "RP", "LC", "RC"};
    for (int i = 0; i < 6; ++i) {
        const std::string variant(1, static_cast<char>(sides[i][1] - 'A' + 'a'));
        v[18 + i] = std::string("H") + c[0] + sides[i] + ",HAND=hua" + variant + t + "x";
    }
    for (int n = 24; n <= 27; ++n) v[n] = "keep" + two(n);
    v[28] = s.age == "adult" ? "f" + c + body + "_02,BODY=f" + c + body + t + "_02" : "";
    v[29] = "";
    v[30] = "";
    v[31] = s.age == "adult" ? "f200" + c + body + "_gala,BODY=f200" + c + body + t + "_gala" : "ADDED";
    v[32] = "s200" + c + body + "_beach,BODY=s200" + c + body + t + "_beach";
    v[33] = "l200" + c + body + "_night,BODY=l200" + c + body + t + "_night";
    v[34] = "w200" + c + body + "_work,BODY=w200" + c + body + t + "_work";
    v[35] = "e100" + c + body + "_extra,BODY=e100" + c + body + t + "_extra";
    return {v.begin() + 1, v.end()};
}

SimSpec pet_spec(const std::string& name, bool dog) {
    SimSpec s;
    s.name = name;
    s.age = dog ? "dog" : "kat";
    s.gender = dog ? "dogfemale" : "catmale";
    s.tone = "unk";
    s.head = "NONE";
    return s;
}

std::string sim_file(const SimSpec& shape) { return sim_file(shape, appearance_values(shape)); }

std::string sim_file(const SimSpec& shape, const std::vector<std::string>& appearance) {
    std::vector<std::string> values = appearance;
    values.resize(static_cast<size_t>(shape.entry_count));
    std::vector<StrEntry> entries;
    std::string rest;
    for (size_t i = 0; i < values.size(); ++i) {
        entries.push_back({values[i], ""});
        rest += static_cast<char>(i % 7 == 3 ? 0x00 : 0x20 + i % 50);  // left-over bytes, kept as read
    }
    IffBuilder b;
    if (shape.with_filler) b.chunk(ChunkSpec{"XXXX", 200, 0x0014, "bodystring", std::string(40, '\x11')});
    b.chunk("OBJD", 128, shape.objd_label.empty() ? "user00000 - " + shape.name : shape.objd_label,
            objd_data(shape));
    b.chunk("STR#", 200, "bodystring", str_list_data(entries, rest));
    b.chunk(
        "CTSS", 2000, "",
        str_list_data(std::vector<StrEntry>{{shape.name, ""}, {"A sim of the demo game.", ""}}, "", 0xFFFD));
    for (const auto& [label, picture] : shape.bitmaps) b.chunk("BMP_", 400, label, picture);
    b.chunk("SIMI", 128, "", std::string(100, '\x05'));
    if (shape.with_map) b.map();
    return b.bytes();
}

}  // namespace fw::build
