// Editing a large document: a keystroke must cost time in the length of its line, not of the
// text. The document is 1,000,000 lines of 100 bytes (about 100 MB), built once.

#include "codeedit/SynEditEngine.h"
#include "platform/Encoding.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr int LineCount = 1'000'000;

TSynEditEngine& LargeDocument() {
    static TSynEditEngine* engine = [] {
        auto* created = new TSynEditEngine(*Encoding::ForCodePage(Encoding::Utf8CodePage));
        std::string line(98, 'x');
        std::string text;
        text.reserve(static_cast<std::size_t>(LineCount) * 100);
        for (int i = 0; i < LineCount; ++i)
            text.append(line).append("\r\n");
        created->SetText(text);
        return created;
    }();
    return *engine;
}

void CaretToMiddle(TSynEditEngine& engine) {
    engine.SetCaret(MakePosition(LineCount / 2, 50));
}

void BM_TypeCharacter(benchmark::State& state) {
    TSynEditEngine& engine = LargeDocument();
    CaretToMiddle(engine);
    for (auto _ : state) {
        engine.ExecuteCommand(ecChar, "a");
        engine.ExecuteCommand(ecDeleteLastChar);
    }
    engine.ClearUndo();
}
BENCHMARK(BM_TypeCharacter);

void BM_LineBreakAndJoin(benchmark::State& state) {
    TSynEditEngine& engine = LargeDocument();
    CaretToMiddle(engine);
    for (auto _ : state) {
        engine.ExecuteCommand(ecLineBreak);
        engine.ExecuteCommand(ecDeleteLastChar);
    }
    engine.ClearUndo();
}
BENCHMARK(BM_LineBreakAndJoin);

void BM_TypeThenUndo(benchmark::State& state) {
    TSynEditEngine& engine = LargeDocument();
    CaretToMiddle(engine);
    for (auto _ : state) {
        engine.ExecuteCommand(ecChar, "a");
        engine.ExecuteCommand(ecUndo);
    }
    engine.ClearUndo();
}
BENCHMARK(BM_TypeThenUndo);

void BM_CaretDownAndUp(benchmark::State& state) {
    TSynEditEngine& engine = LargeDocument();
    CaretToMiddle(engine);
    for (auto _ : state) {
        engine.ExecuteCommand(ecDown);
        engine.ExecuteCommand(ecUp);
    }
}
BENCHMARK(BM_CaretDownAndUp);

void BM_DeleteAndRestoreLine(benchmark::State& state) {
    TSynEditEngine& engine = LargeDocument();
    CaretToMiddle(engine);
    for (auto _ : state) {
        engine.ExecuteCommand(ecDeleteLine);
        engine.ExecuteCommand(ecUndo);
    }
    engine.ClearUndo();
}
BENCHMARK(BM_DeleteAndRestoreLine);

void BM_WholeTextRoundTrip(benchmark::State& state) {
    TSynEditEngine& engine = LargeDocument();
    for (auto _ : state) {
        std::string text = engine.Text();
        engine.SetText(text);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_WholeTextRoundTrip)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
