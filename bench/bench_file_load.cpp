// Loading and saving a large document: reading the file whole, the plain editor's line-break
// normalisation and the atomic save, on a 200 MB text with LF line breaks (the worst case for
// the normalisation: every line gains a byte).

#include "app/DocumentText.h"
#include "platform/FileSystem.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr std::size_t kDocumentSize = 200u << 20;

std::string MakeText(std::size_t size, const char* lineBreak) {
    std::string text;
    text.reserve(size + 80);
    while (text.size() < size) {
        text += "The quick brown fox jumps over the lazy dog, then rests for a while.";
        text += lineBreak;
    }
    return text;
}

const std::string& BenchFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tabrix-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern + "/";
    }();
    return folder;
}

void BM_ToPlainEditorTextLf(benchmark::State& state) {
    const std::string text = MakeText(kDocumentSize, "\n");
    for (auto _ : state) {
        // The loader moves the bytes it read into the conversion; copying them is not timed.
        state.PauseTiming();
        std::string bytes = text;
        state.ResumeTiming();
        benchmark::DoNotOptimize(ToPlainEditorText(std::move(bytes)));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ToPlainEditorTextLf)->Unit(benchmark::kMillisecond);

void BM_ToPlainEditorTextCrLf(benchmark::State& state) {
    const std::string text = MakeText(kDocumentSize, "\r\n");
    for (auto _ : state) {
        // The loader moves the bytes it read into the conversion; copying them is not timed.
        state.PauseTiming();
        std::string bytes = text;
        state.ResumeTiming();
        benchmark::DoNotOptimize(ToPlainEditorText(std::move(bytes)));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ToPlainEditorTextCrLf)->Unit(benchmark::kMillisecond);

void BM_SaveAndReadWholeFile(benchmark::State& state) {
    const std::string text = MakeText(kDocumentSize, "\r\n");
    const std::string path = BenchFolder() + "document.txt";
    for (auto _ : state) {
        if (SaveFileAtomically(path, text)) {
            state.SkipWithError("save failed");
            break;
        }
        const FileResult<std::string> read = ReadWholeFile(path);
        if (!read || read.value.size() != text.size()) {
            state.SkipWithError("read failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
    std::filesystem::remove_all(BenchFolder());
}
BENCHMARK(BM_SaveAndReadWholeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
