// Accessible text of a 100 MB document: what a screen reader's first questions cost (character
// count, the caret's offset at the end, the last line's text) and the memory they add, which
// must stay far below a copy of the text (target: peak VmHWM under 2 times the file, and the
// questions adding under a quarter of it). Prints figures and SUMMARY lines, exits 3 when a
// target is missed.

#include "BenchSupport.h"
#include "codeedit/qt/Memo.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

int main(int argc, char** argv) {
    const std::string scratch = std::filesystem::temp_directory_path() / "tabrix-bench-access";
    bench::UsePrivateHome(scratch);
    SetProgramEncoding(*Encoding::ForCodePage(Encoding::Utf8CodePage));
    QApplication app(argc, argv);

    constexpr std::size_t kBytes = 100u << 20;
    // Lines of 79 bytes: mostly ASCII with a two-byte and a four-byte character.
    const std::string line = std::string(70, 'a') + "\xC3\xA9 \xF0\x9F\x98\x80 b\n";
    ByteBlock block(kBytes);
    for (std::size_t at = 0; at < kBytes; at += line.size())
        std::memcpy(block.Data() + at, line.data(), std::min(line.size(), kBytes - at));
    TMemo memo;
    memo.TakeText(std::move(block));
    const long openedKb = bench::StatusKilobytes("VmHWM");

    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&memo)->textInterface();
    const auto start = std::chrono::steady_clock::now();
    const int count = text->characterCount();
    memo.Engine().SetCaret(memo.Engine().EndOfText());
    const int caret = text->cursorPosition();
    int lineStart = 0, lineEnd = 0;
    const QString last = text->textAtOffset(caret, QAccessible::LineBoundary, &lineStart, &lineEnd);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const long peakKb = bench::StatusKilobytes("VmHWM");

    const double fileMb = double(kBytes) / (1 << 20);
    const double addedMb = double(peakKb - openedKb) / 1024;
    std::printf("characters %d, caret %d, last line %lld units\n", count, caret,
                static_cast<long long>(last.size()));
    std::printf("first questions: %.0f ms; peak %.0f MB after opening %.0f MB, %.0f MB added\n", ms,
                double(peakKb) / 1024, double(openedKb) / 1024, addedMb);
    const bool peakOk = double(peakKb) / 1024 < 2 * fileMb;
    const bool addedOk = addedMb < fileMb / 4;
    std::printf("SUMMARY accessible text peak memory: %s\n", peakOk ? "ok" : "MISSED");
    std::printf("SUMMARY accessible text added memory: %s\n", addedOk ? "ok" : "MISSED");
    std::filesystem::remove_all(scratch);
    return peakOk && addedOk ? 0 : 3;
}
