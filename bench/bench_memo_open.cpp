// Plain-editor open and save benchmark: the bytes of a large file read and shown in a TMemo
// (time until the first paint; target 0.3 s), the text saved back (compared with `cp`), and
// the peak memory of opening (VmHWM; target < 2.5 times the file size), measured in a fresh
// process (this executable with --peak-open). Run by bench/run.sh (environment there); prints
// figures and SUMMARY lines, exits 3 when a target is missed.

#include "BenchSupport.h"
#include "codeedit/qt/Memo.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The file's bytes, mapped read-only: the memo copies them once into its own lines, so a
// read buffer of our own would only add a second copy.
class MappedFile {
public:
    explicit MappedFile(const std::string& path) {
        const int fd = open(path.c_str(), O_RDONLY);
        if (fd < 0)
            return;
        struct stat info {};
        if (fstat(fd, &info) == 0 && info.st_size > 0) {
            size = std::size_t(info.st_size);
            data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (data == MAP_FAILED)
                data = nullptr;
        }
        close(fd);
    }
    ~MappedFile() {
        if (data)
            munmap(data, size);
    }
    std::string_view Bytes() const {
        return data ? std::string_view(static_cast<const char*>(data), size) : std::string_view();
    }

private:
    void* data = nullptr;
    std::size_t size = 0;
};

// Opens the file into a shown memo and paints it once; returns milliseconds.
double OpenAndPaint(TMemo& memo, const std::string& path) {
    const auto start = Clock::now();
    {
        const MappedFile file(path);
        memo.SetText(file.Bytes());
    }
    memo.show();
    memo.viewport()->repaint();
    return Milliseconds(start);
}

// The memo's text, lines joined with CR LF, written without building it whole.
bool SaveLines(const TMemo& memo, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    static char buffer[1 << 20];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
    const TSynEditStringList& lines = memo.Lines();
    const int count = lines.Count();
    bool ok = true;
    for (int i = 0; i < count && ok; ++i) {
        const std::string_view line = lines.Get(LineIndex(i));
        ok = std::fwrite(line.data(), 1, line.size(), file) == line.size() &&
             (i + 1 == count || std::fwrite("\r\n", 1, 2, file) == 2);
    }
    return std::fclose(file) == 0 && ok;
}

int PeakOpenChild(int argc, char** argv, const std::string& path) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    TMemo memo;
    memo.resize(1000, 800);
    const long before = bench::StatusKilobytes("VmRSS");
    OpenAndPaint(memo, path);
    std::printf("%ld\n", bench::StatusKilobytes("VmHWM") - before);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* path = std::getenv("TABRIX_BENCH_FILE");
    if (!path) {
        std::fprintf(stderr, "bench_memo_open: set TABRIX_BENCH_FILE\n");
        return 2;
    }
    if (argc > 1 && std::string(argv[1]) == "--peak-open")
        return PeakOpenChild(argc, argv, path);

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const double fileMegabytes = double(std::filesystem::file_size(path)) / (1 << 20);

    double open = 1e300;
    for (int run = 0; run < 3; ++run) {
        TMemo memo;
        memo.resize(1000, 800);
        open = std::min(open, OpenAndPaint(memo, path));
    }

    const char* scratchFolder = std::getenv("TABRIX_BENCH_SCRATCH");
    const std::string scratch = scratchFolder ? scratchFolder : "/tmp";
    TMemo memo;
    OpenAndPaint(memo, path);
    double save = 1e300, copy = 1e300;
    for (int run = 0; run < 3; ++run) {
        auto start = Clock::now();
        if (!SaveLines(memo, scratch + "/memo-save.txt")) {
            std::fprintf(stderr, "bench_memo_open: cannot write into %s\n", scratch.c_str());
            return 2;
        }
        save = std::min(save, Milliseconds(start));
        const std::string command = "cp '" + std::string(path) + "' '" + scratch + "/cp.txt'";
        start = Clock::now();
        if (std::system(command.c_str()) != 0)
            return 2;
        copy = std::min(copy, Milliseconds(start));
    }
    std::filesystem::remove(scratch + "/memo-save.txt");
    std::filesystem::remove(scratch + "/cp.txt");

    const std::string child = "'/proc/" + std::to_string(getpid()) + "/exe' --peak-open";
    FILE* pipe = popen(child.c_str(), "r");
    long peakKilobytes = -1;
    if (!pipe || std::fscanf(pipe, "%ld", &peakKilobytes) != 1)
        peakKilobytes = -1;
    if (pipe)
        pclose(pipe);
    const double peakRatio = peakKilobytes / 1024.0 / fileMegabytes;

    std::printf("open %.0f MB into a memo, first paint: %.0f ms (best of 3)\n", fileMegabytes,
                open);
    std::printf("save back: %.0f ms; cp: %.0f ms (best of 3)\n", save, copy);
    std::printf("peak memory of opening: %.0f MB, %.2f x the file\n", peakKilobytes / 1024.0,
                peakRatio);
    std::printf("SUMMARY memo open to first paint %.0f ms (target 300 ms)%s\n", open,
                open <= 300 ? "" : " MISSED");
    std::printf("SUMMARY memo save %.0f ms vs cp %.0f ms (%.1fx)\n", save, copy, save / copy);
    std::printf("SUMMARY memo open peak memory %.2fx file size (target < 2.5x)%s\n", peakRatio,
                peakKilobytes > 0 && peakRatio < 2.5 ? "" : " MISSED");
    return open <= 300 && peakKilobytes > 0 && peakRatio < 2.5 ? 0 : 3;
}
