// The manual pages against the programs' own --help: every option, switch and command the help
// names has its place in the page, the page names none that the help does not, and man renders
// the page without a warning.

#include "cli/CliProcess.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>

namespace {

struct Manual {
    const char* program;
    std::string page;
};

std::string Build(const char* program) {
    return std::string(TABRIX_BINARY_DIR) + "/bin/" + program;
}

std::string Page(const char* name) {
    return std::string(TABRIX_TEST_DATA) + "/../../data/man/" + name;
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it)
        found.insert((*it)[1].str());
    return found;
}

// "--name", "-h" and "/name" as the help writes them; not a path such as /usr/share.
std::set<std::string> Options(const std::string& text) {
    return Matches(text,
                   std::regex(R"((?:^|[\s\[|(])(--[a-z][a-z-]*|-h|/[a-z]+)(?=[\s|,.;:)\]]|$))"));
}

// The names of the help's "Commands:" list: the lines that start with two blanks and a word.
std::set<std::string> Commands(const std::string& help) {
    std::set<std::string> names;
    std::istringstream lines(help.substr(std::min(help.find("Commands:\n"), help.size())));
    std::string line;
    std::getline(lines, line);
    const std::regex entry(R"(^  ([a-z][a-z-]*) )");
    while (std::getline(lines, line) && !line.empty()) {
        std::smatch match;
        if (std::regex_search(line, match, entry))
            names.insert(match[1].str());
    }
    return names;
}

TEST(ManualPages, CoverEveryOptionAndCommandOfTheHelpAndNoOther) {
    const Manual manuals[] = {{"tabrix-pro", Page("tabrix-pro.1")},
                              {"tabrix-cli", Page("tabrix-cli.1")}};
    setenv("LC_ALL", "C", 1);
    setenv("MANWIDTH", "100", 1);
    CliFolder folder;
    for (const Manual& manual : manuals) {
        const CliResult help = folder.RunProgram(Build(manual.program), {"--help"});
        ASSERT_EQ(help.status, 0) << manual.program << ": " << help.err;
        const CliResult page =
            folder.RunProgram("man", {"--warnings", "--nh", "--nj", "-l", manual.page});
        ASSERT_EQ(page.status, 0) << manual.page << ": " << page.err;
        EXPECT_EQ(page.err, "") << manual.page;

        const std::set<std::string> options = Options(help.out);
        EXPECT_TRUE(options.contains("--help") && options.contains("--version"))
            << manual.program << ": the help's options were not found";
        EXPECT_EQ(Options(page.out), options) << manual.page;
        const std::set<std::string> commands = Commands(help.out);
        EXPECT_EQ(commands.empty(), std::string(manual.program) == "tabrix-pro")
            << manual.program << ": the help's commands were not found";
        for (const std::string& command : commands) {
            EXPECT_NE(page.out.find("\n       " + command + " "), std::string::npos)
                << manual.page << " has no entry for the command " << command;
        }

        const CliResult version = folder.RunProgram(Build(manual.program), {"--version"});
        const std::string number = version.out.substr(version.out.rfind(' ') + 1);
        EXPECT_NE(page.out.find("Tabrix Pro " + number.substr(0, number.size() - 1)),
                  std::string::npos)
            << manual.page << " does not name the version " << version.out;
    }
}

} // namespace
