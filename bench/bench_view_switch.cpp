// View-mode benchmark in the real main window: opening the large HTML sample, which goes
// straight into code view, until its first screen is painted (target 1 s); switching the open
// document to plain view and back to code view, each way until the new editor is painted
// (target 0.5 s each); and the peak memory of the two switches (VmHWM after resetting it
// once the file is open; target < 2.5 times the file), measured in a fresh process (this
// executable with --peak-switch). HOME and the XDG folders point into the scratch folder, so
// the window reads and writes no settings of the user. Run by bench/run.sh (environment
// there); prints figures and SUMMARY lines, exits 3 when a target is missed.

#include "BenchSupport.h"
#include "app/qt/MainWindow.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/ScriptedDialogs.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Starts a new peak: VmHWM becomes the current resident size.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void PaintActiveEditor(TForm1& window) {
    window.ActiveEditor(window.CurrentDocument())->viewport()->repaint();
}

std::unique_ptr<TForm1> NewWindow(Dialogs& dialogs) {
    auto window = std::make_unique<TForm1>(dialogs);
    window->resize(1000, 800);
    window->show();
    QApplication::processEvents();
    return window;
}

double OpenAndPaint(TForm1& window, const QString& path) {
    const auto start = Clock::now();
    window.OpenFile(path);
    PaintActiveEditor(window);
    return Milliseconds(start);
}

double SwitchAndPaint(TForm1& window, int mode) {
    const auto start = Clock::now();
    window.SetViewMode(mode);
    PaintActiveEditor(window);
    return Milliseconds(start);
}

int PeakSwitchChild(int argc, char** argv, const QString& path) {
    QApplication app(argc, argv);
    ScriptedDialogs dialogs;
    auto window = NewWindow(dialogs);
    const long before = bench::StatusKilobytes("VmRSS");
    window->OpenFile(path);
    const long openPeak = bench::StatusKilobytes("VmHWM") - before;
    ResetPeak();
    window->SetViewMode(vmPlain);
    window->SetViewMode(vmCode);
    std::printf("%ld %ld\n", openPeak, bench::StatusKilobytes("VmHWM") - before);
    // Nothing is asked at exit: the document is marked saved.
    window->CurrentDocument().Modified = false;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* file = std::getenv("TABRIX_BENCH_FILE");
    if (!file) {
        std::fprintf(stderr, "bench_view_switch: set TABRIX_BENCH_FILE\n");
        return 2;
    }
    const char* scratchFolder = std::getenv("TABRIX_BENCH_SCRATCH");
    bench::UsePrivateHome(scratchFolder ? scratchFolder : "/tmp/tabrix-bench-view-switch");
    const QString path = QString::fromLocal8Bit(file);
    if (argc > 1 && std::string(argv[1]) == "--peak-switch")
        return PeakSwitchChild(argc, argv, path);

    QApplication app(argc, argv);
    const double fileMegabytes = double(std::filesystem::file_size(file)) / (1 << 20);
    ScriptedDialogs dialogs;

    double open = 1e300, toPlain = 1e300, toCode = 1e300;
    for (int run = 0; run < 3; ++run) {
        auto window = NewWindow(dialogs);
        open = std::min(open, OpenAndPaint(*window, path));
        if (window->CurrentDocument().ViewMode != vmCode) {
            std::fprintf(stderr, "bench_view_switch: the sample did not open in code view\n");
            return 2;
        }
        toPlain = std::min(toPlain, SwitchAndPaint(*window, vmPlain));
        toCode = std::min(toCode, SwitchAndPaint(*window, vmCode));
        window->CurrentDocument().Modified = false;
    }

    const std::string child = "'/proc/" + std::to_string(getpid()) + "/exe' --peak-switch";
    FILE* pipe = popen(child.c_str(), "r");
    long openPeak = -1, switchPeak = -1;
    if (!pipe || std::fscanf(pipe, "%ld %ld", &openPeak, &switchPeak) != 2)
        switchPeak = -1;
    if (pipe)
        pclose(pipe);
    const double switchRatio = switchPeak / 1024.0 / fileMegabytes;
    const double openRatio = openPeak / 1024.0 / fileMegabytes;

    std::printf("open %.0f MB .html into code view, first paint: %.0f ms (best of 3)\n",
                fileMegabytes, open);
    std::printf("switch to plain view: %.0f ms, back to code view: %.0f ms (best of 3)\n", toPlain,
                toCode);
    std::printf("peak memory: opening %.2f x the file, switching both ways %.2f x\n", openRatio,
                switchRatio);
    const bool openMet = open <= 1000;
    const bool switchMet = toPlain <= 500 && toCode <= 500;
    const bool memoryMet = switchPeak > 0 && switchRatio < 2.5;
    std::printf("SUMMARY window open .html into code view %.0f ms (target 1000 ms)%s\n", open,
                openMet ? "" : " MISSED");
    std::printf("SUMMARY view switch code->plain %.0f ms, plain->code %.0f ms (target 500 ms)%s\n",
                toPlain, toCode, switchMet ? "" : " MISSED");
    std::printf("SUMMARY view switch peak memory %.2fx file size (target < 2.5x)%s\n", switchRatio,
                memoryMet ? "" : " MISSED");
    return openMet && switchMet && memoryMet ? 0 : 3;
}
