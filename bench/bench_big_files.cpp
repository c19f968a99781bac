// Big files in the real main window (offscreen): opening a 100 MB and a 1 GB text (lines of 70
// bytes, LF breaks) and a file of 50,000,000 empty lines (50 MB of LF) until the first screen
// is painted, then saving each. Every file is opened by a fresh process (this executable with
// --open FILE), so its peak resident memory (VmHWM, the whole process) is that of the one
// open. Targets: 100 MB under 3 s and 2 x the file; 1 GB under 3 s and 1.5 x; the empty lines
// under 1 s and 10 x. The files are generated into the scratch folder and removed afterwards.
// `bench/measure_program.sh` measures the same with the program itself under Xvfb.

#include "BenchSupport.h"
#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "codeedit/qt/Memo.h"
#include "platform/qt/ScriptedDialogs.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct BigFile {
    const char* name;
    std::uint64_t size;
    const char* line;
    double secondsTarget;
    double peakTarget; // times the file
};

const BigFile kFiles[] = {
    {"text-100mb.txt", 100'000'000,
     "The quick brown fox jumps over the lazy dog, then rests a while.\n", 3, 2},
    {"text-1gb.txt", 1'000'000'000,
     "The quick brown fox jumps over the lazy dog, then rests a while.\n", 3, 1.5},
    {"empty-lines-50m.txt", 50'000'000, "\n", 1, 10},
};

void Generate(const std::string& path, const BigFile& file) {
    std::ofstream out(path, std::ios::binary);
    const std::string_view line = file.line;
    std::string block;
    while (block.size() < (1 << 20))
        block += line;
    std::uint64_t left = file.size;
    while (left > 0) {
        const auto piece = std::min<std::uint64_t>(left, block.size());
        out.write(block.data(), static_cast<std::streamsize>(piece));
        left -= piece;
    }
}

// Prints: seconds to open and paint, peak kilobytes of the process, seconds to save.
int OpenChild(int argc, char** argv, const QString& path) {
    QApplication app(argc, argv);
    ScriptedDialogs dialogs;
    TForm1 window(dialogs);
    window.resize(1000, 800);
    window.show();
    QApplication::processEvents();
    const auto start = Clock::now();
    window.Files().OpenFile(path);
    window.CurrentPlainEditor()->viewport()->repaint();
    const double open = Seconds(start);
    const long peak = bench::StatusKilobytes("VmHWM");
    const auto saveStart = Clock::now();
    window.Files().mniSaveClick();
    const double save = Seconds(saveStart);
    std::printf("%f %ld %f %zu\n", open, peak, save, dialogs.History().size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* scratchFolder = std::getenv("TABRIX_BENCH_SCRATCH");
    const std::string scratch = scratchFolder ? scratchFolder : "/tmp/tabrix-bench-big-files";
    bench::UsePrivateHome(scratch);
    if (argc > 2 && std::string(argv[1]) == "--open")
        return OpenChild(argc, argv, QString::fromLocal8Bit(argv[2]));

    bool met = true;
    for (const BigFile& file : kFiles) {
        const std::string path = scratch + "/" + file.name;
        Generate(path, file);
        const std::string child =
            "'/proc/" + std::to_string(getpid()) + "/exe' --open '" + path + "'";
        FILE* pipe = popen(child.c_str(), "r");
        double open = -1, save = -1;
        long peak = -1;
        std::size_t messages = 1;
        if (!pipe || std::fscanf(pipe, "%lf %ld %lf %zu", &open, &peak, &save, &messages) != 4)
            open = -1;
        if (pipe)
            pclose(pipe);
        const double ratio = peak * 1024.0 / double(file.size);
        const bool ok = open >= 0 && messages == 0 && open < file.secondsTarget &&
                        ratio < file.peakTarget && std::filesystem::file_size(path) >= file.size;
        met = met && ok;
        std::printf("SUMMARY open %s: %.2f s, peak %.0f MB = %.2f x the file, save %.2f s "
                    "(targets %.0f s, %.1f x): %s\n",
                    file.name, open, peak / 1024.0, ratio, save, file.secondsTarget,
                    file.peakTarget, ok ? "met" : "MISSED");
        std::filesystem::remove(path);
    }
    return met ? 0 : 3;
}
