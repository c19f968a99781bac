// RTF benchmark: reading and writing a 10 MB RTF document of styled paragraphs (fonts, sizes,
// bold, italic, underline, colours, highlights, alignment, a Cyrillic word now and then), by
// the core reader and writer alone and through the rich editor (file into QTextDocument and
// back to a file). Run by bench/run.sh or alone; prints SUMMARY lines and exits 3 when a
// target is missed. The document is generated with a fixed seed, so it is the same everywhere.

#include "platform/Encoding.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"
#include "richedit/qt/RichEdit.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kTargetBytes = 10u << 20;
constexpr double kTargetMilliseconds = 1000;

double CpuNow() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
}

// Best wall-clock and best CPU time of runs. The machine is shared, so the CPU time (what the
// work costs one core) decides the targets; the wall-clock time is shown beside it.
struct Timing {
    double wall = 1e300;
    double cpu = 1e300;
};

Timing Best(int runs, const std::function<void()>& work) {
    Timing best;
    for (int i = 0; i < runs; ++i) {
        const double cpuStart = CpuNow();
        const auto start = Clock::now();
        work();
        best.wall = std::min(
            best.wall, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        best.cpu = std::min(best.cpu, CpuNow() - cpuStart);
    }
    return best;
}

class Generator {
public:
    std::uint64_t Next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }

private:
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
};

constexpr const char* kWords[] = {
    "the",    "of",     "and",    "editor", "buffer",  "line",     "range",     "token",
    "caret",  "window", "tabs",   "style",  "lorem",   "ipsum",    "dolor",     "sit",
    "amet",   "report", "column", "street", "invoice", "customer", "Привет",    "café",
    "{note}", "a\\b",   "2024",   "3.14",   "garden",  "mountain", "consequat", "river",
};
constexpr const char* kFonts[] = {"Liberation Serif", "Liberation Sans", "DejaVu Sans Mono",
                                  "Times New Roman"};
constexpr TColor kColors[] = {clNone, clRed, clBlue, RGB(0, 128, 0), RGB(128, 0, 128)};

RichDocument GenerateDocument(std::size_t paragraphs) {
    Generator random;
    RichDocument document;
    for (std::size_t p = 0; p < paragraphs; ++p) {
        RichParagraph paragraph;
        paragraph.alignment = RichAlignment(random.Below(4));
        const std::size_t runs = 1 + random.Below(8);
        for (std::size_t r = 0; r < runs; ++r) {
            RichCharFormat format;
            format.fontName = kFonts[random.Below(std::size(kFonts))];
            format.halfPoints = 16 + 2 * int(random.Below(10));
            format.bold = random.Below(4) == 0;
            format.italic = random.Below(5) == 0;
            format.underline = random.Below(8) == 0;
            format.strikeOut = random.Below(20) == 0;
            format.color = kColors[random.Below(std::size(kColors))];
            format.highlight = random.Below(10) == 0 ? clYellow : clNone;
            std::string text;
            const std::size_t words = 2 + random.Below(12);
            for (std::size_t w = 0; w < words; ++w) {
                text += kWords[random.Below(std::size(kWords))];
                text += random.Below(15) == 0 ? "\t" : " ";
            }
            AppendRun(paragraph, text, format);
        }
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

int Report(const char* what, Timing timing, double target) {
    const bool met = timing.cpu <= target;
    std::printf("SUMMARY %s: %.0f ms CPU, %.0f ms wall (target under %.0f ms: %s)\n", what,
                timing.cpu, timing.wall, target, met ? "met" : "MISSED");
    return met ? 0 : 3;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    const Encoding& codePage = *Encoding::ForCodePage(1252);

    // Grow the document until its RTF reaches 10 MB.
    std::size_t paragraphs = 10000;
    std::string rtf;
    RichDocument document;
    for (;;) {
        document = GenerateDocument(paragraphs);
        rtf = WriteRtf(document, codePage);
        if (rtf.size() >= kTargetBytes) {
            break;
        }
        paragraphs = paragraphs * kTargetBytes / rtf.size() + 1;
    }
    std::printf("Document: %zu paragraphs, %zu bytes of RTF\n", document.paragraphs.size(),
                rtf.size());

    RichDocument read;
    const Timing reading = Best(5, [&] { read = ReadRtf(rtf); });
    if (!(read == document)) {
        std::printf("The document read back differs from the one written\n");
        return 1;
    }
    std::string written;
    const Timing writing = Best(5, [&] { written = WriteRtf(document, codePage); });

    const char* scratch = std::getenv("TABRIX_BENCH_SCRATCH");
    const std::filesystem::path folder =
        scratch ? std::filesystem::path(scratch) : std::filesystem::temp_directory_path();
    const std::string path = (folder / "bench_rtf.rtf").string();
    const std::string savedPath = (folder / "bench_rtf_saved.rtf").string();
    std::ofstream(path, std::ios::binary) << rtf;

    TRxRichEdit editor;
    const Timing loading = Best(3, [&] {
        if (editor.LoadFromFile(path)) {
            std::printf("Loading failed\n");
            std::exit(1);
        }
    });
    const Timing saving = Best(3, [&] {
        if (editor.SaveToFile(savedPath)) {
            std::printf("Saving failed\n");
            std::exit(1);
        }
    });
    std::filesystem::remove(path);
    std::filesystem::remove(savedPath);

    int status = 0;
    status |= Report("read 10 MB RTF into the document model", reading, kTargetMilliseconds);
    status |= Report("write the document model as 10 MB RTF", writing, kTargetMilliseconds);
    status |= Report("rich editor loads the 10 MB file", loading, kTargetMilliseconds);
    status |= Report("rich editor saves it", saving, kTargetMilliseconds);
    return status;
}
