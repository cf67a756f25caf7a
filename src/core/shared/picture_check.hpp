#pragma once
// Whether a file is a picture the program can show: the platform picture loader's verdict, the
// test the head selector weeds out bad skins with and the editor looks for a head bitmap with.
#include <string>

namespace fw {

// True when the file loads as a picture with the platform's picture loader.
bool loads_as_picture(const std::string& path);

}  // namespace fw
