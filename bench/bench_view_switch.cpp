// View-mode benchmark in the real main window: opening the large HTML sample, which goes
// straight into code view, until its first screen is painted (target 1 s); switching the open
// document to plain view and back to code view, each way until the new editor is painted
// (target 0.5 s each); and the peak memory of the two switches (VmHWM after resetting it
// once the file is open; target < 2.5 times the file), measured in a fresh process (this
// executable with --peak-switch). HOME and the XDG folders point into the scratch folder, so
// the window reads and writes no settings of the user. Run by bench/run.sh (environment
// there); prints figures and SUMMARY lines, exits 3 when a target is missed.

#include "BenchSupport.h"
#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/ScriptedDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
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
    window.CurrentDocument().View().TextEditor()->viewport()->repaint();
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
    window.Files().OpenFile(path);
    PaintActiveEditor(window);
    return Milliseconds(start);
}

double SwitchAndPaint(TForm1& window, int mode) {
    const auto start = Clock::now();
    window.SetViewMode(mode);
    PaintActiveEditor(window);
    return Milliseconds(start);
}

// The longest time the event loop did not turn while an operation ran: a timer firing every
// 10 ms notes the gaps between its turns.
class StallWatch {
public:
    StallWatch() {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { Turn(); });
        timer.start();
        last = Clock::now();
    }
    double LongestMilliseconds() {
        Turn();
        return longest;
    }

private:
    void Turn() {
        longest = std::max(longest, Milliseconds(last));
        last = Clock::now();
    }
    QTimer timer;
    Clock::time_point last;
    double longest = 0;
};

struct Timed {
    double milliseconds;
    double longestStall;
};

// Into rich view and back out: the whole time, and the longest stretch without a repaint.
Timed SwitchWatchingStalls(TForm1& window, int mode) {
    const auto start = Clock::now();
    StallWatch stalls;
    window.SetViewMode(mode);
    window.CurrentDocument().View().Widget().repaint();
    const double milliseconds = Milliseconds(start);
    // What the editor leaves for later (laying out the rest of the text) stalls the loop too.
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return {milliseconds, stalls.LongestMilliseconds()};
}

int PeakSwitchChild(int argc, char** argv, const QString& path) {
    QApplication app(argc, argv);
    ScriptedDialogs dialogs;
    auto window = NewWindow(dialogs);
    const long before = bench::StatusKilobytes("VmRSS");
    window->Files().OpenFile(path);
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
    Timed toRich{}, fromRich{};
    {
        auto window = NewWindow(dialogs);
        window->Files().OpenFile(path);
        toRich = SwitchWatchingStalls(*window, vmRich);
        fromRich = SwitchWatchingStalls(*window, vmCode);
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
    std::printf("into rich view: %.0f ms, longest stall %.0f ms; back to code view: %.0f ms, "
                "longest stall %.0f ms\n",
                toRich.milliseconds, toRich.longestStall, fromRich.milliseconds,
                fromRich.longestStall);
    std::printf("peak memory: opening %.2f x the file, switching both ways %.2f x\n", openRatio,
                switchRatio);
    const bool openMet = open <= 1000;
    const bool switchMet = toPlain <= 500 && toCode <= 500;
    const bool memoryMet = switchPeak > 0 && switchRatio < 2.5;
    const bool richMet = toRich.longestStall <= 1000 && fromRich.longestStall <= 1000;
    std::printf("SUMMARY window open .html into code view %.0f ms (target 1000 ms)%s\n", open,
                openMet ? "" : " MISSED");
    std::printf("SUMMARY view switch code->plain %.0f ms, plain->code %.0f ms (target 500 ms)%s\n",
                toPlain, toCode, switchMet ? "" : " MISSED");
    std::printf("SUMMARY view switch peak memory %.2fx file size (target < 2.5x)%s\n", switchRatio,
                memoryMet ? "" : " MISSED");
    std::printf("SUMMARY rich view switch longest stall %.0f ms in, %.0f ms out (target 1000 "
                "ms)%s\n",
                toRich.longestStall, fromRich.longestStall, richMet ? "" : " MISSED");
    return openMet && switchMet && memoryMet && richMet ? 0 : 3;
}
