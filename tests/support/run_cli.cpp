#include "support/run_cli.hpp"

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "core/platform/game_files.hpp"

namespace fw::build {

static std::string quoted(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

CliResult cli(const std::initializer_list<std::string>& args) {
    static int counter = 0;
    const auto err_file = std::filesystem::temp_directory_path() /
                          ("fw-cli-err-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::string command = quoted(FACEWRIGHT_CLI_PATH);
    for (const std::string& a : args) command += " " + quoted(a);
    command += " 2>" + quoted(err_file.string()) + " </dev/null";
    CliResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    while (const size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) result.out.append(buffer, got);
    const int status = ::pclose(pipe);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = read_file(err_file.string());
    std::filesystem::remove(err_file);
    return result;
}

}  // namespace fw::build
