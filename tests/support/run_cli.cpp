#include "support/run_cli.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fw::build {

namespace {
std::string quoted(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}
std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

CliResult run_cli(const std::string& cli_path, const std::initializer_list<std::string>& args) {
    static int counter = 0;
    const auto err_file = std::filesystem::temp_directory_path() /
                          ("fw-cli-err-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::string command = quoted(cli_path);
    for (const std::string& a : args) command += " " + quoted(a);
    command += " 2>" + quoted(err_file.string()) + " </dev/null";
    CliResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, got);
    const int status = ::pclose(pipe);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = slurp(err_file);
    std::filesystem::remove(err_file);
    return result;
}

}  // namespace fw::build
