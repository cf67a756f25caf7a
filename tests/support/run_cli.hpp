#pragma once
// Runs facewright-cli as a user would, for the tests of its commands.
#include <string>

namespace fw::build {

struct CliResult {
    int exit_code = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs the tool built beside the tests with the arguments (each quoted for the shell) in the
// current environment.
CliResult cli(const std::initializer_list<std::string>& args);

}  // namespace fw::build
