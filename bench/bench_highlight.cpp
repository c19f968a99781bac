// HTML highlighter benchmark: computing every line's start range of a large file, one
// keystroke on line 0 with no construct open, and one that opens a comment on line 0 (how far
// it rescans and how long it takes). Then the start-range rate of every registered language
// over its reference inputs (tests/data/highlight) repeated to a few megabytes. Uses
// TABRIX_BENCH_FILE (see bench/run.sh) or, without it, a generated file of the same shape. Prints
// SUMMARY lines; exits 3 when a target is missed.

#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynEditRanges.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/SynHighlighterHtml.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// About 100 MB in 1,000,000 lines: tags with attributes, links, one-line comments, text with
// entities, blank lines.
std::string GeneratedSample() {
    std::mt19937 random(20240611);
    const char* const words[] = {"the",   "of",    "and",   "editor", "buffer", "line",
                                 "range", "token", "caret", "window", "lorem",  "ipsum"};
    const char* const entities[] = {"&amp;", "&lt;", "&gt;", "&nbsp;", "&#169;", "&eacute;"};
    const char* const tags[] = {"div", "span", "p", "a", "li", "td", "em", "strong"};
    std::string text;
    text.reserve(105'000'000);
    for (int line = 0; line < 1'000'000; ++line) {
        const unsigned kind = random() % 20;
        if (kind == 0) {
            text += "\n";
            continue;
        }
        std::string body;
        const std::size_t want = 60 + random() % 100;
        while (body.size() < want) {
            body += ' ';
            body += random() % 12 == 0 ? entities[random() % 6] : words[random() % 12];
        }
        const std::string tag = tags[random() % 8];
        if (kind <= 3) {
            text += "<" + tag + " class=\"c" + std::to_string(random() % 1000) + "\">" + body +
                    "</" + tag + ">\n";
        } else if (kind == 4) {
            text += "<a href=\"https://example.com/" + std::to_string(random() % 100000) +
                    ".html\">" + body + "</a>\n";
        } else if (kind == 5) {
            text += "<!--" + body + " -->\n";
        } else {
            text += body + "\n";
        }
    }
    return text;
}

std::string SampleText() {
    if (const char* path = std::getenv("TABRIX_BENCH_FILE")) {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            return std::string(std::istreambuf_iterator<char>(in), {});
        }
        std::fprintf(stderr, "cannot read %s; using a generated sample\n", path);
    }
    return GeneratedSample();
}

// A keystroke on line 0: the line is put back with one more character, then Rescan runs with
// the line list's change record, as the editor does.
struct Keystroke {
    double microseconds;
    LineIndex lastRescanned;
};

Keystroke TimeKeystrokes(TSynEditStringList& lines, TSynHTMLSyn& html, const std::string& typed,
                         int repetitions) {
    const std::string original(lines.Get(LineIndex(0)));
    LineIndex lastRescanned = NoLine;
    double best = 1e30;
    for (int i = 0; i < repetitions; ++i) {
        lines.Put(LineIndex(0), typed);
        const auto start = Clock::now();
        lastRescanned = Rescan(lines, &html, {LineIndex(0), 1, 1});
        best = std::min(best, SecondsSince(start) * 1e6);
        lines.Put(LineIndex(0), original);
        Rescan(lines, &html, {LineIndex(0), 1, 1});
    }
    return {best, lastRescanned};
}

// Best of several whole-text scans, in MB/s. Other work on the machine only ever slows a scan
// down, so the best is the closest to the scanner's own speed.
double ScanRate(TSynEditStringList& lines, TSynCustomHighlighter& highlighter, double megabytes,
                int runs) {
    double best = 1e30;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        ScanAll(lines, &highlighter);
        best = std::min(best, SecondsSince(start));
    }
    return megabytes / best;
}

// The reference inputs a class's extensions pick, repeated to at least 4 MB; empty without any.
std::string ReferenceSample(const THighlighterClass& highlighterClass) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(__FILE__).parent_path().parent_path() / "tests/data/highlight";
    std::string once;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(root, error)) {
        const auto& extensions = highlighterClass.extensions;
        if (entry.is_regular_file() &&
            std::find(extensions.begin(), extensions.end(), entry.path().extension().string()) !=
                extensions.end()) {
            std::ifstream in(entry.path(), std::ios::binary);
            once.append(std::istreambuf_iterator<char>(in), {});
            once += "\n";
        }
    }
    std::string sample;
    while (!once.empty() && sample.size() < (4u << 20)) {
        sample += once;
    }
    return sample;
}

// Whether any language scans slower than 100 MB/s.
bool ReportLanguageRates() {
    bool missed = false;
    for (const auto& highlighterClass : HighlighterClasses()) {
        const std::string sample = ReferenceSample(highlighterClass);
        if (sample.empty()) {
            continue;
        }
        TSynEditStringList lines;
        lines.LoadFromBuffer(sample);
        auto highlighter = highlighterClass.create();
        const double megabytes = static_cast<double>(sample.size()) / 1e6;
        const double rate = ScanRate(lines, *highlighter, megabytes, 10);
        std::printf("SUMMARY all start ranges (%.*s, %.1f MB of reference inputs): %.0f MB/s "
                    "(target >= 100 MB/s)\n",
                    static_cast<int>(highlighterClass.className.size()),
                    highlighterClass.className.data(), megabytes, rate);
        missed |= rate < 100;
    }
    return missed;
}

} // namespace

int main() {
    const std::string text = SampleText();
    TSynEditStringList lines;
    lines.LoadFromBuffer(text);
    const double megabytes = static_cast<double>(text.size()) / 1e6;
    std::printf("sample: %.1f MB, %d lines\n", megabytes, lines.Count());
    if (lines.Count() == 0) {
        return 1;
    }
    TSynHTMLSyn html;
    bool missed = false;

    const double rate = ScanRate(lines, html, megabytes, 3);
    std::printf("SUMMARY all start ranges (HTML): %.0f ms, %.0f MB/s (target >= 100 MB/s)\n",
                megabytes / rate * 1e3, rate);
    missed |= rate < 100;

    // Line 0 of the sample opens no construct; typing one letter into it.
    lines.Put(LineIndex(0), "<p>plain</p>");
    ScanAll(lines, &html);
    const Keystroke plain = TimeKeystrokes(lines, html, "<p>plainx</p>", 1000);
    std::printf("SUMMARY keystroke on line 0, nothing opened: %.2f us, rescanned lines 0..%d "
                "(target < 1 ms, one line)\n",
                plain.microseconds, plain.lastRescanned.Value());
    missed |= plain.microseconds >= 1000 || plain.lastRescanned != LineIndex(0);

    const Keystroke comment = TimeKeystrokes(lines, html, "<!--<p>plain</p>", 20);
    std::printf("SUMMARY keystroke opening a comment on line 0: %.2f us, rescanned lines 0..%d\n",
                comment.microseconds, comment.lastRescanned.Value());

    missed |= ReportLanguageRates();
    return missed ? 3 : 0;
}
