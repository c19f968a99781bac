// HTML export benchmark: File > Export with "Convert txt to html?" answered Yes, over the 100 MB
// sample as the plain editor holds it (CR LF breaks), next to sed doing the same five
// replacements on the same text in the same run. Run by bench/run.sh or alone with
// TABRIX_BENCH_FILE and TABRIX_BENCH_SCRATCH set; prints SUMMARY lines, exits 3 when the target
// (under 2 times sed) is missed.

#include "app/DocumentText.h"
#include "output/HtmlExport.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double BestMilliseconds(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

} // namespace

int main() {
    const char* sample = std::getenv("TABRIX_BENCH_FILE");
    const char* scratchVariable = std::getenv("TABRIX_BENCH_SCRATCH");
    if (sample == nullptr || scratchVariable == nullptr) {
        std::fprintf(stderr, "bench_export: set TABRIX_BENCH_FILE and TABRIX_BENCH_SCRATCH\n");
        return 1;
    }
    const std::string scratch = std::string(scratchVariable) + "/";
    FileResult<std::string> content = ReadWholeFile(sample);
    if (!content) {
        std::fprintf(stderr, "bench_export: %s\n", content.error->message.c_str());
        return 1;
    }
    const std::string text = ToPlainEditorText(std::move(content.value));
    const std::string input = scratch + "export-input.txt";
    if (SaveFileAtomically(input, text))
        return 1;

    HtmlExportOptions options;
    options.variant = HtmlVariant::WithStyle;
    options.conversion = HtmlConversion::Escape;
    options.fontName = "Courier New";
    const std::string output = scratch + "export.html";
    bool failed = false;
    const double ours =
        BestMilliseconds(3, [&] { failed |= WriteHtmlFile(output, text, options).has_value(); });
    const std::string sed = "LC_ALL=C sed -e 's/</\\&lt;/g' -e 's/>/\\&gt;/g' "
                            "-e 's/\\r$/<br>\\r/' -e 's/\\t/    /g' -e 's/ /\\&nbsp;/g' '" +
                            input + "' > '" + scratch + "sed.html'";
    const double tool = BestMilliseconds(3, [&] { failed |= std::system(sed.c_str()) != 0; });
    if (failed) {
        std::fprintf(stderr, "bench_export: a run failed\n");
        return 1;
    }
    const double ratio = ours / tool;
    const bool met = ratio < 2.0;
    std::printf("SUMMARY export of %.0f MB with conversion: %.0f ms, sed %.0f ms, %.2fx sed "
                "(target < 2x: %s)\n",
                static_cast<double>(text.size()) / 1e6, ours, tool, ratio, met ? "met" : "MISSED");
    return met ? 0 : 3;
}
