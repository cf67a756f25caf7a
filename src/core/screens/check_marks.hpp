#pragma once
// The sims the last game check of this run found broken: the main window marks their cells and
// names what was found in the cell's tooltip. Until a check has run, no sim is marked.
#include <string>

#include "core/sims/game_check.hpp"

namespace fw {

// Keeps the check's sims as the marks of this run, in place of any earlier check's.
void set_check_marks(const GameCheck& check);

// What the last check found wrong with the sim in this character file (a game path, matched as
// the game matches paths: without regard to case or to "\" and "/"), one finding a line, most
// serious first; "" when it found nothing or no check has run.
std::string check_mark(const std::string& character_file);

}  // namespace fw
