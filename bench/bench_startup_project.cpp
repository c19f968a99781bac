// Start-up with a "default.txp" benchmark: the window created and shown until every tab of the
// project is open, for 50 files of 1 MB (target under 1 s) and for 1,000 small files (target
// under 2 s). The files and the settings folder live in the scratch folder; best of 3, wall
// clock, offscreen. Prints figures and SUMMARY lines; exits 3 when a target is missed.

#include "app/qt/MainWindow.h"
#include "platform/qt/ScriptedDialogs.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Scenario {
    const char* name;
    int files;
    std::size_t fileSize;
    double targetMs;
};

// Text lines of about 80 bytes with CR LF, so loading does real line splitting.
std::string FileContent(std::size_t size, int seed) {
    std::string line = "line of sample text for the start-up benchmark, file " +
                       std::to_string(seed) + ", some words more\r\n";
    std::string content;
    content.reserve(size + line.size());
    while (content.size() < size)
        content += line;
    content.resize(size);
    return content;
}

// Writes the files and a default.txp naming them in the settings folder under `root`.
void Prepare(const Scenario& scenario, const std::string& root) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root + "/files");
    std::filesystem::create_directories(root + "/config/Tabrix_Pro");
    std::ofstream project(root + "/config/Tabrix_Pro/default.txp", std::ios::binary);
    for (int i = 0; i < scenario.files; ++i) {
        const std::string path = root + "/files/f" + std::to_string(i) + ".txt";
        std::ofstream(path, std::ios::binary) << FileContent(scenario.fileSize, i);
        project << path << "\r\n";
    }
}

// Milliseconds from creating the window to its being shown with every tab; -1 when the tabs
// are not all there or a message was shown.
double StartOnce(int expectedTabs) {
    ScriptedDialogs dialogs;
    const auto start = Clock::now();
    TForm1 window(dialogs);
    window.show();
    QApplication::processEvents();
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const bool complete = window.DocumentCount() == expectedTabs && dialogs.History().empty();
    return complete ? elapsed : -1;
}

} // namespace

int main(int argc, char** argv) {
    const char* scratchFolder = std::getenv("TABRIX_BENCH_SCRATCH");
    const std::string scratch = std::string(scratchFolder ? scratchFolder : "/tmp") + "/startup";
    // Figures appear as they are measured, also when run.sh pipes the output.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XDG_CONFIG_HOME", (scratch + "/config").c_str(), 1);
    QApplication app(argc, argv);

    const Scenario scenarios[] = {
        {"50 files of 1 MB", 50, std::size_t{1} << 20, 1000},
        {"1,000 small files", 1000, 2000, 2000},
    };
    bool allMet = true;
    for (const Scenario& scenario : scenarios) {
        Prepare(scenario, scratch);
        double best = 1e300;
        for (int run = 0; run < 3; ++run) {
            const double ms = StartOnce(scenario.files);
            if (ms < 0) {
                std::fprintf(stderr, "bench_startup_project: %s did not open every tab\n",
                             scenario.name);
                return 2;
            }
            best = std::min(best, ms);
        }
        const bool met = best < scenario.targetMs;
        allMet = allMet && met;
        std::printf("start-up with default.txp of %s: %.0f ms (best of 3)\n", scenario.name, best);
        std::printf("SUMMARY start-up with %s %.0f ms (target %.0f ms)%s\n", scenario.name, best,
                    scenario.targetMs, met ? "" : " MISSED");
    }
    std::filesystem::remove_all(scratch);
    return allMet ? 0 : 3;
}
