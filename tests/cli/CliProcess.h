#pragma once
// Runs tabrix-cli (the build's bin/tabrix-cli), or another program, as a process with given
// arguments and standard input, in a private temporary folder, and collects its output and exit
// status.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

class CliFolder {
public:
    CliFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tabrix-cli-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            root = pattern;
        }
    }
    ~CliFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    CliFolder(const CliFolder&) = delete;
    CliFolder& operator=(const CliFolder&) = delete;

    std::filesystem::path Write(const std::string& name, const std::string& content) const {
        const auto path = root / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    static std::string Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    CliResult Run(const std::vector<std::string>& arguments, const std::string& input = {}) const {
        return RunProgram(std::string(TABRIX_BINARY_DIR) + "/bin/tabrix-cli", arguments, input);
    }

    // Any program, found on PATH when it names no folder.
    CliResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input = {}) const {
        CliResult result;
        if (root.empty()) {
            result.err = "no temporary folder";
            return result;
        }
        const auto in = Write("stdin", input);
        std::string command = Quote(program);
        for (const auto& argument : arguments) {
            // Appending, not " " + std::string: GCC 12 warns falsely (restrict) at -O3.
            command.append(" ").append(Quote(argument));
        }
        command += " <" + Quote(in.string()) + " >" + Quote((root / "stdout").string()) + " 2>" +
                   Quote((root / "stderr").string());
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = Read(root / "stdout");
        result.err = Read(root / "stderr");
        return result;
    }

private:
    static std::string Quote(const std::string& text) {
        std::string quoted = "'";
        for (char c : text) {
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        return quoted + "'";
    }
    std::filesystem::path root;
};
