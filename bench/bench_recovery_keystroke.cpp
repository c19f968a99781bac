// Keystrokes in a modified large document while its recovery copy is written: each key goes
// through the plain editor and a repaint, timed one by one until the writer thread has finished;
// the same keys with no copy being written are the yardstick. Also timed: taking the copy on the
// user's thread (the snapshot of the lines), and writing it. Run by bench/run.sh with the
// environment described there; target: no keystroke slower than 50 ms while the copy is written.

#include "BenchSupport.h"
#include "codeedit/qt/Memo.h"
#include "recovery/qt/RecoveryKeeper.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One typed letter, as the window delivers it, and the repaint it causes.
double Keystroke(TMemo& memo, char letter) {
    const auto start = Clock::now();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (letter - 'a'), Qt::NoModifier,
                    QString(QChar(letter)));
    QApplication::sendEvent(&memo, &press);
    memo.viewport()->repaint();
    return Milliseconds(start);
}

struct Keys {
    double median = 0;
    double slowest = 0;
    int count = 0;
};

Keys Summary(std::vector<double> times) {
    if (times.empty())
        return {};
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back(), int(times.size())};
}

} // namespace

int main(int argc, char** argv) {
    const char* path = std::getenv("TABRIX_BENCH_FILE");
    const char* scratchFolder = std::getenv("TABRIX_BENCH_SCRATCH");
    if (!path) {
        std::fprintf(stderr, "bench_recovery_keystroke: set TABRIX_BENCH_FILE\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    TMemo memo;
    memo.resize(1000, 800);
    memo.SetText(bytes);
    memo.show();
    memo.setFocus();
    const double megabytes = double(bytes.size()) / (1 << 20);

    const std::string root = std::string(scratchFolder ? scratchFolder : "/tmp") + "/recovery/";
    TRecoveryKeeper keeper(root, [&memo](TRecoveryKeeper::DocumentKey) {
        return std::optional<TRecoveryKeeper::Capture>(
            TRecoveryKeeper::Capture{{"/bench/sample.html", 0, 0, 0, "utf-8", ""},
                                     memo.Lines().Snapshot()});
    });

    std::vector<double> idle;
    for (int i = 0; i < 200; ++i)
        idle.push_back(Keystroke(memo, char('a' + i % 26)));

    const double capture = bench::BestMilliseconds(5, [&] { (void)memo.Lines().Snapshot(); });

    std::vector<double> writing;
    double writeMilliseconds = 0;
    for (int round = 0; round < 3; ++round) {
        const auto start = Clock::now();
        keeper.CaptureNow(&memo);
        std::atomic<bool> written = false;
        std::thread waiter([&] {
            keeper.Flush();
            written = true;
        });
        while (!written)
            writing.push_back(Keystroke(memo, char('a' + writing.size() % 26)));
        waiter.join();
        writeMilliseconds = std::max(writeMilliseconds, Milliseconds(start));
    }

    const Keys quiet = Summary(idle);
    const Keys busy = Summary(writing);
    std::printf("document: %.0f MB; copy written in %.0f ms (slowest of 3)\n", megabytes,
                writeMilliseconds);
    std::printf("taking the copy on the user's thread: %.1f ms (best of 5)\n", capture);
    std::printf("keystroke without a copy being written: median %.2f ms, slowest %.2f ms (%d)\n",
                quiet.median, quiet.slowest, quiet.count);
    std::printf("keystroke while the copy is written: median %.2f ms, slowest %.2f ms (%d)\n",
                busy.median, busy.slowest, busy.count);
    const bool met = busy.count > 0 && busy.slowest <= 50;
    std::printf("SUMMARY keystroke in a modified %.0f MB document while its recovery copy is "
                "written: median %.2f ms, slowest %.2f ms (target 50 ms)%s\n",
                megabytes, busy.median, busy.slowest, met ? "" : " MISSED");
    std::printf("SUMMARY recovery copy of %.0f MB: %.1f ms on the user's thread, %.0f ms in all\n",
                megabytes, capture, writeMilliseconds);
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return met ? 0 : 3;
}
