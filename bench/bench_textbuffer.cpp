// Line-list benchmark: loading, memory, saving, line edits near the top and in the middle of a
// large list, and whole-text offset lookups. Run by bench/run.sh (see there for the
// environment); prints figures and SUMMARY lines with the targets, exits 3 when one is missed.
//
// Peak memory is measured in a fresh process (this executable with --peak-load) that reads
// VmRSS before and VmHWM after loading the file from /proc/self/status, so nothing measured
// earlier in this process inflates it.

#include "BenchSupport.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/SynEditTextFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsOf(const std::function<void()>& work) {
    auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Microseconds per call of work, over `count` calls.
double MicrosecondsEach(int count, const std::function<void(int)>& work) {
    double ms = MillisecondsOf([&] {
        for (int i = 0; i < count; ++i)
            work(i);
    });
    return ms * 1000.0 / count;
}

int PeakLoadChild(const char* path) {
    long before = bench::StatusKilobytes("VmRSS");
    TSynEditStringList list;
    LoadFromFile(list, path);
    std::printf("%ld %ld %ld %d\n", before, bench::StatusKilobytes("VmHWM"),
                bench::StatusKilobytes("VmRSS"), list.Count());
    return 0;
}

struct Peak {
    long rssBeforeKb = -1, hwmKb = -1, rssAfterKb = -1;
};

Peak MeasurePeakInFreshProcess() {
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    Peak peak;
    if (length <= 0)
        return peak;
    self[length] = '\0';
    // Appending, not "'" + std::string: GCC 12 warns falsely (restrict) at -O3.
    std::string command = "'";
    command.append(self).append("' --peak-load");
    std::unique_ptr<FILE, int (*)(FILE*)> child(popen(command.c_str(), "r"), pclose);
    int lines = 0;
    if (child && std::fscanf(child.get(), "%ld %ld %ld %d", &peak.rssBeforeKb, &peak.hwmKb,
                             &peak.rssAfterKb, &lines) != 4)
        peak = Peak();
    return peak;
}

const char* Verdict(bool met) {
    return met ? "met" : "MISSED";
}

} // namespace

int main(int argc, char** argv) {
    const char* path = std::getenv("TABRIX_BENCH_FILE");
    if (!path) {
        std::fprintf(stderr, "bench_textbuffer: set TABRIX_BENCH_FILE (bench/run.sh does)\n");
        return 2;
    }
    if (argc > 1 && std::string(argv[1]) == "--peak-load")
        return PeakLoadChild(path);

    const double fileMb = double(std::filesystem::file_size(path)) / 1e6;
    const double wcMs =
        std::getenv("TABRIX_BENCH_WC_MS") ? std::atof(std::getenv("TABRIX_BENCH_WC_MS")) : 0;
    bool allMet = true;

    // Loading, best of 5, each into a fresh list.
    auto list = std::make_unique<TSynEditStringList>();
    double loadMs = bench::BestMilliseconds(5, [&] {
        list = std::make_unique<TSynEditStringList>();
        LoadFromFile(*list, path);
    });
    const int count = list->Count();
    std::printf("load %d lines, %.1f MB: %.1f ms (best of 5)\n", count, fileMb, loadMs);
    if (wcMs > 0) {
        bool met = loadMs <= 10 * wcMs;
        allMet &= met;
        std::printf("SUMMARY load %.1f MB, %d lines: %.1f ms = %.1f x wc -l (target <= 10 x "
                    "wc -l = %.0f ms: %s)\n",
                    fileMb, count, loadMs, loadMs / wcMs, 10 * wcMs, Verdict(met));
    } else {
        std::printf("SUMMARY load %.1f MB, %d lines: %.1f ms (no wc -l figure to compare)\n",
                    fileMb, count, loadMs);
    }

    Peak peak = MeasurePeakInFreshProcess();
    if (peak.hwmKb > 0) {
        double hwmMb = peak.hwmKb * 1.024e-3, beforeMb = peak.rssBeforeKb * 1.024e-3;
        double afterMb = peak.rssAfterKb * 1.024e-3;
        bool met = hwmMb < 2.5 * fileMb;
        allMet &= met;
        std::printf("memory (fresh process): RSS before load %.1f MB, peak (VmHWM) %.1f MB, "
                    "RSS after load %.1f MB\n",
                    beforeMb, hwmMb, afterMb);
        std::printf("SUMMARY peak memory loading: %.1f MB = %.2f x file (%.2f x counting only "
                    "the load; target < 2.5 x: %s); resident after load %.2f x file\n",
                    hwmMb, hwmMb / fileMb, (hwmMb - beforeMb) / fileMb, Verdict(met),
                    (afterMb - beforeMb) / fileMb);
    } else {
        allMet = false;
        std::printf("SUMMARY peak memory: could not be measured\n");
    }

    // Saving, best of 3.
    std::string scratch = std::getenv("TABRIX_BENCH_SCRATCH")
                              ? std::getenv("TABRIX_BENCH_SCRATCH")
                              : std::filesystem::temp_directory_path().string();
    std::string saved = scratch + "/bench_textbuffer-saved.txt";
    double saveMs = bench::BestMilliseconds(3, [&] { SaveToFile(*list, saved); });
    bool sameSize = std::filesystem::file_size(saved) == std::filesystem::file_size(path);
    std::filesystem::remove(saved);
    std::printf("SUMMARY save %.1f MB: %.1f ms (best of 3)%s\n", fileMb, saveMs,
                sameSize ? "" : " -- SAVED SIZE DIFFERS");
    allMet &= sameSize;

    // Line edits. The gap sits at the end after loading, so the first edit at the top moves
    // every record once; later edits at the same place move none.
    const LineIndex middle(count / 2);
    double firstTopUs = MillisecondsOf([&] { list->Insert(LineIndex(0), "first"); }) * 1000;
    list->Delete(LineIndex(0));
    const int pairs = 20000;
    double topUs = MicrosecondsEach(2 * pairs, [&](int i) {
        if (i % 2 == 0)
            list->Insert(LineIndex(0), "<p>inserted line</p>");
        else
            list->Delete(LineIndex(0));
    });
    double firstMiddleUs = MillisecondsOf([&] { list->Insert(middle, "first"); }) * 1000;
    list->Delete(middle);
    double middleUs = MicrosecondsEach(2 * pairs, [&](int i) {
        if (i % 2 == 0)
            list->Insert(middle, "<p>inserted line</p>");
        else
            list->Delete(middle);
    });
    double alternatingUs = MicrosecondsEach(400, [&](int i) {
        const LineIndex at = (i / 2) % 2 == 0 ? LineIndex(0) : middle;
        if (i % 2 == 0)
            list->Insert(at, "x");
        else
            list->Delete(at);
    });
    std::printf("SUMMARY insert/delete at line 0: %.3f us per op (first op after load %.0f us)\n",
                topUs, firstTopUs);
    std::printf("SUMMARY insert/delete at line %d: %.3f us per op (first op there %.0f us)\n",
                middle.Value(), middleUs, firstMiddleUs);
    std::printf("SUMMARY insert/delete alternating line 0 and line %d: %.1f us per op "
                "(worst case, half the list moves each time)\n",
                middle.Value(), alternatingUs);

    // A keystroke in the middle: the line is written and its offset asked for.
    double keystrokeUs = MicrosecondsEach(20000, [&](int i) {
        list->Put(middle, std::string(40 + i % 20, 'k'));
        list->LineStartOffset(middle);
    });
    std::printf("SUMMARY keystroke in line %d (Put + LineStartOffset of that line): %.3f us\n",
                middle.Value(), keystrokeUs);

    // Offsets: the first lookup far below an edit recomputes the prefix from the edit down.
    list->Put(middle, "edited");
    double rebuildUs = MillisecondsOf([&] { list->PositionOfOffset(TextOffset(SIZE_MAX)); }) * 1000;
    const std::size_t total = list->LineStartOffset(LineIndex(count)).Value();
    std::uint64_t state = 88172645463325252ULL, sink = 0;
    double lookupUs = MicrosecondsEach(1000000, [&](int) {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        sink += list->PositionOfOffset(TextOffset(state % total)).column.Value();
    });
    double inOrderUs = MicrosecondsEach(1000000, [&](int i) {
        sink +=
            list->PositionOfOffset(TextOffset(std::uint64_t(i) * (total / 1000000))).column.Value();
    });
    double startUs = MicrosecondsEach(1000000, [&](int i) {
        sink += list->LineStartOffset(LineIndex(int((std::uint64_t(i) * 7919) % count))).Value();
    });
    std::printf("SUMMARY offset -> position: %.0f ns per random lookup, %.0f ns in text order; "
                "line -> offset: %.0f ns; first lookup after an edit at line %d: %.0f us\n",
                lookupUs * 1000, inOrderUs * 1000, startUs * 1000, middle.Value(), rebuildUs);

    // Whole text in and out, as the plain editor's Text and SetText.
    std::string text;
    double textMs = bench::BestMilliseconds(3, [&] { text = list->Text(); });
    double setTextMs = bench::BestMilliseconds(3, [&] { list->SetText(text); });
    std::printf("SUMMARY Text(): %.1f ms; SetText(): %.1f ms (best of 3)\n", textMs, setTextMs);
    if (sink == 42)
        std::printf("\n");

    return allMet ? 0 : 3;
}
