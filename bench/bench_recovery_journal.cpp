// What recovery copies cost while a big file is edited: 200 letters typed into the middle of a
// 100 MB text in 20 pauses, each pause followed by the copy the keeper writes then. Measured are
// the bytes the process writes (to the recovery folder: it writes nothing else) and its peak
// memory. "--whole" takes whole copies as for a small document, for comparison. Targets: under
// 1 MB written in all, a peak under 1.7 times the file.

#include "BenchSupport.h"
#include "codeedit/qt/Memo.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "recovery/qt/RecoveryKeeper.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Bytes the process has handed to write() so far.
long long WrittenBytes() {
    std::ifstream io("/proc/self/io");
    std::string name;
    long long value = 0;
    while (io >> name >> value)
        if (name == "wchar:")
            return value;
    return -1;
}

void MakeText(const std::string& path, std::size_t bytes) {
    std::ofstream out(path, std::ios::binary);
    std::string line;
    for (std::size_t written = 0, number = 0; written < bytes; written += line.size(), ++number) {
        line = "2026-12-09 04:00:00 host service[" + std::to_string(number) +
               "]: request served in 12 ms\n";
        out << line;
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool whole = argc > 1 && std::strcmp(argv[1], "--whole") == 0;
    const char* scratchFolder = std::getenv("TABRIX_BENCH_SCRATCH");
    const std::string scratch = scratchFolder ? scratchFolder : "/tmp/bench-recovery-journal";
    std::filesystem::create_directories(scratch);
    bench::UsePrivateHome(scratch);
    QApplication app(argc, argv);

    const std::string path = scratch + "/big.log";
    if (!std::filesystem::exists(path) || std::filesystem::file_size(path) < (100u << 20))
        MakeText(path, 100u << 20);
    FileResult<ByteBlock> content = ReadFileBytes(path);
    if (!content) {
        std::fprintf(stderr, "bench_recovery_journal: %s\n", content.error->message.c_str());
        return 2;
    }
    const std::size_t fileBytes = content.value.View().size();
    TMemo memo;
    memo.Engine().TakeText(std::move(content.value), {}, TSynTextBreaks::AsInText);
    memo.Engine().ChangeLog().Restart();
    const FileStamp base = *StampOfFile(path);

    std::filesystem::remove_all(scratch + "/recovery");
    TRecoveryKeeper keeper(scratch + "/recovery/", [&](TRecoveryKeeper::DocumentKey) {
        std::optional<TRecoveryKeeper::Capture> capture(std::in_place);
        capture->header.fileName = path;
        capture->header.encodingName = "utf-8";
        const BufferPosition caret = memo.Engine().Caret();
        if (whole)
            capture->text = memo.Lines().Snapshot();
        else
            capture->journal = {
                base,
                {caret.line.Value(), int(caret.column.Value()), memo.Engine().ChangeLog().Take()}};
        return capture;
    });

    const long long writtenBefore = WrittenBytes();
    const LineIndex middle(memo.Engine().LineCount() / 2);
    memo.Engine().SetCaret({middle, ByteColumn(10)});
    for (int pause = 0; pause < 20; ++pause) {
        for (int key = 0; key < 10; ++key)
            memo.Engine().TypeText(std::string(1, char('a' + key)));
        keeper.CaptureNow(&memo);
        keeper.Flush();
    }
    const long long written = WrittenBytes() - writtenBefore;
    const double peak = double(bench::StatusKilobytes("VmHWM")) * 1024;
    if (memo.Engine().LineText(middle).substr(10, 10) != "abcdefghij") {
        std::fprintf(stderr, "bench_recovery_journal: the keys did not reach the text\n");
        return 2;
    }
    const double megabytes = double(fileBytes) / (1 << 20);
    const bool met = written < (1 << 20) && peak < 1.7 * double(fileBytes);
    std::printf("SUMMARY recovery copies (%s) while typing 200 letters in 20 pauses into a %.0f MB "
                "file: %.3f MB written (target < 1 MB), peak memory %.0f MB = %.2f x the file "
                "(target < 1.7)\n",
                whole ? "whole" : "journal", megabytes, double(written) / (1 << 20),
                peak / (1 << 20), peak / double(fileBytes));
    return met ? 0 : 3;
}
