// What recovery copies cost while a big file is edited: 200 letters typed into the middle of a
// 100 MB text in 20 pauses, each pause followed by the copy the keeper writes then. Measured are
// the bytes the process writes (to the recovery folder: it writes nothing else) and its peak
// memory. "--whole" takes whole copies as for a small document, for comparison. "--window" opens
// the file in the real main window, whose keeper journals it, and switches it from plain to code
// view half-way: the switch must not turn the journal into whole copies. Targets: under 1 MB
// written in all, a peak under 1.7 times the file.

#include "BenchSupport.h"
#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "codeedit/qt/Memo.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/qt/ScriptedDialogs.h"
#include "recovery/qt/RecoveryKeeper.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

constexpr int kPauses = 20;
constexpr int kKeysPerPause = 10;

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

// Types the letters into the middle line, a pause's worth at a time; after each pause the copy
// is written (pause). The engine is asked for anew each time: a view switch changes it. Bytes
// written meanwhile, or -1 when the letters did not all land in the text.
long long TypeInPauses(const std::function<TSynEditEngine&()>& engine,
                       const std::function<void(int)>& pause) {
    const long long before = WrittenBytes();
    const LineIndex middle(engine().LineCount() / 2);
    engine().SetCaret({middle, ByteColumn(10)});
    std::string typed;
    for (int p = 0; p < kPauses; ++p) {
        for (int key = 0; key < kKeysPerPause; ++key) {
            typed += char('a' + key);
            engine().TypeText(typed.substr(typed.size() - 1));
        }
        pause(p);
    }
    const long long written = WrittenBytes() - before;
    return engine().LineText(middle).substr(10, typed.size()) == typed ? written : -1;
}

long long TypeInMemo(const std::string& path, const std::string& scratch, bool whole) {
    FileResult<ByteBlock> content = ReadFileBytes(path);
    if (!content) {
        std::fprintf(stderr, "bench_recovery_journal: %s\n", content.error->message.c_str());
        return -1;
    }
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
    return TypeInPauses([&]() -> TSynEditEngine& { return memo.Engine(); },
                        [&](int) {
                            keeper.CaptureNow(&memo);
                            keeper.Flush();
                        });
}

long long TypeInWindow(const std::string& path) {
    ScriptedDialogs dialogs;
    TForm1 window(dialogs);
    window.resize(1000, 800);
    window.show();
    QApplication::processEvents();
    window.Files().OpenFile(QString::fromStdString(path));
    TMyMemo& document = window.CurrentDocument();
    auto* keeper = window.findChild<TRecoveryKeeper*>();
    if (!keeper || document.ViewMode != vmPlain) {
        std::fprintf(stderr, "bench_recovery_journal: the window did not open the file as text\n");
        return -1;
    }
    return TypeInPauses([&]() -> TSynEditEngine& { return document.View().TextEditor()->Engine(); },
                        [&](int pause) {
                            if (pause == kPauses / 2)
                                window.SetViewMode(vmCode);
                            keeper->CaptureNow(&document);
                            keeper->Flush();
                        });
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const char* scratchFolder = std::getenv("TABRIX_BENCH_SCRATCH");
    const std::string scratch = scratchFolder ? scratchFolder : "/tmp/bench-recovery-journal";
    std::filesystem::create_directories(scratch);
    bench::UsePrivateHome(scratch);
    QApplication app(argc, argv);

    const std::string path = scratch + "/big.log";
    if (!std::filesystem::exists(path) || std::filesystem::file_size(path) < (100u << 20))
        MakeText(path, 100u << 20);
    const auto fileBytes = double(std::filesystem::file_size(path));
    const long long written =
        mode == "--window" ? TypeInWindow(path) : TypeInMemo(path, scratch, mode == "--whole");
    if (written < 0) {
        std::fprintf(stderr, "bench_recovery_journal: the keys did not reach the text\n");
        return 2;
    }
    const double peak = double(bench::StatusKilobytes("VmHWM")) * 1024;
    const bool met = written < (1 << 20) && peak < 1.7 * fileBytes;
    const char* kind = mode == "--whole"    ? "whole copies"
                       : mode == "--window" ? "main window, view switched half-way"
                                            : "journal";
    std::printf("SUMMARY recovery copies (%s) while typing %d letters in %d pauses into a %.0f MB "
                "file: %.3f MB written (target < 1 MB), peak memory %.0f MB = %.2f x the file "
                "(target < 1.7)\n",
                kind, kPauses * kKeysPerPause, kPauses, fileBytes / (1 << 20),
                double(written) / (1 << 20), peak / (1 << 20), peak / fileBytes);
    return met ? 0 : 3;
}
