// Printing benchmark: a 1 MB document of 20,000 lines of 50 bytes (the sample's text, its line
// breaks left out) printed
// to PDF as File > Print does, in the plain editor's default font. Run by bench/run.sh or alone
// with TABRIX_BENCH_FILE and TABRIX_BENCH_SCRATCH set; prints SUMMARY lines, exits 3 when a
// target (under 10 s, under 300 MB peak memory) is missed.

#include "codeedit/SynEditTextBuffer.h"
#include "output/qt/Printing.h"

#include <QApplication>
#include <QFont>
#include <QPrinter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>

int main(int argc, char** argv) {
    const char* sample = std::getenv("TABRIX_BENCH_FILE");
    const char* scratch = std::getenv("TABRIX_BENCH_SCRATCH");
    if (sample == nullptr || scratch == nullptr) {
        std::fprintf(stderr, "bench_print: set TABRIX_BENCH_FILE and TABRIX_BENCH_SCRATCH\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    constexpr int LineCount = 20000;
    constexpr std::size_t LineBytes = 50; // 20,000 lines of 50 bytes and CR LF: 1 MB
    TSynEditStringList lines;
    std::ifstream in(sample, std::ios::binary);
    std::string line;
    for (char c; lines.Count() < LineCount && in.get(c);) {
        if (c == '\n' || c == '\r')
            continue;
        line += c;
        if (line.size() == LineBytes) {
            lines.Add(line);
            line.clear();
        }
    }
    if (lines.Count() < LineCount) {
        std::fprintf(stderr, "bench_print: the sample has too few lines\n");
        return 1;
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(scratch) + "/print.pdf");
    const auto start = std::chrono::steady_clock::now();
    const bool printed = PrintLines(printer, {lines, ProgramEncoding(), QFont("Courier New", 10),
                                              "bench.txt"}) == PrintResult::Printed;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    if (!printed) {
        std::fprintf(stderr, "bench_print: the PDF printer did not start\n");
        return 1;
    }
    const bool fast = seconds < 10.0;
    const bool small = peakMb < 300.0;
    std::printf("SUMMARY printing %.2f MB, %d lines to PDF: %.2f s (target < 10 s: %s), peak "
                "memory %.0f MB (target < 300 MB: %s)\n",
                static_cast<double>(lines.Text().size()) / 1e6, lines.Count(), seconds,
                fast ? "met" : "MISSED", peakMb, small ? "met" : "MISSED");
    return fast && small ? 0 : 3;
}
