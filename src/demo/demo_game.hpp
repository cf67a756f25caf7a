#pragma once
// A small, complete, synthetic game install, so that Facewright can be run and tried without the
// real game. Everything in it is made here; two runs write identical bytes.
//
// What it holds:
// - "Sims.exe" (empty), the file the program looks for;
// - neighbourhoods UserData (53 sims, two pages), UserData2 (8 sims, a dog and a truncated file
//   that cannot be read) and UserData10 (3 sims), each with Characters\User00001.iff ...;
//   sims of every age, gender and tone, each with its own drawn faces in BMP_ chunks labelled
//   "Web_Image", "faces", "rel. images" and "speech_large" (one sim has no Web_Image);
// - GameData\Skins: head models in their text forms (a .cmx description and its .skn mesh) and
//   head skins (.bmp, 8-bit face bitmaps that wrap the meshes) for the sims' head models, one
//   model already among the archives' models, one description without "_" that cannot be read,
//   one skin that is no picture, the bitmap of a pair of glasses;
// - GameData\Animation\Animation.far, ExpansionPack\ExpansionPack.far and
//   ExpansionPack3\ExpansionPack3.far with head models in their binary forms
//   (C###XX_Name.cmx.bcf and its .bmf meshes; one model wears glasses);
// - GameData\Animation\Animation.far also holds what the sims wear beside their heads: each
//   outfit's description, mesh and textures in every tone, and the hands' textures, so that the
//   game check finds nothing amiss but the files broken on purpose;
// - GameData\Textures\Textures.far and ExpansionPack\ExpansionPack.far with head bitmaps that
//   are not in the skins folder (one in both archives, one already in the skins folder).
#include <string>

namespace fw::build {

// Writes the demo game into `folder` (created when missing), replacing files of the same names.
void write_demo_game(const std::string& folder);

// Writes the demo game as The Sims Legacy Collection is laid out on a Linux desktop, with `home`
// (created when missing) as the player's home: Steam in home/.local/share/Steam, whose
// libraryfolders.vdf lists a second library home/SteamLibrary; the game there under
// steamapps/common/The Sims Legacy Collection (its manifest beside), with a template UserData of
// three sims; the neighbourhoods above in the game's Proton prefix,
// steamapps/compatdata/3314060/pfx/drive_c/users/steamuser/Saved Games/Electronic Arts/The Sims 25.
// Returns the home as an absolute path (the library files name absolute folders).
std::string write_legacy_demo_game(const std::string& home);

// The bundled demo game's folder: program folder + "\DemoGame".
std::string demo_game_folder();
// The bundled demo game, written on first use (when its "Sims.exe" is missing); its folder.
std::string ensure_demo_game();

}  // namespace fw::build
