// Code-editor painting benchmark: a large HTML file in a TSynEdit with the HTML highlighter;
// painting one screen of 60 lines into an image (target < 2 ms) and one keystroke in line 0
// handled and repainted by the widget (target < 1 ms). Run by bench/run.sh (environment
// there); prints figures and SUMMARY lines, exits 3 when a target is missed.

#include "codeedit/SynHighlighterHtml.h"
#include "codeedit/qt/SynEdit.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <time.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// CPU time of this thread: the machine may be shared, and waiting for a core is not painting.
double ThreadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string ReadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void SendKey(QWidget& target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &release);
}

} // namespace

int main(int argc, char** argv) {
    const char* path = std::getenv("TABRIX_BENCH_FILE");
    if (!path) {
        std::fprintf(stderr, "bench_paint: set TABRIX_BENCH_FILE\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    TSynHTMLSyn html;
    TSynEdit editor;
    editor.SetHighlighter(&html);
    auto start = Clock::now();
    editor.SetText(ReadFile(path));
    std::printf("load and scan %d lines: %.0f ms\n", editor.Lines().Count(), Milliseconds(start));

    constexpr int rows = 60;
    editor.resize(1000, rows * editor.LineHeight() + 2 * editor.frameWidth() +
                            editor.horizontalScrollBar()->sizeHint().height());
    editor.show();
    QApplication::setActiveWindow(&editor);
    editor.setFocus();
    QApplication::processEvents();

    // One screen at a time, through the file, so each paint scans fresh lines.
    QImage image(editor.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> paints, paintsCpu;
    const int count = editor.Lines().Count();
    for (int i = 0; i < 400; ++i) {
        editor.SetTopLine(LineIndex(int((long long)i * 2477 % std::max(1, count - rows))));
        start = Clock::now();
        double cpu = ThreadCpuMilliseconds();
        QPainter painter(&image);
        editor.PaintView(painter, image.rect());
        painter.end();
        paints.push_back(Milliseconds(start));
        paintsCpu.push_back(ThreadCpuMilliseconds() - cpu);
    }
    const double paint = Median(paintsCpu);

    // Keystrokes at the end of line 0: typed, rescanned, repainted on the backing store.
    editor.SetTopLine(LineIndex(0));
    editor.Engine().SetCaret(MakePosition(0, editor.Lines().Get(LineIndex(0)).size()));
    QApplication::processEvents();
    std::vector<double> keys, keysCpu;
    for (int i = 0; i < 400; ++i) {
        start = Clock::now();
        double cpu = ThreadCpuMilliseconds();
        if (i % 2 == 0)
            SendKey(editor, Qt::Key_X, QStringLiteral("x"));
        else
            SendKey(editor, Qt::Key_Backspace, QString());
        QApplication::processEvents();
        keys.push_back(Milliseconds(start));
        keysCpu.push_back(ThreadCpuMilliseconds() - cpu);
    }
    const double key = Median(keysCpu);

    std::printf("paint one screen of %d lines: median %.3f ms CPU, %.3f ms wall\n", rows, paint,
                Median(paints));
    std::printf("keystroke in line 0, handled and repainted: median %.3f ms CPU, %.3f ms wall\n",
                key, Median(keys));
    std::printf("SUMMARY paint 60 lines %.3f ms (target < 2 ms)%s\n", paint,
                paint < 2 ? "" : " MISSED");
    std::printf("SUMMARY keystroke %.3f ms (target < 1 ms)%s\n", key, key < 1 ? "" : " MISSED");
    return paint < 2 && key < 1 ? 0 : 3;
}
