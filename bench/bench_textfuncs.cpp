// Text-function benchmark: Sort Alphabetically, Reverse Lines, Reverse Strings, Remove duplicate
// lines and Upper Case over a generated text of 1,000,000 lines (about 60 MB), each timed the way
// the editor runs it, next to the standard tool that does the same job on the same content in
// the same run. Also times each function at 250k, 500k and 1M lines to show how it grows.
// Run by bench/run.sh or alone; prints a table and SUMMARY lines, exits 3 when a target is missed.
//
// The editor's path: its whole text (CR LF breaks) -> SplitLines -> function -> JoinLines, or
// for a whole-text function -> function -> NormalizeLineBreaks; then the result is compared
// with the old text (an unchanged text leaves the editor alone). Temporaries die inside the
// timed span, as they do in the editor. The tools read the LF version of the text from a file
// and write to /dev/null, under LC_ALL=en_US.UTF-8.

#include "BenchSupport.h"
#include "textfuncs/TextFunctions.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* ToolLocale = "en_US.UTF-8";
constexpr std::size_t FullLines = 1000000;

// CPU time of every thread of the process taken by work.
double CpuMilliseconds(const std::function<void()>& work) {
    const auto now = [] {
        timespec time{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
        return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
    };
    const double start = now();
    work();
    return now() - start;
}

// Mostly English words; a few Latin-1 ones, so that both the UTF-8 text and its Windows-1252
// twin have non-ASCII letters with case.
constexpr const char* Words[] = {
    "the",       "of",           "and",     "to",       "in",          "is",
    "that",      "for",          "it",      "as",       "with",        "was",
    "on",        "be",           "at",      "by",       "this",        "had",
    "not",       "are",          "but",     "from",     "or",          "have",
    "an",        "they",         "which",   "one",      "you",         "were",
    "her",       "all",          "she",     "there",    "would",       "their",
    "editor",    "buffer",       "line",    "range",    "token",       "highlight",
    "caret",     "window",       "tabs",    "project",  "style",       "lorem",
    "ipsum",     "dolor",        "sit",     "amet",     "consectetur", "adipiscing",
    "elit",      "sed",          "do",      "eiusmod",  "tempor",      "incididunt",
    "labore",    "magna",        "aliqua",  "minim",    "veniam",      "quis",
    "nostrud",   "exercitation", "ullamco", "laboris",  "nisi",        "aliquip",
    "commodo",   "consequat",    "duis",    "aute",     "irure",       "reprehenderit",
    "voluptate", "velit",        "esse",    "cillum",   "fugiat",      "nulla",
    "pariatur",  "excepteur",    "sint",    "occaecat", "cupidatat",   "proident",
    "sunt",      "culpa",        "officia", "deserunt", "mollit",      "anim",
    "id",        "est",          "laborum", "river",    "mountain",    "garden",
    "letter",    "number",       "column",  "report",   "summary",     "invoice",
    "customer",  "order",        "street",  "2024",     "17",          "3.14",
    "-",         "(note)",       "x86_64",  "#42",      "e-mail",
};
constexpr const char* Latin1Words[] = {
    "caf\u00e9",   "na\u00efve", "M\u00fcller",   "stra\u00dfe",     "\u00c4rger",
    "fa\u00e7ade", "se\u00f1or", "\u00e9t\u00e9", "\u00d6sterreich", "fianc\u00e9e"};

std::string CaseVariant(std::string word, std::size_t kind) {
    // Only the ASCII letters change: enough to make lines that differ in case only.
    for (std::size_t i = 0; i < word.size(); ++i) {
        char& c = word[i];
        const bool upper = kind == 2 || (kind == 1 && i == 0);
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (kind == 3 && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return word;
}

// Lines of mixed-case words, about 58 bytes each on average: 2% empty, 15% repeating an earlier
// line (a third of those in another case), 1 word in 100 a Latin-1 one.
std::vector<std::string> GenerateLines(std::size_t count) {
    bench::Generator random(0x9E3779B97F4A7C15ULL);
    std::vector<std::string> lines;
    lines.reserve(count);
    constexpr std::size_t wordCount = sizeof Words / sizeof Words[0];
    constexpr std::size_t latin1Count = sizeof Latin1Words / sizeof Latin1Words[0];
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t kind = random.Below(100);
        if (kind < 2) {
            lines.emplace_back();
            continue;
        }
        if (kind < 17 && i > 0) {
            std::string line = lines[random.Below(i)];
            if (kind < 7)
                line = CaseVariant(std::move(line), 2 + random.Below(2));
            lines.push_back(std::move(line));
            continue;
        }
        std::string line;
        const std::size_t want = 16 + random.Below(80);
        while (line.size() < want) {
            if (!line.empty())
                line += random.Below(12) == 0 ? ", " : " ";
            const std::size_t caseKind = random.Below(10);
            const std::string word = random.Below(100) == 0 ? Latin1Words[random.Below(latin1Count)]
                                                            : Words[random.Below(wordCount)];
            line += CaseVariant(word, caseKind < 7 ? 0 : caseKind < 9 ? 1 : 2);
        }
        if (random.Below(5) == 0)
            line += '.';
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, std::size_t count, const char* br) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += lines[i];
        text += br;
    }
    return text;
}

// The UTF-8 text in Windows-1252 (every character of the sample has a byte there).
std::string ToWindows1252(std::string_view utf8) {
    const Encoding& from = *Encoding::ForCodePage(Encoding::Utf8CodePage);
    const Encoding& to = *Encoding::ForCodePage(1252);
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size(); pos += from.CharLength(utf8, pos))
        to.AppendEncoded(result, from.CodeAt(utf8, pos));
    return result;
}

// Best wall time of a tool reading `input` on its standard input and writing to /dev/null; or
// nothing when it cannot be run or fails.
std::optional<double> ToolMilliseconds(const std::vector<std::string>& argv,
                                       const std::string& input, int runs) {
    std::vector<std::string> environment = {std::string("LC_ALL=") + ToolLocale};
    for (char** entry = environ; *entry; ++entry)
        if (std::string_view(*entry).rfind("LC_", 0) != 0 &&
            std::string_view(*entry).rfind("LANG", 0) != 0)
            environment.emplace_back(*entry);
    std::vector<char*> args, env;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    for (const std::string& entry : environment)
        env.push_back(const_cast<char*>(entry.c_str()));
    env.push_back(nullptr);

    bool failed = false;
    const double ms = bench::BestMilliseconds(runs, [&] {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data()) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            failed = true;
        posix_spawn_file_actions_destroy(&actions);
    });
    if (failed)
        return std::nullopt;
    return ms;
}

struct Function {
    const char* name;
    std::vector<std::string> tool;
    double toolMs; // the figure the task quotes for this machine, for information
    double targetRatio;
    // Runs the function on the editor's text the way the editor does; returns the new text.
    std::function<std::string(const std::string& text, const Encoding&)> run;
};

std::string ThroughLines(const std::string& text,
                         const std::function<LineList(LineList)>& function) {
    return JoinLines(function(SplitLines(text)));
}

std::vector<Function> Functions(const Collator& ignoring) {
    return {
        {"Sort Alphabetically",
         {"sort", "-f"},
         2700,
         1.0,
         [&ignoring](const std::string& text, const Encoding& encoding) {
             return ThroughLines(text, [&](LineList lines) {
                 return SortLinesAlphabetically(std::move(lines), encoding, ignoring);
             });
         }},
        {"Reverse Lines",
         {"tac"},
         50,
         2.0,
         [](const std::string& text, const Encoding&) {
             return ThroughLines(text,
                                 [](LineList lines) { return ReverseLines(std::move(lines)); });
         }},
        {"Reverse Strings",
         {"rev"},
         900,
         1.0,
         [](const std::string& text, const Encoding& encoding) {
             return ThroughLines(
                 text, [&](LineList lines) { return ReverseStrings(std::move(lines), encoding); });
         }},
        {"Remove duplicate lines",
         {"awk", "!seen[tolower($0)]++"},
         2000,
         1.0,
         [&ignoring](const std::string& text, const Encoding& encoding) {
             return ThroughLines(text, [&](LineList lines) {
                 return RemoveDuplicateLines(std::move(lines), encoding, ignoring);
             });
         }},
        {"Upper Case",
         {"tr", "a-z", "A-Z"},
         40,
         2.0,
         [](const std::string& text, const Encoding& encoding) {
             return NormalizeLineBreaks(UpperCaseText(text, encoding));
         }},
    };
}

// Best time of the editor's path; `changed` keeps the comparison from being optimised away.
double EditorMilliseconds(const Function& function, const std::string& text,
                          const Encoding& encoding, int runs, std::size_t& changed) {
    return bench::BestMilliseconds(runs, [&] {
        const std::string result = function.run(text, encoding);
        changed += result != text;
    });
}

const char* Verdict(bool met) {
    return met ? "met" : "MISSED";
}

std::string ToolName(const std::vector<std::string>& tool) {
    std::string name;
    for (const std::string& part : tool)
        name += (name.empty() ? "" : " ") +
                (part.find(' ') != std::string::npos || part.find('!') != std::string::npos
                     ? "'" + part + "'"
                     : part);
    return name;
}

} // namespace

int main(int argc, char** argv) {
    // --only NAME: just that function on the UTF-8 text, for profiling.
    const std::string only = argc > 2 && std::string_view(argv[1]) == "--only" ? argv[2] : "";
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // progress shows while the slow tools run
    const char* scratchVariable = std::getenv("TABRIX_BENCH_SCRATCH");
    const std::filesystem::path scratch = scratchVariable ? std::filesystem::path(scratchVariable)
                                                          : std::filesystem::temp_directory_path();
    const std::filesystem::path toolInput = scratch / "bench_textfuncs-lf.txt";

    if (!only.empty()) {
        const std::vector<std::string> lines = GenerateLines(FullLines);
        const std::string text = Joined(lines, FullLines, "\r\n");
        const Collator ignoring(ToolLocale, LetterCase::Ignore);
        std::size_t changed = 0;
        for (const Function& function : Functions(ignoring))
            if (function.name == only)
                std::printf("%s: %.1f ms\n", function.name,
                            EditorMilliseconds(function, text,
                                               *Encoding::ForCodePage(Encoding::Utf8CodePage), 3,
                                               changed));
        return 0;
    }

    const auto generateStart = Clock::now();
    const std::vector<std::string> lines = GenerateLines(FullLines);
    const std::string text = Joined(lines, FullLines, "\r\n");
    {
        std::ofstream out(toolInput, std::ios::binary);
        const std::string lf = Joined(lines, FullLines, "\n");
        out.write(lf.data(), static_cast<std::streamsize>(lf.size()));
        if (!out) {
            std::fprintf(stderr, "bench_textfuncs: cannot write %s\n", toolInput.c_str());
            return 2;
        }
    }
    const std::string text1252 = ToWindows1252(text);
    std::printf("text: %zu lines, %.1f MB with CR LF (UTF-8), generated in %.0f ms; tools read "
                "the LF version under LC_ALL=%s\n",
                FullLines, double(text.size()) / 1e6,
                std::chrono::duration<double, std::milli>(Clock::now() - generateStart).count(),
                ToolLocale);

    const Encoding& utf8 = *Encoding::ForCodePage(Encoding::Utf8CodePage);
    const Encoding& windows1252 = *Encoding::ForCodePage(1252);
    const Collator ignoring(ToolLocale, LetterCase::Ignore);
    const std::vector<Function> functions = Functions(ignoring);
    constexpr int runs = 3;
    std::size_t changed = 0;
    bool allMet = true;

    std::printf("\n%-24s %12s %14s  %-30s %10s %7s %9s\n", "function", "UTF-8 ms", "cp1252 ms",
                "tool", "tool ms", "ratio", "target");
    for (const Function& function : functions) {
        const double ms = EditorMilliseconds(function, text, utf8, runs, changed);
        const double ms1252 = EditorMilliseconds(function, text1252, windows1252, runs, changed);
        const std::optional<double> toolMs = ToolMilliseconds(function.tool, toolInput, runs);
        const std::string toolName = ToolName(function.tool);
        if (!toolMs) {
            allMet = false;
            std::printf("%-24s %12.1f %14.1f  %-30s %10s\n", function.name, ms, ms1252,
                        toolName.c_str(), "FAILED");
            std::printf("SUMMARY %s: %.1f ms (UTF-8), %.1f ms (cp1252); %s could not run\n",
                        function.name, ms, ms1252, toolName.c_str());
            continue;
        }
        const double ratio = ms / *toolMs;
        const double ratio1252 = ms1252 / *toolMs;
        const bool met = std::max(ratio, ratio1252) <= function.targetRatio;
        allMet &= met;
        std::printf("%-24s %12.1f %14.1f  %-30s %10.1f %7.2f %6s%.1f\n", function.name, ms, ms1252,
                    toolName.c_str(), *toolMs, ratio, "<= ", function.targetRatio);
        std::printf("SUMMARY %s: %.1f ms UTF-8 (%.2f x %s), %.1f ms cp1252 (%.2f x); %s %.1f ms "
                    "(about %.0f ms expected here) (target <= %.1f x: %s)\n",
                    function.name, ms, ratio, toolName.c_str(), ms1252, ratio1252, toolName.c_str(),
                    *toolMs, function.toolMs, function.targetRatio, Verdict(met));
    }

    // Growth: each function on the first quarter, half and all of the lines, the three sizes
    // taken in turn in each run so that a change in the machine's load hits them alike. glibc
    // maps every buffer above its mmap threshold (32 MB at most) anew, so the 60 MB text would
    // pay for fresh pages each time and the 30 MB one not: a step no algorithm causes (the table
    // above includes it, as the editor pays it). Here every buffer comes from the heap and is
    // reused, and the time taken is CPU time of all threads: the work done, whether or not the
    // second core is free for the key threads. The verdict takes the whole span from 250k to 1M
    // lines, as single doublings of small figures shake with the load: linear work grows by 4, n
    // log n work by about 4.4, and anything quadratic by 16.
#ifdef __GLIBC__
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
#endif
    std::printf("\ngrowth (UTF-8, best of %d, buffers reused): CPU ms at 250k, 500k, 1M lines and "
                "the factor per doubling\n",
                runs);
    const std::string sizes[] = {Joined(lines, FullLines / 4, "\r\n"),
                                 Joined(lines, FullLines / 2, "\r\n"), text};
    for (const Function& function : functions) {
        double best[3] = {1e300, 1e300, 1e300};
        for (int run = 0; run < runs; ++run)
            for (int size = 0; size < 3; ++size)
                best[size] = std::min(best[size], CpuMilliseconds([&] {
                                          const std::string result =
                                              function.run(sizes[size], utf8);
                                          changed += result != sizes[size];
                                      }));
        const double first = best[1] / best[0], second = best[2] / best[1];
        const double span = best[2] / best[0];
        const bool linear = std::string_view(function.name) != "Sort Alphabetically";
        const double limit = linear ? 5.0 : 5.5;
        const bool met = span <= limit;
        allMet &= met;
        std::printf("%-24s %10.1f %10.1f %10.1f   x%.2f x%.2f (x%.2f in all)\n", function.name,
                    best[0], best[1], best[2], first, second, span);
        std::printf("SUMMARY %s growth 250k -> 500k -> 1M lines: x%.2f, x%.2f, x%.2f in all "
                    "(target %s, at most x%.1f: %s)\n",
                    function.name, first, second, span, linear ? "linear" : "n log n", limit,
                    Verdict(met));
    }

    std::filesystem::remove(toolInput);
    if (changed == 0)
        std::printf("(no function changed the text)\n");
    return allMet ? 0 : 3;
}
